#include "bitmap/core/QvDibReduce.h"

#include <cstring>
#include <memory>
#include <new>
#include <vector>

#include "bitmap/core/QvDibConvertGeometry.h"
#include "bitmap/core/QvDibSplit.h"

namespace qm {

namespace {

// A working table; a shortage of memory is the library's out-of-memory error.
template <class T>
std::vector<T> WorkTable(size_t n) {
  try {
    return std::vector<T>(n);
  } catch (const std::bad_alloc&) {
    throw EQvOutOfMemory("Out of memory");
  }
}

// Writes index v for pixel x of a zero-filled row of Depth bits.
template <int Depth>
inline void PutIndex(uint8_t* row, int64_t x, unsigned v) {
  if constexpr (Depth == 8) {
    row[x] = static_cast<uint8_t>(v);
  } else if (x & 1) {
    row[x >> 1] = static_cast<uint8_t>(row[x >> 1] | (v & 0x0F));
  } else {
    row[x >> 1] = static_cast<uint8_t>((v & 0x0F) << 4);
  }
}

// The result: the converted pixels with count palette entries.
void HandOverReduced(const TQvDIBData& s, TQvDIBData& d, QvPixelMemory& mem, int bits,
                     int64_t size, const QvRGBQuad* palette, int32_t count) {
  TQvDIBData out;
  HandOverResult(s, out, mem, bits, size);
  std::memset(out.Colors, 0, 256 * sizeof(QvRGBQuad));
  std::memcpy(out.Colors, palette, static_cast<size_t>(count) * sizeof(QvRGBQuad));
  out.Header.biClrUsed = static_cast<uint32_t>(count);
  d = out;
}

// The histogram cell of a colour: 5 bits red, 6 green, 5 blue.
inline unsigned CellOf(unsigned red, unsigned green, unsigned blue) {
  return (red >> 3) * 2048 + (green >> 2) * 32 + (blue >> 3);
}

template <int Depth>
void ReduceLow(const TQvDIBData& s, TQvDIBData& d, const QvProgressCallback& progress,
               bool useFMO, const char* who) {
  const QvConvertGeometry g = ConvertGeometry(s, Depth, who);
  constexpr unsigned kCells = 65536;
  std::vector<QvColorCell> cells = WorkTable<QvColorCell>(kCells);
  // Each cell sums the low bits that it drops, to give its mean colour.
  for (unsigned i = 0; i < kCells; ++i) cells[i].number = static_cast<int32_t>(i);
  for (int64_t y = 0; y < g.rows; ++y) {
    const uint8_t* p = SourceRow(s, g, y);
    for (int64_t x = 0; x < g.width; ++x, p += 3) {
      QvColorCell& c = cells[CellOf(p[2], p[1], p[0])];
      c.red += p[2] & 7;
      c.green += p[1] & 3;
      c.blue += p[0] & 7;
      ++c.weight;
    }
  }
  // The used cells, in ascending order, with their mean colours.
  int32_t used = 0;
  for (unsigned i = 0; i < kCells; ++i) {
    QvColorCell c = cells[i];
    if (c.weight == 0) continue;
    const int32_t red = static_cast<int32_t>(i >> 11) * 8;
    const int32_t green = static_cast<int32_t>((i >> 5) & 63) * 4;
    const int32_t blue = static_cast<int32_t>(i & 31) * 8;
    c.red = c.red / c.weight + red;
    c.green = c.green / c.weight + green;
    c.blue = c.blue / c.weight + blue;
    cells[static_cast<size_t>(used++)] = c;
  }
  QvRGBQuad palette[256] = {};
  int32_t count = 0;
  SplitColorCells(0, used, 0, progress, count, palette, cells.data(), Depth);
  std::vector<uint8_t> map = WorkTable<uint8_t>(kCells);
  for (int32_t i = 0; i < used; ++i)
    map[static_cast<size_t>(cells[static_cast<size_t>(i)].number)] =
        static_cast<uint8_t>(cells[static_cast<size_t>(i)].weight);
  cells = std::vector<QvColorCell>();

  QvPixelMemory mem(g.dstBytes, useFMO);
  for (int64_t y = 0; y < g.rows; ++y) {
    const uint8_t* p = SourceRow(s, g, y);
    uint8_t* dst = mem.Bits() + g.dstStride * y;
    for (int64_t x = 0; x < g.width; ++x, p += 3) PutIndex<Depth>(dst, x, map[CellOf(p[2], p[1], p[0])]);
  }
  HandOverReduced(s, d, mem, Depth, g.dstBytes, palette, count);
}

template <int Depth>
void ReduceHigh(const TQvDIBData& s, TQvDIBData& d, const QvProgressCallback& progress,
                bool useFMO, const char* who) {
  const QvConvertGeometry g = ConvertGeometry(s, Depth, who);
  // One entry of 3 bytes a pixel, its size reckoned in 64 bits.
  const int64_t pixels = g.width * g.rows;
  if (pixels * 3 > kMaxPixelBytes) throw EQvDIBInvalidDIB(std::string(who) + ": Image is too large");
  QvRGBQuad palette[256] = {};
  int32_t count = 0;
  QvSplitTree tree(Depth);
  {
    // Left uninitialised: the rows fill it whole.
    std::unique_ptr<QvPixelEntry[]> list(new (std::nothrow) QvPixelEntry[static_cast<size_t>(pixels)]);
    if (!list) throw EQvOutOfMemory("Out of memory");
    QvPixelEntry* e = list.get();
    for (int64_t y = 0; y < g.rows; ++y) {
      std::memcpy(e, SourceRow(s, g, y), static_cast<size_t>(g.width) * 3);
      e += g.width;
    }
    SplitPixelList(0, pixels, 0, progress, 0, tree, count, palette, list.get(), Depth);
  }  // the pixel list goes as soon as the tree is built
  const QvSplitWalker walker(tree);
  QvPixelMemory mem(g.dstBytes, useFMO);
  for (int64_t y = 0; y < g.rows; ++y) {
    const uint8_t* p = SourceRow(s, g, y);
    uint8_t* dst = mem.Bits() + g.dstStride * y;
    for (int64_t x = 0; x < g.width; ++x, p += 3) PutIndex<Depth>(dst, x, walker.Index(p[2], p[1], p[0]));
  }
  HandOverReduced(s, d, mem, Depth, g.dstBytes, palette, count);
}

}  // namespace

void ConvertTrueColorTo8BitRGBLow(const TQvDIBData& s, TQvDIBData& d,
                                  const QvProgressCallback& progress, bool useFMO) {
  if (s.Header.biBitCount != 24) throw EQvDIBBadDIBType("ConvertTrueColorTo8BitRGBLow: Invalid Bitcount");
  ReduceLow<8>(s, d, progress, useFMO, "ConvertTrueColorTo8BitRGBLow");
}

void ConvertTrueColorTo4BitRGBLow(const TQvDIBData& s, TQvDIBData& d,
                                  const QvProgressCallback& progress, bool useFMO) {
  if (s.Header.biBitCount != 24) throw EQvDIBBadDIBType("ConvertTrueColorTo4BitRGBLow: Invalid Bitcount");
  ReduceLow<4>(s, d, progress, useFMO, "ConvertTrueColorTo4BitRGBLow");
}

void ConvertTrueColorTo8BitRGBHigh(const TQvDIBData& s, TQvDIBData& d,
                                   const QvProgressCallback& progress, bool useFMO) {
  if (s.Header.biBitCount != 24) throw EQvDIBBadDIBType("ConvertTrueColorTo8BitRGBHigh: Invalid Bitcount");
  ReduceHigh<8>(s, d, progress, useFMO, "ConvertTrueColorTo8BitRGBHigh");
}

void ConvertTrueColorTo4BitRGBHigh(const TQvDIBData& s, TQvDIBData& d,
                                   const QvProgressCallback& progress, bool useFMO) {
  if (s.Header.biBitCount != 24) throw EQvDIBBadDIBType("ConvertTrueColorTo4BitRGBHigh: Invalid Bitcount");
  ReduceHigh<4>(s, d, progress, useFMO, "ConvertTrueColorTo4BitRGBHigh");
}

void Convert8BitRGBTo4BitRGB(const TQvDIBData& s, TQvDIBData& d,
                             const QvProgressCallback& progress, bool useFMO) {
  if (s.Header.biBitCount != 8 || s.Header.biCompression != kBiRgb)
    throw EQvDIBBadDIBType("Convert8BitRGBTo4BitRGB: Invalid Bitcount or Compression");
  const QvConvertGeometry g = ConvertGeometry(s, 4, "Convert8BitRGBTo4BitRGB");
  // Cell i: colour-table entry i, weighted by the pixels of index i.
  QvColorCell cells[256];
  for (int i = 0; i < 256; ++i)
    cells[i] = QvColorCell{s.Colors[i].rgbRed, s.Colors[i].rgbGreen, s.Colors[i].rgbBlue, 0, i};
  for (int64_t y = 0; y < g.rows; ++y) {
    const uint8_t* p = SourceRow(s, g, y);
    for (int64_t x = 0; x < g.width; ++x) ++cells[p[x]].weight;
  }
  int32_t used = 0;
  for (int i = 0; i < 256; ++i)
    if (cells[i].weight > 0) cells[used++] = cells[i];
  QvRGBQuad palette[256] = {};
  int32_t count = 0;
  SplitColorCells(0, used, 0, progress, count, palette, cells, 4);
  uint8_t map[256] = {};
  for (int32_t i = 0; i < used; ++i) map[cells[i].number] = static_cast<uint8_t>(cells[i].weight);

  QvPixelMemory mem(g.dstBytes, useFMO);
  for (int64_t y = 0; y < g.rows; ++y) {
    const uint8_t* p = SourceRow(s, g, y);
    uint8_t* dst = mem.Bits() + g.dstStride * y;
    for (int64_t x = 0; x < g.width; ++x) PutIndex<4>(dst, x, map[p[x]]);
  }
  HandOverReduced(s, d, mem, 4, g.dstBytes, palette, count);
}

namespace {

template <void (*Fn)(const TQvDIBData&, TQvDIBData&, const QvProgressCallback&, bool)>
void Step(const TQvDIBData& s, TQvDIBData& d, bool useFMO, const QvConvertContext& ctx) {
  static const QvProgressCallback kNone;
  Fn(s, d, ctx.progress ? *ctx.progress : kNone, useFMO);
}

}  // namespace

void AddColorReductions(QvConversionTable& t) {
  using C = QvConversion;
  SetConversion(t, C::k24To8Low, &Step<ConvertTrueColorTo8BitRGBLow>);
  SetConversion(t, C::k24To4Low, &Step<ConvertTrueColorTo4BitRGBLow>);
  SetConversion(t, C::k24To8High, &Step<ConvertTrueColorTo8BitRGBHigh>);
  SetConversion(t, C::k24To4High, &Step<ConvertTrueColorTo4BitRGBHigh>);
  SetConversion(t, C::k8To4, &Step<Convert8BitRGBTo4BitRGB>);
}

}  // namespace qm
