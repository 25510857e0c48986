#!/usr/bin/env python3
"""Makes the TGA pictures the demonstration programs read from demos/data.

    python3 tools/make_demo_images.py [output folder]   (default: demos/data)

Every picture is drawn here from formulas, so the output is the same on
every run. All are uncompressed TGA files of kinds the toolkit reads, with
power-of-two sizes:

  background.TGA  256 x 256, 24-bit true-colour, rows stored top first
                  (descriptor 0x20): demo_widgets tiles it 5 x 4 with each
                  tile's first stored row at the top. It tiles seamlessly.
  texrect.TGA     256 x 128, 24-bit true-colour, rows stored bottom first
                  (the TGA default): demo_widgets stretches it over a
                  300 x 200 image form, whose default texture coordinates
                  put the last stored row at the top.
  back.TGA        64 x 64, 8-bit grey (image type 3), rows stored top first:
                  demo_terminal tiles it 10 x 10 behind the console.
  big_cursor.tga  64 x 64, 32-bit true-colour with 8 alpha bits, rows stored
                  bottom first: demo_pointer's cursor, an arrow whose tip is
                  the top-left pixel, on a fully transparent ground.

Python 3 standard library only.
"""

import math
import os
import struct
import sys

TOP_LEFT = 0x20  # descriptor bit: rows stored top first


def write_tga(path, width, height, image_type, depth, descriptor, rows_top_first, pixel_bytes):
    """rows_top_first: a list of rows, top row first, each a bytes object of
    file-order pixels. They are stored top first or bottom first as the
    descriptor says."""
    rows = rows_top_first if descriptor & TOP_LEFT else list(reversed(rows_top_first))
    header = struct.pack("<BBBHHBHHHHBB", 0, 0, image_type, 0, 0, 0, 0, 0, width, height, depth, descriptor)
    with open(path, "wb") as f:
        f.write(header)
        for row in rows:
            assert len(row) == width * pixel_bytes
            f.write(row)


def clamp(v):
    return max(0, min(255, int(round(v))))


def mix(a, b, t):
    return tuple(x + (y - x) * t for x, y in zip(a, b))


def smoothstep(e0, e1, x):
    t = max(0.0, min(1.0, (x - e0) / (e1 - e0)))
    return t * t * (3 - 2 * t)


# --- background.TGA: seamless sea-glass waves ------------------------------

def background_pixel(x, y, size):
    tau = 2 * math.pi / size
    # Every term repeats after `size` pixels in both directions.
    wave = (math.sin(tau * (x + y) * 2 + 1.3 * math.sin(tau * y))
            + 0.6 * math.sin(tau * (x - 2 * y) + 0.7 * math.cos(tau * x * 2))
            + 0.35 * math.cos(tau * (3 * x + y)))
    t = 0.5 + wave / 3.9
    deep, teal, foam = (18, 52, 92), (38, 146, 160), (196, 236, 226)
    colour = mix(deep, teal, smoothstep(0.0, 0.75, t))
    colour = mix(colour, foam, smoothstep(0.78, 1.0, t) * 0.8)
    return colour


def make_background(folder):
    size = 256
    rows = []
    for y in range(size):
        row = bytearray()
        for x in range(size):
            r, g, b = background_pixel(x, y, size)
            row += bytes((clamp(b), clamp(g), clamp(r)))
        rows.append(bytes(row))
    write_tga(os.path.join(folder, "background.TGA"), size, size, 2, 24, TOP_LEFT, rows, 3)


# --- texrect.TGA: a sunset over hills and water ----------------------------

def hill(x, base, amplitude, phase, wavelength):
    return base + amplitude * (math.sin(x / wavelength + phase) * 0.6 + math.sin(x / (wavelength * 0.37) + 2 * phase) * 0.4)


def texrect_pixel(x, y, width, height):
    horizon = height * 0.62
    sun_x, sun_y, sun_r = width * 0.68, horizon - 14, 15.0
    if y < horizon:
        t = y / horizon
        colour = mix((44, 34, 94), (232, 112, 92), smoothstep(0.0, 0.85, t))
        colour = mix(colour, (252, 196, 110), smoothstep(0.7, 1.0, t))
        d = math.hypot(x - sun_x, y - sun_y)
        colour = mix(colour, (255, 244, 200), 1 - smoothstep(sun_r - 1, sun_r + 1, d))
        colour = mix(colour, (255, 220, 150), 0.35 * math.exp(-max(0.0, d - sun_r) / 18))
        far = hill(x, horizon - 16, 7, 0.4, 23)
        near = hill(x, horizon - 5, 6, 2.1, 17)
        if y > far:
            colour = mix(colour, (110, 62, 104), 0.85)
        if y > near:
            colour = mix(colour, (58, 34, 70), 0.95)
        return colour
    # Water: the sky mirrored, darkened, with ripples.
    depth = (y - horizon) / (height - horizon)
    ripple = math.sin(y * y * 0.05 + x * 0.08) * 2.5 * (0.3 + depth)
    mirror_y = max(0.0, 2 * horizon - y - 1 + ripple)
    colour = texrect_pixel(x, mirror_y, width, height) if mirror_y < horizon else (40, 30, 70)
    return mix(colour, (26, 30, 72), 0.35 + 0.4 * depth)


