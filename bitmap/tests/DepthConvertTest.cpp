// Depth conversions: widening and expansion keep every pixel's colour, the
// 1-bit cut keeps exactly the key colour, and wrong or short sources are
// refused before anything is allocated.
#include <gtest/gtest.h>

#include <random>

#include "bitmap/core/QvDibDepth.h"
#include "bitmap/tests/ConvertTestUtil.h"
#include "bitmap/tests/DibTestUtil.h"

namespace qm {
namespace {

using test::Picture;
using test::Result;
using test::Rgb;

using Converter = void (*)(const TQvDIBData&, TQvDIBData&, bool);

std::vector<QvRGBQuad> RandomTable(int n, std::mt19937& rng) {
  std::vector<QvRGBQuad> t;
  for (int i = 0; i < n; ++i) t.push_back(Rgb(rng() & 255, rng() & 255, rng() & 255));
  return t;
}

TEST(DepthConvert, WideningAndTrueColorKeepEveryColour) {
  struct Case {
    Converter fn;
    int from, to;
  };
  const Case cases[] = {{Convert1BitRGBTo4BitRGB, 1, 4},   {Convert1BitRGBTo8BitRGB, 1, 8},
                        {Convert4BitRGBTo8BitRGB, 4, 8},   {Convert1BitRGBToTrueColor, 1, 24},
                        {Convert4BitRGBToTrueColor, 4, 24}, {Convert8BitRGBToTrueColor, 8, 24}};
  std::mt19937 rng(7);
  for (const Case& c : cases) {
    for (int width : {1, 2, 3, 7, 8, 9, 33}) {
      for (int height : {3, -2}) {
        SCOPED_TRACE(testing::Message() << c.from << " -> " << c.to << ", " << width << " x " << height);
        const auto table = RandomTable(1 << c.from, rng);
        auto src = Picture(width, height, c.from, table, [&](int, int) { return rng() % (1u << c.from); });
        Result r;
        c.fn(src->Data, r.d, false);
        EXPECT_EQ(r.d.Header.biBitCount, c.to);
        EXPECT_EQ(r.d.Header.biHeight, height);  // the row order is kept
        EXPECT_EQ(r.d.Size, DibImageBytes(width, c.to, std::abs(height)));
        EXPECT_EQ(test::ToRgb(r.d), test::ToRgb(src->Data));
        if (c.to != 24) {
          EXPECT_EQ(r.d.Header.biClrUsed, table.size());
          EXPECT_EQ(0, std::memcmp(r.d.Colors, src->Data.Colors, 4 * table.size()));
        }
      }
    }
  }
}

TEST(DepthConvert, OneBitBlackAndWhiteBecomesIndicesZeroAndOne) {
  auto src = Picture(10, 1, 1, {Rgb(0, 0, 0), Rgb(255, 255, 255)}, [](int x, int) { return x % 3 == 0; });
  Result r;
  Convert1BitRGBTo8BitRGB(src->Data, r.d, false);
  for (int x = 0; x < 10; ++x) EXPECT_EQ(r.d.Bits[x], x % 3 == 0 ? 1 : 0);
  EXPECT_EQ(r.d.Header.biClrUsed, 2u);
}

TEST(DepthConvert, OddWidthReadsOnlyTheHighNibbleOfTheLastByte) {
  std::mt19937 rng(1);
  auto src = Picture(3, 1, 4, RandomTable(16, rng), [](int x, int) { return x + 5; });
  src->Data.Bits[1] |= 0x0F;  // padding nibble
  Result r;
  Convert4BitRGBTo8BitRGB(src->Data, r.d, false);
  EXPECT_EQ(r.d.Bits[0], 5);
  EXPECT_EQ(r.d.Bits[1], 6);
  EXPECT_EQ(r.d.Bits[2], 7);
  EXPECT_EQ(r.d.Bits[3], 0);
}

TEST(DepthConvert, OneBitKeepsExactlyTheKeyColour) {
  const uint32_t colours[] = {0xFFFFFF, 0xFEFFFF, 0xFFFFFE, 0x000000, 0xFF0000};  // 0xRRGGBB
  auto truecolor = Picture(5, -1, 24, {}, [&](int x, int) { return colours[x]; });
  std::vector<QvRGBQuad> table = {Rgb(255, 255, 255), Rgb(254, 255, 255), Rgb(255, 255, 254), Rgb(0, 0, 0),
                                  Rgb(255, 0, 0)};
  auto eight = Picture(5, -1, 8, table, [](int x, int) { return x; });
  auto four = Picture(5, -1, 4, table, [](int x, int) { return x; });
  // White is the key (COLORREF 0xFFFFFF): only the exact white turns white.
  for (auto [fn, src] : {std::pair{&ConvertTrueColorTo1BitRGB, truecolor.get()},
                         std::pair{&Convert8BitTo1BitRGB, eight.get()},
                         std::pair{&Convert4BitRGBTo1BitRGB, four.get()}}) {
    Result r;
    fn(src->Data, r.d, 0xFFFFFF, false);
    EXPECT_EQ(r.d.Header.biBitCount, 1);
    EXPECT_EQ(r.d.Header.biHeight, -1);
    EXPECT_EQ(r.d.Header.biClrUsed, 2u);
    EXPECT_EQ(r.d.Bits[0], 0x80);
    std::vector<uint8_t> rgb = test::ToRgb(r.d);
    EXPECT_EQ((std::vector<uint8_t>(rgb.begin(), rgb.begin() + 6)), (std::vector<uint8_t>{255, 255, 255, 0, 0, 0}));
    // A COLORREF holds red in its low byte: 0x0000FF is pure red.
    Result red;
    fn(src->Data, red.d, 0x0000FF, false);
    EXPECT_EQ(red.d.Bits[0], 0x08);
  }
}

TEST(DepthConvert, WrongOrShortSourcesAreRefused) {
  auto rle = Picture(4, 1, 8, {}, [](int, int) { return 0; });
  rle->Data.Header.biCompression = kBiRle8;
  Result r;
  try {
    Convert8BitRGBToTrueColor(rle->Data, r.d, false);
    FAIL();
  } catch (const EQvDIBBadDIBType& e) {
    EXPECT_STREQ(e.what(), "Convert8BitRGBToTrueColor: Invalid Bitcount & Compression Combination");
  }
  try {
    Convert4BitRGBTo1BitRGB(rle->Data, r.d, 0, false);
    FAIL();
  } catch (const EQvDIBBadDIBType& e) {
    EXPECT_STREQ(e.what(), "Convert4BitRGBTo1BitRGB: Invalid Bitcount");
  }
  auto plain = Picture(4, 4, 8, {}, [](int, int) { return 0; });
  plain->Data.Size -= 1;  // the last row is not all there
  EXPECT_THROW(Convert8BitRGBToTrueColor(plain->Data, r.d, false), EQvDIBInvalidDIB);
  plain->Data.Size += 1;
  plain->Data.Header.biWidth = 1 << 20;  // 2^20 x 100 rows of 24 bits: beyond the size limit
  plain->Data.Header.biHeight = 100;
  try {
    Convert8BitRGBToTrueColor(plain->Data, r.d, false);
    FAIL();
  } catch (const EQvDIBInvalidDIB& e) {
    EXPECT_STREQ(e.what(), "Convert8BitRGBToTrueColor: Image is too large");
  }
  EXPECT_EQ(r.d.Bits, nullptr);
}

}  // namespace
}  // namespace qm
