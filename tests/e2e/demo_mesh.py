"""demo_mesh as a user runs it: the garden model in the fixed view behind the
translucent text box "test_mqo"; textured and plain-coloured parts where the
model puts them; F4 alone ignored, Alt+F4 and Escape quitting; without its
textures the model keeps its material colours; without the model file the
text box alone on black; a narrower window keeps the view's height and the
box's place."""

import os
import re
import shutil
from collections import Counter

import woxa_e2e
import woxa_window

MODEL = os.path.join("modeldata", "demo_mesh01.mqo")

# Client-area boxes (x0, y0, x1, y1) where the model's fixed view puts its
# parts, and the text box the program places at (400, 300), 300 x 200.
PINE = (425, 95, 445, 165)      # the pine's front: plain material colours
ROOF_OVER_PINE = (405, 140, 415, 175)  # the roof's right end, nearer than the pine
GRASS = (100, 240, 200, 300)    # the lawn left of the pond: grass.tga
WALL = (240, 235, 300, 280)     # the house front: brick.tga
TREE_SHADOW = (522, 230, 540, 246)  # a translucent black polygon on the lawn
TEXT_BOX = (400, 300, 700, 500)
LABEL = (400, 300, 448, 313)    # eight 6 x 13 cells of "test_mqo"
BACKDROP_ONLY = (600, 420, 700, 500)  # inside the box, nothing behind it
# Half-transparent dark grey (63, 63, 63, 127) over black.
BACKDROP_ON_BLACK = (31, 31, 31)

args = woxa_e2e.parse_args()


def near(p, q, tolerance=3):
    return all(abs(a - b) <= tolerance for a, b in zip(p, q))


def is_black(p):
    return max(p) < 8


def pixels(frame, box, step=1):
    x0, y0, x1, y1 = box
    return [frame.pixel(x, y) for y in range(y0, y1, step) for x in range(x0, x1, step)]


def share(frame, box, predicate):
    found = pixels(frame, box)
    return sum(1 for p in found if predicate(p)) / len(found)


def mean(found):
    return tuple(sum(p[i] for p in found) / len(found) for i in range(3))


def material_colours(prefix):
    """The colours, as bytes, of the file's materials whose names start with prefix."""
    colours = []
    with open(os.path.join(args.data, MODEL), "rb") as f:
        for line in f.read().decode("ascii").splitlines():
            m = re.match(r'\s*"%s[^"]*".*\bcol\(([-\d.]+) ([-\d.]+) ([-\d.]+)' % prefix, line)
            if m:
                colours.append(tuple(round(float(v) * 255) for v in m.groups()))
    return colours


PINE_COLOURS = material_colours("pine")


def check_frame_and_box(frame, label):
    """The frame is the client area, its corners are black, and the text box
    shows its backdrop and its one line."""
    if not woxa_e2e.check(frame is not None, "%s: no frame captured" % label):
        return False
    woxa_e2e.check((frame.width, frame.height) == (800, 600), "%s: client area %dx%d" % (label, frame.width, frame.height))
    for corner in ((2, 2), (797, 2), (2, 597), (797, 597)):
        woxa_e2e.check(is_black(frame.pixel(*corner)), "%s: corner %s is %s, not black" % (label, corner, frame.pixel(*corner)))
    woxa_e2e.check(share(frame, BACKDROP_ONLY, lambda p: near(p, BACKDROP_ON_BLACK)) == 1.0,
                   "%s: the text box's backdrop is not half-transparent dark grey: %s" % (
                       label, frame.pixel(650, 460)))
    white = share(frame, LABEL, lambda p: min(p) > 230)
    woxa_e2e.check(0.1 < white < 0.6, "%s: no white line of text at the box's top left (%.2f white)" % (label, white))
    right_of_label = (448, 300, 700, 313)
    woxa_e2e.check(share(frame, right_of_label, lambda p: min(p) > 230) == 0,
                   "%s: more text in the box than \"test_mqo\"" % label)
    return True


def check_model(frame, label):
    """Textured parts show their images, plain parts their material colours,
    and the model is seen through the text box."""
    pine = share(frame, PINE, lambda p: any(near(p, c) for c in PINE_COLOURS))
    woxa_e2e.check(pine > 0.8, "%s: the pine is not drawn in its material colours (%.2f match)" % (label, pine))
    hidden = share(frame, ROOF_OVER_PINE, lambda p: any(near(p, c) for c in PINE_COLOURS))
    woxa_e2e.check(hidden < 0.05, "%s: the pine shows through the roof in front of it (%.2f)" % (label, hidden))

    lawn = pixels(frame, GRASS)
    green = sum(1 for p in lawn if p[1] > p[0] and p[1] > p[2]) / len(lawn)
    woxa_e2e.check(green > 0.7 and len(set(lawn)) > 100,
                   "%s: the lawn is not textured green (%.2f green, %d shades)" % (label, green, len(set(lawn))))
    wall = pixels(frame, WALL)
    r, g, b = mean(wall)
    woxa_e2e.check(r > g + 20 and r > b + 20 and len(set(wall)) > 100,
                   "%s: the house front is not textured brick (mean %s, %d shades)" % (
                       label, (round(r), round(g), round(b)), len(set(wall))))
    shade = pixels(frame, TREE_SHADOW)
    lawn_seen = sum(1 for p in shade if p[1] > p[0] and p[1] > p[2] and max(p) > 40) / len(shade)
    woxa_e2e.check(lawn_seen > 0.9 and mean(shade)[1] < mean(lawn)[1],
                   "%s: the tree's shadow does not darken the lawn seen through it (%.2f lawn, mean %s)" % (
                       label, lawn_seen, tuple(round(c) for c in mean(shade))))

    # Just above and just below the box's top edge, right of the label: the
    # same ground, the lower strip seen through the half-transparent grey.
    above = mean(pixels(frame, (460, 290, 640, 299)))
    below = mean(pixels(frame, (460, 301, 640, 310)))
    expected = tuple(c * (128 / 255) + 63 * (127 / 255) for c in above)
    woxa_e2e.check(max(above) > 60 and all(abs(e - c) < 20 for e, c in zip(expected, below)),
                   "%s: the box's top strip %s is not the ground above it %s under the grey" % (
                       label, tuple(round(c) for c in below), tuple(round(c) for c in above)))


