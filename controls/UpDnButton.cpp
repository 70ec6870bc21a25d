#include "controls/UpDnButton.h"

#include "classlib/Themes.h"
#include "controls/core/ArrowGlyphs.h"

namespace qm::controls {

namespace {

// The glyph strip as a bitmap of this display, made from the cells' pixels
// (a top-down 32-bit DIB); null when the display refuses it.
HBITMAP GlyphStrip() {
  const std::vector<std::uint32_t> pixels = ArrowGlyphStrip();
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = kArrowStripWidth;
  info.bmiHeader.biHeight = -kArrowCellHeight;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  HDC screen = GetDC(nullptr);
  HBITMAP strip = CreateDIBitmap(screen, &info.bmiHeader, CBM_INIT, pixels.data(), &info, DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  return strip;
}

}  // namespace

TUpDnButton::TUpDnButton(cl::TComponent* owner, cl::TControl* parent) : cl::TButton(owner, parent, "") {
  SetBounds(0, 0, 15, 20);
  glyphs_ = ImageList_Create(kArrowCellWidth, kArrowCellHeight, ILC_COLOR24 | ILC_MASK, kArrowCellCount, 0);
  if (HBITMAP strip = GlyphStrip()) {
    // The background, white (kArrowBackground), is drawn transparent.
    ImageList_AddMasked(glyphs_, strip, RGB(255, 255, 255));
    DeleteObject(strip);
  }
}

TUpDnButton::~TUpDnButton() {
  if (glyphs_) ImageList_Destroy(glyphs_);
}

void TUpDnButton::SetAssociate(cl::TEdit* edit) {
  associate_ = edit;
  if (!edit) return;
  SetBounds(edit->Left() + edit->Width() - 1, edit->Top(), Width(), Height());
  // The themed button draws its own edge: the edit gives up 4 pixels to it.
  // Only once per edit, so that setting it again does not shrink the edit
  // further.
  if (cl::ThemedLookActive() && narrowed_ != edit) {
    narrowed_ = edit;
    edit->SetWidth(edit->Width() - 4);
    SetBounds(Left() - 4, Top(), Width() + 4, Height());
  }
}

int TUpDnButton::GlyphIndex() const {
  int index = cl::ThemedLookActive() ? 4 : 0;
  if (UpMode) index += 2;
  if (!Enabled()) index += 1;
  return index;
}

void TUpDnButton::PaintGlyph() {
  if (!Handle() || !glyphs_) return;
  const int w = kArrowCellWidth, h = kArrowCellHeight;
  const int x = (Width() - w) / 2;
  int y = (Height() - h) / 2;
  if (UpMode) y -= 1;
  HDC dc = GetDC(Handle());
  if (!dc) return;
  ImageList_DrawEx(glyphs_, GlyphIndex(), dc, x, y, w, h, CLR_NONE, CLR_NONE, ILD_TRANSPARENT);
  ReleaseDC(Handle(), dc);
}

LRESULT TUpDnButton::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_PAINT:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_MOUSEMOVE:
    case WM_LBUTTONDBLCLK:
    case WM_ENABLE: {
      // The glyph goes on top of whatever the system button just drew.
      LRESULT r = cl::TButton::WndProc(msg, wp, lp);
      PaintGlyph();
      return r;
    }
  }
  return cl::TButton::WndProc(msg, wp, lp);
}

}  // namespace qm::controls
