#!/usr/bin/env python3
"""Writes demo_mesh's model: a small garden diorama and its textures.

    tools/make_demo_mesh.py [--output DIR] [--check]

Writes into demos/data/modeldata (or DIR):
  demo_mesh01.mqo  the model, as the modeller writes its text files
  grass.tga        128 x 128, 24-bit true-colour
  brick.tga        128 x 128, 24-bit true-colour
  slate.tga        128 x 128, 24-bit true-colour
  door.tga          64 x 128, 24-bit true-colour
  window.tga        64 x  64, 32-bit true-colour with 8 alpha bits
  stone.tga        128 x 128, 8-bit grey, tinted by the materials using it

The files are committed; the build never runs this script. --check compares
what it would write with the files in DIR and exits 1 when any differs.
Everything is procedural and seeded, so two runs write the same bytes.

demo_mesh draws the model in eye coordinates without lighting: the viewer
sits at the origin looking along -z, with a 45-degree vertical field of view
and an 800 x 600 window. So the diorama is built upright in its own frame,
then turned and tilted towards the viewer, scaled by 3/4 and pushed to
z = -490. The lighting is baked in: every face takes a darker variant of its
material the further it turns from one fixed light, and the shadows of the
house and the trees are translucent polygons on the grass.

The file exercises what a reader meets in real files: the header, a Scene
chunk with a nested dirlights block, material attributes the toolkit skips,
object attributes (depth, visible, shading, facet, colour, ...), CRLF line
ends, a guide object whose name starts with "#" (a big magenta sheet between
the viewer and the scene, so a reader that draws it shows nothing else),
two objects naming their parent with "#<-", triangles and quadrilaterals,
and textured, untextured and translucent materials, several of them
sharing one texture file.
"""

import argparse
import math
import os
import struct
import sys

REPO = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
DEFAULT_OUTPUT = os.path.join(REPO, "demos", "data", "modeldata")
MODEL_FILE = "demo_mesh01.mqo"

# Placement in eye space: turn about y, tilt the top towards the viewer
# about x, shrink, then move in front of the viewer. The diorama's far corner
# stays well inside the far plane at z = -1000.
YAW_DEGREES = 32.0
PITCH_DEGREES = 30.0
SCALE = 0.75
PLACEMENT = (-14.0, 30.0, -490.0)

# The baked light, in the diorama's own frame: from above, the left and the
# front. Brightness = ambient + diffuse * cos(angle to the light), rounded to
# the nearest level; level 0 keeps the material's own name.
LIGHT = (-0.35, 0.8, 0.45)
AMBIENT = 0.45
DIFFUSE = 0.75
LEVELS = (1.0, 0.85, 0.7, 0.55)

GROUND_HALF = 220.0  # the grass tile spans -220 ... 220 in x and z
SHADOW_HEIGHT = 1.2  # above the grass, below the stones and the pond's rim


# ---------------------------------------------------------------- vectors

def add(a, b):
    return (a[0] + b[0], a[1] + b[1], a[2] + b[2])


def sub(a, b):
    return (a[0] - b[0], a[1] - b[1], a[2] - b[2])


def scale(a, s):
    return (a[0] * s, a[1] * s, a[2] * s)


def dot(a, b):
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]


def cross(a, b):
    return (a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0])


def normalize(a):
    length = math.sqrt(dot(a, a))
    return scale(a, 1.0 / length) if length > 0 else a


def newell_normal(points):
    """The normal of a polygon, right-handed with its corner order."""
    n = (0.0, 0.0, 0.0)
    for i, p in enumerate(points):
        q = points[(i + 1) % len(points)]
        n = add(n, ((p[1] - q[1]) * (p[2] + q[2]), (p[2] - q[2]) * (p[0] + q[0]), (p[0] - q[0]) * (p[1] + q[1])))
    return normalize(n)


def rotate_y(p, degrees):
    c, s = math.cos(math.radians(degrees)), math.sin(math.radians(degrees))
    return (p[0] * c + p[2] * s, p[1], -p[0] * s + p[2] * c)


def rotate_x(p, degrees):
    c, s = math.cos(math.radians(degrees)), math.sin(math.radians(degrees))
    return (p[0], p[1] * c - p[2] * s, p[1] * s + p[2] * c)


def to_eye(p):
    return add(scale(rotate_x(rotate_y(p, YAW_DEGREES), PITCH_DEGREES), SCALE), PLACEMENT)


# ------------------------------------------------------------------ noise

def hash01(seed, *values):
    """A deterministic hash of integers onto [0, 1)."""
    h = (seed * 0x9E3779B1 + 0x7F4A7C15) & 0xFFFFFFFF
    for v in values:
        h ^= v & 0xFFFFFFFF
        h = (h * 0x85EBCA6B) & 0xFFFFFFFF
        h ^= h >> 13
        h = (h * 0xC2B2AE35) & 0xFFFFFFFF
        h ^= h >> 16
    return h / 4294967296.0


def smooth(t):
    return t * t * (3.0 - 2.0 * t)


def value_noise(x, y, period_x, period_y, seed):
    """Value noise on a lattice that repeats every period cells, so textures tile."""
    i, j = math.floor(x), math.floor(y)
    fx, fy = smooth(x - i), smooth(y - j)
    i0, i1 = i % period_x, (i + 1) % period_x
    j0, j1 = j % period_y, (j + 1) % period_y
    a = hash01(seed, i0, j0)
    b = hash01(seed, i1, j0)
    c = hash01(seed, i0, j1)
    d = hash01(seed, i1, j1)
    return (a + (b - a) * fx) + ((c + (d - c) * fx) - (a + (b - a) * fx)) * fy


def fbm(u, v, period, octaves, seed, stretch=(1, 1)):
    """Fractal noise over texture coordinates u, v in [0, 1), tiling at 1."""
    total, amplitude, norm = 0.0, 1.0, 0.0
    px, py = period * stretch[0], period * stretch[1]
    for octave in range(octaves):
        total += amplitude * value_noise(u * px, v * py, px, py, seed + octave)
        norm += amplitude
        amplitude *= 0.5
        px, py = px * 2, py * 2
    return total / norm


