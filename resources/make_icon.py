#!/usr/bin/env python3
"""Writes the program icon (16, 32 and 48 px, 32-bit with alpha) to the given .ico path.

The picture is a road running to the horizon seen through a dark windscreen, with a
red recording dot. Drawn from shapes with 4x4 supersampling, so the output is the
same byte for byte on every run.
"""
import struct
import sys

SIZES = (16, 32, 48)
SAMPLES = 4

BACK = (28, 36, 52)       # windscreen
ROAD = (96, 100, 108)
MARK = (250, 250, 250)
REC = (230, 30, 30)
HORIZON = 0.42            # top of the road, as a fraction of the height


def in_rounded_square(x, y, r=0.18):
    # Unit square with rounded corners of radius r.
    cx = min(max(x, r), 1 - r)
    cy = min(max(y, r), 1 - r)
    return (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def road_half_width(y):
    # 0.04 at the horizon widening to 0.42 at the bottom edge.
    t = (y - HORIZON) / (1 - HORIZON)
    return 0.04 + 0.38 * t


def shade(x, y):
    """Colour of one sample point, or None where the icon is transparent."""
    if not in_rounded_square(x, y):
        return None
    if (x - 0.76) ** 2 + (y - 0.22) ** 2 <= 0.11 ** 2:
        return REC
    if y >= HORIZON and abs(x - 0.5) <= road_half_width(y):
        t = (y - HORIZON) / (1 - HORIZON)
        dashed = int(t * 5) % 2 == 1
        if dashed and abs(x - 0.5) <= 0.02 + 0.04 * t:
            return MARK
        return ROAD
    return BACK


def render(size):
    """Rows top to bottom of (b, g, r, a) tuples."""
    rows = []
    n = SAMPLES * SAMPLES
    for py in range(size):
        row = []
        for px in range(size):
            acc = [0, 0, 0]
            hits = 0
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    c = shade((px + (sx + 0.5) / SAMPLES) / size,
                              (py + (sy + 0.5) / SAMPLES) / size)
                    if c is not None:
                        hits += 1
                        for i in range(3):
                            acc[i] += c[i]
            if hits == 0:
                row.append((0, 0, 0, 0))
            else:
                r, g, b = (round(v / hits) for v in acc)
                row.append((b, g, r, round(255 * hits / n)))
        rows.append(row)
    return rows


def dib(size):
    """One icon image: header, bottom-up BGRA pixels, then the AND mask."""
    rows = render(size)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = b''.join(bytes(v for p in row for v in p) for row in reversed(rows))
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        line = bytearray(mask_stride)
        for x, p in enumerate(row):
            if p[3] == 0:
                line[x // 8] |= 0x80 >> (x % 8)
        mask += line
    return header + pixels + bytes(mask)


def main():
    if len(sys.argv) != 2:
        sys.exit('usage: make_icon.py OUT.ico')
    images = [dib(s) for s in SIZES]
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in zip(SIZES, images):
        out += struct.pack('<BBBBHHII', size, size, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    out += b''.join(images)
    with open(sys.argv[1], 'wb') as f:
        f.write(out)


if __name__ == '__main__':
    main()
