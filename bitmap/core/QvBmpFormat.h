// The records of a BMP file and of a packed DIB: the file header, the bitmap
// headers (the 12-byte core header, the 40-byte information header and its
// longer successors), the bit-field masks and the colour table. They are read
// from memory through a ByteReader and written through a ByteWriter; every
// reader of pictures (the DIB library, the class library's bitmap, the .shg
// import) puts its own rules on top.
#pragma once

#include <cstdint>

#include "bitmap/core/QvDibTypes.h"
#include "core/ByteReader.h"
#include "core/ByteWriter.h"

namespace qm {

constexpr uint16_t kBmpFileType = 0x4D42;  // "BM"
constexpr uint32_t kBmpFileHeaderSize = 14;
constexpr uint32_t kBmpCoreHeaderSize = 12;
constexpr uint32_t kBmpInfoHeaderSize = 40;

// The file header (its two reserved words are neither kept nor checked).
struct QvBmpFileHeader {
  uint16_t type = 0;
  uint32_t fileSize = 0;  // bfSize
  uint32_t offBits = 0;   // bfOffBits: where the pixels start
};

// One bitmap header as read.
struct QvBmpHeader {
  // Bytes of the header as stored: 12 for a core header, 40 or more for an
  // information header.
  uint32_t size = 0;
  // The information header, biSize being size. A core header's width,
  // height, planes and bit count are widened into it (width and height
  // zero-extended, so that a core bitmap is bottom-up); the other fields are
  // then zero.
  QvBitmapInfoHeader info{};
  // Red, green and blue masks for BI_BITFIELDS: bytes 40 to 51 of a longer
  // information header (zero where it ends sooner), or the 12 bytes after a
  // 40-byte one once ReadBmpMasks has read them.
  uint32_t masks[3] = {0, 0, 0};

  bool IsCore() const { return size == kBmpCoreHeaderSize; }
};

// Every reader returns false when the bytes end too early (the ByteReader
// tells how far it wanted to read).

bool ReadBmpFileHeader(ByteReader& r, QvBmpFileHeader& out);
// Reads the header whose size, its first 4 bytes, the caller has just read
// and accepted: 12, or 40 and more. Bytes of a longer header after the masks
// are passed over.
bool ReadBmpHeader(ByteReader& r, uint32_t size, QvBmpHeader& out);
// After a 40-byte header with BI_BITFIELDS: the three masks that follow it.
// Longer headers hold their masks already; nothing is read for them.
bool ReadBmpMasks(ByteReader& r, QvBmpHeader& header);
// A colour table of count entries: RGB triples after a core header, RGB
// quads after an information header. The first keep entries go to colors as
// quads (a triple gets a zero fourth byte); the others must be there and are
// passed over.
bool ReadBmpColors(ByteReader& r, const QvBmpHeader& header, uint64_t count, QvRGBQuad* colors,
                   uint64_t keep);

// Entries of the colour table a header announces: biClrUsed, or when that is
// 0, 2^biBitCount for 1, 4 and 8 bits and none for other depths.
uint64_t BmpColorCount(const QvBitmapInfoHeader& h);

void WriteBmpFileHeader(ByteWriter& w, uint32_t fileSize, uint32_t offBits);
// The 40 bytes of h as they are.
void WriteBmpInfoHeader(ByteWriter& w, const QvBitmapInfoHeader& h);
// The front of a BMP file as this suite writes every one: the file header
// (bfOffBits 54 + 4 x colorCount, bfSize that plus pixelBytes), the
// information header h as it is, and colorCount colour-table entries of 4
// bytes from colorTable. The pixelBytes of pixels are the caller's to add.
void WriteBmpHeaders(ByteWriter& w, const QvBitmapInfoHeader& h, const void* colorTable,
                     uint32_t colorCount, uint32_t pixelBytes);

}  // namespace qm
