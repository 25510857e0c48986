"""demo_terminal as a user runs it: Tab opens the console over the top third,
a typed line is echoed there with a green acknowledgement and logged in the
text box, Return on an empty line closes it without logging, the button logs
and opens it, Escape does nothing while it is open and quits once Tab has
closed it."""

import woxa_e2e
import woxa_window

args = woxa_e2e.parse_args()

CONSOLE_BOTTOM = 203  # 13 * ((600 / 3) / 13) + 4 * 2: the console covers y 0 to 202
INPUT_ROW = (2, 188)  # the input field's caption origin
TEXT_BOX = (200, 300)  # its first row; rows are 13 pixels high

GREY = (191, 191, 191)
GREEN = (63, 191, 63)
WHITE = (255, 255, 255)


def near(colour):
    return lambda p: all(abs(a - b) <= 8 for a, b in zip(p, colour))


def darkened(closed, opened):
    # The console's backdrop is black at alpha 191: a quarter of the
    # picture beneath shows through.
    return all(abs(o - c * 64 / 255) <= 3 for c, o in zip(closed, opened))


# Points clear of the console's text, the mouse pointer and the forms.
COVERED = [(x, y) for x in (400, 600, 700, 799) for y in (0, 60, 120, 185, 186, 195, CONSOLE_BOTTOM - 1)]
UNCOVERED = [(x, y) for x in (100, 400, 700) for y in (CONSOLE_BOTTOM, 210, 250)]


def console_open(closed, frame, label):
    if closed is None or frame is None:
        return woxa_e2e.fail("%s: frame missing" % label)
    woxa_e2e.check(sum(sum(closed.pixel(x, y)) for x, y in COVERED) > 20 * len(COVERED),
                   "%s: the picture under the console is too dark to tell" % label)
    for x, y in COVERED:
        woxa_e2e.check(darkened(closed.pixel(x, y), frame.pixel(x, y)),
                       "%s: (%d, %d) is %s over %s, not covered by the console" % (
                           label, x, y, frame.pixel(x, y), closed.pixel(x, y)))
    for x, y in UNCOVERED:
        woxa_e2e.check(frame.pixel(x, y) == closed.pixel(x, y),
                       "%s: (%d, %d) changed below the console" % (label, x, y))


def console_closed(closed, frame, label):
    if closed is None or frame is None:
        return woxa_e2e.fail("%s: frame missing" % label)
    for x, y in COVERED + UNCOVERED:
        woxa_e2e.check(frame.pixel(x, y) == closed.pixel(x, y),
                       "%s: (%d, %d) is %s, not the open picture %s" % (
                           label, x, y, frame.pixel(x, y), closed.pixel(x, y)))


def text_box_row(row, chars):
    x, y = TEXT_BOX
    return (x, y + 13 * row, x + 6 * chars, y + 13 * row + 13)


def ink(frame, box, colour):
    return frame.count(near(colour), box) if frame is not None else 0


play = woxa_window.play(args, [
    ("move", 790, 590), ("wait",), ("capture", "closed"),
    ("key", "Tab"), ("wait",), ("capture", "open"),
    ("key", "h"), ("key", "e"), ("key", "l"), ("key", "l"), ("key", "o"), ("wait",), ("capture", "typed"),
    ("key", "Return"), ("wait",), ("capture", "entered"),
    ("key", "Return"), ("wait",), ("capture", "closed_by_return"),
    ("click", 250, 290), ("move", 790, 590), ("wait",), ("capture", "opened_by_button"),
    ("key", "Escape"), ("wait",), ("capture", "after_escape"),
    ("key", "Tab"), ("wait",), ("capture", "closed_by_tab"),
    ("key", "Escape"),
])
f = play.frames
closed = f.get("closed")

console_open(closed, f.get("open"), "Tab")
woxa_e2e.check(ink(closed, text_box_row(0, 39), WHITE) > 100, "the text box's hint is missing")
woxa_e2e.check(ink(closed, text_box_row(1, 66), WHITE) == 0, "the text box has more than its hint")

typed = f.get("typed")
woxa_e2e.check(ink(typed, (2, 188, 32, 201), WHITE) > 20, "hello is not in the input field")
woxa_e2e.check(ink(typed, (2, 2, 200, 185), GREY) == 0, "the output shows text before Return")

entered = f.get("entered")
console_open(closed, entered, "Return after hello")
woxa_e2e.check(ink(entered, (2, 2, 32, 15), GREY) > 20, "hello is not echoed on the console's first row")
woxa_e2e.check(ink(entered, (32, 2, 200, 15), GREY) == 0, "more than hello on the console's first row")
woxa_e2e.check(ink(entered, (2, 15, 182, 28), GREEN) > 60, "no green acknowledgement on the second row")
woxa_e2e.check(ink(entered, (2, 15, 182, 28), GREY) == 0, "the acknowledgement is not all green")
woxa_e2e.check(ink(entered, (2, 188, 200, 201), WHITE) == 0, "the input field was not cleared")
woxa_e2e.check(ink(entered, text_box_row(1, 7), WHITE) > 20, "[hello] is not logged in the text box")
woxa_e2e.check(ink(entered, (250, 313, 600, 326), WHITE) == 0, "the logged line is longer than [hello]")

closed_by_return = f.get("closed_by_return")
console_closed(closed, closed_by_return, "Return on an empty line")
woxa_e2e.check(ink(closed_by_return, text_box_row(2, 66), WHITE) == 0, "closing with Return logged a line")

opened = f.get("opened_by_button")
console_open(closed, opened, "the button")
woxa_e2e.check(ink(opened, text_box_row(2, 24), WHITE) > 60, "the button press is not logged on the third row")
woxa_e2e.check(ink(opened, (350, 326, 600, 339), WHITE) == 0, "the button's log line is too long")
woxa_e2e.check(ink(opened, (2, 28, 200, 41), GREY) == 0, "the console's output grew without input")

console_open(closed, f.get("after_escape"), "Escape while open")
console_closed(closed, f.get("closed_by_tab"), "Tab while open")

woxa_e2e.expect_exit(play.result, 0, "Escape after Tab")
woxa_e2e.expect_output(b"", play.result, "demo_terminal")
woxa_e2e.finish()
