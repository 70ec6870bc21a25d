#include "controls/UpDnButton.h"

#include <cstring>
#include <string>

#include "classlib/Themes.h"
#include "editor/core/ArrowGlyphs.h"

namespace qm::controls {

namespace {

// The glyph strip as a bitmap of this display, from the BMP file bytes;
// null when the bytes are not a bitmap.
HBITMAP GlyphStrip() {
  const std::string bmp = qm::editor::ArrowGlyphBitmap();
  if (bmp.size() < sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)) return nullptr;
  BITMAPFILEHEADER file;
  std::memcpy(&file, bmp.data(), sizeof file);
  if (file.bfType != 0x4D42 || file.bfOffBits >= bmp.size()) return nullptr;
  const auto* info = reinterpret_cast<const BITMAPINFO*>(bmp.data() + sizeof file);
  HDC screen = GetDC(nullptr);
  HBITMAP strip = CreateDIBitmap(screen, &info->bmiHeader, CBM_INIT, bmp.data() + file.bfOffBits, info,
                                 DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  return strip;
}

}  // namespace

TUpDnButton::TUpDnButton(cl::TComponent* owner, cl::TControl* parent) : cl::TButton(owner, parent, "") {
  SetBounds(0, 0, 15, 20);
  glyphs_ = ImageList_Create(qm::editor::kArrowCellWidth, qm::editor::kArrowCellHeight, ILC_COLOR24 | ILC_MASK,
                             qm::editor::kArrowCellCount, 0);
  if (HBITMAP strip = GlyphStrip()) {
    // White is the background and is drawn transparent.
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
  const int w = qm::editor::kArrowCellWidth, h = qm::editor::kArrowCellHeight;
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
