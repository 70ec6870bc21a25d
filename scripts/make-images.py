#!/usr/bin/env python3
"""Draws the editor's 16 x 16 menu, toolbar and tree images as BMP strips.

Run once after changing a picture; the strips are kept in editor/res.
Magenta (255, 0, 255) is the clear colour. The disabled strip is the normal
one in light grey with an embossed look.
"""
import os
import struct
import sys

M = (255, 0, 255)
K = (0, 0, 0)
W = (255, 255, 255)
G = (128, 128, 128)
LG = (192, 192, 192)
Y = (255, 255, 0)
DY = (192, 160, 0)
B = (0, 0, 192)
LB = (96, 160, 255)
R = (208, 0, 0)
GR = (0, 144, 0)
BR = (160, 96, 32)


def blank():
    return [[M] * 16 for _ in range(16)]


def rect(img, x0, y0, x1, y1, c, fill=None):
    for y in range(y0, y1 + 1):
        for x in range(x0, x1 + 1):
            edge = x in (x0, x1) or y in (y0, y1)
            if edge:
                img[y][x] = c
            elif fill is not None:
                img[y][x] = fill


def line(img, x0, y0, x1, y1, c):
    n = max(abs(x1 - x0), abs(y1 - y0), 1)
    for i in range(n + 1):
        x = round(x0 + (x1 - x0) * i / n)
        y = round(y0 + (y1 - y0) * i / n)
        img[y][x] = c


def glyph(img, rows, x0, y0, c):
    for dy, row in enumerate(rows):
        for dx, ch in enumerate(row):
            if ch == '#':
                img[y0 + dy][x0 + dx] = c


def page(img, fill=W):
    rect(img, 2, 1, 12, 14, K, fill)
    line(img, 10, 1, 12, 3, K)


def book(img, open_=False):
    if open_:
        rect(img, 0, 3, 7, 13, K, W)
        rect(img, 8, 3, 15, 13, K, W)
        for y in (5, 7, 9, 11):
            line(img, 2, y, 5, y, G)
            line(img, 10, y, 13, y, G)
    else:
        rect(img, 3, 1, 13, 14, K, B)
        line(img, 5, 1, 5, 14, LB)
        rect(img, 7, 4, 11, 6, W, W)


def folder(img):
    rect(img, 1, 4, 14, 13, K, Y)
    rect(img, 1, 2, 6, 4, K, Y)


def disk(img):
    rect(img, 1, 1, 14, 14, K, B)
    rect(img, 4, 1, 11, 6, K, W)
    rect(img, 4, 9, 11, 14, K, LG)


