#!/usr/bin/env python3
"""Draws the names list's status images (16x16, 32-bit BGRA with straight alpha) and
the sample host's icon (16, 32 and 48 px), anti-aliased by 4x4 supersampling.

Usage: gen-status-bitmaps.py [RESOURCES_DIR]   (default: resources/ next to scripts/)
"""
import math
import os
import struct
import sys

SUB = 4  # supersamples per pixel and axis

GREEN = (46, 160, 60)
GREY = (140, 140, 140)
RED = (210, 40, 40)
BLUE = (40, 100, 215)
WHITE = (255, 255, 255)


def segment_distance(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    t = ((px - ax) * dx + (py - ay) * dy) / float(dx * dx + dy * dy)
    t = max(0.0, min(1.0, t))
    return math.hypot(px - (ax + t * dx), py - (ay + t * dy))


def polyline(points, width):
    half = width / 2.0

    def inside(x, y):
        return any(segment_distance(x, y, *points[i], *points[i + 1]) <= half
                   for i in range(len(points) - 1))
    return inside


def disc(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def rect(x0, y0, x1, y1):
    return lambda x, y: x0 <= x <= x1 and y0 <= y <= y1


def triangle(a, b, c):
    def side(p, q, x, y):
        return (q[0] - p[0]) * (y - p[1]) - (q[1] - p[1]) * (x - p[0])

    def inside(x, y):
        s1, s2, s3 = side(a, b, x, y), side(b, c, x, y), side(c, a, x, y)
        return (s1 >= 0 and s2 >= 0 and s3 >= 0) or (s1 <= 0 and s2 <= 0 and s3 <= 0)
    return inside


def outline(shape, inner):
    return lambda x, y: shape(x, y) and not inner(x, y)


def render(size, layers):
    """layers: (colour, coverage function in 16-unit space) painted in order.
    Returns rows top-down of (b, g, r, a)."""
    scale = 16.0 / size
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            acc = [0.0, 0.0, 0.0, 0.0]  # premultiplied
            for sy in range(SUB):
                for sx in range(SUB):
                    x = (px + (sx + 0.5) / SUB) * scale
                    y = (py + (sy + 0.5) / SUB) * scale
                    r = g = b = a = 0.0
                    for colour, shape in layers:
                        if shape(x, y):  # opaque layer over what is below
                            r, g, b = colour
                            a = 1.0
                    acc[0] += r * a
                    acc[1] += g * a
                    acc[2] += b * a
                    acc[3] += a
            n = SUB * SUB
            alpha = acc[3] / n
            if alpha == 0:
                row.append((0, 0, 0, 0))
            else:
                row.append(tuple(int(round(acc[i] / acc[3])) for i in (2, 1, 0)) +
                           (int(round(alpha * 255)),))
        rows.append(row)
    return rows


def dib(rows, height_factor=1, with_mask=False):
    """BITMAPINFOHEADER + bottom-up 32-bit pixels (+ AND mask for icons)."""
    size = len(rows)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * height_factor, 1, 32, 0, 0,
                         2835, 2835, 0, 0)
    pixels = b''.join(struct.pack('<BBBB', *p) for row in reversed(rows) for p in row)
    mask = b''
    if with_mask:
        stride = ((size + 31) // 32) * 4
        for row in reversed(rows):
            bits = bytearray(stride)
            for x, p in enumerate(row):
                if p[3] == 0:
                    bits[x // 8] |= 0x80 >> (x % 8)
            mask += bytes(bits)
    return header + pixels + mask


def write_bmp(path, rows):
    body = dib(rows)
    with open(path, 'wb') as f:
        f.write(b'BM' + struct.pack('<IHHI', 14 + len(body), 0, 0, 54) + body)


def write_ico(path, images):
    entries, blobs = b'', b''
    offset = 6 + 16 * len(images)
    for rows in images:
        size = len(rows)
        blob = dib(rows, height_factor=2, with_mask=True)
        entries += struct.pack('<BBBBHHII', size % 256, size % 256, 0, 0, 1, 32, len(blob),
                               offset)
        offset += len(blob)
        blobs += blob
    with open(path, 'wb') as f:
        f.write(struct.pack('<HHH', 0, 1, len(images)) + entries + blobs)


TRIANGLE = triangle((8.0, 1.0), (15.5, 14.8), (0.5, 14.8))


def equals_bars(colour, top):
    return [(colour, rect(5.3, top, 10.7, top + 1.8)),
            (colour, rect(5.3, top + 3.4, 10.7, top + 5.2))]


STATUS = {
    'check.bmp': [(GREEN, polyline([(3.0, 8.5), (6.5, 12.0), (13.0, 4.5)], 2.6))],
    'equals.bmp': [(GREEN, rect(2.5, 4.5, 13.5, 7.0)), (GREEN, rect(2.5, 9.0, 13.5, 11.5))],
    'dot.bmp': [(GREY, disc(8.0, 8.0, 3.6))],
    'triangle.bmp': [(WHITE, TRIANGLE),
                     (RED, outline(TRIANGLE, triangle((8.0, 3.9), (13.2, 13.4), (2.8, 13.4))))],
    'triangle_equals_red.bmp': [(RED, TRIANGLE)] + equals_bars(WHITE, 7.8),
    'triangle_equals_blue.bmp': [(BLUE, TRIANGLE)] + equals_bars(WHITE, 7.8),
    'triangle_exclamation.bmp': [(RED, TRIANGLE), (WHITE, rect(7.1, 5.0, 8.9, 10.4)),
                                 (WHITE, rect(7.1, 11.6, 8.9, 13.3))],
}

HOST_ICON = [
    (BLUE, lambda x, y: rect(1.0, 2.5, 15.0, 13.5)(x, y) and not (
        (x < 2.5 or x > 13.5) and (y < 4.0 or y > 12.0) and
        min(math.hypot(x - cx, y - cy) for cx in (2.5, 13.5) for cy in (4.0, 12.0)) > 1.5)),
    (WHITE, rect(3.5, 5.0, 10.0, 6.5)),
    (WHITE, rect(3.5, 7.5, 12.5, 9.0)),
    (WHITE, rect(3.5, 10.0, 8.5, 11.5)),
]


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, '..', 'resources')
    os.makedirs(os.path.join(out, 'bitmaps'), exist_ok=True)
    for name, layers in STATUS.items():
        write_bmp(os.path.join(out, 'bitmaps', name), render(16, layers))
    write_ico(os.path.join(out, 'bitmaps', 'host.ico'),
              [render(size, HOST_ICON) for size in (16, 32, 48)])


if __name__ == '__main__':
    main()
