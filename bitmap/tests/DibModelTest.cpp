// TQvDIB: sharing, copy before change, whole-picture replacement and the
// pixel-format dispatcher with its progress events.
#include <gtest/gtest.h>

#include "bitmap/core/QvDib.h"
#include "bitmap/tests/DibTestUtil.h"
#include "core/FileSystem.h"

namespace qm {
namespace {

std::string SuiteFile(const char* name) {
  return std::string(QM_TESTDATA_DIR) + "/bmp/g/" + name;
}

struct Event {
  TQvProgressStage stage;
  int percent;
  bool redraw;
  std::string text;
};

TEST(DibModel, NewDibIsOnePixelOf8Bits) {
  TQvDIB d;
  EXPECT_EQ(d.GetWidth(), 1);
  EXPECT_EQ(d.GetHeight(), 1);
  EXPECT_EQ(d.GetPixelFormat(), 3);
  EXPECT_FALSE(d.GetEmpty());
  EXPECT_TRUE(d.PaletteModified);
  EXPECT_TRUE(d.GetUseFMO());
  EXPECT_EQ(d.KeyColor, 0xFFFFFFu);
}

TEST(DibModel, AssignSharesAndAChangeCopiesFirst) {
  TQvDIB a(false), b(false);
  a.LoadFromFile(SuiteFile("pal8rle.bmp"));
  const std::vector<uint8_t> before = test::ToRgb(a.InternalDIB()->Data);
  int changes = 0;
  b.OnChange = [&](TQvDIB&) { ++changes; };
  b.Assign(&a);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(a.InternalDIB(), b.InternalDIB());
  EXPECT_EQ(a.InternalDIB()->RefCount, 2);
  EXPECT_EQ(b.GetWidth(), 127);
  b.SetPixelFormat(3);
  EXPECT_NE(a.InternalDIB(), b.InternalDIB());
  EXPECT_EQ(a.InternalDIB()->RefCount, 1);
  EXPECT_EQ(b.InternalDIB()->RefCount, 1);
  EXPECT_EQ(a.GetPixelFormat(), 4);
  EXPECT_EQ(b.GetPixelFormat(), 3);
  EXPECT_EQ(test::ToRgb(a.InternalDIB()->Data), before);
  EXPECT_EQ(test::ToRgb(b.InternalDIB()->Data), before);
  // Assigning itself does nothing at all.
  changes = 0;
  b.Assign(&b);
  EXPECT_EQ(changes, 0);
}

TEST(DibModel, UniqueDibCopiesPixelsAndLeavesTheOtherAlone) {
  TQvDIB a(true), b(true);
  a.SetWidth(7);
  b.Assign(&a);
  b.UniqueDIB();
  ASSERT_NE(a.InternalDIB(), b.InternalDIB());
  b.InternalDIB()->Data.Bits[0] = 42;
  EXPECT_EQ(a.InternalDIB()->Data.Bits[0], 0);
  EXPECT_EQ(b.InternalDIB()->Data.Size, a.InternalDIB()->Data.Size);
  EXPECT_EQ(b.GetWidth(), 7);
}

TEST(DibModel, SizeSettersMakeBlankPictures) {
  TQvDIB d(false);
  d.LoadFromFile(SuiteFile("pal8.bmp"));
  int changes = 0;
  d.OnChange = [&](TQvDIB&) { ++changes; };
  d.SetWidth(127);
  EXPECT_EQ(changes, 0);
  d.SetWidth(10);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(d.GetWidth(), 10);
  EXPECT_EQ(d.InternalDIB()->Data.Header.biClrUsed, 252u);
  for (int i = 0; i < d.InternalDIB()->Data.Size; ++i) ASSERT_EQ(d.InternalDIB()->Data.Bits[i], 0);
  for (int i = 0; i < 252; ++i) ASSERT_EQ(d.InternalDIB()->Data.Colors[i].rgbRed, 0);
  d.SetHeight(10);
  EXPECT_EQ(d.InternalDIB()->Data.Header.biHeight, 10);
  d.SetHeight(-10);
  EXPECT_EQ(d.InternalDIB()->Data.Header.biHeight, -10);
  EXPECT_EQ(d.GetHeight(), 10);
  EXPECT_THROW(d.SetWidth(0), EQvDIBInvalidDIBPara);
  EXPECT_THROW(d.SetHeight(0), EQvDIBInvalidDIBPara);
  try {
    d.SetBitCount(16);
    FAIL();
  } catch (const EQvDIBInvalidDIBPara& e) {
    EXPECT_STREQ(e.what(), "TQvDIB.SetBitCount: Invalid BitCount");
  }
  d.SetBitCount(4);
  EXPECT_EQ(d.InternalDIB()->Data.Header.biClrUsed, 16u);
  EXPECT_EQ(d.GetPixelFormat(), 1);
}

TEST(DibModel, Rle4ToPlainWithoutProgress) {
  TQvDIB d(true), plain(true);
  d.LoadFromFile(SuiteFile("pal4rle.bmp"));
  plain.LoadFromFile(SuiteFile("pal4.bmp"));
  EXPECT_EQ(d.GetPixelFormat(), 2);
  std::vector<Event> events;
  d.OnProgress = [&](TQvDIB&, TQvProgressStage s, int p, bool r, const QvRect&, const std::string& t) {
    events.push_back({s, p, r, t});
  };
  d.PaletteModified = false;
  d.SetPixelFormat(1);
  EXPECT_TRUE(events.empty());
  EXPECT_EQ(d.GetPixelFormat(), 1);
  EXPECT_TRUE(d.PaletteModified);
  EXPECT_EQ(test::ToRgb(d.InternalDIB()->Data), test::ToRgb(plain.InternalDIB()->Data));
  EXPECT_EQ(0, std::memcmp(d.InternalDIB()->Data.Colors, plain.InternalDIB()->Data.Colors, 16 * 4));
}

// A stand-in colour reduction that reports 256 steps and makes a blank
// 8-bit picture.
void FakeReduce(const TQvDIBData& s, TQvDIBData& d, bool useFMO, const QvConvertContext& ctx) {
  for (int i = 0; i < 256; ++i) (*ctx.progress)();
  TQvInternalDIB tmp(useFMO);
  d = tmp.Data;
  d.Header.biWidth = s.Header.biWidth;
  tmp.Data.Bits = nullptr;  // handed over
  tmp.Data.MappingHandle = nullptr;
}

// Puts a stand-in into the dispatcher's table for the time of a test.
class StandIn {
 public:
  StandIn(QvConversion which, QvConvertFn fn) : which_(which), old_(GetDIBConversion(which)) {
    RegisterDIBConversion(which, fn);
  }
  ~StandIn() { RegisterDIBConversion(which_, old_); }