def letter(img, ch, c=K):
    font = {
        'B': ["###.", "#..#", "###.", "#..#", "###."],
        'I': [".###", "..#.", "..#.", "..#.", "###."],
        'U': ["#..#", "#..#", "#..#", "#..#", ".##."],
        'C': [".###", "#...", "#...", "#...", ".###"],
        'H': ["#..#", "#..#", "####", "#..#", "#..#"],
        '?': [".##.", "#..#", "..#.", "....", "..#."],
        'E': ["####", "#...", "###.", "#...", "####"],
        'W': ["#...#", "#...#", "#.#.#", "#.#.#", ".#.#."],
        'Z': ["####", "...#", "..#.", ".#..", "####"],
    }
    rows = font[ch]
    scaled = []
    for r in rows:
        s = ''.join(x * 2 for x in r)
        scaled += [s, s]
    glyph(img, scaled, (16 - len(scaled[0])) // 2, 3, c)


def icons():
    out = []

    def add(f):
        img = blank()
        f(img)
        out.append(img)

    add(lambda i: page(i))                                   # 0 new
    add(folder)                                              # 1 open
    add(disk)                                                # 2 save
    add(lambda i: (page(i, LG), letter(i, 'C', R)))          # 3 compile
    add(lambda i: (book(i, True), letter(i, '?', B)))        # 4 view help
    add(lambda i: (page(i), letter(i, 'E', R)))              # 5 error log
    add(lambda i: (rect(i, 1, 3, 14, 13, K, BR), line(i, 1, 7, 14, 7, K)))  # 6 backup
    add(lambda i: (page(i), letter(i, 'H', GR)))             # 7 help options
    add(lambda i: (book(i), line(i, 12, 10, 15, 10, R), line(i, 13, 9, 13, 11, R)))   # 8 add book
    add(lambda i: (page(i), line(i, 12, 10, 15, 10, R), line(i, 13, 9, 13, 11, R)))   # 9 add topic
    add(lambda i: (page(i, LG), line(i, 12, 10, 15, 10, R), line(i, 13, 9, 13, 11, R)))  # 10 add hidden
    add(lambda i: (page(i, Y), line(i, 12, 10, 15, 10, R), line(i, 13, 9, 13, 11, R)))   # 11 add external
    add(lambda i: (line(i, 3, 3, 12, 12, R), line(i, 12, 3, 3, 12, R), line(i, 4, 3, 13, 12, R), line(i, 13, 3, 4, 12, R)))  # 12 delete
    add(lambda i: (rect(i, 3, 10, 6, 13, K), rect(i, 9, 10, 12, 13, K), line(i, 5, 9, 10, 1, K), line(i, 10, 9, 5, 1, K)))  # 13 cut
    add(lambda i: (rect(i, 1, 1, 9, 10, K, W), rect(i, 6, 5, 14, 14, K, W)))  # 14 copy
    add(lambda i: (rect(i, 2, 2, 12, 14, K, BR), rect(i, 6, 6, 14, 14, K, W)))  # 15 paste
    add(lambda i: (line(i, 3, 8, 7, 4, B), line(i, 3, 8, 7, 12, B), line(i, 3, 8, 12, 8, B), line(i, 12, 8, 12, 13, B)))  # 16 undo
    add(lambda i: letter(i, 'B'))                            # 17 bold
    add(lambda i: letter(i, 'I'))                            # 18 italic
    add(lambda i: letter(i, 'U'))                            # 19 underline
    add(lambda i: [line(i, 1, y, 14 if y % 4 == 1 else 9, y, K) for y in (1, 4, 7, 10, 13)])   # 20 left
    add(lambda i: [line(i, 1 if y % 4 == 1 else 4, y, 14 if y % 4 == 1 else 11, y, K) for y in (1, 4, 7, 10, 13)])  # 21 centre
    add(lambda i: [line(i, 1 if y % 4 == 1 else 6, y, 14, y, K) for y in (1, 4, 7, 10, 13)])   # 22 right
    add(lambda i: [(rect(i, 1, y - 1, 2, y, K, K), line(i, 5, y, 14, y, K)) for y in (3, 8, 13)])  # 23 bullets
    add(lambda i: (line(i, 1, 12, 14, 12, B), glyph(i, ["#.#", ".#.", "#.#"], 6, 4, B)))  # 24 link
    add(lambda i: (rect(i, 1, 1, 9, 9, K, W), line(i, 8, 8, 14, 14, K), line(i, 9, 8, 14, 13, K)))  # 25 find id
    add(lambda i: (page(i), line(i, 4, 5, 10, 5, K), line(i, 4, 8, 10, 8, K), line(i, 4, 11, 8, 11, K)))  # 26 topic info
    add(lambda i: (rect(i, 1, 1, 14, 14, K, W), rect(i, 4, 4, 11, 11, R)))   # 27 hotspot editor
    add(lambda i: (rect(i, 1, 2, 14, 13, K, LG), letter(i, 'W', B)))  # 28 help workshop
    while len(out) < 41:                                     # 29-40 not used yet
        out.append(blank())
    # The line button and its menu: a box, then a line at the top, bottom,
    # right or left of a paragraph (grey text rows inside).
    # Each side as its two-pixel-thick line: top, bottom, right, left.
    sides = [None, [(2, 2, 13, 2), (2, 3, 13, 3)], [(2, 12, 13, 12), (2, 13, 13, 13)],
             [(12, 2, 12, 13), (13, 2, 13, 13)], [(2, 2, 2, 13), (3, 2, 3, 13)]]
    for side in sides:                                       # 41-45 box, top, bottom, right, left
        def draw(i, side=side):
            for y in (5, 7, 9, 11):
                line(i, 5, y, 10, y, G)
            if side is None:
                rect(i, 2, 2, 13, 13, K)
                rect(i, 3, 3, 12, 12, K)
            else:
                rect(i, 2, 2, 13, 13, LG)
                for x0, y0, x1, y1 in side:
                    line(i, x0, y0, x1, y1, K)
        add(draw)
    # The style button and its menu: a plain, thick, double and shadowed line.
    add(lambda i: line(i, 1, 8, 14, 8, K))                   # 46 plain
    add(lambda i: [line(i, 1, y, 14, y, K) for y in (7, 8, 9)])  # 47 thick
    add(lambda i: [line(i, 1, y, 14, y, K) for y in (6, 10)])   # 48 double
    add(lambda i: (line(i, 1, 7, 13, 7, K), line(i, 2, 8, 14, 8, G), line(i, 2, 9, 14, 9, G)))  # 49 shadowed
    # The text colours of the colour menu, in the colour table's order.
    for c in TEXT_COLOURS:                                   # 50-65 colour swatches
        add(lambda i, c=c: rect(i, 1, 1, 14, 14, G, c))
    add(lambda i: (glyph(i, ["..#..", ".#.#.", "#...#", "#####", "#...#"], 3, 1, K),
                   glyph(i, ["..#..", ".#.#.", "#...#", "#####", "#...#"], 4, 1, K),
                   rect(i, 1, 11, 14, 14, R, R)))            # 66 text colour
    add(component)                                           # 67 component help
    return out


# The colour table of the colour menu (red, green, blue). Its magenta is one
# step off the clear colour, or it would not show.
TEXT_COLOURS = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
                (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
                (255, 255, 0), (0, 0, 255), (254, 0, 254), (0, 255, 255), (255, 255, 255)]


def component(img):
    """A component: a box seen from above, its front face with a page on it."""
    for k in range(4):                                       # top face
        line(img, 5 - k, 2 + k, 14 - k, 2 + k, Y)
    line(img, 5, 2, 14, 2, K)
    line(img, 1, 5, 5, 1, K)
    line(img, 10, 5, 14, 1, K)
    for k in range(9):                                       # side face
        line(img, 11, 5 + k, 14, 2 + k, DY)
    line(img, 14, 1, 14, 10, K)
    line(img, 11, 14, 14, 10, K)
    rect(img, 1, 5, 11, 14, K, LB)                           # front face
    rect(img, 3, 7, 8, 12, B, W)


def tree_icons():
    out = []
    for f in (lambda i: book(i), lambda i: book(i, True), lambda i: page(i),
              lambda i: page(i, LG), lambda i: (page(i, Y), line(i, 5, 10, 9, 6, B))):
        img = blank()
        f(img)
        out.append(img)
    return out


def disabled(img):
    res = blank()
    for y in range(16):
        for x in range(16):
            if img[y][x] != M and img[y][x] not in (W, Y, LG):
                res[y][x] = G
                if x + 1 < 16 and y + 1 < 16 and img[y + 1][x + 1] == M:
                    res[y + 1][x + 1] = W
    return res


def write_strip(path, imgs):
    w, h = 16 * len(imgs), 16
    stride = (w * 3 + 3) & ~3
    data = bytearray()
    for y in range(h - 1, -1, -1):
        row = bytearray()
        for img in imgs:
            for x in range(16):
                r, g, b = img[y][x]
                row += bytes((b, g, r))
        row += b'\0' * (stride - len(row))
        data += row
    header = struct.pack('<2sIHHI', b'BM', 54 + len(data), 0, 0, 54)
    info = struct.pack('<IiiHHIIiiII', 40, w, h, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(path, 'wb') as f:
        f.write(header + info + data)


if __name__ == '__main__':
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), '..', 'editor', 'res')
    normal = icons()
    write_strip(os.path.join(out, 'images.bmp'), normal)
    write_strip(os.path.join(out, 'images-disabled.bmp'), [disabled(i) for i in normal])
    write_strip(os.path.join(out, 'tree.bmp'), tree_icons())
    write_strip(os.path.join(out, 'component.bmp'), [normal[67]])
