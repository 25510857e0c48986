"""demo_window as a user runs it: keys and a click echoed on standard output,
F4 alone ignored, Alt+F4 and Escape quitting, the spinning square on black."""

import woxa_e2e
import woxa_window

KEY = b"\x83\x4C\x81\x5B\x82\xAA\x89\x9F\x82\xB3\x82\xEA\x82\xDC\x82\xB5\x82\xBD\x81\x42"
BUTTON = b"\x83\x7B\x83\x5E\x83\x93\x82\xAA\x89\x9F\x82\xB3\x82\xEA\x82\xDC\x82\xB5\x82\xBD\x20\x28"

args = woxa_e2e.parse_args()


def is_black(p):
    return max(p) < 16


def check_square(frames, label):
    # The square turns about the x axis and is edge-on now and then: one of
    # two captures shows it.
    shown = [f for f in frames if f is not None and f.count(lambda p: not is_black(p), (300, 200, 500, 400)) > 2000]
    if not woxa_e2e.check(shown, "%s: no coloured square in the middle of the window" % label):
        return
    f = shown[0]
    woxa_e2e.check((f.width, f.height) == (800, 600), "%s: client area %dx%d" % (label, f.width, f.height))
    for corner in ((2, 2), (797, 2), (2, 597), (797, 597)):
        woxa_e2e.check(is_black(f.pixel(*corner)), "%s: corner %s is %s, not black" % (label, corner, f.pixel(*corner)))
    colours = {tuple(c // 64 for c in f.pixel(x, y)) for x in range(300, 500, 4) for y in range(200, 400, 4)}
    woxa_e2e.check(len(colours) > 8, "%s: the square's colours do not blend (%d shades)" % (label, len(colours)))


# Keys, a click, F4 alone, then Alt+F4.
play = woxa_window.play(args, [
    ("capture", "first"), ("wait",), ("wait",), ("capture", "second"),
    ("key", "a"), ("key", "shift+a"), ("key", "Return"), ("key", "shift"),
    ("click", 200, 150),
    ("key", "F4"), ("wait",), ("capture", "after_f4"),
    ("key", "alt+F4"),
])
check_square([play.frames.get("first"), play.frames.get("second")], "start")
woxa_e2e.check("after_f4" in play.frames, "F4 alone ended the program")
woxa_e2e.expect_exit(play.result, 0, "Alt+F4")
woxa_e2e.expect_output(
    b"A" + KEY + b" 'a'\n" +
    b"Shift" + KEY + b"\n" + b"A" + KEY + b" 'A'\n" +
    b"Return" + KEY + b" '\n'\n" +
    b"Shift" + KEY + b"\n" +
    b"LEFT MOUSE BUTTON" + BUTTON + b"0,0) -> (200,150)\n" +
    b"Alt" + KEY + b"\n",
    play.result, "keys and click")

# Escape quits at once.
play = woxa_window.play(args, [("wait",), ("key", "Escape")])
woxa_e2e.expect_exit(play.result, 0, "Escape")
woxa_e2e.expect_output(b"", play.result, "Escape")

woxa_e2e.finish()
