// Encoders of plain 8- and 4-bit rows to BI_RLE8 and BI_RLE4.
//
// Each row is cut into groups of units (a pixel at 8 bits, a byte of two
// pixels at 4 bits) as a small state machine would cut it, unit by unit:
//   empty   - the unit is pending alone;
//   one     - the same unit again makes a run of 2, another one a literal of
//             the two;
//   run     - the same unit extends it up to the limit L; anything else
//             writes it and starts again;
//   literal - a unit unlike the last one joins it up to L units; a unit like
//             the last one takes that one back, writes the rest and makes a
//             run of 2 with it; a literal of L units is written and starts
//             again.
// At the end of a row the pending group is written, then the end of line.
// The code below takes whole runs and literals at a time and cuts exactly
// the same groups.
#include <algorithm>
#include <bit>
#include <cstring>
#include <memory>
#include <new>
#include <string>

#include "bitmap/core/QvDibConvertGeometry.h"
#include "bitmap/core/QvDibRle.h"
#include "bitmap/core/QvDibRleCodes.h"

static_assert(std::endian::native == std::endian::little,
              "the word scans below take the first byte as the lowest");

namespace qm {

namespace {

// The encoded bytes, never more than the uncompressed size: every writer
// asks for its room first and the encoding fails when it is short. The room
// asked keeps space for the end-of-line and end-of-bitmap codes that must
// still follow.
class CodeOutput {
 public:
  CodeOutput(uint8_t* buffer, size_t limit, const char* who) : out_(buffer), limit_(limit), who_(who) {}
  size_t Size() const { return size_; }
  void Need(size_t room) const {
    if (limit_ - size_ < room) throw EQvDIBCompressionFailed(std::string(who_) + ": Compression Failed");
  }
  void Pair(uint8_t first, uint8_t second) {
    out_[size_] = first;
    out_[size_ + 1] = second;
    size_ += 2;
  }
  // n units as they are, padded to a 16-bit boundary.
  void Units(const uint8_t* units, size_t n) {
    std::memcpy(out_ + size_, units, n);
    size_ += n;
    if (n & 1) out_[size_++] = 0;
  }
  void EndOfLine() {
    Need(4);
    Pair(rle::kEscape, rle::kEndOfLine);
  }
  void EndOfBitmap() {
    Need(2);
    Pair(rle::kEscape, rle::kEndOfBitmap);
  }

 private:
  uint8_t* out_;
  size_t size_ = 0;
  size_t limit_;
  const char* who_;
};

size_t EvenUp(size_t n) { return (n + 1) / 2 * 2; }

// BI_RLE8: a unit is a pixel; counts are pixels.
struct Rle8 {
  static constexpr int kBits = 8;
  static constexpr size_t kLimit = 255;
  static constexpr const char* kWho = "Convert8BitRGBTo8BitRLE";
  static constexpr uint32_t kCompression = kBiRle8;

  explicit Rle8(int64_t) {}
  static size_t Units(int64_t width) { return static_cast<size_t>(width); }
  void StartRow() {}
  void Run(CodeOutput& out, uint8_t unit, size_t count) {
    out.Need(6);
    out.Pair(static_cast<uint8_t>(count), unit);
  }
  void Absolute(CodeOutput& out, const uint8_t* units, size_t n) {
    QvAssert(n > 0, "Convert8BitRGBTo8BitRLE: WriteAbsolute Error");
    out.Need(EvenUp(n) + 6);
    if (n < rle::kMinAbsolute) {  // too short for an absolute run
      for (size_t i = 0; i < n; ++i) Run(out, units[i], 1);
      return;
    }
    out.Pair(rle::kEscape, static_cast<uint8_t>(n));
    out.Units(units, n);
  }
};

// BI_RLE4: a unit is a byte of two pixels, but counts are pixels, cut at
// the end of the row (the last byte of an odd row holds one pixel).
struct Rle4 {
  static constexpr int kBits = 4;
  static constexpr size_t kLimit = 127;
  static constexpr const char* kWho = "Convert4BitRGBTo4BitRLE";
  static constexpr uint32_t kCompression = kBiRle4;

  explicit Rle4(int64_t w) : width(w) {}
  static size_t Units(int64_t width) { return static_cast<size_t>((width + 1) / 2); }
  void StartRow() { written = 0; }
  uint8_t Pixels(size_t units) {
    const int64_t n = std::min<int64_t>(2 * static_cast<int64_t>(units), width - written);
    written += n;
    return static_cast<uint8_t>(n);
  }
  void Run(CodeOutput& out, uint8_t unit, size_t count) {
    out.Need(6);
    out.Pair(Pixels(count), unit);
  }
  void Absolute(CodeOutput& out, const uint8_t* units, size_t n) {
    QvAssert(n > 0, "Convert4BitRGBTo4BitRLE: WriteAbsolute Error");
    out.Need(EvenUp(n) + 6);
    if (n == 1) {  // two pixels at most: too short for an absolute run
      Run(out, units[0], 1);
      return;
    }
    out.Pair(rle::kEscape, Pixels(n));
    out.Units(units, n);
  }

