#!/usr/bin/env python3
"""Writes the toolbar's bitmap strip from the pixel art it was first drawn as.

The 42 toolbar pictures were first written in the C++ source as rows of
palette letters; this script turned them into resources/toolbar_icons.bmp,
which is now what the program is built from (edit it with any bitmap editor
that keeps 16 colours). To write the strip again from that art:

    git show 94500af:src/toolbar/toolbar_icons.cpp |
        python3 tools/make_toolbar_strip.py resources/toolbar_icons.bmp

The strip is one row of 16 x 16 cells, one per image key in image-list
order (the order the drawings appear in the source), as an uncompressed
4-bit BMP with the standard 16-colour palette. Light grey (192, 192, 192),
written '.', is the colour the image list masks out.
"""
import re
import struct
import sys

CELL = 16

# The art's letters for the standard 16-colour palette, in palette order:
# lower case for the dark half, upper case for the bright half.
PALETTE = (
    ("k", (0, 0, 0)),
    ("r", (128, 0, 0)),
    ("g", (0, 128, 0)),
    ("y", (128, 128, 0)),
    ("b", (0, 0, 128)),
    ("p", (128, 0, 128)),
    ("t", (0, 128, 128)),
    ("d", (128, 128, 128)),
    (".", (192, 192, 192)),
    ("R", (255, 0, 0)),
    ("G", (0, 255, 0)),
    ("Y", (255, 255, 0)),
    ("B", (0, 0, 255)),
    ("P", (255, 0, 255)),
    ("T", (0, 255, 255)),
    ("W", (255, 255, 255)),
)
INDEX = {letter: i for i, (letter, _) in enumerate(PALETTE)}


def drawings(source):
    """(key, 16 rows) for every drawing, in the order of the source."""
    found = []
    for key, body in re.findall(r'\{u"(\w+)",\s*\{\{(.*?)\}\}\}', source, re.S):
        rows = re.findall(r'"([^"]*)"', body)
        if len(rows) != CELL or any(len(row) != CELL or set(row) - INDEX.keys() for row in rows):
            sys.exit(f"drawing {key!r} is not 16 rows of 16 palette letters")
        found.append((key, rows))
    if not found:
        sys.exit("no drawings in the input")
    return found


def bmp(cells):
    width = CELL * len(cells)
    stride = (width * 4 + 31) // 32 * 4
    pixels = bytearray()
    for y in reversed(range(CELL)):  # BMP rows run bottom-up
        indexes = [INDEX[letter] for _, rows in cells for letter in rows[y]]
        row = bytes(high << 4 | low for high, low in zip(indexes[0::2], indexes[1::2]))
        pixels += row.ljust(stride, b"\0")
    palette = b"".join(bytes((b, g, r, 0)) for _, (r, g, b) in PALETTE)
    offset = 14 + 40 + len(palette)
    info = struct.pack("<IiiHHIIiiII", 40, width, CELL, 1, 4, 0, len(pixels), 0, 0, len(PALETTE), 0)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    return header + info + palette + bytes(pixels)


def main(output):
    cells = drawings(sys.stdin.read())
    with open(output, "wb") as file:
        file.write(bmp(cells))
    print(f"{output}: {len(cells)} cells: {' '.join(key for key, _ in cells)}")


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "toolbar_icons.bmp")
