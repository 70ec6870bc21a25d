#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>

#include "bitmap/core/QvBmpFormat.h"
#include "classlib/Graphics.h"

namespace cl {
namespace {

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kBlack = RGB(0, 0, 0);
const COLORREF kRed = RGB(255, 0, 0);

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

// A 3 x 2 bottom-up 8-bit .bmp with two colours: blue, and yellow at the
// top-left pixel.
std::string SmallBmp() {
  qm::QvBitmapInfoHeader h{};
  h.biSize = 40;
  h.biWidth = 3;
  h.biHeight = 2;
  h.biPlanes = 1;
  h.biBitCount = 8;
  h.biSizeImage = 8;
  h.biClrUsed = 2;
  const std::string colors("\xFF\x00\x00\x00\x00\xFF\xFF\x00", 8);  // blue, yellow (BGR0)
  std::string b;
  qm::ByteWriter w(b);
  qm::WriteBmpHeaders(w, h, colors.data(), 2, 8);
  b += std::string("\x00\x00\x00\x00", 4);  // bottom row
  b += std::string("\x01\x00\x00\x00", 4);  // top row
  return b;
}

int DifferentPixels(TBitmap& a, TBitmap& b) {
  int n = 0;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x)
      if (a.Canvas().Pixel(x, y) != b.Canvas().Pixel(x, y)) ++n;
  return n;
}

TEST(CanvasTest, ShapesWithPenAndBrush) {
  TBitmap bmp;
  bmp.SetSize(60, 40);
  TCanvas& c = bmp.Canvas();
  EXPECT_EQ(c.Pixel(0, 0), kWhite);
  c.Brush.Color = kRed;
  c.Rectangle(5, 5, 20, 20);
  EXPECT_EQ(c.Pixel(5, 5), kBlack);    // the outline
  EXPECT_EQ(c.Pixel(12, 12), kRed);    // the inside
  EXPECT_EQ(c.Pixel(20, 20), kWhite);  // right and bottom are exclusive
  // A clear brush leaves the inside; a wide pen makes a thick outline.
  c.Brush.Clear = true;
  c.Pen.Width = 3;
  c.Pen.Color = RGB(0, 0, 255);
  c.Rectangle(30, 5, 50, 25);
  EXPECT_EQ(c.Pixel(40, 15), kWhite);
  EXPECT_EQ(c.Pixel(31, 15), RGB(0, 0, 255));
  // Ellipse and rounded rectangle leave their corners.
  c.Brush.Clear = false;
  c.Pen = TPen{};
  c.Ellipse(0, 22, 18, 40);
  EXPECT_EQ(c.Pixel(9, 31), kRed);
  EXPECT_EQ(c.Pixel(1, 23), kWhite);
  c.RoundRect(20, 26, 40, 40, 10, 10);
  EXPECT_EQ(c.Pixel(30, 33), kRed);
  EXPECT_EQ(c.Pixel(20, 26), kWhite);
  // Pen mode not inverts what is there: twice restores it.
  c.Pen.Mode = pmNot;
  const POINT line[] = {{0, 2}, {59, 2}};
  c.Polyline(line, 2);
  EXPECT_EQ(c.Pixel(10, 2), kBlack);
  c.MoveTo(0, 2);
  c.LineTo(59, 2);
  EXPECT_EQ(c.Pixel(10, 2), kWhite);
  // FillRect has no outline; a clear brush fills nothing.
  c.Brush.Color = RGB(0, 255, 0);
  c.FillRect(RECT{52, 30, 58, 36});
  EXPECT_EQ(c.Pixel(52, 30), RGB(0, 255, 0));
  c.Brush.Clear = true;
  c.FillRect(RECT{52, 30, 58, 36});
  EXPECT_EQ(c.Pixel(55, 33), RGB(0, 255, 0));
  // The canvas leaves the DC's own objects selected.
  EXPECT_EQ(GetROP2(c.Handle()), R2_COPYPEN);
  EXPECT_EQ(GetCurrentObject(c.Handle(), OBJ_PEN), GetStockObject(BLACK_PEN));
}

TEST(CanvasTest, DrawAndStretchDrawWithCopyMode) {
  std::istringstream in(SmallBmp());
  TBitmap small;
  small.LoadFromStream(in);
  TBitmap target;
  target.SetSize(40, 40);
  TCanvas& c = target.Canvas();
  c.Draw(1, 1, small);
  EXPECT_EQ(c.Pixel(1, 1), RGB(255, 255, 0));
  EXPECT_EQ(c.Pixel(3, 2), RGB(0, 0, 255));
  EXPECT_EQ(c.Pixel(4, 1), kWhite);
  c.StretchDraw(RECT{10, 10, 40, 30}, small);  // 10 x 10 per pixel
  EXPECT_EQ(c.Pixel(15, 15), RGB(255, 255, 0));
  EXPECT_EQ(c.Pixel(25, 15), RGB(0, 0, 255));
  EXPECT_EQ(c.Pixel(15, 25), RGB(0, 0, 255));
  EXPECT_EQ(c.Pixel(15, 31), kWhite);
  c.CopyMode = DSTINVERT;
  c.Draw(1, 1, small);
  EXPECT_EQ(c.Pixel(1, 1), RGB(255, 255, 0) ^ 0xFFFFFF);
}

TEST(BitmapTest, LoadsFromAStreamByItsHeaders) {
  std::istringstream in(SmallBmp() + "TAIL");
  TBitmap bmp;
  bmp.LoadFromStream(in);
  EXPECT_EQ(bmp.Width(), 3);
  EXPECT_EQ(bmp.Height(), 2);
  EXPECT_EQ(bmp.PixelFormat(), TPixelFormat::pf8bit);
  ASSERT_NE(bmp.Palette(), nullptr);
  PALETTEENTRY pe[4];
  EXPECT_EQ(GetPaletteEntries(bmp.Palette(), 0, 4, pe), 2u);
  EXPECT_EQ(RGB(pe[1].peRed, pe[1].peGreen, pe[1].peBlue), RGB(255, 255, 0));
  EXPECT_EQ(bmp.Canvas().Pixel(0, 0), RGB(255, 255, 0));
  EXPECT_EQ(bmp.Canvas().Pixel(0, 1), RGB(0, 0, 255));
  std::string rest;
  in >> rest;
  EXPECT_EQ(rest, "TAIL");  // the stream stops right after the picture
  // Not a bitmap, or cut inside its headers.
  std::istringstream bad("XX" + SmallBmp().substr(2));
  EXPECT_THROW(bmp.LoadFromStream(bad), EInvalidGraphic);
  std::istringstream cut(SmallBmp().substr(0, 30));
  EXPECT_THROW(bmp.LoadFromStream(cut), EInvalidGraphic);
  EXPECT_EQ(bmp.Width(), 3);  // a failed load keeps the picture
}

TEST(BitmapTest, SuiteFilesRunLengthAndFormats) {
  const std::string dir = std::string(QM_TESTDATA_DIR) + "/bmp/g/";
  TBitmap plain, rle;
  plain.LoadFromFile(dir + "pal8.bmp");
  rle.LoadFromFile(dir + "pal8rle.bmp");
  EXPECT_EQ(rle.PixelFormat(), TPixelFormat::pf8bit);
  ASSERT_EQ(plain.Width(), rle.Width());
  ASSERT_EQ(plain.Height(), rle.Height());
  EXPECT_EQ(DifferentPixels(plain, rle), 0);
  plain.LoadFromFile(dir + "pal4.bmp");
  rle.LoadFromFile(dir + "pal4rle.bmp");
  EXPECT_EQ(plain.PixelFormat(), TPixelFormat::pf4bit);
  EXPECT_EQ(DifferentPixels(plain, rle), 0);
  TBitmap rgb;
  rgb.LoadFromFile(dir + "rgb24.bmp");
  EXPECT_EQ(rgb.PixelFormat(), TPixelFormat::pf24bit);
  EXPECT_EQ(rgb.Palette(), nullptr);
  TBitmap rgb565;
  rgb565.LoadFromFile(dir + "rgb16-565.bmp");
  EXPECT_EQ(rgb565.PixelFormat(), TPixelFormat::pf16bit);
  // Saved and read again: the same pixels.
  std::stringstream saved;
  plain.SaveToStream(saved);
  TBitmap again;
  again.LoadFromStream(saved);
  EXPECT_EQ(again.PixelFormat(), TPixelFormat::pf4bit);
  EXPECT_EQ(DifferentPixels(plain, again), 0);
  TBitmap copy;
  copy.Assign(rgb);
  EXPECT_EQ(DifferentPixels(rgb, copy), 0);
  EXPECT_NE(copy.Handle(), rgb.Handle());
}

TEST(MetafileTest, PlaceableRoundTrip) {
  const std::string bytes = ReadFile(std::string(QM_TESTDATA_DIR) + "/meta/wmf/libwmf-formula1.wmf");
  std::istringstream in(bytes + "TAIL");
  TMetafile mf;
  mf.LoadFromStream(in);
  EXPECT_EQ(mf.Width(), 222);  // bounding box -4..218 at 96 per inch
  EXPECT_EQ(mf.Height(), 41);
  EXPECT_EQ(mf.Inch(), 96);
  std::string rest;
  in >> rest;
  EXPECT_EQ(rest, "TAIL");

  std::ostringstream out;
  mf.SaveToStream(out);
  const std::string saved = out.str();
  ASSERT_GT(saved.size(), 40u);
  EXPECT_EQ(saved.substr(0, 4), std::string("\xD7\xCD\xC6\x9A", 4));
  unsigned sum = 0;
  for (int i = 0; i < 20; i += 2)
    sum ^= static_cast<unsigned char>(saved[i]) | static_cast<unsigned char>(saved[i + 1]) << 8;
  EXPECT_EQ(sum, (static_cast<unsigned char>(saved[20]) | static_cast<unsigned char>(saved[21]) << 8));

  std::istringstream back(saved);
  TMetafile again;
  again.LoadFromStream(back);
  EXPECT_EQ(again.Width(), mf.Width());
  EXPECT_EQ(again.Height(), mf.Height());
  TBitmap a, b;
  a.SetSize(mf.Width(), mf.Height());
  b.SetSize(mf.Width(), mf.Height());
  a.Canvas().Draw(0, 0, mf);
  b.Canvas().StretchDraw(RECT{0, 0, mf.Width(), mf.Height()}, again);
  int ink = 0;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x)
      if (a.Canvas().Pixel(x, y) != kWhite) ++ink;
  EXPECT_GT(ink, 100);  // the formula was drawn
  EXPECT_LT(DifferentPixels(a, b), ink / 10);
}

TEST(MetafileTest, EnhancedAndRefusals) {
  const std::string bytes =
      ReadFile(std::string(QM_TESTDATA_DIR) + "/meta/emf/libuemf-test_mm_text_ref.emf");
  std::istringstream in(bytes + "TAIL");
  TMetafile mf;
  mf.LoadFromStream(in);
  EXPECT_FALSE(mf.Empty());
  EXPECT_GT(mf.Width(), 0);
  EXPECT_GT(mf.Height(), 0);
  std::string rest;
  in >> rest;
  EXPECT_EQ(rest, "TAIL");
  std::ostringstream emf;
  mf.SaveToEnhancedStream(emf);
  EXPECT_EQ(emf.str(), bytes);
  std::istringstream junk("not a metafile at all");
  EXPECT_THROW(mf.LoadFromStream(junk), EInvalidGraphic);
  std::istringstream cut(bytes.substr(0, bytes.size() / 2));
  EXPECT_THROW(mf.LoadFromStream(cut), EInvalidGraphic);
  EXPECT_FALSE(mf.Empty());
}

}  // namespace
}  // namespace cl