def mix(a, b, t):
    return tuple(x + (y - x) * t for x, y in zip(a, b))


def clamp01(x):
    return 0.0 if x < 0.0 else 1.0 if x > 1.0 else x


# --------------------------------------------------------------- pictures

class Picture:
    """An RGBA picture, row 0 at the top, channels as floats 0 to 1."""

    def __init__(self, width, height, fill=(0.0, 0.0, 0.0, 1.0)):
        self.width, self.height = width, height
        self.rows = [[tuple(fill) for _ in range(width)] for _ in range(height)]

    def paint(self, shader):
        """Sets every pixel to shader(x, y), alpha 1 unless it gives four values."""
        for y in range(self.height):
            row = self.rows[y]
            for x in range(self.width):
                c = shader(x, y)
                row[x] = (c[0], c[1], c[2], c[3] if len(c) > 3 else 1.0)

    def tga(self, kind):
        """The picture as an uncompressed TGA file, bottom row first (the
        format's default origin), so v = 0 of the model's UV is its top row.
        kind: "rgb" (type 2, 24 bits), "rgba" (type 2, 32 bits, 8 alpha bits)
        or "grey" (type 3, 8 bits, the red channel)."""
        image_type, depth, descriptor = {"rgb": (2, 24, 0), "rgba": (2, 32, 8), "grey": (3, 8, 0)}[kind]
        out = bytearray(struct.pack("<BBB5sHHHHBB", 0, 0, image_type, bytes(5), 0, 0,
                                    self.width, self.height, depth, descriptor))
        for y in reversed(range(self.height)):
            for r, g, b, a in self.rows[y]:
                if kind == "grey":
                    out.append(byte(r))
                else:
                    out += bytes((byte(b), byte(g), byte(r)))
                    if kind == "rgba":
                        out.append(byte(a))
        return bytes(out)


def byte(value):
    return int(round(clamp01(value) * 255.0))


def grass_picture():
    p = Picture(128, 128)
    dark, light, dry = (0.20, 0.40, 0.11), (0.42, 0.66, 0.20), (0.60, 0.66, 0.28)

    def shader(x, y):
        u, v = x / 128.0, y / 128.0
        c = mix(dark, light, fbm(u, v, 4, 4, 11))
        c = mix(c, dry, clamp01((fbm(u, v, 3, 3, 23) - 0.62) * 3.0))
        # Blades: short vertical streaks of light and shade.
        streak = fbm(u, v, 16, 2, 37, stretch=(4, 1))
        return scale(c, 0.82 + 0.36 * streak)

    p.paint(shader)
    for i in range(14):  # a few small flowers
        fx, fy = int(hash01(51, i) * 128), int(hash01(52, i) * 128)
        petal = (1.0, 0.95, 0.55) if i % 3 else (0.97, 0.97, 1.0)
        for dx, dy in ((0, 0), (1, 0), (0, 1), (1, 1)):
            p.rows[(fy + dy) % 128][(fx + dx) % 128] = petal + (1.0,)
    return p


def brick_picture():
    """Running bond: 8 courses of 16 pixels, bricks 32 pixels long."""
    p = Picture(128, 128)
    mortar = (0.80, 0.77, 0.70)

    def shader(x, y):
        course = y // 16
        shifted = (x + (16 if course % 2 else 0)) % 128
        brick = shifted // 32
        bx, by = shifted % 32, y % 16
        grain = fbm(x / 128.0, y / 128.0, 16, 3, 71)
        if bx < 2 or by < 2:
            return scale(mortar, 0.85 + 0.25 * grain)
        tone = hash01(73, course, brick)
        base = mix((0.58, 0.24, 0.16), (0.76, 0.38, 0.24), tone)
        base = mix(base, (0.45, 0.30, 0.26), clamp01(hash01(74, course, brick) - 0.8) * 3.0)
        edge = 0.82 if by == 15 or bx == 31 else 1.0  # shade under and after each brick
        return scale(base, edge * (0.80 + 0.35 * grain))

    p.paint(shader)
    return p


def slate_picture():
    """Overlapping roof slates: 8 rows, each slate darker towards its lower
    edge, where it casts a thin shadow on the row below."""
    p = Picture(128, 128)

    def shader(x, y):
        row = y // 16
        shifted = (x + (8 if row % 2 else 0)) % 128
        slate = shifted // 16
        sx, sy = shifted % 16, y % 16
        tone = hash01(91, row, slate)
        base = mix((0.27, 0.31, 0.40), (0.40, 0.45, 0.55), tone)
        grain = fbm(x / 128.0, y / 128.0, 8, 3, 93, stretch=(2, 1))
        shade = 1.05 - 0.35 * (sy / 15.0)
        if sx == 0:
            shade *= 0.6
        if sy < 2:
            shade *= 0.55  # shadow of the row above
        return scale(base, shade * (0.85 + 0.3 * grain))

    p.paint(shader)
    return p


def door_picture():
    """Four vertical planks, two iron bands and a ring handle."""
    p = Picture(64, 128)

    def shader(x, y):
        plank = x // 16
        px = x % 16
        tone = hash01(111, plank)
        base = mix((0.36, 0.22, 0.12), (0.50, 0.32, 0.17), tone)
        grain = fbm(x / 64.0, y / 128.0, 4, 3, 113 + plank, stretch=(4, 1))
        wood = scale(base, 0.75 + 0.45 * grain + 0.08 * math.sin(x * 1.7 + grain * 9.0))
        if px == 0 or px == 15:
            wood = scale(wood, 0.55)
        for band in (22, 100):
            if band <= y < band + 7:
                iron = 0.22 + 0.08 * fbm(x / 64.0, y / 128.0, 16, 2, 117)
                wood = (iron, iron, iron * 1.1)
                if x % 16 in (5, 11) and y == band + 3:
                    wood = (0.55, 0.55, 0.55)  # rivets
        dx, dy = x - 50, y - 66
        if 16 <= dx * dx + dy * dy <= 30:
            wood = (0.80, 0.66, 0.25)  # brass ring
        return wood

    p.paint(shader)
    return p


