// Halftone conversions: fixed points (white, black), the 384 threshold, the
// serpentine rows with their zero borders, division truncating toward zero,
// and that diffusion keeps the mean colour.
#include <gtest/gtest.h>

#include <array>
#include <random>
#include <tuple>

#include <set>

#include "bitmap/core/QvDibHalftone.h"
#include "bitmap/tests/ConvertTestUtil.h"
#include "bitmap/tests/DibTestUtil.h"

namespace qm {
namespace {

using test::Picture;
using test::Result;
using test::Rgb;

std::set<int> Indices(const TQvDIBData& d) {
  std::set<int> seen;
  const int64_t stride = DibStride(d.Header.biWidth, 8);
  const int rows = std::abs(d.Header.biHeight);
  for (int y = 0; y < rows; ++y)
    for (int x = 0; x < d.Header.biWidth; ++x) seen.insert(d.Bits[stride * y + x]);
  return seen;
}

TEST(Halftone, WhiteAndBlackAreFixedPoints) {
  for (auto [rgb, index, bits] : {std::tuple{0xFFFFFFu, 209, 0xFF}, std::tuple{0u, 0, 0x00}}) {
    auto src = Picture(13, 5, 24, {}, [&](int, int) { return rgb; });
    Result c, bw;
    ConvertToHalfTone(src->Data, c.d, false);
    ConvertToHalfToneBW(src->Data, bw.d, false);
    EXPECT_EQ(Indices(c.d), std::set<int>{index});
    EXPECT_EQ(c.d.Header.biClrUsed, 215u);
    EXPECT_EQ(c.d.Header.biBitCount, 8);
    EXPECT_EQ(bw.d.Header.biClrUsed, 2u);
    for (int y = 0; y < 5; ++y) {
      EXPECT_EQ(bw.d.Bits[4 * y], bits);
      EXPECT_EQ(bw.d.Bits[4 * y + 1] & 0xF8, bits & 0xF8);
    }
  }
}

TEST(Halftone, MidGreyMixesNeighboursAndKeepsItsMean) {
  auto src = Picture(64, -64, 24, {}, [](int, int) { return 0x808080u; });
  Result c, bw;
  ConvertToHalfTone(src->Data, c.d, false);
  ConvertToHalfToneBW(src->Data, bw.d, false);
  const std::set<int> used = Indices(c.d);
  EXPECT_GE(used.size(), 2u);
  EXPECT_LT(*used.rbegin(), 210);  // never the extra colours
  EXPECT_EQ(bw.d.Bits[0] & 0x80, 0x80);  // 384 is not below 384: white
  EXPECT_EQ(c.d.Header.biHeight, -64);
  for (const Result* r : {&c, &bw}) {
    const std::vector<uint8_t> rgb = test::ToRgb(r->d);
    double sum[3] = {0, 0, 0};
    for (size_t i = 0; i < rgb.size(); ++i) sum[i % 3] += rgb[i];
    for (double s : sum) EXPECT_NEAR(s / (64 * 64), 128, 4);
  }
}

TEST(Halftone, OneColumnReadsTheZeroBorders) {
  // Row 0 (left to right): 128 grey sums to 384, white, errors 127. Row 1
  // (right to left): 12 x 127 / 32 = 47, so 81 each, black.
  auto src = Picture(1, -2, 24, {}, [](int, int) { return 0x808080u; });
  Result bw;
  ConvertToHalfToneBW(src->Data, bw.d, false);
  EXPECT_EQ(bw.d.Bits[0], 0x80);
  EXPECT_EQ(bw.d.Bits[4], 0x00);
}

TEST(Halftone, DivisionTruncatesTowardZero) {
  // Red 20 gives error -20; below it red 18 is adjusted by -240 / 32 = -7
  // (not -8) to 25, still red level 0.
  auto src = Picture(1, -2, 24, {}, [](int, int y) { return y == 0 ? 0x140000u : 0x120000u; });
  Result c;
  ConvertToHalfTone(src->Data, c.d, false);
  EXPECT_EQ(c.d.Bits[0], 0);
  EXPECT_EQ(c.d.Bits[4], 0);
}

TEST(Halftone, PaletteSourcesUseTheirColourTable) {
  // Bit 0 is white here, so a picture of zero bits is white.
  auto src = Picture(9, 3, 1, {Rgb(255, 255, 255), Rgb(0, 0, 0)}, [](int, int) { return 0; });
  Result c;
  ConvertToHalfTone(src->Data, c.d, false);
  EXPECT_EQ(Indices(c.d), std::set<int>{209});
  src->Data.Header.biCompression = kBiRle8;
  EXPECT_THROW(ConvertToHalfToneBW(src->Data, c.d, false), EQvAssertionFailed);
  src->Data.Header.biCompression = kBiRgb;
  src->Data.Header.biBitCount = 16;
  EXPECT_THROW(ConvertToHalfTone(src->Data, c.d, false), EQvAssertionFailed);
}

}  // namespace
}  // namespace qm
