#!/usr/bin/env python3
"""Turns the X11 misc-fixed 6x13 bitmap font into woxa's compact glyph table.

    tools/font/make_font_glyphs.py [--font PCF] [--output FILE] [--check]

Reads the PCF font (gzip-compressed or not) through pcf2bdf, takes the glyphs
of codes 32 to 127, places each in a 6 x 13 cell by its bounding box, and
writes woxa/text/font_glyphs.h: 13 bytes a code, top row first, the leftmost
pixel in the most significant bit (0x80) and the sixth pixel in 0x04. A code
the font lacks (127 has no glyph in it) gets a blank cell.

The table is committed; the build never runs this script. --check compares
what it would write with the committed file and exits 1 when they differ.

Fails (exit 1, message on stderr) when pcf2bdf is missing or fails, when the
font is not a 6 x 13 cell font, or when a glyph leaves its cell or inks the
rightmost column or the top row (adjacent glyphs or lines would touch).
"""

import argparse
import gzip
import os
import subprocess
import sys
import tempfile

FIRST_CODE = 32
LAST_CODE = 127
CELL_WIDTH = 6
CELL_HEIGHT = 13
DEFAULT_FONT = "/usr/share/fonts/X11/misc/6x13.pcf.gz"
REPO = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
DEFAULT_OUTPUT = os.path.join(REPO, "woxa", "text", "font_glyphs.h")


class FontError(Exception):
    pass


def read_bdf(pcf_path):
    """Returns the BDF text of a PCF font, converted by pcf2bdf."""
    opener = gzip.open if pcf_path.endswith(".gz") else open
    with opener(pcf_path, "rb") as f:
        pcf = f.read()
    with tempfile.TemporaryDirectory() as scratch:
        pcf_file = os.path.join(scratch, "font.pcf")
        bdf_file = os.path.join(scratch, "font.bdf")
        with open(pcf_file, "wb") as f:
            f.write(pcf)
        try:
            subprocess.run(["pcf2bdf", "-o", bdf_file, pcf_file], check=True, capture_output=True)
        except FileNotFoundError:
            raise FontError("pcf2bdf not found (Debian package pcf2bdf)")
        except subprocess.CalledProcessError as e:
            raise FontError("pcf2bdf failed: " + e.stderr.decode(errors="replace").strip())
        with open(bdf_file, encoding="latin-1") as f:
            return f.read()


def parse_bdf(text):
    """Returns (properties, glyphs): glyphs maps a code to (bbx, hex rows)."""
    properties = {}
    glyphs = {}
    lines = iter(text.splitlines())
    for line in lines:
        words = line.split()
        if not words:
            continue
        if words[0] in ("FONTBOUNDINGBOX", "FONT_ASCENT", "FONT_DESCENT", "COPYRIGHT"):
            properties[words[0]] = line[len(words[0]):].strip()
        elif words[0] == "STARTCHAR":
            code, bbx, rows = None, None, []
            for line in lines:
                words = line.split()
                if not words:
                    continue
                if words[0] == "ENCODING":
                    code = int(words[1])
                elif words[0] == "BBX":
                    bbx = tuple(int(w) for w in words[1:5])
                elif words[0] == "BITMAP":
                    for line in lines:
                        if line.strip() == "ENDCHAR":
                            break
                        rows.append(line.strip())
                    break
            if code is not None and FIRST_CODE <= code <= LAST_CODE:
                if bbx is None:
                    raise FontError("glyph %d has no bounding box" % code)
                glyphs[code] = (bbx, rows)
    return properties, glyphs


def cell_of(code, bbx, rows, ascent):
    """Places one glyph in its 6 x 13 cell; returns 13 row bytes."""
    width, height, x_off, y_off = bbx
    if len(rows) != height:
        raise FontError("glyph %d has %d rows, its box says %d" % (code, len(rows), height))
    top = ascent - (y_off + height)
    cell = [0] * CELL_HEIGHT
    for i, hex_row in enumerate(rows):
        bits = int(hex_row, 16) if hex_row else 0
        row_bits = len(hex_row) * 4
        for px in range(width):
            if not bits & (1 << (row_bits - 1 - px)):
                continue
            x, y = x_off + px, top + i
            if not (0 <= x < CELL_WIDTH and 0 <= y < CELL_HEIGHT):
                raise FontError("glyph %d leaves its %dx%d cell" % (code, CELL_WIDTH, CELL_HEIGHT))
            if x == CELL_WIDTH - 1:
                raise FontError("glyph %d inks the rightmost column: neighbours would touch" % code)
            if y == 0:
                raise FontError("glyph %d inks the top row: stacked lines would touch" % code)
            cell[y] |= 0x80 >> x
    return cell


