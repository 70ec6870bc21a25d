#!/usr/bin/env python3
"""Draws the hotspot editor's toolbar images and its icon.

Run once after changing a picture; the files are kept in hotspot/res. The
drawing helpers are those of the editor's images (make-images.py).
"""
import importlib.util
import os
import struct
import sys

here = os.path.dirname(os.path.abspath(__file__))
spec = importlib.util.spec_from_file_location('images', os.path.join(here, 'make-images.py'))
im = importlib.util.module_from_spec(spec)
spec.loader.exec_module(im)
M, K, W, G, LG, Y, B, LB, R, GR = im.M, im.K, im.W, im.G, im.LG, im.Y, im.B, im.LB, im.R, im.GR


def door(img):
    im.rect(img, 3, 1, 12, 14, K, LG)
    im.rect(img, 9, 7, 10, 8, K, K)


def picture(img):
    im.rect(img, 1, 1, 14, 14, K, W)
    im.rect(img, 4, 4, 11, 10, R)


def cross(img):
    for d in (0, 1):
        im.line(img, 3 + d, 3, 12 + d, 12, R)
        im.line(img, 12 + d, 3, 3 + d, 12, R)


def attributes(img):
    im.rect(img, 1, 1, 14, 14, K, W)
    for y in (4, 7, 10):
        im.line(img, 3, y, 12, y, B)


def defaults(img):
    im.rect(img, 1, 1, 14, 14, K, LG)
    im.rect(img, 4, 4, 11, 11, K, GR)


def about(img):
    im.rect(img, 2, 1, 13, 14, K, Y)
    im.glyph(img, ["##", "..", "##", "##", "##", "##", "##"], 7, 3, B)


def toolbar():
    out = []
    for f in (door, im.folder, im.disk, cross, attributes, defaults, about):
        img = im.blank()
        f(img)
        out.append(img)
    return out


def icon_image(size):
    """The program icon: a picture with a red hotspot frame, as rows of RGB."""
    s = size / 32
    img = [[None] * size for _ in range(size)]
    def box(x0, y0, x1, y1, c, fill=None):
        for y in range(round(y0 * s), round(y1 * s) + 1):
            for x in range(round(x0 * s), round(x1 * s) + 1):
                edge = y in (round(y0 * s), round(y1 * s)) or x in (round(x0 * s), round(x1 * s))
                if edge:
                    img[y][x] = c
                elif fill is not None:
                    img[y][x] = fill
    box(1, 3, 30, 28, K, W)
    box(3, 17, 28, 26, GR, GR)
    box(5, 6, 17, 14, R)
    box(6, 7, 16, 13, R)
    box(20, 6, 27, 12, B, LB)
    return img


def write_icon(path, sizes=(32, 16)):
    """A .ico of 32-bit images with their AND masks."""
    images = []
    for size in sizes:
        img = icon_image(size)
        xor = bytearray()
        mask = bytearray()
        mask_stride = ((size + 31) // 32) * 4
        for y in range(size - 1, -1, -1):
            bits = 0
            row_mask = bytearray(mask_stride)
            for x in range(size):
                c = img[y][x]
                if c is None:
                    xor += bytes((0, 0, 0, 0))
                    row_mask[x // 8] |= 0x80 >> (x % 8)
                else:
                    r, g, b = c
                    xor += bytes((b, g, r, 255))
            mask += row_mask
        header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
        images.append((size, header + xor + mask))
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
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, '..', 'hotspot', 'res')
    normal = toolbar()
    im.write_strip(os.path.join(out, 'toolbar.bmp'), normal)
    im.write_strip(os.path.join(out, 'toolbar-disabled.bmp'), [im.disabled(i) for i in normal])
    write_icon(os.path.join(out, 'zonivex.ico'))
