#!/usr/bin/env python3
"""Makes the Symbol face for a Wine prefix from URW's Standard Symbols PS.

    make-symbol-font.py SOURCE.otf TARGET.otf

A rich edit control draws a paragraph's bullet as the character 0xB7 of the
face "Symbol" in the symbol character set. The face Wine ships under that
name holds another glyph there, and Standard Symbols PS, whose characters
stand where Symbol's do, calls itself a Latin face, which Wine never takes
for the symbol character set. The copy is named Symbol and says it covers
the symbol character set; its glyphs and character map stay as they are.
"""

import struct
import sys

FAMILY = "Symbol"
SYMBOL_CODE_PAGE = 0x80000000  # ulCodePageRange1 bit 31
NAMED = {1: FAMILY, 3: FAMILY, 4: FAMILY, 6: FAMILY}  # family, unique id, full name, PostScript name
DROPPED = {16, 17, 21, 22}  # typographic and WWS family and subfamily: they would name the old family


def checksum(data):
    data = data + b"\0" * (-len(data) % 4)
    return sum(struct.unpack(">%dI" % (len(data) // 4), data)) & 0xFFFFFFFF


def renamed(table):
    _, count, storage = struct.unpack_from(">HHH", table)
    records, strings = [], bytearray()
    for i in range(count):
        platform, encoding, language, name_id, length, offset = struct.unpack_from(">6H", table, 6 + 12 * i)
        if name_id in DROPPED:
            continue
        text = table[storage + offset:storage + offset + length]
        if name_id in NAMED:
            text = NAMED[name_id].encode("utf-16-be" if platform in (0, 3) else "latin-1")
        records.append((platform, encoding, language, name_id, len(text), len(strings)))
        strings += text
    records.sort()
    head = struct.pack(">HHH", 0, len(records), 6 + 12 * len(records))
    return head + b"".join(struct.pack(">6H", *r) for r in records) + bytes(strings)


def main(source, target):
    font = bytearray(open(source, "rb").read())
    count = struct.unpack_from(">H", font, 4)[0]
    entries = {}
    for i in range(count):
        tag, _, offset, length = struct.unpack_from(">4sIII", font, 12 + 16 * i)
        entries[tag] = (12 + 16 * i, offset, length)
    if b"name" not in entries or b"OS/2" not in entries:
        sys.exit("make-symbol-font: %s has no name or OS/2 table" % source)

    at, offset, length = entries[b"OS/2"]
    struct.pack_into(">II", font, offset + 78, SYMBOL_CODE_PAGE, 0)
    struct.pack_into(">I", font, at + 4, checksum(bytes(font[offset:offset + length])))

    at, offset, length = entries[b"name"]
    table = renamed(bytes(font[offset:offset + length]))
    font += b"\0" * (-len(font) % 4)
    struct.pack_into(">4sIII", font, at, b"name", checksum(table), len(font), len(table))
    font += table + b"\0" * (-len(table) % 4)
    with open(target, "wb") as f:
        f.write(font)


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    main(sys.argv[1], sys.argv[2])
