#!/usr/bin/env python3
"""Draws the 16 x 16 flags of the language list as 24-bit Windows bitmaps.

    make_flags.py <output folder>

The list treats pure black as transparent, so the rows above and below a
flag are black and the flags themselves never use it (0x010101 instead).
"""
import os
import struct
import sys

SIZE = 16
TOP, BOTTOM = 2, 14  # the flag fills rows 2 to 13: 16 x 12 pixels
CLEAR = (0, 0, 0)
BLACK = (1, 1, 1)
WHITE = (255, 255, 255)
RED = (206, 17, 38)
GOLD = (255, 206, 0)
FRENCH_BLUE = (0, 35, 149)
FRENCH_RED = (237, 41, 57)
UNION_BLUE = (1, 33, 105)
UNION_RED = (200, 16, 46)


def german(x, y):
    row = (y - TOP) * 3 // (BOTTOM - TOP)
    return (BLACK, RED, GOLD)[row]


def french(x, y):
    return (FRENCH_BLUE, WHITE, FRENCH_RED)[x * 3 // SIZE]


def english(x, y):
    # A small union flag: diagonals under a bordered upright cross.
    u = (x + 0.5) / SIZE
    v = (y - TOP + 0.5) / (BOTTOM - TOP)
    cx, cy = abs(x - 7.5), abs(y - TOP - 5.5)
    if cx <= 1 or cy <= 1:
        return UNION_RED
    if cx <= 2 or cy <= 2:
        return WHITE
    d = min(abs(v - u), abs(v - (1 - u)))
    if d < 0.06:
        return UNION_RED
    if d < 0.16:
        return WHITE
    return UNION_BLUE


def bitmap(paint):
    rows = []
    for y in range(SIZE - 1, -1, -1):  # bottom-up
        row = bytearray()
        for x in range(SIZE):
            r, g, b = paint(x, y) if TOP <= y < BOTTOM else CLEAR
            row += bytes((b, g, r))
        rows.append(bytes(row))
    pixels = b"".join(rows)  # 48 bytes a row: no padding needed
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    offset = 14 + len(header)
    return b"BM" + struct.pack("<IHHI", offset + len(pixels), 0, 0, offset) + header + pixels


def main() -> int:
    folder = sys.argv[1]
    os.makedirs(folder, exist_ok=True)
    for name, paint in (("German", german), ("French", french), ("English", english)):
        with open(os.path.join(folder, name + ".bmp"), "wb") as handle:
            handle.write(bitmap(paint))
    return 0


if __name__ == "__main__":
    sys.exit(main())
