"""demo_widgets as a user runs it: it starts with the profiler graph at (5, 5)
over the background tiled 5 x 4, the picture, the magenta panel and the
text box saying WOXATextBox; "Profiler" hides and shows the graph, "scale
x2" and "scale x1" switch the text size, each press logged in the text box;
a press on one button released on another triggers neither. Without its
pictures the program shows white quads in their place."""

import os

import glyph_text
import tga_file
import woxa_e2e
import woxa_window

args = woxa_e2e.parse_args()

PARK = (790, 590)  # the mouse waits here, clear of everything the checks read
GRAPH = (4, 5, 158, 57)  # four rows of 13 from (5, 5); markers reach one pixel left
PANEL = (300, 10, 400, 110)
PICTURE = (10, 300, 310, 500)
TEXT_BOX = (400, 300, 700, 500)
BUTTONS = (400, 280, 700, 300)
PROFILER, SCALE_X2, SCALE_X1 = (450, 290), (550, 290), (650, 290)
SECTIONS = ["[WOXA]Main Loop", "[WOXA]Idle Event", "[WOXA]Draw Form", "[WOXA]Swap Buffers"]

WHITE = glyph_text.near((255, 255, 255))
BLACK = glyph_text.near((0, 0, 0), 40)


def inside(x, y, box, margin=2):
    return box[0] - margin <= x < box[2] + margin and box[1] - margin <= y < box[3] + margin


def background_points():
    covered = [GRAPH, PANEL, PICTURE, TEXT_BOX, BUTTONS, (PARK[0] - 4, PARK[1] - 4, 800, 600)]
    return [(x, y) for x in range(0, 800, 13) for y in range(0, 600, 11)
            if not any(inside(x, y, box) for box in covered)]


def mean_error(frame, points, expected):
    total = 0.0
    for x, y in points:
        total += sum(abs(a - b) for a, b in zip(frame.pixel(x, y), expected(x, y)[:3])) / 3
    return total / len(points)


def check_picture(frame, label, points, expected, flipped):
    """The frame matches the picture as it should lie, and clearly not upside down."""
    right, wrong = mean_error(frame, points, expected), mean_error(frame, points, flipped)
    woxa_e2e.check(right < 6 and wrong > 2 * right + 4,
                   "%s: mean error %.1f against the picture, %.1f against it upside down" % (label, right, wrong))


def check_background_and_forms(frame):
    bg = tga_file.read(os.path.join(args.data, "background.TGA"))
    # Five tiles across and four down, the first stored row at each tile's top.
    check_picture(frame, "tiled background", background_points(),
                  lambda x, y: bg.sample((x + 0.5) / 160, (y + 0.5) / 150),
                  lambda x, y: bg.sample((x + 0.5) / 160, -(y + 0.5) / 150))
    pic = tga_file.read(os.path.join(args.data, "texrect.TGA"))
    # Shown once over its rectangle, the last stored row at the top.
    points = [(x, y) for x in range(12, 308, 7) for y in range(302, 498, 5)]
    check_picture(frame, "picture", points,
                  lambda x, y: pic.sample((x - 10 + 0.5) / 300, 1 - (y - 300 + 0.5) / 200),
                  lambda x, y: pic.sample((x - 10 + 0.5) / 300, (y - 300 + 0.5) / 200))
    # Half-transparent magenta over the background, which repeats 160 pixels on.
    for x, y in [(x, y) for x in range(310, 400, 20) for y in range(20, 110, 20)]:
        under = frame.pixel(x + 160, y)
        want = tuple((c * 127 + u * 128) / 255 for c, u in zip((255, 0, 255), under))
        woxa_e2e.check(all(abs(a - b) <= 4 for a, b in zip(frame.pixel(x, y), want)),
                       "panel at (%d, %d) is %s, not magenta over %s" % (x, y, frame.pixel(x, y), under))