def window_picture():
    """A white frame with a cross bar round four panes of sky."""
    p = Picture(64, 64)

    def shader(x, y):
        frame = x < 5 or x > 58 or y < 5 or y > 58 or 30 <= x <= 33 or 30 <= y <= 33
        if frame:
            shade = 0.93 if (x < 5 or 30 <= x <= 33) else 0.86
            return (shade, shade, shade * 0.97, 1.0)
        sky = mix((0.55, 0.72, 0.90), (0.22, 0.36, 0.58), y / 63.0)
        glint = clamp01(1.0 - abs((x + y) - 40) / 6.0) * 0.5 + clamp01(1.0 - abs((x + y) - 52) / 3.0) * 0.3
        c = mix(sky, (1.0, 1.0, 1.0), glint)
        return (c[0], c[1], c[2], 1.0)

    p.paint(shader)
    return p


def stone_picture():
    """Cobbles: the cells of points jittered on a 5 x 5 grid that wraps,
    each cell a grey of its own, darker towards the gaps between cells."""
    p = Picture(128, 128)
    cells = 5
    points = {}
    for i in range(cells):
        for j in range(cells):
            points[(i, j)] = ((i + 0.15 + 0.7 * hash01(131, i, j)) / cells,
                              (j + 0.15 + 0.7 * hash01(132, i, j)) / cells)

    def shader(x, y):
        u, v = (x + 0.5) / 128.0, (y + 0.5) / 128.0
        ci, cj = int(u * cells), int(v * cells)
        near = []
        for di in (-1, 0, 1):
            for dj in (-1, 0, 1):
                i, j = ci + di, cj + dj
                pu, pv = points[(i % cells, j % cells)]
                pu += math.floor(i / cells)
                pv += math.floor(j / cells)
                near.append(((u - pu) ** 2 + (v - pv) ** 2, (i % cells, j % cells)))
        near.sort()
        gap = math.sqrt(near[1][0]) - math.sqrt(near[0][0])
        tone = 0.62 + 0.3 * hash01(133, *near[0][1])
        grain = fbm(u, v, 16, 3, 135)
        level = tone * (0.85 + 0.3 * grain) * (0.35 + 0.65 * clamp01(gap * 22.0))
        return (level, level, level)

    p.paint(shader)
    return p


TEXTURES = (
    ("grass.tga", grass_picture, "rgb"),
    ("brick.tga", brick_picture, "rgb"),
    ("slate.tga", slate_picture, "rgb"),
    ("door.tga", door_picture, "rgb"),
    ("window.tga", window_picture, "rgba"),
    ("stone.tga", stone_picture, "grey"),
)


# -------------------------------------------------------------- materials

class Surface:
    """What a face is made of. Shaded surfaces get a variant per light level;
    the others keep their colour whatever their direction."""

    def __init__(self, name, colour, texture=None, alpha=1.0, shaded=True, shader=3,
                 dif=0.8, amb=0.6, emi=0.0, spc=0.0, power=5.0):
        self.name, self.colour, self.texture, self.alpha, self.shaded = name, colour, texture, alpha, shaded
        self.shader, self.dif, self.amb, self.emi, self.spc, self.power = shader, dif, amb, emi, spc, power


GRASS = Surface("grass", (1.0, 1.0, 1.0), "grass.tga")
SOIL = Surface("soil", (0.62, 0.45, 0.30), "stone.tga")
BRICK = Surface("brick", (1.0, 1.0, 1.0), "brick.tga")
SLATE = Surface("slate", (1.0, 1.0, 1.0), "slate.tga", spc=0.2, power=30.0)
DOOR = Surface("door", (1.0, 1.0, 1.0), "door.tga")
WINDOW = Surface("window", (1.0, 1.0, 1.0), "window.tga", spc=0.6, power=60.0)
COBBLE = Surface("cobble", (0.92, 0.88, 0.80), "stone.tga")
TIMBER = Surface("timber", (0.40, 0.26, 0.15))
TRIM = Surface("trim", (0.93, 0.92, 0.86))
SOOT = Surface("soot", (0.13, 0.12, 0.12), shaded=False)
BARK = Surface("bark", (0.42, 0.28, 0.17))
PINE = Surface("pine", (0.17, 0.47, 0.24))
LEAF = Surface("leaf", (0.44, 0.64, 0.18))
BLOSSOM = Surface("blossom", (0.95, 0.55, 0.62))
FENCE = Surface("fence", (0.80, 0.68, 0.50))
WATER = Surface("water", (0.18, 0.42, 0.70), shaded=False, spc=0.8, power=80.0)
SHALLOWS = Surface("shallows", (0.32, 0.60, 0.80), shaded=False, spc=0.8, power=80.0)
LILY = Surface("lily", (0.33, 0.60, 0.22))
SHADOW = Surface("shadow", (0.0, 0.0, 0.0), alpha=0.32, shaded=False, dif=0.0, amb=0.0)
GUIDE = Surface("guide", (1.0, 0.0, 1.0), shaded=False, emi=1.0)
SURFACES = (GRASS, SOIL, BRICK, SLATE, DOOR, WINDOW, COBBLE, TIMBER, TRIM, SOOT,
            BARK, PINE, LEAF, BLOSSOM, FENCE, WATER, SHALLOWS, LILY, SHADOW, GUIDE)


def light_level(normal):
    """Index into LEVELS for a face turned that way."""
    brightness = AMBIENT + DIFFUSE * max(0.0, dot(normal, normalize(LIGHT)))
    return min(range(len(LEVELS)), key=lambda i: abs(LEVELS[i] - min(brightness, 1.0)))


