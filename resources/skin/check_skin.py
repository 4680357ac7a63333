#!/usr/bin/env python3
"""Checks a skin written by make_skin.py.

    check_skin.py OUTDIR

Every expected file must exist and be an uncompressed 24-bit BMP of its expected
size; window backgrounds and pictures must not contain the transparency colour; and
no button image may hold a colour that is nearly, but not exactly, the transparency
colour (such pixels would show as a visible fringe instead of being transparent).
Exits 0 when all is well, 1 with one line per problem otherwise.
"""
import os
import struct
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from make_skin import KEY, PICTURES, SIZES  # noqa: E402

NEAR = 40   # a channel within this distance of KEY counts as "near"


def read_bmp(path):
    """(width, height, pixel bytes as B, G, R triples by rows) of a 24-bit BMP."""
    with open(path, 'rb') as f:
        data = f.read()
    if data[:2] != b'BM' or len(data) < 54:
        raise ValueError('not a BMP file')
    offset, = struct.unpack_from('<I', data, 10)
    size, width, height, planes, bits, compression = struct.unpack_from('<IiiHHI', data, 14)
    if size < 40 or planes != 1:
        raise ValueError('unexpected BMP header')
    if bits != 24 or compression != 0:
        raise ValueError('%d bits per pixel, compression %d (want 24, 0)' % (bits, compression))
    stride = (width * 3 + 3) // 4 * 4
    rows = abs(height)
    if len(data) < offset + stride * rows:
        raise ValueError('pixel data is truncated')
    pixels = b''.join(data[offset + r * stride: offset + r * stride + width * 3]
                      for r in range(rows))
    return width, abs(height), pixels


def colours(pixels):
    """Distinct (r, g, b) colours of a B, G, R byte string."""
    found = set()
    for i in range(0, len(pixels), 3):
        found.add((pixels[i + 2], pixels[i + 1], pixels[i]))
    return found


def check_file(outdir, name, size):
    path = os.path.join(outdir, name)
    if not os.path.isfile(path):
        return ['%s: missing' % name]
    try:
        width, height, pixels = read_bmp(path)
    except (OSError, ValueError, struct.error) as err:
        return ['%s: %s' % (name, err)]
    if (width, height) != size:
        return ['%s: %d x %d, expected %d x %d' % (name, width, height, size[0], size[1])]
    found = colours(pixels)
    if name in PICTURES:
        return ['%s: contains the transparency colour %s' % (name, KEY)] if KEY in found else []
    near = sorted(c for c in found if c != KEY and
                  all(abs(a - b) <= NEAR for a, b in zip(c, KEY)))
    if near:
        return ['%s: %d colour(s) nearly equal to the transparency colour, e.g. %s'
                % (name, len(near), near[0])]
    return []


def main(argv):
    if len(argv) != 2:
        sys.stderr.write('usage: check_skin.py OUTDIR\n')
        return 2
    problems = []
    for name, size in sorted(SIZES.items()):
        problems += check_file(argv[1], name, size)
    for line in problems:
        sys.stderr.write(line + '\n')
    if problems:
        sys.stderr.write('skin check failed: %d problem(s)\n' % len(problems))
        return 1
    print('skin check passed: %d files' % len(SIZES))
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
