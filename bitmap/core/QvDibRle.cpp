#include "bitmap/core/QvDibRle.h"

#include <algorithm>
#include <climits>
#include <cstddef>
#include <cstring>
#include <string>

#include "bitmap/core/QvDibMemory.h"
#include "bitmap/core/QvDibRleCodes.h"

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

// Runs are short (at most 255 bytes): word stores, overlapping at the ends,
// beat the string instructions that a general memset or memcpy of unknown
// length becomes, and runs of up to 16 bytes take no loop.
template <class T>
inline void Store(uint8_t* d, T v) {
  std::memcpy(d, &v, sizeof v);
}

template <class T>
inline T Load(const uint8_t* s) {
  T v;
  std::memcpy(&v, s, sizeof v);
  return v;
}

inline void FillBytes(uint8_t* d, uint8_t v, size_t n) {
  if (n >= 8) {
    const uint64_t w = 0x0101010101010101ull * v;
    Store(d, w);
    for (size_t i = 8; i + 8 < n; i += 8) Store(d + i, w);
    Store(d + n - 8, w);
  } else if (n >= 4) {
    const uint32_t w = 0x01010101u * v;
    Store(d, w);
    Store(d + n - 4, w);
  } else {
    for (size_t i = 0; i < n; ++i) d[i] = v;
  }
}

inline void CopyBytes(uint8_t* d, const uint8_t* s, size_t n) {
  if (n >= 8) {
    const uint64_t last = Load<uint64_t>(s + n - 8);
    for (size_t i = 0; i + 8 < n; i += 8) Store(d + i, Load<uint64_t>(s + i));
    Store(d + n - 8, last);
  } else if (n >= 4) {
    const uint32_t first = Load<uint32_t>(s), last = Load<uint32_t>(s + n - 4);
    Store(d, first);
    Store(d + n - 4, last);
  } else {
    for (size_t i = 0; i < n; ++i) d[i] = s[i];
  }
}

void FillDest(const TQvDIBData& s, TQvDIBData& d, QvPixelMemory& mem, const Geometry& g) {
  TQvDIBData out = s;
  mem.HandTo(out, static_cast<int32_t>(g.stride * g.rows));
  out.Header.biCompression = kBiRgb;
  out.Header.biSizeImage = 0;
  d = out;
}

// What tells BI_RLE8 from BI_RLE4 apart: how pixels are placed in a row
// and taken from the codes, the column limit and the error numbers.
struct Rle8Pixels {
  static constexpr int kBits = 8;
  static constexpr uint32_t kCompression = kBiRle8;
  static constexpr const char* kWho = "Convert8BitRLETo8BitRGB";
  static constexpr int kBadEndOfLine = 1, kBadDelta = 2, kBadAbsolute = 3, kBadRun = 4;
  // Whether each end of line asks for the row after next in advance
  // (measured: it slows this decoder down).
  static constexpr bool kPrefetchRows = false;

  static int64_t ColumnLimit(int64_t width) { return width; }
  // n pixels of value v from column x on.
  static void Fill(uint8_t* row, int64_t x, unsigned n, uint8_t v) { FillBytes(row + x, v, n); }
  // Bytes holding the n pixels of an absolute run, and the bytes the run
  // takes in the codes with its padding to a 16-bit boundary.
  static unsigned AbsoluteBytes(unsigned n) { return n; }
  static unsigned AbsoluteSpan(unsigned n) { return (n + 1) / 2 * 2; }
  static void Copy(uint8_t* row, int64_t x, const uint8_t* p, unsigned n) { CopyBytes(row + x, p, n); }
};

// Pixel x lies in byte x / 2 of the row, in the high nibble when x is even.
// A run repeats the two nibbles of its value by turns.
struct Rle4Pixels {
  static constexpr int kBits = 4;
  static constexpr uint32_t kCompression = kBiRle4;
  static constexpr const char* kWho = "Convert4BitRLETo4BitRGB";
  static constexpr int kBadEndOfLine = 5, kBadDelta = 6, kBadAbsolute = 7, kBadRun = 8;
  // A code covers half as many bytes as at 8 bits, and the processor's own
  // prefetching falls behind the stores (measured: a fifth faster).
  static constexpr bool kPrefetchRows = true;