def material_name(surface, level):
    return surface.name if level == 0 else "%s_shade%d" % (surface.name, level)


# ----------------------------------------------------------------- meshes

class Face:
    def __init__(self, corners, surface, uvs):
        self.corners, self.surface, self.uvs = corners, surface, uvs


class Mesh:
    """One object: vertices shared by exact position, faces whose corners run
    counter-clockwise seen from their front (outside)."""

    def __init__(self, name, depth=0, colour=(0.898, 0.498, 0.698), shading=1, facet=59.5):
        self.name, self.depth, self.colour, self.shading, self.facet = name, depth, colour, shading, facet
        self.vertices, self.faces, self.index = [], [], {}

    def vertex(self, p):
        key = tuple(round(c, 6) for c in p)
        if key not in self.index:
            self.index[key] = len(self.vertices)
            self.vertices.append(key)
        return self.index[key]

    def face(self, points, surface, uvs=None, outward=None):
        """Adds a triangle or quadrilateral. With outward given, the corners
        are turned round when they face the other way."""
        assert len(points) in (3, 4)
        if outward is not None and dot(newell_normal(points), outward) < 0:
            points = list(reversed(points))
            uvs = list(reversed(uvs)) if uvs else uvs
        self.faces.append(Face([self.vertex(p) for p in points], surface, uvs))

    def polygon(self, points, surface, outward):
        """A convex polygon as a fan of triangles and quadrilaterals."""
        i = 1
        while i + 1 < len(points):
            corners = points[0:1] + points[i:i + 3] if i + 2 < len(points) else points[0:1] + points[i:i + 2]
            self.face(corners, surface, outward=outward)
            i += len(corners) - 2


def planar_uvs(points, u_axis, v_axis, size, offset=(0.0, 0.0)):
    """UVs by projection: one texture repeat per size units along each axis;
    v grows downwards in the picture."""
    return [(dot(p, u_axis) / size + offset[0], dot(p, v_axis) / size + offset[1]) for p in points]


def wall_uvs(points, outward, size, offset=(0.0, 0.0)):
    right = normalize(cross((0.0, 1.0, 0.0), outward))
    return planar_uvs(points, right, (0.0, -1.0, 0.0), size, offset)


def box(mesh, lo, hi, sides, top=None, size=60.0, offset=(0.0, 0.0)):
    """An axis-aligned box without its bottom; textured faces are mapped by
    projection, top from above with +z down the picture."""
    x0, y0, z0 = lo
    x1, y1, z1 = hi
    top = top or sides
    quads = (
        ([(x0, y1, z0), (x0, y1, z1), (x1, y1, z1), (x1, y1, z0)], (0.0, 1.0, 0.0), top),
        ([(x0, y0, z1), (x1, y0, z1), (x1, y1, z1), (x0, y1, z1)], (0.0, 0.0, 1.0), sides),
        ([(x1, y0, z0), (x0, y0, z0), (x0, y1, z0), (x1, y1, z0)], (0.0, 0.0, -1.0), sides),
        ([(x1, y0, z1), (x1, y0, z0), (x1, y1, z0), (x1, y1, z1)], (1.0, 0.0, 0.0), sides),
        ([(x0, y0, z0), (x0, y0, z1), (x0, y1, z1), (x0, y1, z0)], (-1.0, 0.0, 0.0), sides),
    )
    for points, outward, surface in quads:
        uvs = None
        if surface.texture:
            if outward[1] > 0:
                uvs = planar_uvs(points, (1.0, 0.0, 0.0), (0.0, 0.0, 1.0), size, offset)
            else:
                uvs = wall_uvs(points, outward, size, offset)
        mesh.face(points, surface, uvs, outward)


def ring(centre, radii, y, angle=0.0):
    n = len(radii)
    return [(centre[0] + r * math.cos(angle + 2 * math.pi * i / n), y,
             centre[2] + r * math.sin(angle + 2 * math.pi * i / n)) for i, r in enumerate(radii)]


def cone(mesh, centre, radius, y0, height, segments, surface, seed):
    base = ring(centre, [radius * (0.9 + 0.2 * hash01(seed, i)) for i in range(segments)], y0, hash01(seed, 99))
    apex = (centre[0], y0 + height, centre[2])
    for i in range(segments):
        a, b = base[i], base[(i + 1) % segments]
        mid = scale(add(a, b), 0.5)
        mesh.face([a, b, apex], surface, outward=sub(mid, (centre[0], mid[1], centre[2])))


def prism(mesh, centre, radius, y0, y1, segments, surface):
    bottom = ring(centre, [radius] * segments, y0)
    top = ring(centre, [radius * 0.85] * segments, y1)
    for i in range(segments):
        j = (i + 1) % segments
        mid = scale(add(bottom[i], bottom[j]), 0.5)
        mesh.face([bottom[i], bottom[j], top[j], top[i]], surface,
                  outward=sub(mid, (centre[0], mid[1], centre[2])))