def check_graph(frame, label, shown):
    labels = [glyph_text.read_line(frame, 5, 5 + 13 * i, 25, BLACK) for i in range(4)]
    red = frame.count(glyph_text.near((255, 0, 0), 16), GRAPH)
    green = frame.count(glyph_text.near((0, 255, 0), 16), GRAPH)
    if shown:
        woxa_e2e.check(labels == SECTIONS, "%s: graph labels %s" % (label, labels))
        woxa_e2e.check(red >= 4 * 13 and green >= 4 * 13, "%s: %d red and %d green marker pixels" % (label, red, green))
        return
    woxa_e2e.check(labels == [""] * 4 and red == 0 and green == 0,
                   "%s: the graph is still there (labels %s, %d red, %d green)" % (label, labels, red, green))
    # Only the background is left: it repeats 150 pixels further down.
    changed = [(x, y) for x in range(GRAPH[0], GRAPH[2], 3) for y in range(GRAPH[1], GRAPH[3], 3)
               if any(abs(a - b) > 3 for a, b in zip(frame.pixel(x, y), frame.pixel(x, y + 150)))]
    woxa_e2e.check(not changed, "%s: the graph area differs from the background at %s" % (label, changed[:5]))


def check_log(frame, label, lines, scale):
    rows = 7 if scale == 2 else 15
    cells = 50 // scale
    shown = glyph_text.read_lines(frame, 400, 300, cells, rows, WHITE, scale)
    woxa_e2e.check(shown == lines + [""] * (rows - len(lines)),
                   "%s: text box shows %s at scale %d, expected %s" % (label, shown, scale, lines))


def click(position):
    return [("click",) + position, ("move",) + PARK, ("wait",)]


steps = [("move",) + PARK, ("wait",), ("capture", "start")]
steps += click(PROFILER) + [("capture", "profiler_off")]
steps += click(PROFILER) + [("capture", "profiler_on")]
steps += click(SCALE_X2) + [("capture", "scale2")]
# Pressed on one button and released on another, both ways round.
steps += [("press",) + SCALE_X1, ("release",) + PROFILER, ("press",) + PROFILER, ("release",) + SCALE_X2,
          ("move",) + PARK, ("wait",), ("capture", "crossed")]
steps += click(SCALE_X1) + [("capture", "scale1"), ("key", "Escape")]
play = woxa_window.play(args, steps)
f = play.frames
missing = [name for name in ("start", "profiler_off", "profiler_on", "scale2", "crossed", "scale1") if name not in f]
woxa_e2e.check(not missing, "frames not captured: %s" % missing)

if "start" in f:
    woxa_e2e.check((f["start"].width, f["start"].height) == (800, 600), "client area is not 800 x 600")
    check_graph(f["start"], "start", True)
    check_background_and_forms(f["start"])
    check_log(f["start"], "start", ["WOXATextBox"], 1)
if "profiler_off" in f:
    check_graph(f["profiler_off"], "first Profiler press", False)
    check_log(f["profiler_off"], "first Profiler press", ["WOXATextBox", "Profiler"], 1)
if "profiler_on" in f:
    check_graph(f["profiler_on"], "second Profiler press", True)
    check_log(f["profiler_on"], "second Profiler press", ["WOXATextBox", "Profiler", "Profiler"], 1)
after_x2 = ["WOXATextBox", "Profiler", "Profiler", "scale x2"]
if "scale2" in f:
    check_log(f["scale2"], "scale x2", after_x2, 2)
if "crossed" in f:
    check_log(f["crossed"], "presses released on other buttons", after_x2, 2)
    check_graph(f["crossed"], "presses released on other buttons", True)
if "scale1" in f:
    check_log(f["scale1"], "scale x1", after_x2 + ["scale x1"], 1)
woxa_e2e.expect_exit(play.result, 0, "Escape")
woxa_e2e.expect_output(b"", play.result, "demo_widgets")

# No pictures in the working folder: white quads where they would be, the
# text box still over them; Alt+F4 quits.
play = woxa_window.play(args, [("move",) + PARK, ("wait",), ("capture", "bare"), ("key", "alt+F4")],
                        copy_data=False)
bare = play.frames.get("bare")
if woxa_e2e.check(bare is not None, "no pictures: frame missing"):
    for x, y in [(200, 150), (790, 300), (20, 580), (100, 400), (300, 490)]:
        woxa_e2e.check(bare.pixel(x, y) == (255, 255, 255), "no pictures: (%d, %d) is %s, not white" % (
            x, y, bare.pixel(x, y)))
    woxa_e2e.check(all(abs(c - 160) <= 3 for c in bare.pixel(600, 450)),
                   "no pictures: the text box at (600, 450) is %s, not its grey over white" % (bare.pixel(600, 450),))
    check_log(bare, "no pictures", ["WOXATextBox"], 1)
woxa_e2e.expect_exit(play.result, 0, "Alt+F4")
woxa_e2e.expect_output(b"", play.result, "demo_widgets without pictures")

woxa_e2e.finish()
