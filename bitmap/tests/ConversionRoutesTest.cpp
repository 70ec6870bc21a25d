// Every route of TQvDIB::SetPixelFormat: a black-and-white picture survives
// any chain of conversions unchanged, so each pair is checked pixel by pixel.
#include <gtest/gtest.h>

#include "bitmap/core/QvDib.h"
#include "bitmap/core/QvDibMemory.h"
#include "bitmap/tests/DibTestUtil.h"

namespace qm {
namespace {

// A picture of black and white runs, in the given format; with RLE formats
// the runs let the encoding fit.
void MakeBlackAndWhite(TQvDIB& d, int format, int height) {
  d.SetBitCount(24);
  d.SetWidth(61);
  d.SetHeight(height);
  d.UniqueDIB();
  TQvDIBData& data = d.InternalDIB()->Data;
  const int64_t stride = DibStride(61, 24);
  for (int y = 0; y < std::abs(height); ++y)
    for (int x = 0; x < 61; ++x)
      if ((x / 20 + y / 3) % 2) std::memset(data.Bits + stride * y + 3 * x, 255, 3);
  if (format != kPf24Bit) d.SetPixelFormat(format);
  ASSERT_EQ(d.GetPixelFormat(), format);
}

bool IsRle(int format) { return format == kPf4BitRle || format == kPf8BitRle; }

TEST(ConversionRoutes, EveryPairConverts) {
  for (int quality : {0, 1}) {
    for (int from = 0; from <= 5; ++from) {
      for (int to = 0; to <= 7; ++to) {
        if (to == from) continue;
        SCOPED_TRACE(testing::Message() << from << " -> " << to << " quality " << quality);
        TQvDIB d(false);
        d.ReductionQuality = static_cast<uint8_t>(quality);
        MakeBlackAndWhite(d, from, IsRle(from) ? 6 : -6);
        const std::vector<uint8_t> before = test::ToRgb(d.InternalDIB()->Data);
        ASSERT_NO_THROW(d.SetPixelFormat(to));
        const int want = to == kPfHalftone ? kPf8Bit : to == kPfHalftoneBW ? kPf1Bit : to;
        EXPECT_EQ(d.GetPixelFormat(), want);
        EXPECT_EQ(test::ToRgb(d.InternalDIB()->Data), before);
        // Converters keep the row order; encoders write bottom-up rows.
        EXPECT_EQ(d.InternalDIB()->Data.Header.biHeight, IsRle(from) || IsRle(to) ? 6 : -6);
      }
    }
  }
}

TEST(ConversionRoutes, TheKeyColourIsARealColour) {
  TQvDIB d(false);
  MakeBlackAndWhite(d, kPf24Bit, 2);
  // Black is the key: black turns white.
  d.KeyColor = 0x000000;
  d.SetPixelFormat(kPf1Bit);
  EXPECT_EQ(test::ToRgb(d.InternalDIB()->Data)[0], 255);
  // Only the low three bytes of an RGB value count; a system colour (high
  // bit set) is looked up.
  EXPECT_EQ(ColorToRGB(0x02FFFFFF), 0xFFFFFFu);
  EXPECT_EQ(ColorToRGB(0x80000005), PlatformSysColor(5));
}

}  // namespace
}  // namespace qm