 private:
  QvConversion which_;
  QvConvertFn old_;
};

TEST(DibModel, ReductionReportsProgress) {
  StandIn fake(QvConversion::k24To8Low, &FakeReduce);
  TQvDIB d(false);
  d.SetBitCount(24);
  std::vector<Event> events;
  d.OnProgress = [&](TQvDIB&, TQvProgressStage s, int p, bool r, const QvRect& rc, const std::string& t) {
    events.push_back({s, p, r, t});
    EXPECT_EQ(rc.right, 1);
  };
  d.SetPixelFormat(3);
  ASSERT_EQ(events.size(), 257u);
  EXPECT_EQ(events[0].stage, TQvProgressStage::psStarting);
  EXPECT_EQ(events[0].percent, 0);
  EXPECT_EQ(events[0].text, "PixelFormat 24Bit -> 8Bit");
  int last = -1;
  for (size_t i = 1; i < 256; ++i) {
    EXPECT_EQ(events[i].stage, TQvProgressStage::psRunning);
    EXPECT_GE(events[i].percent, last);
    last = events[i].percent;
  }
  EXPECT_EQ(events[255].percent, 255 * 100 / 256);
  EXPECT_EQ(events[256].stage, TQvProgressStage::psEnding);
  EXPECT_EQ(events[256].percent, 100);
  EXPECT_TRUE(events[256].redraw);
  EXPECT_EQ(d.GetPixelFormat(), 3);
}

TEST(DibModel, MissingConversionLeavesThePictureAndEndsProgress) {
  StandIn missing(QvConversion::k24To4Low, nullptr);
  TQvDIB d(false);
  d.SetBitCount(24);
  std::vector<Event> events;
  d.OnProgress = [&](TQvDIB&, TQvProgressStage s, int p, bool r, const QvRect&, const std::string& t) {
    events.push_back({s, p, r, t});
  };
  EXPECT_THROW(d.SetPixelFormat(1), EQvDIBBadDIBType);
  EXPECT_EQ(d.GetPixelFormat(), 5);
  ASSERT_EQ(events.size(), 2u);
  EXPECT_EQ(events[1].stage, TQvProgressStage::psEnding);
  EXPECT_EQ(events[1].text, "PixelFormat 24Bit -> 4Bit");
  // Same format: nothing, not even an event.
  events.clear();
  d.SetPixelFormat(5);
  EXPECT_TRUE(events.empty());
}

TEST(DibModel, ConversionChains) {
  using C = QvConversion;
  EXPECT_EQ(ConversionChain(2, 1, 0), (std::vector<C>{C::kDecode4}));
  EXPECT_EQ(ConversionChain(4, 2, 0), (std::vector<C>{C::kDecode8, C::k8To4, C::kEncode4}));
  EXPECT_EQ(ConversionChain(5, 4, 1), (std::vector<C>{C::k24To8High, C::kEncode8}));
  EXPECT_EQ(ConversionChain(2, 7, 0), (std::vector<C>{C::kDecode4, C::kHalftoneBW}));
  EXPECT_EQ(ConversionChain(0, 2, 0), (std::vector<C>{C::k1To4, C::kEncode4}));
  EXPECT_EQ(ConversionChain(5, 0, 9), (std::vector<C>{C::k24To1}));
  EXPECT_THROW(ConversionChain(5, 3, 2), EQvAssertionFailed);
  EXPECT_THROW(ConversionChain(3, 3, 0), EQvAssertionFailed);
  EXPECT_THROW(ConversionChain(3, 8, 0), EQvAssertionFailed);
}

TEST(DibModel, FailedLoadKeepsPictureSizeAndPalette) {
  TQvDIB d(false);
  d.LoadFromFile(SuiteFile("pal4.bmp"));
  TQvInternalDIB* before = d.InternalDIB();
  std::string junk = "XM and more bytes than a header";
  QvMemoryReadStream s(junk);
  try {
    d.LoadFromStream(s);
    FAIL();
  } catch (const EQvDIBInvalidDIBFile& e) {
    EXPECT_STREQ(e.what(), "TQvInternalDIB.LoadFromFile: File type is invalid");
  }
  EXPECT_EQ(d.InternalDIB(), before);
  EXPECT_EQ(d.GetWidth(), 127);
  EXPECT_EQ(d.GetPixelFormat(), 1);
}

TEST(DibModel, MissingFileIsAFileError) {
  TQvDIB d(false);
  EXPECT_THROW(d.LoadFromFile(SuiteFile("no-such-file.bmp")), FileError);
  EXPECT_EQ(d.GetWidth(), 1);
}

TEST(DibModel, AssignNothingGivesTheDefaultPicture) {
  TQvDIB d(false);
  d.SetBitCount(24);
  d.Assign(nullptr);
  EXPECT_EQ(d.GetPixelFormat(), 3);
  EXPECT_EQ(d.GetWidth(), 1);
}

TEST(DibModel, HalftoneTables) {
  auto t = HalftoneColorTable();
  EXPECT_EQ(t[209].rgbRed, 255);
  EXPECT_EQ(t[209].rgbGreen, 255);
  EXPECT_EQ(t[209].rgbBlue, 255);
  EXPECT_EQ(t[1 * 35 + 3 * 5 + 2].rgbRed, 51);
  EXPECT_EQ(t[1 * 35 + 3 * 5 + 2].rgbGreen, 128);
  EXPECT_EQ(t[1 * 35 + 3 * 5 + 2].rgbBlue, 128);
  EXPECT_EQ(t[210].rgbRed, 128);
  EXPECT_EQ(t[210].rgbGreen, 0);
  EXPECT_EQ(t[213].rgbGreen, 192);
  EXPECT_EQ(t[214].rgbBlue, 128);
  auto bw = HalftoneBWTable();
  EXPECT_EQ(bw[0].rgbRed, 0);
  EXPECT_EQ(bw[1].rgbBlue, 255);
}

}  // namespace
}  // namespace qm
