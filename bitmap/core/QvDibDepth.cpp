#include "bitmap/core/QvDibDepth.h"

#include <cstring>

#include "bitmap/core/QvDibConvertGeometry.h"

namespace qm {

namespace {

// Sets pixel x of a zero-filled row to index v.
template <int Bits>
inline void PutIndex(uint8_t* row, int64_t x, unsigned v) {
  if constexpr (Bits == 1) {
    if (v) row[x >> 3] = static_cast<uint8_t>(row[x >> 3] | (0x80u >> (x & 7)));
  } else if constexpr (Bits == 4) {
    row[x >> 1] = static_cast<uint8_t>(row[x >> 1] | ((x & 1) ? v : v << 4));
  } else {
    row[x] = static_cast<uint8_t>(v);
  }
}

// Indices of SrcBits rewritten in the packing of DstBits.
template <int SrcBits, int DstBits>
void Widen(const TQvDIBData& s, TQvDIBData& d, bool useFMO, const char* who) {
  const QvConvertGeometry g = ConvertGeometry(s, DstBits, who);
  QvPixelMemory mem(g.dstBytes, useFMO);
  for (int64_t y = 0; y < g.rows; ++y) {
    const uint8_t* src = SourceRow(s, g, y);
    uint8_t* dst = mem.Bits() + g.dstStride * y;
    for (int64_t x = 0; x < g.width; ++x) PutIndex<DstBits>(dst, x, IndexAt(src, x, SrcBits));
  }
  HandOverResult(s, d, mem, DstBits, g.dstBytes);
}

template <int SrcBits>
void ToTrueColor(const TQvDIBData& s, TQvDIBData& d, bool useFMO, const char* who) {
  const QvConvertGeometry g = ConvertGeometry(s, 24, who);
  QvPixelMemory mem(g.dstBytes, useFMO);
  for (int64_t y = 0; y < g.rows; ++y) {
    const uint8_t* src = SourceRow(s, g, y);
    uint8_t* dst = mem.Bits() + g.dstStride * y;
    for (int64_t x = 0; x < g.width; ++x) {
      const QvRGBQuad& c = s.Colors[IndexAt(src, x, SrcBits)];
      dst[3 * x] = c.rgbBlue;
      dst[3 * x + 1] = c.rgbGreen;
      dst[3 * x + 2] = c.rgbRed;
    }
  }
  HandOverResult(s, d, mem, 24, g.dstBytes);
}

bool IsKey(uint8_t red, uint8_t green, uint8_t blue, uint32_t key) {
  return red == (key & 0xFF) && green == ((key >> 8) & 0xFF) && blue == ((key >> 16) & 0xFF);
}

// The 1-bit result's colour table: black, then white.
void SetBlackAndWhite(TQvDIBData& d) {
  std::memset(d.Colors, 0, 256 * sizeof(QvRGBQuad));
  d.Colors[1] = QvRGBQuad{255, 255, 255, 0};
  d.Header.biClrUsed = 2;
}

template <int SrcBits>
void ToOneBit(const TQvDIBData& s, TQvDIBData& d, uint32_t key, bool useFMO, const char* who) {
  const QvConvertGeometry g = ConvertGeometry(s, 1, who);
  QvPixelMemory mem(g.dstBytes, useFMO);
  bool keyIndex[256] = {};
  if constexpr (SrcBits != 24) {
    for (int i = 0; i < 256; ++i)
      keyIndex[i] = IsKey(s.Colors[i].rgbRed, s.Colors[i].rgbGreen, s.Colors[i].rgbBlue, key);
  }
  for (int64_t y = 0; y < g.rows; ++y) {
    const uint8_t* src = SourceRow(s, g, y);
    uint8_t* dst = mem.Bits() + g.dstStride * y;
    for (int64_t x = 0; x < g.width; ++x) {
      bool on;
      if constexpr (SrcBits == 24) on = IsKey(src[3 * x + 2], src[3 * x + 1], src[3 * x], key);
      else on = keyIndex[IndexAt(src, x, SrcBits)];
      PutIndex<1>(dst, x, on ? 1 : 0);
    }
  }
  TQvDIBData out;
  HandOverResult(s, out, mem, 1, g.dstBytes);
  SetBlackAndWhite(out);
  d = out;
}

bool IsPlain(const TQvDIBData& s, int bits) {
  return s.Header.biBitCount == bits && s.Header.biCompression == kBiRgb;
}

}  // namespace

void Convert4BitRGBTo8BitRGB(const TQvDIBData& s, TQvDIBData& d, bool useFMO) {
  if (!IsPlain(s, 4))
    throw EQvDIBBadDIBType("Convert4BitRGBTo8BitRGB: Invalid Bitcount & Compression Combination");
  Widen<4, 8>(s, d, useFMO, "Convert4BitRGBTo8BitRGB");
}

void Convert1BitRGBTo8BitRGB(const TQvDIBData& s, TQvDIBData& d, bool useFMO) {
  if (!IsPlain(s, 1))
    throw EQvDIBBadDIBType("Convert1BitRGBTo8BitRGB: Invalid Bitcount & Compression Combination");
  Widen<1, 8>(s, d, useFMO, "Convert1BitRGBTo8BitRGB");
}

void Convert1BitRGBTo4BitRGB(const TQvDIBData& s, TQvDIBData& d, bool useFMO) {
  if (!IsPlain(s, 1))
    throw EQvDIBBadDIBType("Convert1BitRGBTo4BitRGB: Invalid Bitcount & Compression Combination");
  Widen<1, 4>(s, d, useFMO, "Convert1BitRGBTo4BitRGB");
}

void Convert1BitRGBToTrueColor(const TQvDIBData& s, TQvDIBData& d, bool useFMO) {
  if (!IsPlain(s, 1))
    throw EQvDIBBadDIBType("Convert1BitRGBToTrueColor: Invalid Bitcount & Compression Combination");
  ToTrueColor<1>(s, d, useFMO, "Convert1BitRGBToTrueColor");
}

void Convert4BitRGBToTrueColor(const TQvDIBData& s, TQvDIBData& d, bool useFMO) {
  if (!IsPlain(s, 4))
    throw EQvDIBBadDIBType("Convert4BitRGBToTrueColor: Invalid Bitcount & Compression Combination");
  ToTrueColor<4>(s, d, useFMO, "Convert4BitRGBToTrueColor");
}

void Convert8BitRGBToTrueColor(const TQvDIBData& s, TQvDIBData& d, bool useFMO) {
  if (!IsPlain(s, 8))
    throw EQvDIBBadDIBType("Convert8BitRGBToTrueColor: Invalid Bitcount & Compression Combination");
  ToTrueColor<8>(s, d, useFMO, "Convert8BitRGBToTrueColor");
}

// The true-colour converters test only the bit count: a 24-bit header with
// another compression never reaches them through the dispatcher, which asks
// the pixel format first.
void ConvertTrueColorTo1BitRGB(const TQvDIBData& s, TQvDIBData& d, uint32_t key, bool useFMO) {
  if (s.Header.biBitCount != 24) throw EQvDIBBadDIBType("ConvertTrueColorTo1BitRGB: Invalid Bitcount");
  ToOneBit<24>(s, d, key, useFMO, "ConvertTrueColorTo1BitRGB");
}

void Convert8BitTo1BitRGB(const TQvDIBData& s, TQvDIBData& d, uint32_t key, bool useFMO) {
  if (!IsPlain(s, 8)) throw EQvDIBBadDIBType("Convert8BitTo1BitRGB: Invalid Bitcount or Compression");
  ToOneBit<8>(s, d, key, useFMO, "Convert8BitTo1BitRGB");
}

void Convert4BitRGBTo1BitRGB(const TQvDIBData& s, TQvDIBData& d, uint32_t key, bool useFMO) {
  if (!IsPlain(s, 4)) throw EQvDIBBadDIBType("Convert4BitRGBTo1BitRGB: Invalid Bitcount");
  ToOneBit<4>(s, d, key, useFMO, "Convert4BitRGBTo1BitRGB");
}

namespace {

// The dispatcher's form of each converter.
template <void (*Fn)(const TQvDIBData&, TQvDIBData&, bool)>
void Step(const TQvDIBData& s, TQvDIBData& d, bool useFMO, const QvConvertContext&) {
  Fn(s, d, useFMO);
}
template <void (*Fn)(const TQvDIBData&, TQvDIBData&, uint32_t, bool)>
void KeyStep(const TQvDIBData& s, TQvDIBData& d, bool useFMO, const QvConvertContext& ctx) {
  Fn(s, d, ctx.color, useFMO);
}

}  // namespace

void AddDepthConversions(QvConversionTable& t) {
  using C = QvConversion;
  SetConversion(t, C::k1To4, &Step<Convert1BitRGBTo4BitRGB>);
  SetConversion(t, C::k1To8, &Step<Convert1BitRGBTo8BitRGB>);
  SetConversion(t, C::k1To24, &Step<Convert1BitRGBToTrueColor>);
  SetConversion(t, C::k4To8, &Step<Convert4BitRGBTo8BitRGB>);
  SetConversion(t, C::k4To24, &Step<Convert4BitRGBToTrueColor>);
  SetConversion(t, C::k8To24, &Step<Convert8BitRGBToTrueColor>);
  SetConversion(t, C::k4To1, &KeyStep<Convert4BitRGBTo1BitRGB>);
  SetConversion(t, C::k8To1, &KeyStep<Convert8BitTo1BitRGB>);
  SetConversion(t, C::k24To1, &KeyStep<ConvertTrueColorTo1BitRGB>);
}

}  // namespace qm
