#include <gtest/gtest.h>

#include <memory>

#include "classlib/Application.h"
#include "classlib/Form.h"
#include "classlib/StdCtrls.h"
#include "classlib/Themes.h"
#include "classlib/tests/WaitUntil.h"
#include "controls/UpDnButton.h"
#include "controls/core/ArrowGlyphs.h"
#include "controls/XPTabSheet.h"

using namespace qm::controls;

namespace {

struct PageFixture {
  std::unique_ptr<cl::TForm> form;
  PageFixture() {
    cl::Application().Initialize();
    form = std::make_unique<cl::TForm>(nullptr, "TXpPageTestForm", "Pages");
    form->SetScreenBounds(60, 60, 320, 240);
  }
};

// The cell as it is drawn onto white: 'X' where the pixel is not white.
std::string DrawnCell(HIMAGELIST list, int index) {
  const int w = kArrowCellWidth, h = kArrowCellHeight;
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bmp = CreateCompatibleBitmap(screen, w, h);
  ReleaseDC(nullptr, screen);
  HGDIOBJ old = SelectObject(dc, bmp);
  RECT r = {0, 0, w, h};
  FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  ImageList_DrawEx(list, index, dc, 0, 0, w, h, CLR_NONE, CLR_NONE, ILD_TRANSPARENT);
  std::string rows;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) rows += (GetPixel(dc, x, y) & 0xFFFFFF) == 0xFFFFFF ? '.' : 'X';
    rows += '/';
  }
  SelectObject(dc, old);
  DeleteObject(bmp);
  DeleteDC(dc);
  return rows;
}

std::string PatternOf(int cell) {
  std::string rows;
  for (const std::string& row : ArrowGlyphRows(cell)) rows += row + '/';
  return rows;
}

