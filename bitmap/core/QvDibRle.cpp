#include "bitmap/core/QvDibRle.h"

#include <climits>
#include <cstddef>
#include <cstring>

#include "bitmap/core/QvDibMemory.h"
#include "core/ByteReader.h"

namespace qm {

namespace {

struct Geometry {
  int64_t width;
  int64_t rows;
  int64_t stride;
};

Geometry CheckGeometry(const TQvDIBData& s, int bits, const char* who) {
  const QvBitmapInfoHeader& h = s.Header;
  if (h.biWidth <= 0 || h.biHeight == 0 || h.biHeight == INT32_MIN)
    throw EQvDIBInvalidDIB(std::string(who) + ": Invalid Width or Height");
  Geometry g;
  g.width = h.biWidth;
  g.rows = h.biHeight < 0 ? -int64_t{h.biHeight} : int64_t{h.biHeight};
  g.stride = DibStride(g.width, bits);
  if (DibImageBytes(g.width, bits, g.rows) > kMaxPixelBytes)
    throw EQvDIBInvalidDIB(std::string(who) + ": Image is too large");
  return g;
}

// Runs are short (at most 255 bytes): word stores beat the string
// instructions that a general memset or memcpy of unknown length becomes.
inline void FillBytes(uint8_t* d, uint8_t v, size_t n) {
  if (n >= 8) {
    const uint64_t w = 0x0101010101010101ull * v;
    size_t i = 0;
    for (; i + 8 <= n; i += 8) std::memcpy(d + i, &w, 8);
    if (i < n) std::memcpy(d + n - 8, &w, 8);
  } else {
    for (size_t i = 0; i < n; ++i) d[i] = v;
  }
}

inline void CopyBytes(uint8_t* d, const uint8_t* s, size_t n) {
  if (n >= 8) {
    uint64_t w;
    size_t i = 0;
    for (; i + 8 <= n; i += 8) {
      std::memcpy(&w, s + i, 8);
      std::memcpy(d + i, &w, 8);
    }
    if (i < n) {
      std::memcpy(&w, s + n - 8, 8);
      std::memcpy(d + n - 8, &w, 8);
    }
  } else {
    for (size_t i = 0; i < n; ++i) d[i] = s[i];
  }
}

// The encoded bytes of a source DIB.
ByteReader Codes(const TQvDIBData& s) {
  return ByteReader(s.Bits, s.Bits && s.Size > 0 ? static_cast<size_t>(s.Size) : 0);
}

void FillDest(const TQvDIBData& s, TQvDIBData& d, QvPixelMemory& mem, const Geometry& g) {
  TQvDIBData out = s;
  mem.HandTo(out, static_cast<int32_t>(g.stride * g.rows));
  out.Header.biCompression = kBiRgb;
  out.Header.biSizeImage = 0;
  d = out;
}

}  // namespace

void Convert8BitRLETo8BitRGB(const TQvDIBData& s, TQvDIBData& d, bool useFMO) {
  if (s.Header.biBitCount != 8 || s.Header.biCompression != kBiRle8)
    throw EQvDIBBadDIBType("Convert8BitRLETo8BitRGB: Invalid Bitcount & Compression Combination");
  const Geometry g = CheckGeometry(s, 8, "Convert8BitRLETo8BitRGB");
  QvPixelMemory mem(g.stride * g.rows, useFMO);
  uint8_t* const out = mem.Bits();
  ByteReader codes = Codes(s);
  const int64_t W = g.width, H = g.rows;
  int64_t x = 0, y = 0;
  uint8_t* row = out;
  const uint8_t* pair;
  while (codes.ReadInPlace(2, pair)) {
    const unsigned first = pair[0], second = pair[1];
    if (first) {
      if (x + first > W || y >= H) throw EQvDIBInvalidDIB("Convert8BitRLETo8BitRGB: Bad RLE Data 4");
      FillBytes(row + x, static_cast<uint8_t>(second), first);
      x += first;
    } else if (second == 0) {
      x = 0;
      ++y;
      if (y > H) throw EQvDIBInvalidDIB("Convert8BitRLETo8BitRGB: Bad RLE Data 1");
      row = out + y * g.stride;
    } else if (second == 1) {
      break;
    } else if (second == 2) {
      uint16_t delta;
      if (!codes.ReadU16(delta)) break;
      x += delta & 0xFF;
      y += delta >> 8;
      if (x > W || y > H) throw EQvDIBInvalidDIB("Convert8BitRLETo8BitRGB: Bad RLE Data 2");
      row = out + y * g.stride;
    } else {
      if (x + second > W || y >= H) throw EQvDIBInvalidDIB("Convert8BitRLETo8BitRGB: Bad RLE Data 3");
      const uint8_t* run;
      if (!codes.ReadInPlace(second, run)) break;  // the data ends inside the run
      CopyBytes(row + x, run, second);
      codes.SkipAtMost(second & 1);  // padding to a 16-bit boundary
      x += second;
    }
  }
  FillDest(s, d, mem, g);
}

void Convert4BitRLETo4BitRGB(const TQvDIBData& s, TQvDIBData& d, bool useFMO) {
  if (s.Header.biBitCount != 4 || s.Header.biCompression != kBiRle4)
    throw EQvDIBBadDIBType("Convert4BitRLETo4BitRGB: Invalid Bitcount & Compression Combination");
  const Geometry g = CheckGeometry(s, 4, "Convert4BitRLETo4BitRGB");
  QvPixelMemory mem(g.stride * g.rows, useFMO);
  uint8_t* const out = mem.Bits();
  ByteReader codes = Codes(s);
  const int64_t H = g.rows;
  const int64_t X = (g.width + 1) / 2 * 2;  // an odd row may use its padding nibble
  int64_t x = 0, y = 0;
  uint8_t* row = out;
  const uint8_t* pair;
  while (codes.ReadInPlace(2, pair)) {
    const unsigned first = pair[0], second = pair[1];
    if (first) {
      if (x + first > X || y >= H) throw EQvDIBInvalidDIB("Convert4BitRLETo4BitRGB: Bad RLE Data 8");
      unsigned n = first;
      uint8_t* b = row + (x >> 1);
      uint8_t c = static_cast<uint8_t>(second);
      if (x & 1) {  // first pixel into the low nibble, then the pair swaps
        *b++ |= c >> 4;
        --n;
        c = static_cast<uint8_t>((c << 4) | (c >> 4));
      }
      FillBytes(b, c, n >> 1);
      if (n & 1) b[n >> 1] = c & 0xF0;
      x += first;
    } else if (second == 0) {
      x = 0;
      ++y;
      if (y > H) throw EQvDIBInvalidDIB("Convert4BitRLETo4BitRGB: Bad RLE Data 5");
      row = out + y * g.stride;
    } else if (second == 1) {
      break;
    } else if (second == 2) {
      uint16_t delta;
      if (!codes.ReadU16(delta)) break;
      x += delta & 0xFF;
      y += delta >> 8;
      if (x > X || y > H) throw EQvDIBInvalidDIB("Convert4BitRLETo4BitRGB: Bad RLE Data 6");
      row = out + y * g.stride;
    } else {
      unsigned n = second;
      if (x + n > X || y >= H) throw EQvDIBInvalidDIB("Convert4BitRLETo4BitRGB: Bad RLE Data 7");
      const unsigned inBytes = (n + 1) / 2;
      const uint8_t* p;
      if (!codes.ReadInPlace(inBytes, p)) break;  // the data ends inside the run
      uint8_t* b = row + (x >> 1);
      if (!(x & 1)) {
        CopyBytes(b, p, n >> 1);
        if (n & 1) b[n >> 1] = p[n >> 1] & 0xF0;
      } else {
        // Each pixel moves one nibble to the right: pixel 0 goes into the
        // low nibble of this byte, pixels 2m-1 and 2m into byte m.
        b[0] |= p[0] >> 4;
        for (unsigned m = 1; 2 * m - 1 < n; ++m) {
          uint8_t lo = 2 * m < n ? static_cast<uint8_t>(p[m] >> 4) : uint8_t{0};
          b[m] = static_cast<uint8_t>((p[m - 1] << 4) | lo);
        }
      }
      codes.SkipAtMost((n + 3) / 4 * 2 - inBytes);  // padding to a 16-bit boundary
      x += n;
    }
  }
  FillDest(s, d, mem, g);
}

}  // namespace qm
