#!/usr/bin/env python3
"""Draws the program icon (a written page with a pen) and writes app.ico.

The drawing is vector shapes in a 1 x 1 square, rasterised with 4 x 4
supersampling at 16, 32 and 48 pixels, stored as 32-bit images with an
alpha channel and an AND mask so every Windows version draws it.

    python3 tools/make_app_icon.py resources/app.ico
"""
import struct
import sys

SIZES = (16, 32, 48)
SAMPLES = 4

PAGE = (255, 255, 255)
PAGE_EDGE = (70, 80, 100)
FOLD = (205, 214, 228)
LINE = (60, 110, 200)
PEN_BODY = (240, 180, 40)
PEN_EDGE = (120, 80, 10)
PEN_TIP = (250, 225, 180)
PEN_LEAD = (30, 30, 30)


def inside_polygon(x, y, points):
    hit = False
    j = len(points) - 1
    for i in range(len(points)):
        xi, yi = points[i]
        xj, yj = points[j]
        if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
            hit = not hit
        j = i
    return hit


def pen_polygons():
    """The pen lies from the lower left to the upper right over the page."""
    import math
    angle = math.radians(-45)
    ux, uy = math.cos(angle), math.sin(angle)  # along the pen, towards the top right
    vx, vy = -uy, ux                           # across the pen
    tip = (0.30, 0.86)
    def at(along, across):
        return (tip[0] + ux * along + vx * across, tip[1] + uy * along + vy * across)
    half = 0.085
    lead = [at(0.0, 0.0), at(0.07, -0.028), at(0.07, 0.028)]
    cone = [at(0.0, 0.0), at(0.17, -half), at(0.17, half)]
    body = [at(0.17, -half), at(0.70, -half), at(0.70, half), at(0.17, half)]
    inner = [at(0.19, -half + 0.03), at(0.68, -half + 0.03), at(0.68, half - 0.03), at(0.19, half - 0.03)]
    end = [at(0.70, -half), at(0.78, -half), at(0.78, half), at(0.70, half)]
    return lead, cone, body, inner, end


LEAD, CONE, BODY, INNER, END = pen_polygons()
PAGE_OUTER = [(0.14, 0.04), (0.66, 0.04), (0.86, 0.24), (0.86, 0.96), (0.14, 0.96)]
PAGE_INNER = [(0.18, 0.08), (0.64, 0.08), (0.82, 0.26), (0.82, 0.92), (0.18, 0.92)]
FOLD_TRIANGLE = [(0.64, 0.06), (0.64, 0.26), (0.84, 0.26)]


def colour_at(x, y):
    """Colour and coverage of one sample point, the topmost shape first."""
    if inside_polygon(x, y, LEAD):
        return PEN_LEAD
    if inside_polygon(x, y, CONE):
        return PEN_TIP
    if inside_polygon(x, y, END):
        return PEN_EDGE
    if inside_polygon(x, y, INNER):
        return PEN_BODY
    if inside_polygon(x, y, BODY):
        return PEN_EDGE
    if inside_polygon(x, y, FOLD_TRIANGLE):
        return FOLD
    if inside_polygon(x, y, PAGE_INNER):
        for top in (0.34, 0.48, 0.62, 0.76):
            if top <= y < top + 0.06 and 0.26 <= x <= (0.74 if top > 0.4 else 0.58):
                return LINE
        return PAGE
    if inside_polygon(x, y, PAGE_OUTER):
        return PAGE_EDGE
    return None


def render(size):
    """Rows of (b, g, r, a) from the top row down."""
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            total = [0, 0, 0]
            covered = 0
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    colour = colour_at((px + (sx + 0.5) / SAMPLES) / size, (py + (sy + 0.5) / SAMPLES) / size)
                    if colour is not None:
                        covered += 1
                        for i in range(3):
                            total[i] += colour[i]
            if covered == 0:
                row.append((0, 0, 0, 0))
            else:
                r, g, b = (round(c / covered) for c in total)
                row.append((b, g, r, round(255 * covered / (SAMPLES * SAMPLES))))
        rows.append(row)
    return rows


def icon_image(size):
    rows = render(size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = b"".join(bytes(channel for pixel in row for channel in pixel) for row in reversed(rows))
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        bits = bytearray(mask_stride)
        for x, pixel in enumerate(row):
            if pixel[3] < 128:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + pixels + bytes(mask)


def main(path):
    images = [icon_image(size) for size in SIZES]
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    entries = b""
    for size, image in zip(SIZES, images):
        entries += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    with open(path, "wb") as out:
        out.write(directory + entries + b"".join(images))


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "app.ico")
