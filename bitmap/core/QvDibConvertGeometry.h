// Ground shared by the pixel converters: the geometry of a plain source,
// checked against its pixel memory and the library's size limit before
// anything is allocated, the result record, and pixel access.
#pragma once

#include <cstdint>

#include "bitmap/core/QvDibMemory.h"
#include "bitmap/core/QvDibTypes.h"

namespace qm {

struct QvConvertGeometry {
  int64_t width;      // pixels a row
  int64_t rows;       // |biHeight|
  int64_t srcStride;  // bytes a source row
  int64_t dstStride;  // bytes a result row
  int64_t dstBytes;   // dstStride x rows
};

// The geometry of converting the plain DIB s to dstBits per pixel. Sizes are
// 64-bit; a picture whose source or result exceeds the library's size limit
// raises EQvDIBInvalidDIB "<who>: Image is too large", a source whose pixel
// memory does not hold every row "<who>: Pixel Data is too short", and a
// width or height of 0 "<who>: Invalid Width or Height".
QvConvertGeometry ConvertGeometry(const TQvDIBData& s, int dstBits, const char* who);

// Fills d with s's record carrying the converted pixels: bit count bits,
// compression BI_RGB, image size 0, and the memory of mem (size bytes),
// which d now owns.
void HandOverResult(const TQvDIBData& s, TQvDIBData& d, QvPixelMemory& mem, int bits,
                    int64_t size);

// Memory row n of a plain DIB.
inline const uint8_t* SourceRow(const TQvDIBData& s, const QvConvertGeometry& g, int64_t n) {
  return s.Bits + g.srcStride * n;
}

// The colour index of pixel x of a 1-, 4- or 8-bit row (left pixel in the
// most significant bit or the high nibble).
inline unsigned IndexAt(const uint8_t* row, int64_t x, int bits) {
  switch (bits) {
    case 1: return (row[x >> 3] >> (7 - (x & 7))) & 1u;
    case 4: return (x & 1) ? row[x >> 1] & 0x0Fu : unsigned{row[x >> 1]} >> 4;
    default: return row[x];
  }
}

}  // namespace qm
