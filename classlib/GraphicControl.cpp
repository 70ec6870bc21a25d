#include "classlib/GraphicControl.h"

#include <windowsx.h>

#include <algorithm>

namespace cl {

namespace {

TShiftState ShiftFromKeys(WPARAM keys) {
  TShiftState s = 0;
  if (keys & MK_SHIFT) s |= ssShift;
  if (keys & MK_CONTROL) s |= ssCtrl;
  if (keys & MK_LBUTTON) s |= ssLeft;
  if (keys & MK_RBUTTON) s |= ssRight;
  if (keys & MK_MBUTTON) s |= ssMiddle;
  if (GetKeyState(VK_MENU) < 0) s |= ssAlt;
  return s;
}

bool Listed(const TControl* parent, const TGraphicControl* c) {
  const auto& v = parent->GraphicControls();
  return std::find(v.begin(), v.end(), c) != v.end();
}

struct TPaintScope {
  HDC dc;
  int saved;
  TCanvas& canvas;
  TPaintScope(HDC d, const RECT& r, TCanvas& c) : dc(d), saved(SaveDC(d)), canvas(c) {
    IntersectClipRect(dc, r.left, r.top, r.right, r.bottom);
    OffsetViewportOrgEx(dc, r.left, r.top, nullptr);
    canvas.SetHandle(dc);
  }
  ~TPaintScope() {
    canvas.SetHandle(nullptr);
    RestoreDC(dc, saved);
  }
};

}  // namespace

HCURSOR CursorHandle(TCursor cursor) {
  LPCSTR id = IDC_ARROW;
  switch (cursor) {
    case TCursor::crHandPoint: id = IDC_HAND; break;
    case TCursor::crCross: id = IDC_CROSS; break;
    case TCursor::crIBeam: id = IDC_IBEAM; break;
    case TCursor::crSizeNWSE: id = IDC_SIZENWSE; break;
    case TCursor::crSizeNESW: id = IDC_SIZENESW; break;
    case TCursor::crSizeWE: id = IDC_SIZEWE; break;
    case TCursor::crSizeNS: id = IDC_SIZENS; break;
    case TCursor::crSizeAll: id = IDC_SIZEALL; break;
    case TCursor::crNo: id = IDC_NO; break;
    case TCursor::crHourGlass: id = IDC_WAIT; break;
    default: break;
  }
  return LoadCursor(nullptr, id);
}

TGraphicControl::TGraphicControl(TComponent* owner, TControl* parent) : TComponent(owner) {
  Attach(parent);
}

TGraphicControl::~TGraphicControl() { Detach(); }

void TGraphicControl::Attach(TControl* parent) {
  parent_ = parent;
  if (parent_) {
    parent_->graphic_controls_.push_back(this);
    Invalidate();
  }
}

void TGraphicControl::Detach() {
  if (!parent_) return;
  Invalidate();
  // Looked for from the end, the front of the z-order, where the newest
  // and the ones brought to the front are.
  auto& v = parent_->graphic_controls_;
  auto it = std::find(v.rbegin(), v.rend(), this);
  if (it != v.rend()) v.erase(std::next(it).base());
  if (parent_->graphic_capture_ == this) {
    parent_->graphic_capture_ = nullptr;
    if (parent_->Handle() && GetCapture() == parent_->Handle()) ReleaseCapture();
  }
  parent_ = nullptr;
}

void TGraphicControl::SetParent(TControl* parent) {
  if (parent == parent_) return;
  Detach();
  Attach(parent);
}

void TGraphicControl::SetBounds(int left, int top, int width, int height) {
  if (left == left_ && top == top_ && width == width_ && height == height_) return;
  Invalidate();
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  Invalidate();
}

void TGraphicControl::SetVisible(bool v) {
  if (v == visible_) return;
  visible_ = true;  // so that the area is repainted either way
  Invalidate();
  visible_ = v;
}

void TGraphicControl::SetCursor(TCursor c) { cursor_ = c; }

void TGraphicControl::BringToFront() {
  if (!parent_) return;
  auto& v = parent_->graphic_controls_;
  v.erase(std::remove(v.begin(), v.end(), this), v.end());
  v.push_back(this);
  Invalidate();
}

void TGraphicControl::SendToBack() {
  if (!parent_) return;
  auto& v = parent_->graphic_controls_;
  v.erase(std::remove(v.begin(), v.end(), this), v.end());
  v.insert(v.begin(), this);
  Invalidate();
}

void TGraphicControl::Invalidate() {
  if (!parent_ || !parent_->Handle() || !visible_) return;
  const RECT r = BoundsRect();
  if (parent_->graphic_update_depth_ > 0) {
    if (r.left >= r.right || r.top >= r.bottom) return;
    RECT& d = parent_->graphic_dirty_;
    if (d.left >= d.right || d.top >= d.bottom) {
      d = r;
    } else {
      d.left = std::min(d.left, r.left);
      d.top = std::min(d.top, r.top);
      d.right = std::max(d.right, r.right);
      d.bottom = std::max(d.bottom, r.bottom);
    }
    return;
  }
  InvalidateRect(parent_->Handle(), &r, TRUE);
}

bool TGraphicControl::MouseCapture() const {
  return parent_ && parent_->graphic_capture_ == this;
}

void TGraphicControl::Paint() {
  if (OnPaint) OnPaint(this);
}

bool TGraphicControl::HitTest(int x, int y) const {
  return x >= 0 && y >= 0 && x < width_ && y < height_;
}

void TGraphicControl::MouseDown(int button, TShiftState shift, int x, int y) {
  if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}

void TGraphicControl::MouseMove(TShiftState shift, int x, int y) {
  if (OnMouseMove) OnMouseMove(this, shift, x, y);
}

void TGraphicControl::MouseUp(int button, TShiftState shift, int x, int y) {
  if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
}

void TGraphicControl::DblClick() {
  if (OnDblClick) OnDblClick(this);
}

void TGraphicControl::Click() {
  if (OnClick) OnClick(this);
}

void TGraphicControl::PaintTo(HDC dc) {
  if (!visible_ || width_ <= 0 || height_ <= 0) return;
  const RECT r = BoundsRect();
  if (!RectVisible(dc, &r)) return;  // outside the area being painted
  TPaintScope scope(dc, r, canvas_);
  Paint();
}

void TGraphicControl::PaintControls(TControl* parent, HDC dc) {
  if (!parent) return;
  // A copy: painting must not be upset by a control that changes the order.
  // A control still where it was copied from is still there; only after a
  // change is it looked for.
  const std::vector<TGraphicControl*> order = parent->GraphicControls();
  const std::vector<TGraphicControl*>& now = parent->GraphicControls();
  for (std::size_t i = 0; i < order.size(); ++i) {
    TGraphicControl* c = order[i];
    if ((i < now.size() && now[i] == c) || Listed(parent, c)) c->PaintTo(dc);
  }
}

TGraphicControl* TGraphicControl::ControlAt(TControl* parent, int x, int y) {
  if (!parent) return nullptr;
  const auto& v = parent->GraphicControls();
  for (auto it = v.rbegin(); it != v.rend(); ++it) {
    TGraphicControl* c = *it;
    if (c->visible_ && c->enabled_ && c->HitTest(x - c->left_, y - c->top_)) return c;
  }
  return nullptr;
}

bool TGraphicControl::ParentMessage(TControl* parent, UINT msg, WPARAM wp, LPARAM lp,
                                    LRESULT& result) {
  HWND h = parent->Handle();
  result = 0;
  int button = mbLeft;
  switch (msg) {
    case WM_PAINT: {
      if (wp) return false;  // painting into a given DC: the parent's own business
      // The parent paints first; the controls then go on top, only inside
      // the region that was repainted (a pen mode "not" must not invert
      // twice).
      HRGN region = CreateRectRgn(0, 0, 0, 0);
      const bool any = GetUpdateRgn(h, region, FALSE) != NULLREGION;
      result = parent->WndProc(msg, wp, lp);
      if (any && parent->Handle()) {
        HDC dc = GetDC(h);
        SelectClipRgn(dc, region);
        PaintControls(parent, dc);
        ReleaseDC(h, dc);
      }
      DeleteObject(region);
      return true;
    }
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_RBUTTONUP:
      button = mbRight;
      break;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
    case WM_MBUTTONUP:
      button = mbMiddle;
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP:
    case WM_MOUSEMOVE:
      break;
    case WM_CAPTURECHANGED:
      if (TGraphicControl* c = parent->graphic_capture_) {
        if (reinterpret_cast<HWND>(lp) != h) {
          // The mouse was taken away mid-press: end the press where it is.
          parent->graphic_capture_ = nullptr;
          POINT p;
          GetCursorPos(&p);
          ScreenToClient(h, &p);
          c->pressed_inside_ = false;
          c->MouseUp(mbLeft, CurrentShiftState(), p.x - c->left_, p.y - c->top_);
        }
      }
      return false;
    case WM_SETCURSOR: {
      if (reinterpret_cast<HWND>(wp) != h || LOWORD(lp) != HTCLIENT || TWaitCursor::Active())
        return false;
      POINT p;
      GetCursorPos(&p);
      ScreenToClient(h, &p);
      TGraphicControl* c = parent->graphic_capture_ ? parent->graphic_capture_ : ControlAt(parent, p.x, p.y);
      if (!c || c->cursor_ == TCursor::crDefault) return false;
      ::SetCursor(CursorHandle(c->cursor_));
      result = TRUE;
      return true;
    }
    default:
      return false;
  }

  const int x = GET_X_LPARAM(lp), y = GET_Y_LPARAM(lp);
  TGraphicControl* c = parent->graphic_capture_ ? parent->graphic_capture_ : ControlAt(parent, x, y);
  if (!c) return false;
  const int lx = x - c->left_, ly = y - c->top_;
  TShiftState shift = ShiftFromKeys(wp);
  switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
      parent->graphic_capture_ = c;
      if (GetCapture() != h) SetCapture(h);
      if (button == mbLeft) c->pressed_inside_ = true;
      if (msg == WM_LBUTTONDBLCLK || msg == WM_RBUTTONDBLCLK || msg == WM_MBUTTONDBLCLK) {
        // Every button's second press is a double one; only the left
        // button's is a double click.
        if (msg == WM_LBUTTONDBLCLK) {
          c->DblClick();
          if (!Listed(parent, c)) return true;
        }
        shift |= ssDouble;
      }
      c->MouseDown(button, shift, lx, ly);
      break;
    case WM_MOUSEMOVE:
      c->MouseMove(shift, lx, ly);
      break;
    default: {  // button up
      const bool last = (wp & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) == 0;
      if (last && parent->graphic_capture_ == c) {
        parent->graphic_capture_ = nullptr;
        if (GetCapture() == h) ReleaseCapture();
      }
      const bool click = button == mbLeft && c->pressed_inside_ && c->HitTest(lx, ly);
      if (button == mbLeft) c->pressed_inside_ = false;
      c->MouseUp(button, shift, lx, ly);
      if (click && Listed(parent, c)) c->Click();
      break;
    }
  }
  // Messages sent by hand bring no WM_SETCURSOR: show the control's cursor
  // now.
  if (Listed(parent, c) && c->cursor_ != TCursor::crDefault) ::SetCursor(CursorHandle(c->cursor_));
  return true;
}

TGraphicUpdate::TGraphicUpdate(TControl* parent) : parent_(parent) {
  if (parent_) ++parent_->graphic_update_depth_;
}

TGraphicUpdate::~TGraphicUpdate() {
  if (!parent_ || --parent_->graphic_update_depth_ > 0) return;
  const RECT d = parent_->graphic_dirty_;
  parent_->graphic_dirty_ = RECT{};
  if (parent_->Handle() && d.left < d.right && d.top < d.bottom) InvalidateRect(parent_->Handle(), &d, TRUE);
}

}  // namespace cl