  int64_t width;
  int64_t written = 0;  // pixels of the row written so far
};

// How many units from p on (at most n) equal the first.
inline size_t RunLength(const uint8_t* p, size_t n) {
  const uint64_t pattern = 0x0101010101010101ull * p[0];
  size_t i = 1;
  while (i + 8 <= n) {
    uint64_t w;
    std::memcpy(&w, p + i, 8);
    const uint64_t diff = w ^ pattern;
    if (diff) return i + static_cast<size_t>(std::countr_zero(diff) / 8);
    i += 8;
  }
  while (i < n && p[i] == p[0]) ++i;
  return i;
}

// The first j in from .. to - 1 where u[j] equals u[j - 1], or to.
inline size_t FirstRepeat(const uint8_t* u, size_t from, size_t to) {
  size_t j = from;
  while (j + 8 <= to) {
    uint64_t a, b;
    std::memcpy(&a, u + j, 8);
    std::memcpy(&b, u + j - 1, 8);
    // The lowest zero byte of a ^ b is found exactly (higher ones may be
    // false alarms, which are never looked at).
    const uint64_t x = a ^ b;
    const uint64_t zero = (x - 0x0101010101010101ull) & ~x & 0x8080808080808080ull;
    if (zero) return j + static_cast<size_t>(std::countr_zero(zero) / 8);
    j += 8;
  }
  while (j < to && u[j] != u[j - 1]) ++j;
  return j;
}

template <class Format>
void EncodeRow(Format& f, CodeOutput& out, const uint8_t* u, size_t n) {
  constexpr size_t L = Format::kLimit;
  f.StartRow();
  size_t i = 0;
  while (i < n) {
    const uint8_t v = u[i];
    size_t r = RunLength(u + i, n - i);
    // Full runs first; a single unit left over starts a literal.
    while (r > L) {
      f.Run(out, v, L);
      i += L;
      r -= L;
    }
    if (r >= 2) {
      f.Run(out, v, r);
      i += r;
      continue;
    }
    if (i + 1 == n) {
      f.Run(out, v, 1);
      break;
    }
    // A literal: it grows while each unit differs from the one before, up
    // to L units.
    const size_t j = FirstRepeat(u, i + 2, std::min(n, i + L));
    if (j < n && u[j] == u[j - 1]) {
      // Its last unit goes back to start a run with the repeat.
      f.Absolute(out, u + i, j - 1 - i);
      i = j - 1;
    } else {
      f.Absolute(out, u + i, j - i);
      i = j;
    }
  }
  out.EndOfLine();
}

template <class Format>
void Encode(const TQvDIBData& s, TQvDIBData& d, bool useFMO) {
  const QvConvertGeometry g = ConvertGeometry(s, Format::kBits, Format::kWho);
  const size_t limit = static_cast<size_t>(g.dstBytes);
  std::unique_ptr<uint8_t[]> bytes(new (std::nothrow) uint8_t[limit]);
  if (!bytes) throw EQvOutOfMemory("Out of memory");
  CodeOutput out(bytes.get(), limit, Format::kWho);
  Format f(g.width);
  const size_t units = Format::Units(g.width);
  // Bottom row first: a top-down source is read from its last memory row.
  const bool topDown = s.Header.biHeight < 0;
  for (int64_t r = 0; r < g.rows; ++r)
    EncodeRow(f, out, SourceRow(s, g, topDown ? g.rows - 1 - r : r), units);
  out.EndOfBitmap();

  const size_t size = out.Size();
  QvPixelMemory mem(static_cast<int64_t>(size), useFMO);
  std::memcpy(mem.Bits(), bytes.get(), size);
  TQvDIBData result = s;
  result.Header.biHeight = static_cast<int32_t>(g.rows);
  result.Header.biCompression = Format::kCompression;
  result.Header.biSizeImage = static_cast<uint32_t>(size);
  mem.HandTo(result, static_cast<int32_t>(size));
  d = result;
}

template <void (*Fn)(const TQvDIBData&, TQvDIBData&, bool)>
void Step(const TQvDIBData& s, TQvDIBData& d, bool useFMO, const QvConvertContext&) {
  Fn(s, d, useFMO);
}

}  // namespace

void Convert8BitRGBTo8BitRLE(const TQvDIBData& s, TQvDIBData& d, bool useFMO) {
  if (s.Header.biBitCount != 8 || s.Header.biCompression != kBiRgb)
    throw EQvDIBBadDIBType("Convert8BitRGBTo8BitRLE: Invalid Bitcount & Compression Combination");
  Encode<Rle8>(s, d, useFMO);
}

void Convert4BitRGBTo4BitRLE(const TQvDIBData& s, TQvDIBData& d, bool useFMO) {
  if (s.Header.biBitCount != 4 || s.Header.biCompression != kBiRgb)
    throw EQvDIBBadDIBType("Convert4BitRGBTo4BitRLE: Invalid Bitcount & Compression Combination");
  Encode<Rle4>(s, d, useFMO);
}

void AddRleEncoders(QvConversionTable& t) {
  SetConversion(t, QvConversion::kEncode8, &Step<Convert8BitRGBTo8BitRLE>);
  SetConversion(t, QvConversion::kEncode4, &Step<Convert4BitRGBTo4BitRLE>);
}

}  // namespace qm
