// Internal DIB storage: creation, stride rules, pixel formats, memory.
#include <gtest/gtest.h>

#include <climits>

#include "bitmap/core/QvDibMemory.h"
#include "bitmap/core/QvInternalDib.h"

namespace qm {
namespace {

template <class E, class F>
std::string MessageOf(F f) {
  try {
    f();
  } catch (const E& e) {
    return e.what();
  }
  return "(nothing raised)";
}

TEST(DibStorage, NewInternalDibIsOneBlackPixelOf8Bits) {
  for (bool fmo : {false, true}) {
    TQvInternalDIB d(fmo);
    EXPECT_EQ(d.RefCount, 1);
    EXPECT_EQ(d.Width, 1);
    EXPECT_EQ(d.Height, 1);
    EXPECT_EQ(d.GetPixelFormat(), kPf8Bit);
    EXPECT_EQ(d.Data.Header.biClrUsed, 256u);
    EXPECT_EQ(d.Data.Size, 4);
    EXPECT_EQ(d.Data.Bits[0], 0);
    EXPECT_EQ(d.Data.Header.biXPelsPerMeter, 3780);
    for (int i = 0; i < 256; ++i) EXPECT_EQ(d.Data.Colors[i].rgbRed | d.Data.Colors[i].rgbGreen | d.Data.Colors[i].rgbBlue, 0);
    EXPECT_EQ(d.UseFMO, fmo);
    EXPECT_EQ(d.Data.MappingHandle != nullptr, fmo);
  }
}

TEST(DibStorage, StrideExamples) {
  EXPECT_EQ(DibStride(1, 1), 4);
  EXPECT_EQ(DibStride(1, 4), 4);
  EXPECT_EQ(DibStride(1, 8), 4);
  EXPECT_EQ(DibStride(1, 24), 4);
  EXPECT_EQ(DibStride(33, 1), 8);
  EXPECT_EQ(DibStride(5, 24), 16);
  EXPECT_EQ(DibStride(INT32_MAX, 24), int64_t{INT32_MAX} * 3 + 3);  // no wrap
  EXPECT_EQ(DibImageBytes(INT32_MAX, 24, INT32_MAX), kMaxPixelBytes + 1);
}

TEST(DibStorage, CreateDibWithNegativeHeightIsTopDown) {
  TQvInternalDIB d(false);
  d.ClearDIB();
  d.CreateDIB(5, -3, 24, 0);
  EXPECT_EQ(d.Data.Header.biHeight, -3);
  EXPECT_EQ(d.Height, 3);
  EXPECT_EQ(d.Data.Size, 3 * 16);
  EXPECT_TRUE(d.PaletteChanged);
}

TEST(DibStorage, CreateDibRefusesBadParameters) {
  const char* msg = "TQvInternalDIB.CreateDIB: Invalid Parameters";
  struct Args { int w, h, bits, colors; } bad[] = {
      {0, 1, 8, 0}, {1, 0, 8, 0}, {1, 1, 8, 257}, {1, 1, 2, 0}, {1, 1, 16, 0},
      {1, 1, 32, 0}, {1, INT32_MIN, 8, 0}, {1, 1, 8, -1}, {INT32_MAX, INT32_MAX, 24, 0}};
  for (const Args& a : bad) {
    TQvInternalDIB d(false);
    d.ClearDIB();
    EXPECT_EQ(MessageOf<EQvDIBInvalidDIBPara>([&] { d.CreateDIB(a.w, a.h, a.bits, a.colors); }), msg)
        << a.w << "x" << a.h << " " << a.bits << " bits " << a.colors;
    EXPECT_EQ(d.Data.Bits, nullptr);  // nothing allocated
  }
}

TEST(DibStorage, PixelFormatsAndTheirRefusals) {
  TQvInternalDIB d(false);
  auto pf = [&](int bits, uint32_t comp) {
    d.Data.Header.biBitCount = static_cast<uint16_t>(bits);
    d.Data.Header.biCompression = comp;
    return d.GetPixelFormat();
  };
  EXPECT_EQ(pf(1, 0), 0);
  EXPECT_EQ(pf(4, 0), 1);
  EXPECT_EQ(pf(4, 2), 2);
  EXPECT_EQ(pf(8, 0), 3);
  EXPECT_EQ(pf(8, 1), 4);
  EXPECT_EQ(pf(24, 0), 5);
  EXPECT_EQ(MessageOf<EQvDIBInvalidDIB>([&] { pf(4, 1); }), "TQvInternalDIB.GetPixelFormat: Invalid DIB(4Bit)");
  EXPECT_EQ(MessageOf<EQvDIBInvalidDIB>([&] { pf(8, 2); }), "TQvInternalDIB.GetPixelFormat: Invalid DIB(8Bit)");
  EXPECT_EQ(MessageOf<EQvDIBInvalidDIB>([&] { pf(1, 3); }), "TQvInternalDIB.GetPixelFormat: Invalid DIB(1Bit)");
  EXPECT_EQ(MessageOf<EQvDIBInvalidDIB>([&] { pf(24, 1); }), "TQvInternalDIB.GetPixelFormat: Invalid DIB(24Bit)");
  EXPECT_EQ(MessageOf<EQvDIBInvalidDIB>([&] { pf(16, 0); }),
            "TQvInternalDIB.GetPixelFormat: Invalid DIB(Illegal BitCount)");
}

TEST(DibStorage, DefaultColorCount) {
  EXPECT_EQ(DefaultColorCount(1), 2);
  EXPECT_EQ(DefaultColorCount(4), 16);
  EXPECT_EQ(DefaultColorCount(8), 256);
  EXPECT_EQ(DefaultColorCount(24), 0);
  EXPECT_EQ(DefaultColorCount(16), 0);
}

TEST(DibStorage, MappedMemoryOfNoBytesCannotBeMade) {
  void* h = nullptr;
  uint8_t* b = nullptr;
  EXPECT_EQ(MessageOf<EQvOutOfResources>([&] { GetMemory(0, h, b, true); }),
            "GetMemory: Cannot Make File Mapping Object");
  EXPECT_THROW(GetMemory(-1, h, b, false), EQvDIBInvalidDIB);
  EXPECT_THROW(GetMemory(kMaxPixelBytes + 1, h, b, true), EQvDIBInvalidDIB);
  GetMemory(0, h, b, false);  // the heap gives a block for 0 bytes
  ReleaseMemory(h, b, false);
}

TEST(DibStorage, UpdatePaletteOnSharedStorageFailsTheAssertion) {
  TQvInternalDIB d(false);
  d.RefCount = 2;
  EXPECT_THROW(d.UpdatePalette(), EQvAssertionFailed);
  d.RefCount = 1;
  d.PaletteChanged = false;
  d.UpdatePalette();
  EXPECT_TRUE(d.PaletteChanged);
}

TEST(DibStorage, MaskShiftValues) {
  EXPECT_EQ(MaskShift(0x7C00), 7);
  EXPECT_EQ(MaskShift(0x03E0), 2);
  EXPECT_EQ(MaskShift(0x001F), -3);
  EXPECT_EQ(MaskShift(0xF800), 8);
  EXPECT_EQ(MaskShift(0x07E0), 3);
  EXPECT_EQ(MaskShift(0xFF0000), 16);
  EXPECT_EQ(MaskShift(0x00FF00), 8);
  EXPECT_EQ(MaskShift(0x0000FF), 0);
  EXPECT_EQ(MaskShift(0x80000000u), 24);
  EXPECT_EQ(MaskShift(1), -7);
}

TEST(DibStorage, HeaderAndColoursFormOneBitmapInfo) {
  static_assert(sizeof(QvBitmapInfoHeader) == 40);
  EXPECT_EQ(offsetof(TQvDIBData, Colors) - offsetof(TQvDIBData, Header), 40u);
  EXPECT_EQ(offsetof(TQvDIBData, Header) % 4, 0u);
}

}  // namespace
}  // namespace qm
