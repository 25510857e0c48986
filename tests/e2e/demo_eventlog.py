"""demo_eventlog as a user runs it: the magenta cube spins in the middle;
left clicks are logged in yellow with the previous release position and the
current one, keys in cyan with their character when they make one; F4 alone
and the wheel log nothing; the wheel scrolls the two-row box, towards the
user down to an empty view one past the last line, away from the user up to
the first line. Escape quits at once."""

import glyph_text
import woxa_e2e
import woxa_window

args = woxa_e2e.parse_args()

TEXT = (52, 52)  # the default position (50, 50) plus the margin of 2
COLUMNS, ROWS = 41, 2
YELLOW = glyph_text.near((255, 255, 0))
CYAN = glyph_text.near((0, 255, 255))
MAGENTA = (255, 0, 255)

# The log as the program breaks it at 41 columns; the last line is the empty
# one being written.
LOG = [
    ("LEFT MOUSE BUTTON pushed. (0,0)->(200,150", YELLOW),
    (")", YELLOW),
    ("LEFT MOUSE BUTTON pushed. (200,150)->(600", YELLOW),
    (",450)", YELLOW),
    ("A key pushed. ('a')", CYAN),
    ("Shift key pushed.", CYAN),
    ("", None),
]


def view(first):
    """What the box shows with line `first` at the top."""
    return [LOG[i] if i < len(LOG) else ("", None) for i in range(first, first + ROWS)]


def check_view(frame, label, first):
    if not woxa_e2e.check(frame is not None, "%s: frame missing" % label):
        return
    for row, (text, colour) in enumerate(view(first)):
        y = TEXT[1] + 13 * row
        yellow = glyph_text.read_line(frame, TEXT[0], y, COLUMNS, YELLOW)
        cyan = glyph_text.read_line(frame, TEXT[0], y, COLUMNS, CYAN)
        want_yellow = text if colour is YELLOW else ""
        want_cyan = text if colour is CYAN else ""
        woxa_e2e.check((yellow, cyan) == (want_yellow, want_cyan),
                       "%s, row %d: yellow %r and cyan %r, expected yellow %r and cyan %r" % (
                           label, row, yellow, cyan, want_yellow, want_cyan))


def check_cube(frame, label):
    if frame is None:
        return
    woxa_e2e.check(frame.pixel(400, 300) == MAGENTA, "%s: the middle is %s, not the magenta cube" % (
        label, frame.pixel(400, 300)))
    for corner in ((400, 20), (20, 300), (780, 580)):
        woxa_e2e.check(max(frame.pixel(*corner)) < 8, "%s: %s is %s, not black" % (label, corner, frame.pixel(*corner)))


def wheel(direction, notches):
    return [("wheel", direction)] * notches + [("wait",)]


steps = [("move", 760, 560), ("wait",), ("capture", "start"),
         ("click", 200, 150), ("click", 600, 450), ("key", "a"), ("key", "shift"), ("key", "F4"),
         ("move", 760, 560), ("wait",), ("capture", "logged")]
steps += wheel("down", 2) + [("capture", "line2")]
steps += wheel("down", 2) + [("capture", "line4")]
# Towards the user it stops one past the last line (7); two back shows line 5.
steps += wheel("down", 5) + wheel("up", 2) + [("capture", "line5")]
# Away from the user it stops at 0; one towards shows line 1.
steps += wheel("up", 7) + wheel("down", 1) + [("capture", "line1"), ("key", "Escape")]
play = woxa_window.play(args, steps)
f = play.frames

start = f.get("start")
check_view(start, "start", len(LOG))  # an empty log shows nothing
check_cube(start, "start")
if start is not None:
    grey = start.pixel(250, 80)  # the backdrop, 127 grey at half alpha over black
    woxa_e2e.check(all(abs(c - 63) <= 3 for c in grey), "the text box backdrop is %s, not grey" % (grey,))
    woxa_e2e.check(max(start.pixel(250, 86)) < 8, "the text box reaches below y 84")
check_view(f.get("logged"), "two clicks, two keys and F4", 0)
check_view(f.get("line2"), "wheel down twice", 2)
check_view(f.get("line4"), "wheel down four times", 4)
check_view(f.get("line5"), "wheel down past the end and up twice", 5)
check_view(f.get("line1"), "wheel up past the start and down once", 1)
check_cube(f.get("line1"), "end")
woxa_e2e.expect_exit(play.result, 0, "Escape")
woxa_e2e.expect_output(b"", play.result, "demo_eventlog")

woxa_e2e.finish()