def blob(mesh, centre, radius, surface, seed, squash=0.8):
    """A lumpy low-poly ball: an icosahedron split once, corners pushed
    in and out a little."""
    t = (1.0 + math.sqrt(5.0)) / 2.0
    corners = [normalize(v) for v in ((-1, t, 0), (1, t, 0), (-1, -t, 0), (1, -t, 0), (0, -1, t), (0, 1, t),
                                      (0, -1, -t), (0, 1, -t), (t, 0, -1), (t, 0, 1), (-t, 0, -1), (-t, 0, 1))]
    triangles = ((0, 11, 5), (0, 5, 1), (0, 1, 7), (0, 7, 10), (0, 10, 11), (1, 5, 9), (5, 11, 4), (11, 10, 2),
                 (10, 7, 6), (7, 1, 8), (3, 9, 4), (3, 4, 2), (3, 2, 6), (3, 6, 8), (3, 8, 9), (4, 9, 5),
                 (2, 4, 11), (6, 2, 10), (8, 6, 7), (9, 8, 1))

    def place(unit):
        key = tuple(round(c, 6) for c in unit)
        bump = 0.88 + 0.24 * hash01(seed, *(int(round(c * 1000)) for c in key))
        return (centre[0] + unit[0] * radius * bump, centre[1] + unit[1] * radius * bump * squash,
                centre[2] + unit[2] * radius * bump)

    for a, b, c in triangles:
        va, vb, vc = corners[a], corners[b], corners[c]
        ab, bc, ca = (normalize(scale(add(p, q), 0.5)) for p, q in ((va, vb), (vb, vc), (vc, va)))
        for tri in ((va, ab, ca), (ab, vb, bc), (ca, bc, vc), (ab, bc, ca)):
            points = [place(u) for u in tri]
            mesh.face(points, surface, outward=sub(scale(add(add(points[0], points[1]), points[2]), 1 / 3), centre))


# ------------------------------------------------------------------ scene

HOUSE_X, HOUSE_Z = -45.0, -55.0
HOUSE_W, HOUSE_D, HOUSE_H = 170.0, 116.0, 82.0
RIDGE_RISE, EAVE = 52.0, 11.0
DOOR_X = HOUSE_X - 8.0
PINE_AT = (118.0, 0.0, -92.0)
APPLE_AT = (128.0, 0.0, 96.0)
POND_AT = (-128.0, 0.0, 128.0)


def ground():
    mesh = Mesh("ground", colour=(0.4, 0.7, 0.3))
    steps = 4
    cell = 2 * GROUND_HALF / steps
    for i in range(steps):
        for j in range(steps):
            x0, z0 = -GROUND_HALF + i * cell, -GROUND_HALF + j * cell
            points = [(x0, 0.0, z0), (x0, 0.0, z0 + cell), (x0 + cell, 0.0, z0 + cell), (x0 + cell, 0.0, z0)]
            mesh.face(points, GRASS, planar_uvs(points, (1, 0, 0), (0, 0, 1), 150.0), (0, 1, 0))
    h, depth = GROUND_HALF, 34.0
    for outward in ((0, 0, 1), (0, 0, -1), (1, 0, 0), (-1, 0, 0)):
        right = cross((0, 1, 0), outward)
        centre = scale(outward, h)
        a, b = sub(centre, scale(right, h)), add(centre, scale(right, h))
        points = [add(a, (0, -depth, 0)), add(b, (0, -depth, 0)), b, a]
        mesh.face(points, SOIL, wall_uvs(points, outward, 110.0), outward)
    return mesh


def path():
    """Stepping stones from the door to the front edge of the tile."""
    mesh = Mesh("path", colour=(0.7, 0.7, 0.7))
    door_front = HOUSE_Z + HOUSE_D / 2
    stones = 6
    for k in range(stones):
        t = (k + 0.5) / stones
        cx = DOOR_X + 34.0 * math.sin(t * 2.6) + 6.0 * (hash01(151, k) - 0.5)
        cz = door_front + 22.0 + t * (GROUND_HALF - door_front - 34.0)
        radii = [15.0 * (0.8 + 0.4 * hash01(152, k, i)) for i in range(6)]
        top = ring((cx, 0, cz), radii, 3.0, hash01(153, k))
        offset = (hash01(154, k), hash01(155, k))
        for quad in (top[0:4], top[3:6] + top[0:1]):
            mesh.face(quad, COBBLE, planar_uvs(quad, (1, 0, 0), (0, 0, 1), 70.0, offset), (0, 1, 0))
        for i in range(6):
            a, b = top[i], top[(i + 1) % 6]
            side = [(a[0], 0.0, a[2]), (b[0], 0.0, b[2]), b, a]
            mid = scale(add(a, b), 0.5)
            mesh.face(side, COBBLE, wall_uvs(side, normalize(sub(mid, (cx, 3.0, cz))), 70.0, offset),
                      sub(mid, (cx, 3.0, cz)))
    return mesh


def pond():
    mesh = Mesh("pond", colour=(0.3, 0.5, 0.8))
    n = 12
    radii = [36.0 * (1.0 + 0.14 * math.sin(3 * i * 2 * math.pi / n + 1.0) + 0.06 * hash01(171, i)) for i in range(n)]
    # Deep water in the middle, a lighter band of shallows round it, and a
    # few lily pads, each a disc with a notch.
    water = ring(POND_AT, radii, 0.8)
    deep = ring(POND_AT, [r * 0.6 for r in radii], 0.8)
    centre = (POND_AT[0], 0.8, POND_AT[2])
    for i in range(n):
        j = (i + 1) % n
        mesh.face([centre, deep[i], deep[j]], WATER, outward=(0, 1, 0))
        mesh.face([deep[i], water[i], water[j], deep[j]], SHALLOWS, outward=(0, 1, 0))
    for k, (dx, dz, r) in enumerate(((-14.0, 8.0, 7.0), (10.0, -12.0, 5.5), (16.0, 12.0, 4.5))):
        pad = ring((POND_AT[0] + dx, 0, POND_AT[2] + dz), [r] * 8, 1.5, 6.28 * hash01(173, k))
        middle = (POND_AT[0] + dx, 1.5, POND_AT[2] + dz)
        for i in range(7):
            mesh.face([middle, pad[i], pad[i + 1]], LILY, outward=(0, 1, 0))
    inner = ring(POND_AT, [r + 1.0 for r in radii], 2.6)
    outer = ring(POND_AT, [r + 8.0 for r in radii], 2.6)
    foot = ring(POND_AT, [r + 9.5 for r in radii], 0.0)
    for i in range(n):
        j = (i + 1) % n
        offset = (hash01(172, i), 0.0)
        rim_top = [inner[i], inner[j], outer[j], outer[i]]
        mesh.face(rim_top, COBBLE, planar_uvs(rim_top, (1, 0, 0), (0, 0, 1), 60.0, offset), (0, 1, 0))
        for quad, towards in (([(inner[i][0], 0.8, inner[i][2]), (inner[j][0], 0.8, inner[j][2]), inner[j], inner[i]],
                               -1.0),
                              ([foot[i], foot[j], outer[j], outer[i]], 1.0)):
            mid = scale(add(quad[0], quad[1]), 0.5)
            outward = scale(sub(mid, (POND_AT[0], mid[1], POND_AT[2])), towards)
            mesh.face(quad, COBBLE, wall_uvs(quad, normalize(outward), 60.0, offset), outward)
    return mesh


