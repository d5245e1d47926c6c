#!/usr/bin/env python3
"""Draws the program icon (32x32 and 16x16, 32-bit with alpha) into an .ico.

A sheet of paper over a dark blue tile, its lower half cut into strips.
Run: python3 scripts/make_icon.py src/res/Vantrel.ico
"""
import struct
import sys


def draw(size):
    s = size / 32.0
    px = [[(0, 0, 0, 0)] * size for _ in range(size)]

    def inside_round_rect(x, y, x0, y0, x1, y1, r):
        cx = min(max(x, x0 + r), x1 - r)
        cy = min(max(y, y0 + r), y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r

    for y in range(size):
        for x in range(size):
            fx, fy = (x + 0.5) / s, (y + 0.5) / s
            if inside_round_rect(fx, fy, 1, 1, 31, 31, 5):
                shade = int(40 + 60 * fy / 32)
                px[y][x] = (20, 40, shade + 90, 255)
            # Paper: upper part whole, lower part in strips with gaps.
            if 9 <= fx <= 23 and 5 <= fy <= 17:
                px[y][x] = (245, 245, 240, 255)
                if 11 <= fx <= 21 and int(fy) in (8, 11, 14) and size >= 32:
                    px[y][x] = (150, 160, 175, 255)
            if 9 <= fx <= 23 and 17 < fy <= 27:
                strip = int((fx - 9) / 2.0)
                if (fx - 9) - strip * 2.0 < 1.3:
                    drop = (strip % 3) * 1.5
                    if fy <= 27 - drop:
                        px[y][x] = (245, 245, 240, 255)
            # The blade across the paper.
            if 7 <= fx <= 25 and 16.5 <= fy <= 18.5:
                px[y][x] = (220, 50, 40, 255)
    return px


def icon_image(size):
    px = draw(size)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    rows = b''
    for y in reversed(range(size)):
        for r, g, b, a in px[y]:
            rows += bytes((b, g, r, a))
    mask_row = ((size + 31) // 32) * 4
    mask = b''
    for y in reversed(range(size)):
        bits = bytearray(mask_row)
        for x in range(size):
            if px[y][x][3] == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bytes(bits)
    return header + rows + mask


def main(path):
    images = [(32, icon_image(32)), (16, icon_image(16))]
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in images:
        out += struct.pack('<BBBBHHII', size, size, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    for _, data in images:
        out += data
    with open(path, 'wb') as f:
        f.write(out)


if __name__ == '__main__':
    main(sys.argv[1])