def make_texrect(folder):
    width, height = 256, 128
    rows = []
    for y in range(height):
        row = bytearray()
        for x in range(width):
            r, g, b = texrect_pixel(x, y, width, height)
            row += bytes((clamp(b), clamp(g), clamp(r)))
        rows.append(bytes(row))
    write_tga(os.path.join(folder, "texrect.TGA"), width, height, 2, 24, 0x00, rows, 3)


# --- back.TGA: a dark woven carbon tile ------------------------------------

def back_pixel(x, y, size):
    cell = size // 4
    cx, cy = x % cell, y % cell
    # Alternate cells run across or down, like a twill weave.
    across = ((x // cell) + (y // cell)) % 2 == 0
    along, side = (cx, cy) if across else (cy, cx)
    strand = abs(math.sin(2 * math.pi * (side + 0.5) / cell))  # two round strands a cell
    sheen = 0.5 + 0.5 * math.cos(2 * math.pi * (along + 0.5) / cell)
    value = 26 + 30 * strand * strand + 18 * sheen * strand
    return value


def make_back(folder):
    size = 64
    rows = [bytes(clamp(back_pixel(x, y, size)) for x in range(size)) for y in range(size)]
    write_tga(os.path.join(folder, "back.TGA"), size, size, 3, 8, TOP_LEFT, rows, 1)


# --- big_cursor.tga: a glossy arrow on a transparent ground ----------------

ARROW = [(0.5, 0.5), (0.5, 47.0), (12.5, 36.5), (21.5, 56.0), (30.0, 52.0), (21.0, 33.0), (37.0, 33.0)]


def inside(px, py, polygon):
    result = False
    j = len(polygon) - 1
    for i in range(len(polygon)):
        xi, yi = polygon[i]
        xj, yj = polygon[j]
        if (yi > py) != (yj > py) and px < (xj - xi) * (py - yi) / (yj - yi) + xi:
            result = not result
        j = i
    return result


def edge_distance(px, py, polygon):
    best = float("inf")
    for i in range(len(polygon)):
        (ax, ay), (bx, by) = polygon[i], polygon[(i + 1) % len(polygon)]
        dx, dy = bx - ax, by - ay
        t = max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)))
        best = min(best, math.hypot(px - ax - t * dx, py - ay - t * dy))
    return best


def cursor_pixel(x, y):
    samples = 4
    covered = 0
    colour = [0.0, 0.0, 0.0]
    for sy in range(samples):
        for sx in range(samples):
            px, py = x + (sx + 0.5) / samples, y + (sy + 0.5) / samples
            if not inside(px, py, ARROW):
                continue
            covered += 1
            if edge_distance(px, py, ARROW) < 2.2:
                c = (24, 20, 40)  # outline
            else:
                # Warm gradient from the tip, with a gloss band.
                t = min(1.0, math.hypot(px, py) / 52)
                c = mix((255, 214, 92), (236, 96, 48), t)
                c = mix(c, (255, 250, 230), 0.55 * math.exp(-((px - py * 0.45 - 6) ** 2) / 10))
            colour = [a + b for a, b in zip(colour, c)]
    if covered == 0:
        return (0, 0, 0, 0)
    r, g, b = (c / covered for c in colour)
    return (r, g, b, 255 * covered / (samples * samples))


def make_cursor(folder):
    size = 64
    rows = []
    for y in range(size):
        row = bytearray()
        for x in range(size):
            r, g, b, a = cursor_pixel(x, y)
            row += bytes((clamp(b), clamp(g), clamp(r), clamp(a)))
        rows.append(bytes(row))
    write_tga(os.path.join(folder, "big_cursor.tga"), size, size, 2, 32, 0x08, rows, 4)


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)),
                                                                   os.pardir, "demos", "data")
    os.makedirs(folder, exist_ok=True)
    make_background(folder)
    make_texrect(folder)
    make_back(folder)
    make_cursor(folder)


if __name__ == "__main__":
    main()
