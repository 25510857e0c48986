"""demo_pointer as a user runs it: the built-in arrow is drawn at the mouse
position; "Toggle cursor type" swaps it for big_cursor.tga at its own size
and back; "Toggle mouse visible" hides every pointer and brings back the
custom cursor; "Toggle custom mouse cursor" hands over to the system pointer
(not drawn by the program, so not in the frames) and back. The cursor is
drawn over the button just clicked. Without big_cursor.tga the type button
keeps the arrow.

Only what the program draws is checked: under Wine the X server's own
pointer is not part of a window capture."""

import os

import tga_file
import woxa_e2e
import woxa_window

args = woxa_e2e.parse_args()

MOUSE_BUTTON, CUSTOM_BUTTON, TYPE_BUTTON = (400, 285), (400, 315), (400, 345)
SPOT = (600, 60)  # black all around: nothing but the cursor is drawn here

# The built-in arrow, top row first: X black, o white, . transparent.
ARROW = [
    "XXX.............", "XoXXX...........", "XXooXXX.........", ".XooooXXX.......",
    ".XXoooooXXX.....", "..XoooooooXXX...", "..XXooooooooXXX.", "...XoooooooooXX.",
    "...XXoooooooXX..", "....XoooooooX...", "....XXooooooXX..", ".....XoooooooXX.",
    ".....XXoXXXoooXX", "......XXX.XXoooX", "......XX...XXoXX", "............XXX.",
]


def white(p):
    return min(p) >= 240


def arrow_errors(frame, x, y):
    """Texels of the arrow at (x, y) whose white interior is wrong."""
    return sum(1 for r, row in enumerate(ARROW) for c, texel in enumerate(row)
               if white(frame.pixel(x + c, y + r)) != (texel == "o"))


def drawn(frame, box):
    return frame.count(lambda p: max(p) > 8, box)


def check_arrow(frame, label, at, alone=True):
    if not woxa_e2e.check(frame is not None, "%s: frame missing" % label):
        return
    errors = arrow_errors(frame, *at)
    woxa_e2e.check(errors <= 2, "%s: %d texels of the arrow at %s are wrong" % (label, errors, at))
    if alone:
        x, y = at
        woxa_e2e.check(drawn(frame, (x + 16, y, x + 80, y + 80)) + drawn(frame, (x, y + 16, x + 16, y + 80)) == 0,
                       "%s: something is drawn beside the 16 x 16 arrow" % label)


def check_nothing(frame, label, at):
    if not woxa_e2e.check(frame is not None, "%s: frame missing" % label):
        return
    x, y = at
    woxa_e2e.check(drawn(frame, (x - 2, y - 2, x + 70, y + 70)) == 0, "%s: a cursor is drawn at %s" % (label, at))


def check_picture(frame, label, at):
    """big_cursor.tga at its own size, top-left corner at the mouse, its last
    stored row at the top, drawn where its alpha exceeds one half (alpha
    already cut to 4 bits, so 136 is the least that passes)."""
    if not woxa_e2e.check(frame is not None, "%s: frame missing" % label):
        return
    image = tga_file.read(os.path.join(args.data, "big_cursor.tga"))
    x, y = at
    wrong = []
    for j in range(image.height):
        for i in range(image.width):
            r, g, b, a = image.texel(i, image.height - 1 - j)
            # Blended over the black ground by the texel's own alpha.
            want = tuple(c * a / 255 for c in (r, g, b)) if a > 128 else (0, 0, 0)
            got = frame.pixel(x + i, y + j)
            if any(abs(p - q) > 12 for p, q in zip(got, want)):
                wrong.append((x + i, y + j, got, want))
    woxa_e2e.check(len(wrong) <= 8, "%s: %d pixels differ from the picture, e.g. %s" % (label, len(wrong), wrong[:3]))
    woxa_e2e.check(drawn(frame, (x + image.width, y, x + image.width + 40, y + image.height + 40)) +
                   drawn(frame, (x, y + image.height, x + image.width, y + image.height + 40)) == 0,
                   "%s: something is drawn beyond the picture" % label)


def click_then_look(button, name, at=SPOT):
    return [("click",) + button, ("move",) + at, ("wait",), ("capture", name)]


steps = [("move",) + SPOT, ("wait",), ("capture", "arrow")]
steps += click_then_look(TYPE_BUTTON, "picture")
steps += [("click",) + TYPE_BUTTON, ("wait",), ("capture", "on_button")]
steps += [("move",) + SPOT, ("wait",), ("capture", "arrow_again")]
steps += click_then_look(MOUSE_BUTTON, "hidden")
steps += click_then_look(MOUSE_BUTTON, "shown")
steps += click_then_look(CUSTOM_BUTTON, "system")
steps += click_then_look(CUSTOM_BUTTON, "custom_again") + [("key", "Escape")]
play = woxa_window.play(args, steps)
f = play.frames

check_arrow(f.get("arrow"), "start", SPOT)
on_button = f.get("on_button")
if woxa_e2e.check(on_button is not None, "on the button: frame missing"):
    # Grey button beneath (191 at alpha 191 over black), the arrow over it.
    woxa_e2e.check(all(abs(c - 143) <= 3 for c in on_button.pixel(550, 345)),
                   "the type button is %s at (550, 345), not its grey" % (on_button.pixel(550, 345),))
    check_arrow(on_button, "on the button", TYPE_BUTTON, alone=False)
check_picture(f.get("picture"), "first type press", SPOT)
check_arrow(f.get("arrow_again"), "second type press", SPOT)
check_nothing(f.get("hidden"), "mouse hidden", SPOT)
check_arrow(f.get("shown"), "mouse shown again", SPOT)
check_nothing(f.get("system"), "system pointer", SPOT)
check_arrow(f.get("custom_again"), "custom cursor again", SPOT)
woxa_e2e.expect_exit(play.result, 0, "Escape")
woxa_e2e.expect_output(b"", play.result, "demo_pointer")

# Without the picture the type button keeps the arrow, in both of its modes.
play = woxa_window.play(args, click_then_look(TYPE_BUTTON, "no_picture") +
                        click_then_look(TYPE_BUTTON, "no_picture_back") + [("key", "Escape")], copy_data=False)
check_arrow(play.frames.get("no_picture"), "no picture, first type press", SPOT)
check_arrow(play.frames.get("no_picture_back"), "no picture, second type press", SPOT)
woxa_e2e.expect_exit(play.result, 0, "Escape without the picture")

woxa_e2e.finish()
