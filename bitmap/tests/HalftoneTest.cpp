// Halftone conversions: fixed points (white, black), division truncating
// toward zero, the colour table, and every depth against the diffusion
// written out here from the rules (serpentine rows, zero borders, weights,
// level ranges, the 384 threshold).
#include <gtest/gtest.h>

#include <array>
#include <random>
#include <set>
#include <tuple>
#include <utility>
#include <vector>

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

// The diffusion written straight from the rules, memory row by memory row,
// with the levels as value ranges: the 8- or 1-bit result rows, padding
// included (zero).
std::vector<uint8_t> ReferenceHalftone(const TQvDIBData& s, bool bw) {
  auto redLevel = [](int v) {
    return v <= 25 ? 0 : v <= 76 ? 1 : v <= 127 ? 2 : v <= 178 ? 3 : v <= 230 ? 4 : 5;
  };
  auto greenLevel = [](int v) {
    return v <= 21 ? 0 : v <= 63 ? 1 : v <= 106 ? 2 : v <= 149 ? 3 : v <= 192 ? 4 : v <= 233 ? 5 : 6;
  };
  auto blueLevel = [](int v) { return v <= 31 ? 0 : v <= 95 ? 1 : v <= 159 ? 2 : v <= 223 ? 3 : 4; };
  const int red[6] = {0, 51, 102, 153, 204, 255}, green[7] = {0, 43, 85, 128, 171, 214, 255},
            blue[5] = {0, 64, 128, 192, 255};
  const int w = s.Header.biWidth, rows = std::abs(s.Header.biHeight), bits = s.Header.biBitCount;
  const int64_t srcStride = DibStride(w, bits), dstStride = DibStride(w, bw ? 1 : 8);
  std::vector<uint8_t> out(static_cast<size_t>(dstStride * rows), 0);
  using Err = std::array<int, 3>;
  std::vector<Err> current(static_cast<size_t>(w) + 2, Err{}), previous;
  for (int n = 0; n < rows; ++n) {
    previous = current;
    const uint8_t* row = s.Bits + srcStride * n;
    uint8_t* dst = out.data() + dstStride * n;
    const bool even = n % 2 == 0;
    Err running{};
    for (int i = 0; i < w; ++i) {
      const int x = even ? i : w - 1 - i;
      int v[3];
      if (bits == 24) {
        v[0] = row[3 * x + 2], v[1] = row[3 * x + 1], v[2] = row[3 * x];
      } else {
        const int index = bits == 8 ? row[x] : bits == 4 ? (x % 2 ? row[x / 2] & 15 : row[x / 2] >> 4)
                                                         : (row[x / 8] & (128 >> (x & 7))) != 0;
        const QvRGBQuad& q = s.Colors[index];
        v[0] = q.rgbRed, v[1] = q.rgbGreen, v[2] = q.rgbBlue;
      }
      int a[3];
      for (int c = 0; c < 3; ++c) {
        const int e = 12 * running[size_t(c)] + 12 * previous[size_t(x + 1)][size_t(c)] +
                      5 * previous[size_t(even ? x : x + 2)][size_t(c)];
        a[c] = v[c] - e / 32;
      }
      Err fresh;
      if (bw) {
        const int level = a[0] + a[1] + a[2] < 384 ? 0 : 255;
        if (level) dst[x / 8] = static_cast<uint8_t>(dst[x / 8] | 128 >> (x & 7));
        for (int c = 0; c < 3; ++c) fresh[size_t(c)] = level - a[c];
      } else {
        const int i0 = redLevel(a[0]), j0 = greenLevel(a[1]), k0 = blueLevel(a[2]);
        dst[x] = static_cast<uint8_t>(i0 * 35 + j0 * 5 + k0);
        fresh = {red[i0] - a[0], green[j0] - a[1], blue[k0] - a[2]};
      }
      current[size_t(x + 1)] = fresh;
      running = fresh;
    }
  }
  return out;
}

TEST(Halftone, EveryDepthDiffusesAsTheRulesSay) {
  std::mt19937 rng(29);
  int pictures = 0;
  for (int bits : {24, 8, 4, 1}) {
    std::vector<QvRGBQuad> colors;
    if (bits != 24)
      for (int i = 0; i < (1 << bits); ++i)
        colors.push_back(Rgb(uint8_t(rng()), uint8_t(rng()), uint8_t(rng())));
    for (auto [w, h] : {std::pair{1, 6}, {2, -3}, {7, 5}, {13, -9}, {31, 24}, {64, -40}}) {
      SCOPED_TRACE(testing::Message() << bits << " bits, " << w << " x " << h);
      // Noise (every part of the level ranges) between grey ramps (small errors).
      auto src = Picture(w, h, bits, colors, [&](int x, int y) {
        if (bits != 24) return uint32_t(rng());
        return (x + y) % 3 ? uint32_t(rng() & 0xFFFFFF) : uint32_t(0x010101 * ((x * 7 + y * 3) & 0xFF));
      });
      Result c, bw;
      ConvertToHalfTone(src->Data, c.d, false);
      ConvertToHalfToneBW(src->Data, bw.d, false);
      const std::vector<uint8_t> wantColour = ReferenceHalftone(src->Data, false);
      const std::vector<uint8_t> wantBW = ReferenceHalftone(src->Data, true);
      ASSERT_EQ(c.d.Size, int32_t(wantColour.size()));
      ASSERT_EQ(bw.d.Size, int32_t(wantBW.size()));
      EXPECT_EQ(std::vector<uint8_t>(c.d.Bits, c.d.Bits + c.d.Size), wantColour);
      EXPECT_EQ(std::vector<uint8_t>(bw.d.Bits, bw.d.Bits + bw.d.Size), wantBW);
      EXPECT_EQ(c.d.Header.biHeight, h);
      EXPECT_EQ(bw.d.Header.biHeight, h);
      ++pictures;
    }
  }
  EXPECT_EQ(pictures, 24);
}

TEST(Halftone, ColourTableIsTheCubeThenTheExtras) {
  auto src = Picture(3, 2, 24, {}, [](int, int) { return 0x808080u; });
  Result c;
  ConvertToHalfTone(src->Data, c.d, false);
  EXPECT_EQ(c.d.Header.biClrUsed, 215u);
  const std::array<int, 6> red{0, 51, 102, 153, 204, 255};
  const std::array<int, 7> green{0, 43, 85, 128, 171, 214, 255};
  const std::array<int, 5> blue{0, 64, 128, 192, 255};
  for (size_t i = 0; i < 6; ++i)
    for (size_t j = 0; j < 7; ++j)
      for (size_t k = 0; k < 5; ++k) {
        const QvRGBQuad& q = c.d.Colors[i * 35 + j * 5 + k];
        EXPECT_EQ((std::array<int, 3>{q.rgbRed, q.rgbGreen, q.rgbBlue}),
                  (std::array{red[i], green[j], blue[k]}));
      }
  const std::array<int, 3> extras[5] = {
      {128, 0, 0}, {128, 128, 0}, {128, 0, 128}, {192, 192, 192}, {128, 128, 128}};
  for (int e = 0; e < 5; ++e) {
    const QvRGBQuad& q = c.d.Colors[210 + e];
    EXPECT_EQ((std::array<int, 3>{q.rgbRed, q.rgbGreen, q.rgbBlue}), extras[e]);
  }
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
