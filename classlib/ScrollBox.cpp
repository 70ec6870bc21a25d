#include "classlib/ScrollBox.h"

#include <algorithm>

#include "classlib/GraphicControl.h"
#include "classlib/Panel.h"

namespace cl {

TScrollBox::TScrollBox(TComponent* owner, TControl* parent) : TControl(owner, parent) {
  CreateHandle(RegisterOwnClass("TScrollBox"), "", WS_CLIPCHILDREN | WS_HSCROLL | WS_VSCROLL,
               WS_EX_CONTROLPARENT | WS_EX_CLIENTEDGE);
  SetBars();
}

COLORREF TScrollBox::Color() const {
  return color_ == CLR_INVALID ? GetSysColor(COLOR_BTNFACE) : color_;
}

void TScrollBox::SetColor(COLORREF c) {
  color_ = c;
  Invalidate();
}

void TScrollBox::UpdateScrollRange() {
  if (updating_ || !Handle()) return;
  updating_ = true;
  int w = 0, h = 0;
  for (TControl* c : Controls()) {
    if (!c->Visible()) continue;
    w = std::max(w, c->Left() + c->Width() + pos_x_);
    h = std::max(h, c->Top() + c->Height() + pos_y_);
  }
  for (TGraphicControl* g : GraphicControls()) {
    if (!g->Visible()) continue;
    w = std::max(w, g->Left() + g->Width() + pos_x_);
    h = std::max(h, g->Top() + g->Height() + pos_y_);
  }
  range_x_ = w;
  range_y_ = h;
  // Showing a bar narrows the client area, which may call for the other.
  for (int pass = 0; pass < 3; ++pass) SetBars();
  ScrollTo(pos_x_, pos_y_);  // clamps to the new ranges
  updating_ = false;
}

void TScrollBox::SetBars() {
  if (!Handle()) return;
  RECT r;
  GetClientRect(Handle(), &r);
  SCROLLINFO si = {};
  si.cbSize = sizeof si;
  si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  si.nMax = std::max(range_x_ - 1, 0);
  si.nPage = static_cast<UINT>(range_x_ > r.right ? r.right : range_x_ + 1);
  si.nPos = pos_x_;
  SetScrollInfo(Handle(), SB_HORZ, &si, TRUE);
  si.nMax = std::max(range_y_ - 1, 0);
  si.nPage = static_cast<UINT>(range_y_ > r.bottom ? r.bottom : range_y_ + 1);
  si.nPos = pos_y_;
  SetScrollInfo(Handle(), SB_VERT, &si, TRUE);
}

void TScrollBox::ScrollTo(int x, int y) {
  if (!Handle()) return;
  RECT r;
  GetClientRect(Handle(), &r);
  x = std::clamp(x, 0, std::max(range_x_ - static_cast<int>(r.right), 0));
  y = std::clamp(y, 0, std::max(range_y_ - static_cast<int>(r.bottom), 0));
  int dx = x - pos_x_, dy = y - pos_y_;
  if (dx == 0 && dy == 0) return;
  pos_x_ = x;
  pos_y_ = y;
  // Windowed controls move with the pixels (their WM_MOVE updates their
  // bounds); windowless ones are moved here.
  ScrollWindowEx(Handle(), -dx, -dy, nullptr, nullptr, nullptr, nullptr,
                 SW_SCROLLCHILDREN | SW_INVALIDATE | SW_ERASE);
  {
    // One repaint for them all, however many there are.
    TGraphicUpdate repaint(this);
    for (TGraphicControl* g : GraphicControls())
      g->SetBounds(g->Left() - dx, g->Top() - dy, g->Width(), g->Height());
  }
  SetScrollPos(Handle(), SB_HORZ, pos_x_, TRUE);
  SetScrollPos(Handle(), SB_VERT, pos_y_, TRUE);
}

void TScrollBox::ScrollInView(const RECT& rect) {
  RECT r;
  GetClientRect(Handle(), &r);
  int x = pos_x_, y = pos_y_;
  if (rect.right > r.right) x += rect.right - r.right;
  if (rect.left - (x - pos_x_) < 0) x = pos_x_ + rect.left;
  if (rect.bottom > r.bottom) y += rect.bottom - r.bottom;
  if (rect.top - (y - pos_y_) < 0) y = pos_y_ + rect.top;
  ScrollTo(x, y);
}

void TScrollBox::Scroll(int bar, WORD code) {
  SCROLLINFO si = {};
  si.cbSize = sizeof si;
  si.fMask = SIF_ALL;
  GetScrollInfo(Handle(), bar, &si);
  int pos = bar == SB_HORZ ? pos_x_ : pos_y_;
  int page = static_cast<int>(si.nPage);
  switch (code) {
    case SB_LINEUP: pos -= Increment; break;
    case SB_LINEDOWN: pos += Increment; break;
    case SB_PAGEUP: pos -= page; break;
    case SB_PAGEDOWN: pos += page; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: pos = si.nTrackPos; break;
    case SB_TOP: pos = 0; break;
    case SB_BOTTOM: pos = si.nMax; break;
    default: return;
  }
  if (bar == SB_HORZ) ScrollTo(pos, pos_y_);
  else ScrollTo(pos_x_, pos);
}

LRESULT TScrollBox::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_ERASEBKGND: {
      RECT r;
      GetClientRect(Handle(), &r);
      HBRUSH brush = CreateSolidBrush(Color());
      FillRect(reinterpret_cast<HDC>(wp), &r, brush);
      DeleteObject(brush);
      return 1;
    }
    case WM_HSCROLL:
      Scroll(SB_HORZ, LOWORD(wp));
      return 0;
    case WM_VSCROLL:
      Scroll(SB_VERT, LOWORD(wp));
      return 0;
    case WM_MOUSEWHEEL:
      ScrollTo(pos_x_, pos_y_ - GET_WHEEL_DELTA_WPARAM(wp) / WHEEL_DELTA * 3 * Increment);
      return 0;
    case WM_SIZE: {
      LRESULT r = TControl::WndProc(msg, wp, lp);
      UpdateScrollRange();
      return r;
    }
    case WM_CLOSE:
      ForwardCloseToForm(Handle(), msg);
      return 0;
  }
  return TControl::WndProc(msg, wp, lp);
}

}  // namespace cl
