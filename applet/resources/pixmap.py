#!/usr/bin/env python3
"""Turns the text pixel maps of the applet's pictures into .bmp and .ico files.

  pixmap.py bmp IN.pixmap OUT.bmp    one image, 16-colour bitmap
  pixmap.py ico IN.pixmap OUT.ico    one or more images (separated by a line "--"), 16 colours

A pixel map is a grid of one character per pixel; lines starting with '#' are comments.
Every character names one of the 16 standard colours below; '.' is transparent (icons only).
The output depends on nothing but the input, byte for byte.
"""
import struct
import sys

PALETTE = [  # character, (r, g, b): the 16 colours of the standard VGA palette, in its order
    ('k', (0x00, 0x00, 0x00)), ('r', (0x80, 0x00, 0x00)), ('g', (0x00, 0x80, 0x00)),
    ('y', (0x80, 0x80, 0x00)), ('b', (0x00, 0x00, 0x80)), ('m', (0x80, 0x00, 0x80)),
    ('c', (0x00, 0x80, 0x80)), ('s', (0xC0, 0xC0, 0xC0)), ('d', (0x80, 0x80, 0x80)),
    ('R', (0xFF, 0x00, 0x00)), ('G', (0x00, 0xFF, 0x00)), ('Y', (0xFF, 0xFF, 0x00)),
    ('B', (0x00, 0x00, 0xFF)), ('M', (0xFF, 0x00, 0xFF)), ('C', (0x00, 0xFF, 0xFF)),
    ('w', (0xFF, 0xFF, 0xFF)),
]
INDEX = {ch: i for i, (ch, _) in enumerate(PALETTE)}
TRANSPARENT = '.'


def fail(message):
    sys.stderr.write('pixmap.py: %s\n' % message)
    sys.exit(1)


def read_images(path):
    images, rows = [], []
    with open(path) as f:
        for number, line in enumerate(f, 1):
            line = line.rstrip('\n')
            if line.startswith('#') or not line.strip():
                continue
            if line == '--':
                images.append(rows)
                rows = []
                continue
            for ch in line:
                if ch not in INDEX and ch != TRANSPARENT:
                    fail('%s:%d: unknown colour %r; use one of %s or .' % (path, number, ch, ''.join(INDEX)))
            if rows and len(line) != len(rows[0]):
                fail('%s:%d: row has %d pixels, the image is %d wide' % (path, number, len(line), len(rows[0])))
            rows.append(line)
    images.append(rows)
    for rows in images:
        if not rows:
            fail('%s: an empty image' % path)
    return images


def palette_bytes():
    return b''.join(struct.pack('<BBBB', b, g, r, 0) for _, (r, g, b) in PALETTE)


def padded(row_bytes):
    return row_bytes + b'\0' * (-len(row_bytes) % 4)


def colour_rows(rows):
    """4 bits per pixel, bottom row first; transparent pixels are black."""
    out = b''
    for line in reversed(rows):
        nibbles = [INDEX.get(ch, 0) for ch in line]
        if len(nibbles) % 2:
            nibbles.append(0)
        out += padded(bytes((nibbles[i] << 4) | nibbles[i + 1] for i in range(0, len(nibbles), 2)))
    return out


def mask_rows(rows):
    """1 bit per pixel, set where the icon is transparent, bottom row first."""
    out = b''
    for line in reversed(rows):
        bits = [1 if ch == TRANSPARENT else 0 for ch in line]
        bits += [0] * (-len(bits) % 8)
        out += padded(bytes(sum(bits[i + k] << (7 - k) for k in range(8)) for i in range(0, len(bits), 8)))
    return out


def info_header(width, height, image_size):
    return struct.pack('<IiiHHIIiiII', 40, width, height, 1, 4, 0, image_size, 0, 0, 16, 0)


def write_bmp(rows, path):
    if any(TRANSPARENT in line for line in rows):
        fail('%s: a bitmap has no transparent pixels' % path)
    width, height = len(rows[0]), len(rows)
    pixels = colour_rows(rows)
    head = info_header(width, height, len(pixels)) + palette_bytes()
    offset = 14 + len(head)
    with open(path, 'wb') as f:
        f.write(struct.pack('<2sIHHI', b'BM', offset + len(pixels), 0, 0, offset))
        f.write(head + pixels)


def write_ico(images, path):
    blobs = []
    for rows in images:
        width, height = len(rows[0]), len(rows)
        if width > 256 or height > 256:
            fail('%s: an icon image is at most 256x256' % path)
        pixels = colour_rows(rows) + mask_rows(rows)
        blobs.append((width, height, info_header(width, height * 2, 0) + palette_bytes() + pixels))
    offset = 6 + 16 * len(blobs)
    directory = struct.pack('<HHH', 0, 1, len(blobs))
    data = b''
    for width, height, blob in blobs:
        directory += struct.pack('<BBBBHHII', width % 256, height % 256, 16, 0, 1, 4, len(blob), offset + len(data))
        data += blob
    with open(path, 'wb') as f:
        f.write(directory + data)


def main():
    if len(sys.argv) != 4 or sys.argv[1] not in ('bmp', 'ico'):
        fail('usage: pixmap.py bmp|ico IN.pixmap OUT')
    images = read_images(sys.argv[2])
    if sys.argv[1] == 'bmp':
        if len(images) != 1:
            fail('%s: a bitmap holds exactly one image' % sys.argv[2])
        write_bmp(images[0], sys.argv[3])
    else:
        write_ico(images, sys.argv[3])


if __name__ == '__main__':
    main()