  // An odd row may use its padding nibble.
  static int64_t ColumnLimit(int64_t width) { return (width + 1) / 2 * 2; }
  static void Fill(uint8_t* row, int64_t x, unsigned n, uint8_t c) {
    uint8_t* b = row + (x >> 1);
    if (x & 1) {  // first pixel into the low nibble, then the pair swaps
      *b++ |= c >> 4;
      --n;
      c = static_cast<uint8_t>((c << 4) | (c >> 4));
    }
    FillBytes(b, c, n >> 1);
    if (n & 1) b[n >> 1] = c & 0xF0;
  }
  static unsigned AbsoluteBytes(unsigned n) { return (n + 1) / 2; }
  static unsigned AbsoluteSpan(unsigned n) { return (n + 3) / 4 * 2; }
  static void Copy(uint8_t* row, int64_t x, const uint8_t* p, unsigned n) {
    uint8_t* b = row + (x >> 1);
    if (!(x & 1)) {
      CopyBytes(b, p, n >> 1);
      if (n & 1) b[n >> 1] = p[n >> 1] & 0xF0;
      return;
    }
    // Each pixel moves one nibble to the right: pixel 0 goes into the low
    // nibble of this byte, pixels 2m-1 and 2m into byte m.
    b[0] |= p[0] >> 4;
    for (unsigned m = 1; 2 * m - 1 < n; ++m) {
      uint8_t lo = 2 * m < n ? static_cast<uint8_t>(p[m] >> 4) : uint8_t{0};
      b[m] = static_cast<uint8_t>((p[m - 1] << 4) | lo);
    }
  }
};

// Asks for the cache lines of n bytes from p on, to be written soon.
inline void PrefetchForWriting(uint8_t* p, int64_t n) {
  for (int64_t i = 0; i < n; i += 64) __builtin_prefetch(p + i, 1);
}

template <class Pixels>
[[noreturn]] void BadData(int number) {
  throw EQvDIBInvalidDIB(std::string(Pixels::kWho) + ": Bad RLE Data " + std::to_string(number));
}

// One decoder for both formats. Every check of a run is made before any of
// it is written; end of line and delta check the position after moving, so
// that an end of line onto the row after the last is allowed and only a
// run there fails.
template <class Pixels>
void Decode(const TQvDIBData& s, TQvDIBData& d, bool useFMO) {
  if (s.Header.biBitCount != Pixels::kBits || s.Header.biCompression != Pixels::kCompression)
    throw EQvDIBBadDIBType(std::string(Pixels::kWho) + ": Invalid Bitcount & Compression Combination");
  const Geometry g = CheckGeometry(s, Pixels::kBits, Pixels::kWho);
  QvPixelMemory mem(g.stride * g.rows, useFMO);
  uint8_t* const out = mem.Bits();
  // The codes are read through locals, which the compiler keeps in
  // registers across the pixel stores (a reader object's fields would be
  // read again after every byte stored).
  const uint8_t* code = s.Bits;
  const uint8_t* const end = s.Bits && s.Size > 0 ? s.Bits + s.Size : s.Bits;
  const int64_t X = Pixels::ColumnLimit(g.width), H = g.rows;
  int64_t x = 0, y = 0;
  uint8_t* row = out;
  while (end - code >= 2) {
    const unsigned first = code[0], second = code[1];
    code += 2;
    if (first != rle::kEscape) {
      if (x + first > X || y >= H) BadData<Pixels>(Pixels::kBadRun);
      Pixels::Fill(row, x, first, static_cast<uint8_t>(second));
      x += first;
    } else if (second == rle::kEndOfLine) {
      x = 0;
      ++y;
      if (y > H) BadData<Pixels>(Pixels::kBadEndOfLine);
      row = out + y * g.stride;
      if (Pixels::kPrefetchRows && y + 2 < H) PrefetchForWriting(row + 2 * g.stride, g.stride);
    } else if (second == rle::kEndOfBitmap) {
      break;
    } else if (second == rle::kDelta) {
      if (end - code < 2) break;
      x += code[0];
      y += code[1];
      code += 2;
      if (x > X || y > H) BadData<Pixels>(Pixels::kBadDelta);
      row = out + y * g.stride;
    } else {
      const unsigned n = second;  // an absolute run
      if (x + n > X || y >= H) BadData<Pixels>(Pixels::kBadAbsolute);
      const unsigned bytes = Pixels::AbsoluteBytes(n);
      if (end - code < static_cast<ptrdiff_t>(bytes)) break;  // the data ends inside the run
      Pixels::Copy(row, x, code, n);
      // Then the padding to a 16-bit boundary, as far as the data goes.
      code += std::min<ptrdiff_t>(Pixels::AbsoluteSpan(n), end - code);
      x += n;
    }
  }
  FillDest(s, d, mem, g);
}

}  // namespace

void Convert8BitRLETo8BitRGB(const TQvDIBData& s, TQvDIBData& d, bool useFMO) {
  Decode<Rle8Pixels>(s, d, useFMO);
}

void Convert4BitRLETo4BitRGB(const TQvDIBData& s, TQvDIBData& d, bool useFMO) {
  Decode<Rle4Pixels>(s, d, useFMO);
}

}  // namespace qm
