// Colour reduction. The true-colour files of the BMP Suite are reduced both
// ways to 16 and 256 colours and every palette entry is checked against the
// rules, reckoned here from the source pixels alone: an entry is the mean
// colour (halves to even) of the pixels that map to it, where "Low" first
// takes each pixel as the mean colour of its 5-6-5 cell.
#include <gtest/gtest.h>

#include <array>
#include <random>
#include <tuple>

#include <map>

#include "bitmap/core/QvDib.h"
#include "bitmap/core/QvDibReduce.h"
#include "bitmap/tests/ConvertTestUtil.h"
#include "bitmap/tests/DibTestUtil.h"
#include "core/FileSystem.h"

namespace qm {
namespace {

using test::Picture;
using test::Result;
using test::Rgb;

using Reducer = void (*)(const TQvDIBData&, TQvDIBData&, const QvProgressCallback&, bool);

struct Way {
  const char* name;
  Reducer fn;
  int depth;
  bool low;
};
const Way kWays[] = {{"Low 8", ConvertTrueColorTo8BitRGBLow, 8, true},
                     {"Low 4", ConvertTrueColorTo4BitRGBLow, 4, true},
                     {"High 8", ConvertTrueColorTo8BitRGBHigh, 8, false},
                     {"High 4", ConvertTrueColorTo4BitRGBHigh, 4, false}};

// n / d to the nearest integer, halves to the even one.
int64_t RoundHalfEven(int64_t n, int64_t d) {
  int64_t q = n / d, r = n % d;
  if (2 * r > d || (2 * r == d && (q & 1))) ++q;
  return q;
}

// Pixel values of a stored DIB, top row first: RGB triples and, for palette
// pictures, the indices.
std::vector<int> IndicesOf(const TQvDIBData& d) {
  std::vector<int> out;
  const int bits = d.Header.biBitCount, w = d.Header.biWidth, h = std::abs(d.Header.biHeight);
  const int64_t stride = DibStride(w, bits);
  for (int y = 0; y < h; ++y) {
    const uint8_t* row = d.Bits + stride * (d.Header.biHeight < 0 ? y : h - 1 - y);
    for (int x = 0; x < w; ++x) out.push_back(bits == 8 ? row[x] : (x & 1) ? row[x / 2] & 15 : row[x / 2] >> 4);
  }
  return out;
}

// Checks a reduction of src against the rules; returns the colours used.
int CheckReduction(const TQvDIBData& src, const Way& way) {
  Result r;
  int steps = 0;
  way.fn(src, r.d, [&] { ++steps; }, false);
  EXPECT_EQ(steps, 1 << way.depth);
  EXPECT_EQ(r.d.Header.biBitCount, way.depth);
  EXPECT_EQ(r.d.Header.biHeight, src.Header.biHeight);
  const int count = static_cast<int>(r.d.Header.biClrUsed);
  EXPECT_GE(count, 1);
  EXPECT_LE(count, 1 << way.depth);

  const std::vector<uint8_t> rgb = test::ToRgb(src);
  const std::vector<int> idx = IndicesOf(r.d);
  // "Low": the mean colour of each 5-6-5 cell, low bits averaged down.
  std::map<int, std::array<int64_t, 4>> cells;
  auto cellOf = [](const uint8_t* p) { return (p[0] >> 3) << 11 | (p[1] >> 2) << 5 | p[2] >> 3; };
  for (size_t i = 0; i < idx.size(); ++i) {
    const uint8_t* p = &rgb[3 * i];
    auto& c = cells[cellOf(p)];
    c[0] += p[0] & 7;
    c[1] += p[1] & 3;
    c[2] += p[2] & 7;
    c[3] += 1;
  }
  std::vector<std::array<int64_t, 4>> sums(static_cast<size_t>(count));
  for (size_t i = 0; i < idx.size(); ++i) {
    const uint8_t* p = &rgb[3 * i];
    EXPECT_LT(idx[i], count);
    if (idx[i] >= count) return count;
    auto& s = sums[static_cast<size_t>(idx[i])];
    if (way.low) {
      const auto& c = cells[cellOf(p)];
      s[0] += c[0] / c[3] + (p[0] & 0xF8);
      s[1] += c[1] / c[3] + (p[1] & 0xFC);
      s[2] += c[2] / c[3] + (p[2] & 0xF8);
    } else {
      s[0] += p[0];
      s[1] += p[1];
      s[2] += p[2];
    }
    s[3] += 1;
  }
  for (int i = 0; i < count; ++i) {
    const auto& s = sums[static_cast<size_t>(i)];
    EXPECT_GT(s[3], 0) << "entry " << i << " maps no pixel";
    if (s[3] == 0) continue;
    const QvRGBQuad& e = r.d.Colors[i];
    EXPECT_EQ(e.rgbRed, RoundHalfEven(s[0], s[3])) << "entry " << i;
    EXPECT_EQ(e.rgbGreen, RoundHalfEven(s[1], s[3])) << "entry " << i;
    EXPECT_EQ(e.rgbBlue, RoundHalfEven(s[2], s[3])) << "entry " << i;
  }
  return count;
}

TEST(ColorReduce, SuiteTrueColourFilesFollowTheRules) {
  int files = 0;
  const std::string dir = std::string(QM_TESTDATA_DIR) + "/bmp/g/";
  for (const std::string& name : ListFiles(dir, ".bmp")) {
    TQvDIB dib(false);
    dib.LoadFromFile(dir + name);
    if (dib.GetPixelFormat() != kPf24Bit) continue;
    ++files;
    for (const Way& way : kWays) {
      SCOPED_TRACE(name + " " + way.name);
      const int count = CheckReduction(dib.InternalDIB()->Data, way);
      if (way.depth == 8) {
        EXPECT_GT(count, 16);  // the suite's pictures have many colours
      }
    }
  }
  EXPECT_GE(files, 8);
}

TEST(ColorReduce, RandomPicturesFollowTheRules) {
  std::mt19937 rng(11);
  for (int height : {17, -9}) {
    auto src = Picture(23, height, 24, {}, [&](int, int) { return rng() & 0xE0F0FF; });
    for (const Way& way : kWays) {
      SCOPED_TRACE(way.name);
      CheckReduction(src->Data, way);
    }
  }
}

// The High reduction written straight from the rules: boxes of pixels cut
// at the mean of the channel of largest weighted variance (3 red, 4 green,
// 2 blue; ties to red, then green), the high part first, down to the leaf
// depth; each non-empty leaf box is the next palette entry, its pixels'
// index. rgb holds the pixels as RGB triples.
void SplitReference(const std::vector<uint8_t>& rgb, const std::vector<size_t>& box, int depth,
                    int leafDepth, std::vector<std::array<int64_t, 3>>& palette, std::vector<int>& index) {
  if (box.empty()) return;
  int64_t s[3] = {0, 0, 0}, q[3] = {0, 0, 0};
  for (size_t p : box)
    for (int c = 0; c < 3; ++c) {
      s[c] += rgb[3 * p + c];
      q[c] += rgb[3 * p + c] * rgb[3 * p + c];
    }
  const int64_t n = static_cast<int64_t>(box.size());
  if (depth == leafDepth) {
    for (size_t p : box) index[p] = static_cast<int>(palette.size());
    palette.push_back({RoundHalfEven(s[0], n), RoundHalfEven(s[1], n), RoundHalfEven(s[2], n)});
    return;
  }
  long double mean[3], weighted[3];
  const int weight[3] = {3, 4, 2};
  for (int c = 0; c < 3; ++c) {
    mean[c] = static_cast<long double>(s[c]) / n;
    weighted[c] = weight[c] * (static_cast<long double>(q[c]) / n - mean[c] * mean[c]);
  }
  const int c = weighted[0] >= weighted[1] && weighted[0] >= weighted[2] ? 0
                : weighted[1] >= weighted[2]                                ? 1
                                                                            : 2;
  std::vector<size_t> low, high;
  for (size_t p : box) (rgb[3 * p + c] <= mean[c] ? low : high).push_back(p);
  SplitReference(rgb, high, depth + 1, leafDepth, palette, index);
  SplitReference(rgb, low, depth + 1, leafDepth, palette, index);
}

TEST(ColorReduce, HighSplitsAsTheRulesSay) {
  std::mt19937 rng(37);
  struct Case {
    int width, height;
    uint32_t mask;  // few values make uncuttable boxes and tied variances
  };
  for (const Case& k : {Case{1, 1, 0xFFFFFF}, Case{7, 5, 0x808080}, Case{23, 17, 0xE0F0FF},
                        Case{23, -9, 0xC0C0C0}, Case{101, -37, 0xFFFFFF}, Case{64, 64, 0x0F0F0F}}) {
    auto src = Picture(k.width, k.height, 24, {}, [&](int x, int y) {
      return (x * 5 + y * 3) % 4 ? rng() & k.mask : uint32_t(0x040201 * (x + y)) & 0xFFFFFF;
    });
    const std::vector<uint8_t> rgb = test::ToRgb(src->Data);
    for (const Way& way : kWays) {
      if (way.low) continue;
      SCOPED_TRACE(testing::Message() << way.name << ", " << k.width << " x " << k.height);
      std::vector<std::array<int64_t, 3>> palette;
      std::vector<int> index(rgb.size() / 3, -1);
      std::vector<size_t> all(index.size());
      for (size_t i = 0; i < all.size(); ++i) all[i] = i;
      SplitReference(rgb, all, 0, way.depth, palette, index);
      Result r;
      way.fn(src->Data, r.d, {}, false);
      ASSERT_EQ(r.d.Header.biClrUsed, palette.size());
      for (size_t i = 0; i < palette.size(); ++i) {
        const QvRGBQuad& e = r.d.Colors[i];
        EXPECT_EQ((std::array<int64_t, 3>{e.rgbRed, e.rgbGreen, e.rgbBlue}), palette[i]) << "entry " << i;
      }
      EXPECT_EQ(IndicesOf(r.d), index);
    }
  }
}

TEST(ColorReduce, OneColourStaysThatColour) {
  for (uint32_t colour : {0xC86432u, 0xC9673Bu, 0xFFFFFFu, 0u}) {
    auto src = Picture(5, 3, 24, {}, [&](int, int) { return colour; });
    for (const Way& way : kWays) {
      SCOPED_TRACE(way.name);
      Result r;
      way.fn(src->Data, r.d, {}, false);
      ASSERT_EQ(r.d.Header.biClrUsed, 1u);
      EXPECT_EQ(r.d.Colors[0].rgbRed, colour >> 16);
      EXPECT_EQ(r.d.Colors[0].rgbGreen, (colour >> 8) & 255);
      EXPECT_EQ(r.d.Colors[0].rgbBlue, colour & 255);
    }
  }
}

TEST(ColorReduce, EightToFourKeepsAFewColoursExactly) {
  std::vector<QvRGBQuad> table(256);
  for (int i = 0; i < 256; ++i) table[i] = Rgb(uint8_t(i), uint8_t(255 - i), uint8_t(i * 7));
  const int used[] = {3, 77, 150, 151, 250};
  auto src = Picture(11, -4, 8, table, [&](int x, int y) { return used[(x + y) % 5]; });
  Result r;
  int steps = 0;
  Convert8BitRGBTo4BitRGB(src->Data, r.d, [&] { ++steps; }, false);
  EXPECT_EQ(steps, 16);
  EXPECT_EQ(r.d.Header.biClrUsed, 5u);
  EXPECT_EQ(r.d.Header.biBitCount, 4);
  EXPECT_EQ(r.d.Header.biHeight, -4);
  EXPECT_EQ(test::ToRgb(r.d), test::ToRgb(src->Data));
  src->Data.Header.biCompression = kBiRle8;
  try {
    Convert8BitRGBTo4BitRGB(src->Data, r.d, {}, false);
    FAIL();
  } catch (const EQvDIBBadDIBType& e) {
    EXPECT_STREQ(e.what(), "Convert8BitRGBTo4BitRGB: Invalid Bitcount or Compression");
  }
}

TEST(ColorReduce, HugePicturesAreRefusedBeforeAnyAllocation) {
  // 65536 x 32768 pixels: 3 bytes each would wrap a 32-bit size.
  uint8_t pixel[4] = {};
  TQvDIBData src{};
  src.Header.biSize = 40;
  src.Header.biWidth = 65536;
  src.Header.biHeight = 32768;
  src.Header.biBitCount = 24;
  src.Bits = pixel;
  src.Size = INT32_MAX;
  for (const Way& way : kWays) {
    Result r;
    try {
      way.fn(src, r.d, {}, false);
      FAIL() << way.name;
    } catch (const EQvDIBInvalidDIB& e) {
      EXPECT_NE(std::string(e.what()).find(": Image is too large"), std::string::npos) << e.what();
    }
  }
}

}  // namespace
}  // namespace qm
