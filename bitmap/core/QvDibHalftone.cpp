#include "bitmap/core/QvDibHalftone.h"

#include <vector>

#include "bitmap/core/QvDibConvertGeometry.h"

namespace qm {

namespace {

constexpr uint8_t kRedLevels[6] = {0, 51, 102, 153, 204, 255};
constexpr uint8_t kGreenLevels[7] = {0, 43, 85, 128, 171, 214, 255};
constexpr uint8_t kBlueLevels[5] = {0, 64, 128, 192, 255};
// The first value of each level above 0.
constexpr int kRedSteps[5] = {26, 77, 128, 179, 231};
constexpr int kGreenSteps[6] = {22, 64, 107, 150, 193, 234};
constexpr int kBlueSteps[4] = {32, 96, 160, 224};
constexpr uint8_t kExtraColors[5][3] = {  // red, green, blue
    {128, 0, 0}, {128, 128, 0}, {128, 0, 128}, {192, 192, 192}, {128, 128, 128}};

// Adjusted channel values stay within about 32 of 0 .. 255; the level
// lookups cover -256 .. 512 and values beyond are taken as its ends.
constexpr int kLowest = -256;
constexpr int kHighest = 512;
constexpr int kLookupSize = kHighest - kLowest + 1;

// For every adjusted value of one channel: its level's share of the output
// index (level x weight) and the level's value.
struct Quantum {
  uint8_t share;
  uint8_t value;
};

struct Lookups {
  Quantum red[kLookupSize], green[kLookupSize], blue[kLookupSize];
};

template <size_t N>
void Fill(Quantum (&t)[kLookupSize], const int (&steps)[N], const uint8_t* levels, int weight) {
  for (int v = kLowest; v <= kHighest; ++v) {
    int level = 0;
    while (level < static_cast<int>(N) && v >= steps[level]) ++level;
    t[v - kLowest] = Quantum{static_cast<uint8_t>(level * weight), levels[level]};
  }
}

const Lookups& Levels() {
  static const Lookups tables = [] {
    Lookups l;
    Fill(l.red, kRedSteps, kRedLevels, 35);
    Fill(l.green, kGreenSteps, kGreenLevels, 5);
    Fill(l.blue, kBlueSteps, kBlueLevels, 1);
    return l;
  }();
  return tables;
}

inline const Quantum& Look(const Quantum (&t)[kLookupSize], int v) {
  return t[(v < kLowest ? kLowest : v > kHighest ? kHighest : v) - kLowest];
}

// The errors of one pixel, red, green, blue (32-bit, so the sums below
// cannot overflow whatever the black-and-white choices add up to).
struct Error {
  int32_t c[3];
};

// The colour of pixel x of a row of Bits bits, as red, green, blue.
template <int Bits>
inline void ColorAt(const TQvDIBData& s, const uint8_t* row, int64_t x, int (&rgb)[3]) {
  if constexpr (Bits == 24) {
    rgb[0] = row[3 * x + 2];
    rgb[1] = row[3 * x + 1];
    rgb[2] = row[3 * x];
  } else {
    const QvRGBQuad& q = s.Colors[IndexAt(row, x, Bits)];
    rgb[0] = q.rgbRed;
    rgb[1] = q.rgbGreen;
    rgb[2] = q.rgbBlue;
  }
}

// Serpentine error diffusion: even memory rows left to right, odd ones right
// to left. Each channel's adjusted value is its value less one 32nd of
// 12 x the previous pixel's error in this row + 12 x the error above + 5 x
// the error above the pixel before (integer division, truncating toward
// zero). Quantize(x, adjusted, errors) writes the pixel and gives the new
// errors.
template <int Bits, class Quantize>
void Diffuse(const TQvDIBData& s, const QvConvertGeometry& g, uint8_t* out, Quantize quantize) {
  const size_t entries = static_cast<size_t>(g.width) + 2;  // entry x + 1 is pixel x
  std::vector<Error> current(entries, Error{{0, 0, 0}}), previous(entries, Error{{0, 0, 0}});
  for (int64_t y = 0; y < g.rows; ++y) {
    previous = current;
    const uint8_t* src = SourceRow(s, g, y);
    uint8_t* dst = out + g.dstStride * y;
    const bool forward = (y & 1) == 0;
    Error running{{0, 0, 0}};
    for (int64_t i = 0; i < g.width; ++i) {
      const int64_t x = forward ? i : g.width - 1 - i;
      const Error& above = previous[static_cast<size_t>(x + 1)];
      const Error& diagonal = previous[static_cast<size_t>(forward ? x : x + 2)];
      int rgb[3];
      ColorAt<Bits>(s, src, x, rgb);
      int adjusted[3];
      for (int c = 0; c < 3; ++c) {
        const int32_t e = 12 * running.c[c] + 12 * above.c[c] + 5 * diagonal.c[c];
        adjusted[c] = rgb[c] - e / 32;
      }
      Error fresh;
      quantize(dst, x, adjusted, fresh);
      current[static_cast<size_t>(x + 1)] = fresh;
      running = fresh;
    }
  }
}

template <class Quantize>
void DiffuseAny(const TQvDIBData& s, const QvConvertGeometry& g, uint8_t* out, Quantize q) {
  switch (s.Header.biBitCount) {
    case 24: Diffuse<24>(s, g, out, q); break;
    case 8: Diffuse<8>(s, g, out, q); break;
    case 4: Diffuse<4>(s, g, out, q); break;
    default: Diffuse<1>(s, g, out, q); break;
  }
}

void CheckSource(const TQvDIBData& s, const char* format, const char* bitCount) {
  QvAssert(s.Header.biCompression == kBiRgb, format);
  const int bits = s.Header.biBitCount;
  QvAssert(bits == 24 || bits == 8 || bits == 4 || bits == 1, bitCount);
}

}  // namespace

std::array<QvRGBQuad, 215> HalftoneColorTable() {
  std::array<QvRGBQuad, 215> t{};
  for (int i = 0; i < 6; ++i)
    for (int j = 0; j < 7; ++j)
      for (int k = 0; k < 5; ++k)
        t[i * 35 + j * 5 + k] = QvRGBQuad{kBlueLevels[k], kGreenLevels[j], kRedLevels[i], 0};
  for (int e = 0; e < 5; ++e)
    t[210 + e] = QvRGBQuad{kExtraColors[e][2], kExtraColors[e][1], kExtraColors[e][0], 0};
  return t;
}

std::array<QvRGBQuad, 2> HalftoneBWTable() {
  return {QvRGBQuad{0, 0, 0, 0}, QvRGBQuad{255, 255, 255, 0}};
}

void ConvertToHalfTone(const TQvDIBData& s, TQvDIBData& d, bool useFMO) {
  CheckSource(s, "ConvertToHalfTone: Invalid DIB Format", "ConvertToHalfTone: Invalid Bit Count");
  const QvConvertGeometry g = ConvertGeometry(s, 8, "ConvertToHalfTone");
  const Lookups& l = Levels();
  QvPixelMemory mem(g.dstBytes, useFMO);
  DiffuseAny(s, g, mem.Bits(), [&l](uint8_t* row, int64_t x, const int (&a)[3], Error& e) {
    const Quantum& r = Look(l.red, a[0]);
    const Quantum& gr = Look(l.green, a[1]);
    const Quantum& b = Look(l.blue, a[2]);
    row[x] = static_cast<uint8_t>(r.share + gr.share + b.share);
    e.c[0] = r.value - a[0];
    e.c[1] = gr.value - a[1];
    e.c[2] = b.value - a[2];
  });
  TQvDIBData out;
  HandOverResult(s, out, mem, 8, g.dstBytes);
  const auto table = HalftoneColorTable();
  for (size_t i = 0; i < 256; ++i) out.Colors[i] = i < table.size() ? table[i] : QvRGBQuad{0, 0, 0, 0};
  out.Header.biClrUsed = static_cast<uint32_t>(table.size());
  d = out;
}

void ConvertToHalfToneBW(const TQvDIBData& s, TQvDIBData& d, bool useFMO) {
  CheckSource(s, "ConvertToHalfToneBW: Invalid DIB Format", "ConvertToHalfToneBW: Invalid Bit Count");
  const QvConvertGeometry g = ConvertGeometry(s, 1, "ConvertToHalfToneBW");
  QvPixelMemory mem(g.dstBytes, useFMO);
  DiffuseAny(s, g, mem.Bits(), [](uint8_t* row, int64_t x, const int (&a)[3], Error& e) {
    // White from a sum of 384 up (half of 3 x 255, rounded up).
    const int level = a[0] + a[1] + a[2] < 384 ? 0 : 255;
    if (level) row[x >> 3] = static_cast<uint8_t>(row[x >> 3] | (0x80u >> (x & 7)));
    for (int c = 0; c < 3; ++c) e.c[c] = level - a[c];
  });
  TQvDIBData out;
  HandOverResult(s, out, mem, 1, g.dstBytes);
  const auto table = HalftoneBWTable();
  for (size_t i = 0; i < 256; ++i) out.Colors[i] = i < table.size() ? table[i] : QvRGBQuad{0, 0, 0, 0};
  out.Header.biClrUsed = static_cast<uint32_t>(table.size());
  d = out;
}

namespace {

template <void (*Fn)(const TQvDIBData&, TQvDIBData&, bool)>
void Step(const TQvDIBData& s, TQvDIBData& d, bool useFMO, const QvConvertContext&) {
  Fn(s, d, useFMO);
}

}  // namespace

void AddHalftoneConversions(QvConversionTable& t) {
  SetConversion(t, QvConversion::kHalftone, &Step<ConvertToHalfTone>);
  SetConversion(t, QvConversion::kHalftoneBW, &Step<ConvertToHalfToneBW>);
}

}  // namespace qm
