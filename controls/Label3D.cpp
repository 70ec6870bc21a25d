#include "controls/Label3D.h"

#include <string>

namespace qm::controls {

TLabel3D::TLabel3D(cl::TComponent* owner, cl::TControl* parent, const std::string& caption)
    : cl::TControl(owner, parent) {
  CreateHandle(RegisterOwnClass("TLabel3D", CS_HREDRAW | CS_VREDRAW), caption.c_str(), 0, 0);
  SetBounds(Left(), Top(), 96, 24);
}

void TLabel3D::SetFontColor(COLORREF c) {
  font_color_ = c;
  Invalidate();
}

void TLabel3D::SetShadeColor(COLORREF c) {
  shade_color_ = c;
  if (!Handle()) return;
  HDC dc = GetDC(Handle());
  Paint(dc);
  ReleaseDC(Handle(), dc);
}

void TLabel3D::Paint(HDC dc) {
  const std::string caption = Text();
  if (caption.empty()) return;
  const int saved = SaveDC(dc);
  SetBkMode(dc, TRANSPARENT);
  SelectObject(dc, Font() ? Font() : GetStockObject(DEFAULT_GUI_FONT));
  const UINT flags = DT_WORDBREAK | DT_EXPANDTABS;
  RECT r{4, 4, Width(), Height()};
  SetTextColor(dc, shade_color_);
  DrawTextA(dc, caption.c_str(), static_cast<int>(caption.size()), &r, flags);
  r = RECT{2, 2, Width() - 2, Height() - 2};
  SetTextColor(dc, font_color_);
  DrawTextA(dc, caption.c_str(), static_cast<int>(caption.size()), &r, flags);
  RestoreDC(dc, saved);
}

LRESULT TLabel3D::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(Handle(), &ps);
      Paint(dc);
      EndPaint(Handle(), &ps);
      return 0;
    }
    case WM_SETTEXT: {
      const LRESULT r = cl::TControl::WndProc(msg, wp, lp);
      Invalidate();
      return r;
    }
  }
  return cl::TControl::WndProc(msg, wp, lp);
}

}  // namespace qm::controls
