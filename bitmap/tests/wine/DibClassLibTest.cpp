// TQvDIB to and from cl::TBitmap under Wine.
#include <gtest/gtest.h>
#include <windows.h>

#include "bitmap/QvDibClassLib.h"
#include "bitmap/tests/DibTestUtil.h"

namespace qm {
namespace {

const std::string kGood = std::string(QM_TESTDATA_DIR) + "/bmp/g/";

int DifferentPixels(cl::TBitmap& a, cl::TBitmap& b) {
  int n = 0;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x)
      if (a.Canvas().Pixel(x, y) != b.Canvas().Pixel(x, y)) ++n;
  return n;
}

TEST(DibClassLib, ToBitmapAndBack) {
  struct Case {
    const char* name;
    cl::TPixelFormat format;
  };
  for (const Case& c : {Case{"pal8.bmp", cl::TPixelFormat::pf8bit}, Case{"pal4rle.bmp", cl::TPixelFormat::pf4bit},
                        Case{"rgb24.bmp", cl::TPixelFormat::pf24bit}, Case{"pal1.bmp", cl::TPixelFormat::pf1bit}}) {
    SCOPED_TRACE(c.name);
    TQvDIB dib;
    dib.LoadFromFile(kGood + c.name);
    cl::TBitmap bmp;
    QvDibAssignToBitmap(dib, bmp);
    EXPECT_EQ(bmp.Width(), dib.GetWidth());
    EXPECT_EQ(bmp.Height(), dib.GetHeight());
    EXPECT_EQ(bmp.PixelFormat(), c.format);
    EXPECT_EQ(bmp.Palette() != nullptr, c.format != cl::TPixelFormat::pf24bit);
    // The class library reads the same file to the same pixels.
    cl::TBitmap file;
    file.LoadFromFile(kGood + c.name);
    EXPECT_EQ(DifferentPixels(bmp, file), 0);
    // Back, from a bitmap whose canvas is in use.
    TQvDIB back;
    QvDibAssignFromBitmap(back, bmp);
    EXPECT_EQ(test::ToRgb(back.InternalDIB()->Data), test::ToRgb(dib.InternalDIB()->Data));
  }
}

TEST(DibClassLib, DrawnPixelsReachTheDib) {
  cl::TBitmap bmp;
  bmp.SetSize(8, 4, cl::TPixelFormat::pf32bit);
  bmp.Canvas().SetPixel(2, 1, RGB(255, 0, 0));
  TQvDIB dib;
  QvDibAssignFromBitmap(dib, bmp);
  EXPECT_EQ(dib.GetWidth(), 8);
  EXPECT_EQ(dib.InternalDIB()->Data.Header.biBitCount, 24);  // 32 bits become 24
  cl::TBitmap again;
  QvDibAssignToBitmap(dib, again);
  EXPECT_EQ(again.Canvas().Pixel(2, 1), RGB(255, 0, 0));
  EXPECT_EQ(again.Canvas().Pixel(3, 1), RGB(255, 255, 255));
  cl::TBitmap empty;
  EXPECT_THROW(QvDibAssignFromBitmap(dib, empty), EQvInvalidGraphic);
  EXPECT_EQ(dib.GetWidth(), 8);
}

}  // namespace
}  // namespace qm
