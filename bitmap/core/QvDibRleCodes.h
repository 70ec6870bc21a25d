// The run-length codes of BI_RLE8 and BI_RLE4, shared by the decoders and
// the encoders. Codes come in byte pairs: a count above 0 and the pixel
// value it repeats (an encoded run), or 0 and one of the escapes below.
#pragma once

#include <cstdint>

namespace qm::rle {

constexpr uint8_t kEscape = 0;       // first byte of every escape
constexpr uint8_t kEndOfLine = 0;    // to the start of the next row
constexpr uint8_t kEndOfBitmap = 1;  // the picture ends
constexpr uint8_t kDelta = 2;        // two bytes follow: columns right, rows down
// An escape of 3 or more is an absolute run of that many pixels, which
// follow as they are, padded to a 16-bit boundary.
constexpr uint8_t kMinAbsolute = 3;

}  // namespace qm::rle
