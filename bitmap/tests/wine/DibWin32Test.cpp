// The Win32 layer of the bitmap library under Wine: mapped pixel memory,
// drawing into a window and a memory DC, the canvas, palettes, the clipboard
// and plain bitmap handles.
#include <gtest/gtest.h>
#include <windows.h>

#include "bitmap/QvDibWin32.h"
#include "bitmap/tests/DibTestUtil.h"
#include "bitmap/tests/wine/DrawTarget.h"
#include "classlib/tests/WaitUntil.h"

namespace qm {
namespace {

const std::string kGood = std::string(QM_TESTDATA_DIR) + "/bmp/g/";

class TestWindow {
 public:
  TestWindow(int w, int h) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "QvDibTestWindow";
    RegisterClassA(&wc);
    hwnd = CreateWindowExA(WS_EX_TOPMOST, "QvDibTestWindow", "dib", WS_POPUP | WS_VISIBLE, 0, 0, w, h,
                           nullptr, nullptr, wc.hInstance, nullptr);
    UpdateWindow(hwnd);
    qmtest::WaitUntil("the test window shown and painted", [this] {
      return IsWindowVisible(hwnd) && !GetUpdateRect(hwnd, nullptr, FALSE);
    }, qmtest::Pump::Messages);
  }
  ~TestWindow() { DestroyWindow(hwnd); }
  HWND hwnd;
};

TEST(DibWin32, PixelMemoryIsAFileMapping) {
  TQvDIB d;
  EXPECT_TRUE(d.GetUseFMO());
  d.LoadFromFile(kGood + "pal8.bmp");
  EXPECT_NE(d.InternalDIB()->Data.MappingHandle, nullptr);
  MEMORY_BASIC_INFORMATION mbi{};
  ASSERT_TRUE(VirtualQuery(d.InternalDIB()->Data.Bits, &mbi, sizeof mbi));
  EXPECT_EQ(mbi.Type, static_cast<DWORD>(MEM_MAPPED));
}

TEST(DibWin32, FilesDrawAsTheyDecode) {
  for (const char* name : {"pal1.bmp", "pal4rle.bmp", "pal8rle.bmp", "pal8topdown.bmp", "rgb24.bmp",
                           "rgb16-565.bmp", "pal8os2.bmp"}) {
    SCOPED_TRACE(name);
    TQvDIB d;
    d.LoadFromFile(kGood + name);
    test::Target t(d.GetWidth(), d.GetHeight());
    RECT r{0, 0, d.GetWidth(), d.GetHeight()};
    QvDibDraw(d, t.dc, r);
    EXPECT_EQ(t.Rgb(), test::ToRgb(d.InternalDIB()->Data));
  }
}

TEST(DibWin32, DrawsIntoAWindow) {
  TQvDIB d;
  d.LoadFromFile(kGood + "pal8.bmp");
  TestWindow w(d.GetWidth(), d.GetHeight());
  HDC dc = GetDC(w.hwnd);
  RECT r{0, 0, d.GetWidth(), d.GetHeight()};
  QvDibDraw(d, dc, r);
  GdiFlush();
  std::vector<uint8_t> want = test::ToRgb(d.InternalDIB()->Data);
  int same = 0, total = 0;
  for (int y = 0; y < d.GetHeight(); y += 7)
    for (int x = 0; x < d.GetWidth(); x += 5) {
      COLORREF c = GetPixel(dc, x, y);
      size_t i = (static_cast<size_t>(y) * d.GetWidth() + x) * 3;
      ++total;
      if (GetRValue(c) == want[i] && GetGValue(c) == want[i + 1] && GetBValue(c) == want[i + 2]) ++same;
    }
  ReleaseDC(w.hwnd, dc);
  EXPECT_EQ(same, total);
}

TEST(DibWin32, SetPaletteCopiesWhatItIsGivenAndDeletesWhatItHeld) {
  TQvDIB d;
  d.LoadFromFile(kGood + "pal4.bmp");
  HPALETTE held = QvDibGetPalette(d);
  ASSERT_NE(held, nullptr);
  EXPECT_EQ(QvDibGetPalette(d), held);  // made once, then kept

  struct { WORD ver, n; PALETTEENTRY e[3]; } lp = {0x300, 3, {{10, 20, 30, 0}, {40, 50, 60, 0}, {70, 80, 90, 0}}};
  HPALETTE mine = CreatePalette(reinterpret_cast<LOGPALETTE*>(&lp));
  QvDibSetPalette(d, mine);
  EXPECT_EQ(GetObjectType(held), 0u);                            // the old one was deleted
  EXPECT_EQ(GetObjectType(mine), static_cast<DWORD>(OBJ_PAL));   // ours is still ours
  EXPECT_EQ(d.InternalDIB()->Data.Header.biClrUsed, 3u);
  EXPECT_EQ(d.InternalDIB()->Data.Colors[1].rgbRed, 40);
  EXPECT_EQ(d.InternalDIB()->Data.Colors[1].rgbBlue, 60);
  EXPECT_TRUE(DeleteObject(mine));

  // Giving it its own handle back: no double delete, the colours stay.
  HPALETTE own = QvDibGetPalette(d);
  QvDibSetPalette(d, own);
  EXPECT_EQ(d.InternalDIB()->Data.Header.biClrUsed, 3u);
  HPALETTE again = QvDibGetPalette(d);
  EXPECT_EQ(GetObjectType(again), static_cast<DWORD>(OBJ_PAL));
  EXPECT_EQ(GetNearestPaletteIndex(again, RGB(70, 80, 90)), 2u);

  QvDibSetPalette(d, nullptr);
  EXPECT_EQ(d.InternalDIB()->Data.Header.biClrUsed, 0u);
  EXPECT_EQ(QvDibGetPalette(d), nullptr);

  // A shared storage is copied first.
  TQvDIB a, b;
  a.LoadFromFile(kGood + "pal4.bmp");
  b.Assign(&a);
  QvDibSetPalette(b, nullptr);
  EXPECT_EQ(a.InternalDIB()->Data.Header.biClrUsed, 12u);
}

TEST(DibWin32, CanvasDrawsIntoThePixelMemory) {
  TQvDIB d;
  d.SetBitCount(24);
  d.SetWidth(8);
  d.SetHeight(4);
  TQvDIB other;
  other.Assign(&d);
  int changes = 0;
  d.OnChange = [&](TQvDIB&) { ++changes; };
  {
    TQvDIBCanvas canvas(&d);
    RECT r{0, 0, 8, 4};
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    FillRect(canvas.Handle(), &r, red);
    DeleteObject(red);
  }
  EXPECT_EQ(changes, 1);
  std::vector<uint8_t> rgb = test::ToRgb(d.InternalDIB()->Data);
  EXPECT_EQ(rgb[0], 255);
  EXPECT_EQ(rgb[1], 0);
  EXPECT_EQ(rgb[rgb.size() - 3], 255);
  EXPECT_EQ(test::ToRgb(other.InternalDIB()->Data)[0], 0);  // the sharer kept its pixels

  TQvDIB rle;
  rle.LoadFromFile(kGood + "pal4rle.bmp");
  try {
    TQvDIBCanvas c(&rle);
    FAIL();
  } catch (const EQvOutOfResources& e) {
    EXPECT_STREQ(e.what(), "TQvDIBCanvas.Create: Cannot Create Memory DC");
  }
  TQvDIB heap(false);
  try {
    TQvDIBCanvas c(&heap);
    FAIL();
  } catch (const EQvDIBCanvasFailed& e) {
    EXPECT_STREQ(e.what(), "TQvDIBCanvas.Create: Cannot Create Canvas");
  }
}

TEST(DibWin32, BitmapHandlesRoundTrip) {
  for (const char* name : {"pal8.bmp", "pal4rle.bmp", "rgb24.bmp", "pal1.bmp"}) {
    SCOPED_TRACE(name);
    TQvDIB d, back;
    d.LoadFromFile(kGood + name);
    HPALETTE pal = nullptr;
    HBITMAP bmp = QvDibToBitmap(d, &pal);
    ASSERT_NE(bmp, nullptr);
    QvDibAssignBitmap(back, bmp, pal);
    EXPECT_EQ(back.GetWidth(), d.GetWidth());
    EXPECT_EQ(back.GetHeight(), d.GetHeight());
    EXPECT_EQ(test::ToRgb(back.InternalDIB()->Data), test::ToRgb(d.InternalDIB()->Data));
    DeleteObject(bmp);
    if (pal) DeleteObject(pal);
  }
}

}  // namespace
}  // namespace qm