def fence():
    """Posts and two rails along the left edge of the tile."""
    mesh = Mesh("fence", colour=(0.8, 0.7, 0.5))
    x = -GROUND_HALF + 9.0
    for k in range(9):
        z = -190.0 + k * 47.5
        box(mesh, (x - 3.0, 0.0, z - 3.0), (x + 3.0, 32.0, z + 3.0), FENCE)
        mesh.face([(x - 3.0, 32.0, z - 3.0), (x - 3.0, 32.0, z + 3.0), (x, 36.0, z)], FENCE, outward=(-1, 1, 0))
        mesh.face([(x + 3.0, 32.0, z + 3.0), (x + 3.0, 32.0, z - 3.0), (x, 36.0, z)], FENCE, outward=(1, 1, 0))
    for y in (12.0, 24.0):
        box(mesh, (x - 1.5, y, -193.0), (x + 1.5, y + 4.0, 193.0), FENCE)
    return mesh


def house():
    mesh = Mesh("house", colour=(0.8, 0.4, 0.3))
    x0, x1 = HOUSE_X - HOUSE_W / 2, HOUSE_X + HOUSE_W / 2
    z0, z1 = HOUSE_Z - HOUSE_D / 2, HOUSE_Z + HOUSE_D / 2
    box(mesh, (x0, 0.0, z0), (x1, HOUSE_H, z1), BRICK, top=TIMBER, size=64.0)
    ridge_y = HOUSE_H + RIDGE_RISE
    for x, outward in ((x0, (-1, 0, 0)), (x1, (1, 0, 0))):  # gables: triangles of brick
        tri = [(x, HOUSE_H, z1), (x, HOUSE_H, z0), (x, ridge_y, HOUSE_Z)]
        mesh.face(tri, BRICK, wall_uvs(tri, outward, 64.0), outward)
    # The door with its step, and the windows with their sills, stand a few
    # units proud of the walls.
    box(mesh, (DOOR_X - 16.0, 0.0, z1), (DOOR_X + 16.0, 56.0, z1 + 2.5), TIMBER)
    door = [(DOOR_X - 14.0, 0.0, z1 + 2.5), (DOOR_X + 14.0, 0.0, z1 + 2.5), (DOOR_X + 14.0, 54.0, z1 + 2.5),
            (DOOR_X - 14.0, 54.0, z1 + 2.5)]
    mesh.face([add(p, (0, 0, 0.6)) for p in door], DOOR, [(0, 1), (1, 1), (1, 0), (0, 0)], (0, 0, 1))
    box(mesh, (DOOR_X - 22.0, 0.0, z1), (DOOR_X + 22.0, 4.0, z1 + 12.0), COBBLE, size=40.0)
    windows = [((DOOR_X - 48.0, z1), (0, 0, 1)), ((DOOR_X + 50.0, z1), (0, 0, 1)),
               ((HOUSE_Z - 26.0, x0), (-1, 0, 0)), ((HOUSE_Z + 26.0, x0), (-1, 0, 0)),
               ((HOUSE_Z, x1), (1, 0, 0)), ((DOOR_X - 10.0, z0), (0, 0, -1))]
    for (along, wall), outward in windows:
        window(mesh, along, wall, outward)
    return mesh


def window(mesh, along, wall, outward):
    """A framed window 28 units square, its sill below it."""
    def at(a, y, out):
        if outward[2] != 0:
            return (a, y, wall + out * outward[2])
        return (wall + out * outward[0], y, a)

    lo, hi = 40.0, 68.0
    corners = [at(along - 14.0, lo, 2.0), at(along + 14.0, lo, 2.0), at(along + 14.0, hi, 2.0),
               at(along - 14.0, hi, 2.0)]
    if dot(newell_normal(corners), outward) < 0:
        corners = [corners[1], corners[0], corners[3], corners[2]]
    mesh.face(corners, WINDOW, [(0, 1), (1, 1), (1, 0), (0, 0)], outward)
    sill_lo = at(along - 17.0, lo - 4.0, 0.0)
    sill_hi = at(along + 17.0, lo, 6.0)
    box(mesh, tuple(map(min, sill_lo, sill_hi)), tuple(map(max, sill_lo, sill_hi)), TRIM)
    for a0, a1 in ((along - 16.0, along - 14.0), (along + 14.0, along + 16.0)):
        jamb_lo, jamb_hi = at(a0, lo, 0.0), at(a1, hi + 2.0, 3.0)
        box(mesh, tuple(map(min, jamb_lo, jamb_hi)), tuple(map(max, jamb_lo, jamb_hi)), TRIM)
    head_lo, head_hi = at(along - 16.0, hi, 0.0), at(along + 16.0, hi + 4.0, 3.0)
    box(mesh, tuple(map(min, head_lo, head_hi)), tuple(map(max, head_lo, head_hi)), TRIM)


def roof_height(z):
    return HOUSE_H + RIDGE_RISE * (1.0 - abs(z - HOUSE_Z) / (HOUSE_D / 2))