def check_narrowed(frame, start, label):
    """At 600 x 600 the view keeps its 45-degree height and loses 100 pixels
    at each side, and the text box stays at (400, 300)."""
    if not woxa_e2e.check(frame is not None and (frame.width, frame.height) == (600, 600),
                          "%s: no 600 x 600 frame after resizing" % label):
        return
    # The model's part of the window, left of and above the box in both.
    found = pixels(frame, (0, 0, 300, 600), step=2) + pixels(frame, (300, 0, 600, 300), step=2)
    expected = [start.pixel(x + 100, y) for y in range(0, 600, 2) for x in range(0, 300, 2)] + \
               [start.pixel(x + 100, y) for y in range(0, 300, 2) for x in range(300, 600, 2)]
    same = sum(1 for p, q in zip(found, expected) if near(p, q, 8)) / len(found)
    woxa_e2e.check(same > 0.98, "%s: the view is not the middle 600 columns of the 800-wide one (%.3f alike)" % (
        label, same))
    woxa_e2e.check(0.1 < share(frame, LABEL, lambda p: min(p) > 230) < 0.6, "%s: the label left (400, 300)" % label)
    woxa_e2e.check(share(frame, (500, 420, 600, 500), lambda p: near(p, BACKDROP_ON_BLACK)) == 1.0,
                   "%s: the backdrop no longer ends at y 500" % label)


def check_untextured_model(frame, label):
    """Missing textures: the textured materials are drawn plain in their own
    colours, the others as before."""
    for box, material in ((GRASS, "grass"), (WALL, "brick"), (PINE, "pine")):
        found = pixels(frame, box)
        top, n = Counter(found).most_common(1)[0]
        colours = material_colours(material)
        woxa_e2e.check(n / len(found) > 0.7 and any(near(top, c) for c in colours),
                       "%s: %s not drawn plain in a %s colour %s: %.2f is %s" % (
                           label, box, material, colours, n / len(found), top))


def check_nothing_but_box(frame, label):
    outside = [p for y in range(0, 600, 2) for x in range(0, 800, 2)
               if not (TEXT_BOX[0] <= x < TEXT_BOX[2] and TEXT_BOX[1] <= y < TEXT_BOX[3])
               for p in [frame.pixel(x, y)]]
    lit = sum(1 for p in outside if not is_black(p))
    woxa_e2e.check(lit == 0, "%s: %d pixels outside the text box are not black" % (label, lit))
    box = pixels(frame, (400, 313, 700, 500), step=2)
    woxa_e2e.check(all(near(p, BACKDROP_ON_BLACK) for p in box), "%s: the text box is not grey on black" % label)


# The model, F4 alone, then Alt+F4.
play = woxa_window.play(args, [
    ("capture", "start"),
    ("key", "F4"), ("wait",), ("capture", "after_f4"),
    ("resize", 600, 600), ("capture", "narrow"),
    ("key", "alt+F4"),
])
if check_frame_and_box(play.frames.get("start"), "model"):
    check_model(play.frames["start"], "model")
    check_narrowed(play.frames.get("narrow"), play.frames["start"], "resized")
woxa_e2e.check("after_f4" in play.frames, "F4 alone ended the program")
woxa_e2e.expect_exit(play.result, 0, "Alt+F4")
woxa_e2e.expect_output(b"", play.result, "model")

# The model without its textures, in a folder holding only the model file;
# Escape quits.
bare = os.path.abspath(args.work) + "-untextured-data"
shutil.rmtree(bare, ignore_errors=True)
os.makedirs(os.path.join(bare, "modeldata"))
shutil.copy(os.path.join(args.data, MODEL), os.path.join(bare, MODEL))
play = woxa_window.play(woxa_e2e.parse_args(argv=[
    "--program", args.program, "--runner", args.runner, "--data", bare, "--work", args.work]), [
    ("capture", "start"), ("key", "Escape"),
])
if check_frame_and_box(play.frames.get("start"), "no textures"):
    check_untextured_model(play.frames["start"], "no textures")
woxa_e2e.expect_exit(play.result, 0, "Escape without textures")
woxa_e2e.expect_output(b"", play.result, "no textures")
shutil.rmtree(bare, ignore_errors=True)

# No model file at all: the text box alone; Escape quits.
play = woxa_window.play(args, [("capture", "start"), ("key", "Escape")], copy_data=False)
if check_frame_and_box(play.frames.get("start"), "no model"):
    check_nothing_but_box(play.frames["start"], "no model")
woxa_e2e.expect_exit(play.result, 0, "Escape without the model")
woxa_e2e.expect_output(b"", play.result, "no model")

woxa_e2e.finish()