TEST(UpDnButton, GluedToItsEditWithTheArrowCellsMadeAtRunTime) {
  PageFixture f;
  auto* edit = new cl::TEdit(f.form.get(), f.form.get());
  edit->SetBounds(10, 30, 150, 20);
  auto* button = new TUpDnButton(f.form.get(), f.form.get());
  EXPECT_EQ(button->Width(), 15);
  EXPECT_EQ(button->Height(), 20);
  EXPECT_EQ(button->Text(), "");

  // Eight cells of 9 x 6, each as its pattern says; white is transparent.
  ASSERT_EQ(ImageList_GetImageCount(button->Glyphs()), 8);
  int cw = 0, ch = 0;
  ImageList_GetIconSize(button->Glyphs(), &cw, &ch);
  EXPECT_EQ(cw, 9);
  EXPECT_EQ(ch, 6);
  for (int cell = 0; cell < 8; ++cell) EXPECT_EQ(DrawnCell(button->Glyphs(), cell), PatternOf(cell)) << cell;

  // Glued: overlapping the edit's last pixel column, at its top; with the
  // themed look the edit gives 4 pixels to the button, once: setting the
  // edit again changes nothing.
  button->SetAssociate(edit);
  button->SetAssociate(edit);
  const int narrowing = cl::ThemedLookActive() ? 4 : 0;
  EXPECT_EQ(edit->Width(), 150 - narrowing);
  EXPECT_EQ(button->Left(), 10 + 150 - 1 - narrowing);
  EXPECT_EQ(button->Top(), 30);
  EXPECT_EQ(button->Width(), 15 + narrowing);

  // The classic cells while themes are off: down, up, and the grey ones
  // when disabled.
  const int base = cl::ThemedLookActive() ? 4 : 0;
  EXPECT_EQ(button->GlyphIndex(), base);
  button->UpMode = true;
  EXPECT_EQ(button->GlyphIndex(), base + 2);
  button->SetEnabled(false);
  EXPECT_EQ(button->GlyphIndex(), base + 3);

  // The glyph is drawn over the button: the middle shows black ink.
  button->SetEnabled(true);
  button->UpMode = false;
  f.form->Show();
  HWND drawn = button->Handle();
  qmtest::WaitUntil("the button shown and painted", [=] {
    return IsWindowVisible(drawn) && !GetUpdateRect(drawn, nullptr, FALSE);
  }, qmtest::Pump::Messages);
  RedrawWindow(button->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  HDC dc = GetDC(button->Handle());
  const int x = (button->Width() - 9) / 2, y = (button->Height() - 6) / 2;
  // Ink in the top row of both looks' down arrows, background beside it.
  EXPECT_EQ(GetPixel(dc, x + 1, y) & 0xFFFFFF, 0u);
  EXPECT_NE(GetPixel(dc, x, y) & 0xFFFFFF, 0u);
  ReleaseDC(button->Handle(), dc);
}

TEST(XPTabSheet, APageThatTakesTheControlsOfAPlainOne) {
  PageFixture f;
  auto* pages = new cl::TPageControl(f.form.get(), f.form.get());
  pages->SetBounds(0, 0, 300, 200);
  auto* plain = new cl::TTabSheet(f.form.get(), pages, "基本項目");
  auto* edit = new cl::TEdit(f.form.get(), plain);
  edit->SetBounds(12, 14, 100, 20);
  auto* page = new TXPTabSheet(f.form.get(), pages, "基本項目");
  // No theme while the themed look is off; the page is a plain page then.
  if (!cl::ThemedLookActive()) {
    EXPECT_EQ(page->Theme(), nullptr);
  }
  page->TakeControlsOf(plain);
  delete plain;
  ASSERT_EQ(pages->PageCount(), 1);
  EXPECT_EQ(pages->Page(0), page);
  EXPECT_EQ(edit->Parent(), page);
  EXPECT_EQ(GetParent(edit->Handle()), page->Handle());
  EXPECT_EQ(edit->Left(), 12);
  EXPECT_EQ(edit->Top(), 14);
  f.form->Show();
  // Erasing answers 1 whether the theme or the plain background painted it,
  // and a theme change leaves the page usable.
  HDC dc = GetDC(page->Handle());
  EXPECT_EQ(SendMessageA(page->Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0), 1);
  ReleaseDC(page->Handle(), dc);
  EXPECT_EQ(SendMessageA(page->Handle(), WM_THEMECHANGED, 0, 0), 0);
  EXPECT_EQ(page->Theme() != nullptr, cl::ThemedLookActive());
}

// A label's background is the page's: with the themed look the page answers
// a label's colour request with its own texture and no brush of its own;
// without it the label keeps the dialog colour.
TEST(XPTabSheet, LabelsAreDrawnOnThePageTexture) {
  PageFixture f;
  auto* pages = new cl::TPageControl(f.form.get(), f.form.get());
  pages->SetBounds(0, 0, 300, 200);
  auto* page = new TXPTabSheet(f.form.get(), pages, "バックアップ");
  auto* label = new cl::TLabel(f.form.get(), page, "保存先");
  label->SetBounds(12, 16, 96, 14);
  f.form->Show();

  // The label's area drawn as the label's own paint would see it, and the
  // page's texture under the same place.
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bmp = CreateCompatibleBitmap(screen, 96, 14);
  ReleaseDC(nullptr, screen);
  HGDIOBJ old = SelectObject(dc, bmp);
  RECT r = {0, 0, 96, 14};
  FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  const auto brush = reinterpret_cast<HBRUSH>(SendMessageA(
      page->Handle(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(label->Handle())));
  if (page->Theme() == nullptr) {
    EXPECT_NE(brush, static_cast<HBRUSH>(GetStockObject(NULL_BRUSH)));
  } else {
    EXPECT_EQ(brush, static_cast<HBRUSH>(GetStockObject(NULL_BRUSH)));
    EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
    // The page's own texture at the same place.
    HDC whole = CreateCompatibleDC(dc);
    HBITMAP page_bmp = CreateCompatibleBitmap(dc, page->Width(), page->Height());
    HGDIOBJ old_page = SelectObject(whole, page_bmp);
    SendMessageA(page->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(whole), PRF_CLIENT);
    for (int x : {2, 50, 90})
      EXPECT_EQ(GetPixel(dc, x, 7), GetPixel(whole, 12 + x, 16 + 7)) << x;
    SelectObject(whole, old_page);
    DeleteObject(page_bmp);
    DeleteDC(whole);
  }
  SelectObject(dc, old);
  DeleteObject(bmp);
  DeleteDC(dc);
}

}  // namespace