def roof():
    """Two slate slopes with their fascias, soffits and verges; it rests on
    the walls and overhangs them. The soffits close the roof where the view
    looks under the steep back slope beside the gables."""
    mesh = Mesh("roof#<-house", depth=1, colour=(0.4, 0.45, 0.55))
    x0, x1 = HOUSE_X - HOUSE_W / 2 - EAVE, HOUSE_X + HOUSE_W / 2 + EAVE
    half = HOUSE_D / 2 + EAVE
    thickness = 4.0
    ridge = HOUSE_H + RIDGE_RISE + thickness
    eave_y = roof_height(HOUSE_Z + half) + thickness
    for side in (1.0, -1.0):
        ze = HOUSE_Z + side * half
        slope = [(x0, eave_y, ze), (x1, eave_y, ze), (x1, ridge, HOUSE_Z), (x0, ridge, HOUSE_Z)]
        outward = (0.0, 1.0, side)
        length = math.hypot(half, ridge - eave_y)
        u_len = (x1 - x0) / 64.0
        v_len = length / 64.0
        uvs = [(0.0, v_len), (u_len, v_len), (u_len, 0.0), (0.0, 0.0)]
        if side < 0:
            uvs = [(u_len - u, v) for u, v in uvs]
        mesh.face(slope, SLATE, uvs, outward)
        fascia = [(x0, eave_y - thickness - 2.0, ze), (x1, eave_y - thickness - 2.0, ze), (x1, eave_y, ze),
                  (x0, eave_y, ze)]
        mesh.face(fascia, TRIM, outward=(0.0, 0.0, side))
        soffit = [(x0, eave_y - thickness, ze), (x1, eave_y - thickness, ze), (x1, ridge - thickness, HOUSE_Z),
                  (x0, ridge - thickness, HOUSE_Z)]
        mesh.face(soffit, TIMBER, outward=(0.0, -1.0, -side))
        for x, out in ((x0, -1.0), (x1, 1.0)):
            verge = [(x, eave_y - thickness - 2.0, ze), (x, eave_y, ze), (x, ridge, HOUSE_Z),
                     (x, ridge - thickness - 2.0, HOUSE_Z)]
            mesh.face(verge, TRIM, outward=(out, 0.0, 0.0))
    return mesh


def chimney():
    mesh = Mesh("chimney#<-house", depth=1, colour=(0.7, 0.3, 0.2))
    cx, cz = HOUSE_X + 48.0, HOUSE_Z + 22.0
    foot = roof_height(cz + 9.0) - 2.0
    top = HOUSE_H + RIDGE_RISE + 30.0
    box(mesh, (cx - 9.0, foot, cz - 9.0), (cx + 9.0, top, cz + 9.0), BRICK, size=64.0)
    box(mesh, (cx - 11.0, top, cz - 11.0), (cx + 11.0, top + 4.0, cz + 11.0), COBBLE, size=40.0)
    flue = [(cx - 6.0, top + 4.2, cz - 6.0), (cx - 6.0, top + 4.2, cz + 6.0), (cx + 6.0, top + 4.2, cz + 6.0),
            (cx + 6.0, top + 4.2, cz - 6.0)]
    mesh.face(flue, SOOT, outward=(0, 1, 0))
    return mesh


def pine():
    mesh = Mesh("pine", colour=(0.2, 0.5, 0.3), facet=30.0)
    prism(mesh, PINE_AT, 7.0, 0.0, 34.0, 6, BARK)
    for k, (radius, y0, height) in enumerate(((46.0, 24.0, 74.0), (37.0, 62.0, 64.0), (26.0, 98.0, 58.0))):
        cone(mesh, PINE_AT, radius, y0, height, 10, PINE, 181 + k)
    return mesh


def apple():
    mesh = Mesh("apple_tree", colour=(0.5, 0.7, 0.2))
    prism(mesh, APPLE_AT, 6.0, 0.0, 40.0, 6, BARK)
    blob(mesh, (APPLE_AT[0], 66.0, APPLE_AT[2]), 38.0, LEAF, 191)
    for k in range(5):  # blossoms
        a = 2 * math.pi * hash01(193, k)
        y = 60.0 + 18.0 * hash01(194, k)
        p = (APPLE_AT[0] + 34.0 * math.cos(a), y, APPLE_AT[2] + 34.0 * math.sin(a))
        blob(mesh, p, 5.0, BLOSSOM, 195 + k, squash=1.0)
    return mesh


def convex_hull(points):
    points = sorted(set(points))
    if len(points) < 3:
        return points

    def turn(o, a, b):
        return (a[0] - o[0]) * (b[1] - o[1]) - (a[1] - o[1]) * (b[0] - o[0])

    lower, upper = [], []
    for p in points:
        while len(lower) >= 2 and turn(lower[-2], lower[-1], p) <= 0:
            lower.pop()
        lower.append(p)
    for p in reversed(points):
        while len(upper) >= 2 and turn(upper[-2], upper[-1], p) <= 0:
            upper.pop()
        upper.append(p)
    return lower[:-1] + upper[:-1]


def clip_to_square(polygon, half):
    """Sutherland-Hodgman clipping of a 2D polygon to |x|, |z| <= half."""
    for axis, sign in ((0, 1.0), (0, -1.0), (1, 1.0), (1, -1.0)):
        inside = [p for p in polygon]
        polygon = []
        for i, p in enumerate(inside):
            q = inside[(i + 1) % len(inside)]
            p_in, q_in = sign * p[axis] <= half, sign * q[axis] <= half
            if p_in:
                polygon.append(p)
            if p_in != q_in:
                t = (sign * half - p[axis]) / (q[axis] - p[axis])
                polygon.append((p[0] + t * (q[0] - p[0]), p[1] + t * (q[1] - p[1])))
        if not polygon:
            break
    return polygon