def build_table(properties, glyphs):
    box = properties.get("FONTBOUNDINGBOX", "").split()
    ascent = int(properties.get("FONT_ASCENT", "0"))
    descent = int(properties.get("FONT_DESCENT", "0"))
    if box[:2] != [str(CELL_WIDTH), str(CELL_HEIGHT)] or ascent + descent != CELL_HEIGHT:
        raise FontError("not a %dx%d cell font" % (CELL_WIDTH, CELL_HEIGHT))
    missing = [c for c in range(FIRST_CODE, 127) if c not in glyphs]
    if missing:
        raise FontError("printable codes without a glyph: %s" % missing)
    table = []
    for code in range(FIRST_CODE, LAST_CODE + 1):
        if code in glyphs:
            table.append(cell_of(code, glyphs[code][0], glyphs[code][1], ascent))
        else:
            table.append([0] * CELL_HEIGHT)
    return table


def describe(code):
    if code == 32:
        return "space"
    if code == 127:
        return "DEL, no glyph"
    if code == ord("\\"):
        return "backslash"
    return "'%s'" % chr(code)


def render(table, copyright_notice):
    out = []
    out.append("// Generated by tools/font/make_font_glyphs.py from the X11 misc-fixed 6x13\n")
    out.append("// font; do not edit by hand, run the script instead.\n")
    out.append("//\n")
    out.append("// The glyphs are public domain. The font's own notice reads:\n")
    out.append("//   %s\n" % copyright_notice)
    out.append("//\n")
    out.append("// One 6 x 13 cell for each code from kFontGlyphFirst to kFontGlyphLast, top\n")
    out.append("// row first; in each row byte the leftmost pixel is bit 0x80 and the sixth\n")
    out.append("// (always blank, so that neighbours never touch) is bit 0x04.\n")
    out.append("#pragma once\n\n")
    out.append("namespace woxa {\n\n")
    out.append("constexpr int kFontGlyphFirst = %d;\n" % FIRST_CODE)
    out.append("constexpr int kFontGlyphLast = %d;\n" % LAST_CODE)
    out.append("constexpr int kFontGlyphRows = %d;\n\n" % CELL_HEIGHT)
    out.append("inline constexpr unsigned char kFontGlyphs[kFontGlyphLast - kFontGlyphFirst + 1][kFontGlyphRows] = {\n")
    for i, cell in enumerate(table):
        code = FIRST_CODE + i
        hexes = ", ".join("0x%02X" % b for b in cell)
        out.append("    {%s},  // %d %s\n" % (hexes, code, describe(code)))
    out.append("};\n\n")
    out.append("}  // namespace woxa\n")
    return "".join(out)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--font", default=DEFAULT_FONT)
    parser.add_argument("--output", default=DEFAULT_OUTPUT)
    parser.add_argument("--check", action="store_true")
    args = parser.parse_args()
    try:
        properties, glyphs = parse_bdf(read_bdf(args.font))
        notice = properties.get("COPYRIGHT", "").strip('"')
        text = render(build_table(properties, glyphs), notice)
    except (OSError, ValueError, FontError) as e:
        print("make_font_glyphs: %s" % e, file=sys.stderr)
        return 1
    if args.check:
        try:
            with open(args.output, encoding="ascii") as f:
                current = f.read()
        except OSError as e:
            print("make_font_glyphs: %s" % e, file=sys.stderr)
            return 1
        if current != text:
            print("make_font_glyphs: %s is out of date" % args.output, file=sys.stderr)
            return 1
        return 0
    with open(args.output, "w", encoding="ascii", newline="\n") as f:
        f.write(text)
    return 0


if __name__ == "__main__":
    sys.exit(main())
