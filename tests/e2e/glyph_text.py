"""Reads text back from a captured frame, cell by cell, with the glyphs of
the built-in font (woxa/text/font_glyphs.h, the table the library draws
from), so a script can compare what a program wrote with the exact text it
should have written.

    line = glyph_text.read_line(frame, 52, 52, 41, glyph_text.near((255, 255, 0)))
    # "LEFT MOUSE BUTTON pushed. (0,0)->(200,150"

A pixel is ink when the predicate says so; each 6 x 13 cell (times the
scale) is matched against every glyph, a blank cell reads as a space, and a
cell that matches no glyph reads as "?". Trailing spaces are dropped.
"""

import os
import re

CELL_W, CELL_H = 6, 13
_GLYPHS_H = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "woxa", "text", "font_glyphs.h")


def _load_glyphs():
    with open(_GLYPHS_H) as f:
        text = f.read()
    first = int(re.search(r"kFontGlyphFirst\s*=\s*(\d+)", text).group(1))
    rows = re.findall(r"\{((?:\s*0x[0-9A-Fa-f]{2},?){%d})\s*\}" % CELL_H, text)
    glyphs = {}
    for i, row in enumerate(rows):
        bits = tuple(int(v, 16) for v in re.findall(r"0x[0-9A-Fa-f]{2}", row))
        glyphs.setdefault(bits, chr(first + i))  # the first code wins where two glyphs look alike
    if len(glyphs) < 90:
        raise ValueError("%s: found only %d glyphs" % (_GLYPHS_H, len(glyphs)))
    return glyphs


_GLYPHS = _load_glyphs()


def near(colour, tolerance=24):
    return lambda p: all(abs(a - b) <= tolerance for a, b in zip(p, colour))


def read_cell(frame, x, y, ink, scale=1):
    bits = []
    for r in range(CELL_H):
        byte = 0
        for c in range(CELL_W):
            px, py = x + c * scale, y + r * scale
            if 0 <= px < frame.width and 0 <= py < frame.height and ink(frame.pixel(px, py)):
                byte |= 0x80 >> c
        bits.append(byte)
    return _GLYPHS.get(tuple(bits), "?")


def read_line(frame, x, y, cells, ink, scale=1):
    """The text of `cells` cells from (x, y), the top-left corner of the first."""
    return "".join(read_cell(frame, x + i * CELL_W * scale, y, ink, scale) for i in range(cells)).rstrip(" ")


def read_lines(frame, x, y, cells, rows, ink, scale=1):
    return [read_line(frame, x, y + r * CELL_H * scale, cells, ink, scale) for r in range(rows)]
