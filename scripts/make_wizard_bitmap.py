#!/usr/bin/env python3
"""Draws the first-run wizard's picture (bitmap 151) into a 24-bit .bmp.

A tall dark blue panel, lighter towards the foot, with the program's motif
large in its upper half: a sheet of paper fed into a red blade and coming
out below it as strips that fall away.
Run: python3 scripts/make_wizard_bitmap.py src/res/Wizard.bmp
"""
import struct
import sys

WIDTH, HEIGHT = 138, 268
PAPER = (245, 245, 240)
LINES = (150, 160, 175)
BLADE = (220, 50, 40)
SLOT = (12, 22, 48)


def panel(y):
    t = y / (HEIGHT - 1)
    return (int(18 + 22 * t), int(38 + 40 * t), int(92 + 70 * t))


def draw():
    px = [[panel(y)] * WIDTH for y in range(HEIGHT)]
    left, right = 34, 104
    top, blade_y = 30, 118

    # The paper above the blade, with its lines of text.
    for y in range(top, blade_y):
        for x in range(left, right):
            px[y][x] = PAPER
            if left + 8 <= x < right - 8 and (y - top) % 12 in (10, 11) and y < blade_y - 8:
                px[y][x] = LINES
    # The folded corner.
    for y in range(top, top + 14):
        for x in range(right - 14, right):
            if x - (right - 14) > y - top:
                px[y][x] = panel(y)
            elif x - (right - 14) == y - top:
                px[y][x] = LINES

    # The shredder's slot and blade.
    for y in range(blade_y - 2, blade_y + 8):
        for x in range(left - 14, right + 14):
            px[y][x] = SLOT
    for y in range(blade_y + 1, blade_y + 5):
        for x in range(left - 10, right + 10):
            px[y][x] = BLADE

    # Strips below, each of its own length, drifting apart.
    strip, gap = 6, 3
    for n, x0 in enumerate(range(left, right - strip + 1, strip + gap)):
        length = 70 + (n * 37) % 45
        drift = (n - 3.5) * 0.05
        for dy in range(length):
            y = blade_y + 8 + dy
            if y >= HEIGHT - 20:
                break
            shift = int(drift * dy)
            for x in range(x0 + shift, x0 + shift + strip):
                if 0 <= x < WIDTH:
                    px[y][x] = PAPER
    return px


def write_bmp(path, px):
    row_size = (WIDTH * 3 + 3) // 4 * 4
    image = b''
    for y in reversed(range(HEIGHT)):
        row = b''.join(bytes((b, g, r)) for r, g, b in px[y])
        image += row + b'\0' * (row_size - len(row))
    info = struct.pack('<IiiHHIIiiII', 40, WIDTH, HEIGHT, 1, 24, 0, len(image), 3780, 3780, 0, 0)
    header = struct.pack('<2sIHHI', b'BM', 14 + len(info) + len(image), 0, 0, 14 + len(info))
    with open(path, 'wb') as f:
        f.write(header + info + image)


if __name__ == '__main__':
    write_bmp(sys.argv[1], draw())