def shadows(casters):
    """Each caster's outline projected along the light onto the grass."""
    mesh = Mesh("shadow", colour=(0.1, 0.1, 0.1))
    light = normalize(LIGHT)
    for caster in casters:
        flat = []
        for x, y, z in caster.vertices:
            t = y / light[1]
            flat.append((round(x - light[0] * t, 4), round(z - light[2] * t, 4)))
        outline = clip_to_square(convex_hull(flat), GROUND_HALF - 0.5)
        mesh.polygon([(x, SHADOW_HEIGHT, z) for x, z in outline], SHADOW, (0, 1, 0))
    return mesh


def guide():
    """The modeller's reference sheet: never part of the model."""
    mesh = Mesh("#guide", colour=(1.0, 0.0, 1.0))
    sheet = [(-400.0, -300.0, 300.0), (400.0, -300.0, 300.0), (400.0, 400.0, 300.0), (-400.0, 400.0, 300.0)]
    mesh.face(sheet, GUIDE)
    return mesh


def scene():
    walls, top, smoke = house(), roof(), chimney()
    trees = [pine(), apple()]
    combined = Mesh("casters")
    for caster in (walls, top, smoke):
        for v in caster.vertices:
            combined.vertex(v)
    cast = [combined] + trees
    return [guide(), ground(), path(), pond(), fence(), shadows(cast), walls, top, smoke] + trees


# ----------------------------------------------------------------- writer

def number(value, digits):
    text = "%.*f" % (digits, value)
    return "0." + "0" * digits if text == "-0." + "0" * digits else text


def face_level(mesh, face):
    if not face.surface.shaded:
        return 0
    return light_level(newell_normal([mesh.vertices[i] for i in face.corners]))


def used_materials(objects):
    used = set()
    for mesh in objects:
        for face in mesh.faces:
            used.add((face.surface, face_level(mesh, face)))
    order = {s: i for i, s in enumerate(SURFACES)}
    return sorted(used, key=lambda m: (order[m[0]], m[1]))


def material_line(surface, level):
    shade = LEVELS[level]
    col = " ".join(number(c * shade, 3) for c in surface.colour) + " " + number(surface.alpha, 3)
    line = '\t"%s" shader(%d) col(%s) dif(%s) amb(%s) emi(%s) spc(%s) power(%s)' % (
        material_name(surface, level), surface.shader, col, number(surface.dif, 3), number(surface.amb, 3),
        number(surface.emi, 3), number(surface.spc, 3), number(surface.power, 2))
    if surface.texture:
        line += ' tex("%s")' % surface.texture
    return line


def object_lines(mesh, material_index):
    lines = ['Object "%s" {' % mesh.name,
             "\tdepth %d" % mesh.depth,
             "\tfolding 0",
             "\tscale 1.000000 1.000000 1.000000",
             "\trotation 0.000000 0.000000 0.000000",
             "\ttranslation 0.000000 0.000000 0.000000",
             "\tvisible 15",
             "\tlocking 0",
             "\tshading %d" % mesh.shading,
             "\tfacet %s" % number(mesh.facet, 1),
             "\tcolor %s" % " ".join(number(c, 3) for c in mesh.colour),
             "\tcolor_type 0",
             "\tvertex %d {" % len(mesh.vertices)]
    for v in mesh.vertices:
        lines.append("\t\t" + " ".join(number(c, 4) for c in to_eye(v)))
    lines.append("\t}")
    lines.append("\tface %d {" % len(mesh.faces))
    for face in mesh.faces:
        level = face_level(mesh, face)
        # The modeller lists a face's corners clockwise seen from its front.
        order = [0] + list(range(len(face.corners) - 1, 0, -1))
        text = "\t\t%d V(%s) M(%d)" % (len(face.corners), " ".join(str(face.corners[k]) for k in order),
                                       material_index[(face.surface, level)])
        if face.uvs:
            text += " UV(%s)" % " ".join(number(face.uvs[k][0], 5) + " " + number(face.uvs[k][1], 5) for k in order)
        lines.append(text)
    lines.append("\t}")
    lines.append("}")
    return lines


def model_text(objects):
    materials = used_materials(objects)
    material_index = {m: i for i, m in enumerate(materials)}
    light = normalize(LIGHT)
    lines = ["Metasequoia Document",
             "Format Text Ver 1.0",
             "",
             "Scene {",
             "\tpos 0.0000 0.0000 1500.0000",
             "\tlookat %s" % " ".join(number(c, 4) for c in PLACEMENT),
             "\thead -0.5236",
             "\tpich 0.5236",
             "\tbank 0.0000",
             "\tortho 0",
             "\tzoom2 5.0000",
             "\tamb 0.250 0.250 0.250",
             "\tdirlights 1 {",
             "\t\tlight {",
             "\t\t\tdir %s" % " ".join(number(c, 3) for c in light),
             "\t\t\tcolor 1.000 1.000 1.000",
             "\t\t}",
             "\t}",
             "}",
             "Material %d {" % len(materials)]
    lines += [material_line(surface, level) for surface, level in materials]
    lines.append("}")
    for mesh in objects:
        lines += object_lines(mesh, material_index)
    lines.append("Eof")
    return ("\r\n".join(lines) + "\r\n").encode("ascii")


# ------------------------------------------------------------------- main

def outputs():
    files = {MODEL_FILE: model_text(scene())}
    for name, painter, kind in TEXTURES:
        files[name] = painter().tga(kind)
    return files


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--output", default=DEFAULT_OUTPUT, help="folder to write into")
    parser.add_argument("--check", action="store_true", help="compare with the files there instead")
    args = parser.parse_args()
    files = outputs()
    if args.check:
        stale = []
        for name, data in files.items():
            path = os.path.join(args.output, name)
            if not os.path.isfile(path) or open(path, "rb").read() != data:
                stale.append(name)
        if stale:
            print("out of date: " + ", ".join(sorted(stale)), file=sys.stderr)
            return 1
        return 0
    os.makedirs(args.output, exist_ok=True)
    for name, data in files.items():
        with open(os.path.join(args.output, name), "wb") as f:
            f.write(data)
    return 0


if __name__ == "__main__":
    sys.exit(main())
