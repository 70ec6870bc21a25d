// TQvDIB under Wine as a graphic of the class library: the three drawing
// modes, the picture registry, the clipboard, and the key colour of the
// 1-bit conversion given as a system colour.
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <set>
#include <sstream>

#include "bitmap/QvDibGraphic.h"
#include "bitmap/QvDibWin32.h"
#include "bitmap/tests/DibTestUtil.h"
#include "bitmap/tests/wine/DrawTarget.h"
#include "classlib/Picture.h"

namespace qm {
namespace {

const std::string kGood = std::string(QM_TESTDATA_DIR) + "/bmp/g/";

// A w x h 24-bit picture: left half black, right half grey 128, top rows
// white.
void Stripes(TQvDIB& d, int w, int h) {
  d.SetBitCount(24);
  d.SetWidth(w);
  d.SetHeight(-h);
  uint8_t* bits = d.InternalDIB()->Data.Bits;
  const int64_t stride = DibStride(w, 24);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      std::memset(bits + stride * y + 3 * x, y < 2 ? 255 : x < w / 2 ? 0 : 128, 3);
}

std::set<uint32_t> Colours(const std::vector<uint8_t>& rgb) {
  std::set<uint32_t> s;
  for (size_t i = 0; i < rgb.size(); i += 3) s.insert(rgb[i] << 16 | rgb[i + 1] << 8 | rgb[i + 2]);
  return s;
}

TEST(DibGraphic, DrawsInAllThreeModes) {
  for (bool mapped : {true, false}) {
    SCOPED_TRACE(mapped ? "mapped" : "heap");
    TQvDIB d(mapped);
    Stripes(d, 16, 8);
    const std::vector<uint8_t> pixels = test::ToRgb(d.InternalDIB()->Data);
    // Stretched to twice the size.
    RECT r{0, 0, 32, 16};
    test::Target direct(32, 16), colour(32, 16), bw(32, 16);
    QvDibDraw(d, direct.dc, r);
    d.HalftoneMode = 1;
    QvDibDraw(d, colour.dc, r);
    d.HalftoneMode = 2;
    QvDibDraw(d, bw.dc, r);
    // The picture itself is unchanged.
    EXPECT_EQ(d.HalftoneMode, 2);
    EXPECT_EQ(d.GetPixelFormat(), kPf24Bit);
    EXPECT_EQ(test::ToRgb(d.InternalDIB()->Data), pixels);

    EXPECT_EQ(Colours(direct.Rgb()), (std::set<uint32_t>{0, 0x808080, 0xFFFFFF}));
    // Colour halftone: cube colours only; grey is mixed from its
    // neighbours; black and white stay.
    std::set<uint32_t> cube;
    for (const QvRGBQuad& q : HalftoneColorTable()) cube.insert(q.rgbRed << 16 | q.rgbGreen << 8 | q.rgbBlue);
    const std::vector<uint8_t> c = colour.Rgb();
    for (uint32_t v : Colours(c)) EXPECT_TRUE(cube.count(v)) << std::hex << v;
    EXPECT_GT(Colours(c).size(), 3u);
    EXPECT_EQ(c[0], 255);                                      // white top row
    EXPECT_EQ(c[3 * (32 * 15)], 0);                            // black bottom left
    // Black and white only, grey as a mix of both.
    const std::vector<uint8_t> b = bw.Rgb();
    EXPECT_EQ(Colours(b), (std::set<uint32_t>{0, 0xFFFFFF}));
    int whiteInGrey = 0;
    for (int y = 4; y < 16; ++y)
      for (int x = 16; x < 32; ++x) whiteInGrey += b[3 * (32 * y + x)] == 255;
    EXPECT_GT(whiteInGrey, 40);
    EXPECT_LT(whiteInGrey, 150);
  }
}

TEST(DibGraphic, OtherModesAndEmptyRectanglesDrawNothing) {
  TQvDIB d;
  Stripes(d, 4, 4);
  test::Target t(4, 4);
  for (uint8_t mode : {1, 2, 3}) {
    d.HalftoneMode = mode;
    RECT empty{2, 0, 2, 4};
    QvDibDraw(d, t.dc, empty);
    if (mode == 3) {
      RECT r{0, 0, 4, 4};
      QvDibDraw(d, t.dc, r);
    }
  }
  EXPECT_EQ(Colours(t.Rgb()), std::set<uint32_t>{0});
}

TEST(DibGraphic, CanvasDrawsWithItsCopyMode) {
  TQvDIBGraphic g;
  Stripes(g.DIB(), 8, 8);
  g.DIB().HalftoneMode = 2;
  cl::TBitmap bmp;
  bmp.SetSize(8, 8);
  bmp.Canvas().StretchDraw(RECT{0, 0, 8, 8}, g);
  EXPECT_EQ(bmp.Canvas().Pixel(0, 0), RGB(255, 255, 255));
  EXPECT_EQ(bmp.Canvas().Pixel(0, 7), RGB(0, 0, 0));
  // NOTSRCCOPY inverts: white rows black, black columns white.
  bmp.Canvas().CopyMode = NOTSRCCOPY;
  g.DIB().HalftoneMode = 0;
  bmp.Canvas().Draw(0, 0, g);
  EXPECT_EQ(bmp.Canvas().Pixel(0, 0), RGB(0, 0, 0));
  EXPECT_EQ(bmp.Canvas().Pixel(0, 7), RGB(255, 255, 255));
}

TEST(DibGraphic, PicturesOfDibFilesAndCfDibAreTQvDibs) {
  EXPECT_EQ(cl::TPicture::FileFormatDescription("DIB"), "Device Independent Bitmap");
  EXPECT_TRUE(cl::TPicture::SupportsClipboardFormat(CF_DIB));
  // A .dib file is a BMP file.
  char dir[MAX_PATH];
  GetTempPathA(MAX_PATH, dir);
  const std::string path = std::string(dir) + "qvdib-picture-test.dib";
  {
    std::ifstream in(kGood + "pal8rle.bmp", std::ios::binary);
    std::ofstream out(path, std::ios::binary);
    out << in.rdbuf();
  }
  cl::TPicture picture;
  picture.LoadFromFile(path);
  DeleteFileA(path.c_str());
  auto* g = dynamic_cast<TQvDIBGraphic*>(picture.Graphic());
  ASSERT_NE(g, nullptr);
  EXPECT_EQ(g->Width(), 127);
  EXPECT_EQ(g->DIB().GetPixelFormat(), kPf8BitRle);
  EXPECT_THROW(picture.LoadFromFile(std::string(dir) + "x.qqq"), cl::EInvalidGraphic);
  EXPECT_EQ(picture.Graphic(), g);  // a failed load keeps the picture
  // Streams: written and read back, the stream left after the picture.
  std::stringstream s;
  g->SaveToStream(s);
  s << "tail";
  TQvDIBGraphic back;
  back.LoadFromStream(s);
  EXPECT_EQ(test::ToRgb(back.DIB().InternalDIB()->Data), test::ToRgb(g->DIB().InternalDIB()->Data));
  std::string rest;
  s >> rest;
  EXPECT_EQ(rest, "tail");
}

class ClipboardOwner {
 public:
  ClipboardOwner()
      : hwnd(CreateWindowExA(0, "STATIC", "clip", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr)) {}
  ~ClipboardOwner() { DestroyWindow(hwnd); }
  HWND hwnd;
};

TEST(DibGraphic, ClipboardCarriesTheDibWithoutAPaletteHandle) {
  ClipboardOwner owner;
  cl::TClipboard clipboard(owner.hwnd);
  for (const char* name : {"pal8.bmp", "pal4rle.bmp", "rgb24.bmp"}) {
    SCOPED_TRACE(name);
    TQvDIBGraphic g;
    g.DIB().LoadFromFile(kGood + name);
    // In a halftone drawing mode the DIB still hands over its own pixels
    // and colours, never the halftone palette.
    g.DIB().HalftoneMode = 1;
    clipboard.Assign(g);
    clipboard.Open();
    EXPECT_TRUE(clipboard.HasFormat(CF_DIB));
    if (clipboard.HasFormat(CF_PALETTE)) {
      auto pal = static_cast<HPALETTE>(clipboard.GetAsHandle(CF_PALETTE));
      EXPECT_EQ(GetPaletteEntries(pal, 0, 0, nullptr), g.DIB().InternalDIB()->Data.Header.biClrUsed);
    }
    clipboard.Close();
    TQvDIBGraphic back;
    back.Assign(clipboard);
    EXPECT_EQ(back.DIB().SaveToPackedDIB(), g.DIB().SaveToPackedDIB());
    EXPECT_EQ(back.DIB().GetPixelFormat(), g.DIB().GetPixelFormat());
    // Through the picture: the registered class for CF_DIB.
    cl::TPicture picture;
    picture.Assign(clipboard);
    ASSERT_NE(dynamic_cast<TQvDIBGraphic*>(picture.Graphic()), nullptr);
  }
  EXPECT_FALSE(clipboard.IsOpen());
  TQvDIBGraphic g;
  EXPECT_THROW(g.LoadFromClipboardFormat(CF_BITMAP, reinterpret_cast<HANDLE>(1), nullptr), cl::EInvalidGraphic);
  clipboard.SetAsHandle(CF_TEXT, GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 4));
  try {
    g.Assign(clipboard);
    FAIL();
  } catch (const cl::EInvalidGraphic& e) {
    EXPECT_STREQ(e.what(), "TQvDIB.LoadFromClipboardFormat: Invalid Clipboard Format or No Data");
  }
  EXPECT_FALSE(clipboard.IsOpen());
}

TEST(DibGraphic, KeyColourMayBeASystemColour) {
  const COLORREF window = GetSysColor(COLOR_WINDOW);
  TQvDIB d;
  d.SetBitCount(24);
  d.SetWidth(2);
  uint8_t* p = d.InternalDIB()->Data.Bits;
  p[0] = GetBValue(window);
  p[1] = GetGValue(window);
  p[2] = GetRValue(window);
  p[3] = static_cast<uint8_t>(p[0] ^ 1);
  d.KeyColor = 0x80000000u | COLOR_WINDOW;  // the class library's clWindow
  d.SetPixelFormat(kPf1Bit);
  EXPECT_EQ(d.InternalDIB()->Data.Bits[0], 0x80);
}

TEST(DibGraphic, AssignsBitmapsAndOtherDibs) {
  TQvDIBGraphic a, b;
  a.DIB().LoadFromFile(kGood + "pal4.bmp");
  b.Assign(&a);
  EXPECT_EQ(a.DIB().InternalDIB(), b.DIB().InternalDIB());
  cl::TBitmap bmp;
  a.AssignTo(bmp);
  TQvDIBGraphic c;
  c.Assign(&bmp);
  EXPECT_EQ(test::ToRgb(c.DIB().InternalDIB()->Data), test::ToRgb(a.DIB().InternalDIB()->Data));
  cl::TMetafile meta;
  EXPECT_THROW(c.Assign(&meta), cl::EInvalidGraphic);
  c.Assign(static_cast<cl::TGraphic*>(nullptr));
  EXPECT_EQ(c.Width(), 1);
}

}  // namespace
}  // namespace qm
