#include "hotspot/TrkShape.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <stdexcept>

namespace qm::hotspot {

namespace {

constexpr UINT_PTR kSubclassId = 0x54726B53;  // "TrkS"

HCURSOR CursorHandle(TTrkCursor c) {
  switch (c) {
    case TTrkCursor::HandPoint: return LoadCursor(nullptr, IDC_HAND);
    case TTrkCursor::SizeNWSE: return LoadCursor(nullptr, IDC_SIZENWSE);
    case TTrkCursor::SizeNESW: return LoadCursor(nullptr, IDC_SIZENESW);
    case TTrkCursor::SizeWE: return LoadCursor(nullptr, IDC_SIZEWE);
    case TTrkCursor::SizeNS: return LoadCursor(nullptr, IDC_SIZENS);
    default: return LoadCursor(nullptr, IDC_ARROW);
  }
}

}  // namespace

// ---------------------------------------------------------------------------
// TTrkShape

TTrkShape::TTrkShape(TTrkShapeManager* manager) : manager_(manager) {}

TTrkShape::~TTrkShape() {
  if (manager_) {
    Invalidate();
    manager_->Unregister(this);
  }
}

void TTrkShape::Invalidate() {
  if (manager_) manager_->InvalidateBounds(bounds_);
}

void TTrkShape::SetBounds(int left, int top, int width, int height) {
  const TTrkBounds b{left, top, width, height};
  if (b == bounds_) return;
  Invalidate();
  bounds_ = b;
  Invalidate();
}

void TTrkShape::SetImageBounds(int x, int y, int w, int h) {
  const TTrkBounds* f = manager_ ? manager_->FixedImage() : nullptr;
  SetBounds(x + (f ? f->left : 0), y + (f ? f->top : 0), w, h);
}

int TTrkShape::ImageLeft() const {
  const TTrkBounds* f = manager_ ? manager_->FixedImage() : nullptr;
  return bounds_.left - (f ? f->left : 0);
}

int TTrkShape::ImageTop() const {
  const TTrkBounds* f = manager_ ? manager_->FixedImage() : nullptr;
  return bounds_.top - (f ? f->top : 0);
}

void TTrkShape::SetSelected(bool value) {
  if (value == selected_) return;
  selected_ = value;
  SetCursor(value ? TTrkCursor::HandPoint : TTrkCursor::Default);
  if (value) BringToFront();
  Invalidate();
  if (manager_) manager_->DeselectOthers(this);
}

void TTrkShape::SetSelectView(bool value) {
  if (value == selectView_) return;
  selectView_ = value;
  Invalidate();
}

void TTrkShape::SetShape(TTrkShapeType value) {
  if (value == shape_) return;
  shape_ = value;
  Invalidate();
}

void TTrkShape::SetPen(const TTrkPen& pen) {
  pen_ = pen;
  Invalidate();
}

void TTrkShape::SetBrush(const TTrkBrush& brush) {
  brush_ = brush;
  Invalidate();
}

void TTrkShape::SetCursor(TTrkCursor c) { cursor_ = c; }

void TTrkShape::BringToFront() {
  if (manager_) manager_->ToFront(this);
  Invalidate();
}

void TTrkShape::PaintTo(HDC dc) const {
  const int saved = SaveDC(dc);
  IntersectClipRect(dc, bounds_.left, bounds_.top, bounds_.left + bounds_.width, bounds_.top + bounds_.height);
  POINT oldOrigin;
  OffsetViewportOrgEx(dc, bounds_.left, bounds_.top, &oldOrigin);
  SetROP2(dc, pen_.mode);
  HPEN pen = CreatePen(pen_.style, pen_.width, pen_.color);
  HBRUSH brush = brush_.clear ? static_cast<HBRUSH>(GetStockObject(NULL_BRUSH)) : CreateSolidBrush(brush_.color);
  SelectObject(dc, pen);
  SelectObject(dc, brush);

  const TTrkPaint g = TrkPaintGeometry(shape_, bounds_.width, bounds_.height, pen_.width);
  const TTrkRect& f = g.figure;
  switch (shape_) {
    case sktFrame: {
      POINT pts[5];
      for (int i = 0; i < 5; ++i) pts[i] = POINT{g.points[i][0], g.points[i][1]};
      Polyline(dc, pts, 5);
      break;
    }
    case sktRectangle:
    case sktSquare: Rectangle(dc, f.left, f.top, f.right, f.bottom); break;
    case sktRoundRect:
    case sktRoundSquare: RoundRect(dc, f.left, f.top, f.right, f.bottom, g.cornerSize, g.cornerSize); break;
    case sktEllipse:
    case sktCircle: Ellipse(dc, f.left, f.top, f.right, f.bottom); break;
  }
  HBRUSH handleBrush = nullptr;
  if (selected_ && selectView_ && dragMode_ == 0) {
    handleBrush = CreateSolidBrush(pen_.color);
    SelectObject(dc, handleBrush);
    for (const TTrkRect& h : g.handles) Rectangle(dc, h.left, h.top, h.right, h.bottom);
  }
  RestoreDC(dc, saved);
  DeleteObject(pen);
  if (!brush_.clear) DeleteObject(brush);
  if (handleBrush) DeleteObject(handleBrush);
}

void TTrkShape::MouseDown(int x, int y) {
  const bool wasSelected = selected_;
  if (!wasSelected) {
    if (manager_) manager_->DeselectOthers(this);
    if (OnSelected) OnSelected(this);
    BringToFront();
    cursor_ = TTrkCursor::HandPoint;
  }
  selected_ = true;
  dragMode_ = TrkDragModeOnPress(wasSelected, cursor_);
  Invalidate();
  drag_.downX = x;
  drag_.downY = y;
  drag_.downWidth = bounds_.width;
  drag_.downHeight = bounds_.height;
}

void TTrkShape::MouseMove(int x, int y) {
  const TTrkBounds* fixed = manager_ ? manager_->FixedImage() : nullptr;
  if (dragMode_ == 0) {
    if (!selected_) return;
    const TTrkHover h = TrkHoverAt(x, y, bounds_.width, bounds_.height, drag_.handle);
    drag_.handle = h.handle;
    if (h.cursor != cursor_) {
      cursor_ = h.cursor;
      Invalidate();
    }
    return;
  }
  const TTrkBounds b = dragMode_ == 1 ? TrkMove(bounds_, x, y, drag_, fixed) : TrkResize(bounds_, x, y, drag_, fixed);
  SetBounds(b.left, b.top, b.width, b.height);
  if (OnMouseMoveEx) OnMouseMoveEx(this, b.left, b.top, b.width, b.height);
}

void TTrkShape::MouseUp(int, int) {
  const int mode = dragMode_;
  dragMode_ = 0;
  if (mode == 1 && OnMoveEnd) OnMoveEnd(this);
  if (mode == 2 && OnReSizeEnd) OnReSizeEnd(this);
  Invalidate();
  if (pendingDblClick_) {
    pendingDblClick_ = false;
    if (OnDblClickEnd) OnDblClickEnd(this);
  }
}

void TTrkShape::DblClick() { pendingDblClick_ = true; }

// ---------------------------------------------------------------------------
// TTrkShapeManager

TTrkShapeManager::TTrkShapeManager(HWND parent) : parent_(parent) {
  if (parent_) SetWindowSubclass(parent_, SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
}

TTrkShapeManager::~TTrkShapeManager() {
  ClearShapes();
  if (parent_) RemoveWindowSubclass(parent_, SubclassProc, kSubclassId);
}

TTrkShape* TTrkShapeManager::AddShape(int x, int y, int w, int h, bool select) {
  TTrkShape* s = new TTrkShape(this);
  Register(s);
  s->pen_.mode = PenMode;
  if (hasFixed_)
    s->SetImageBounds(x, y, w, h);
  else
    s->SetBounds(x, y, w, h);
  s->Invalidate();
  if (select) s->SetSelected(true);
  s->OnSelected = OnSelected;
  s->OnMoveEnd = OnMoveEnd;
  s->OnReSizeEnd = OnReSizeEnd;
  s->OnDblClickEnd = OnDblClickEnd;
  s->OnMouseMoveEx = OnMouseMoveEx;
  return s;
}

void TTrkShapeManager::DeselectOthers(TTrkShape* shape) {
  for (TTrkShape* s : shapes_) {
    if (s == shape || !s->selected_ || !s->selectView_) continue;
    s->selected_ = false;
    s->cursor_ = TTrkCursor::Default;
    s->Invalidate();
  }
}

void TTrkShapeManager::Register(TTrkShape* shape) {
  if (std::find(shapes_.begin(), shapes_.end(), shape) == shapes_.end()) {
    shapes_.push_back(shape);
    zorder_.push_back(shape);
  }
}

void TTrkShapeManager::Unregister(TTrkShape* shape) {
  shapes_.erase(std::remove(shapes_.begin(), shapes_.end(), shape), shapes_.end());
  zorder_.erase(std::remove(zorder_.begin(), zorder_.end(), shape), zorder_.end());
  if (captured_ == shape) {
    captured_ = nullptr;
    if (GetCapture() == parent_) ReleaseCapture();
  }
}

void TTrkShapeManager::DeleteShape(int index) {
  if (index < 0 || index >= Count()) return;
  delete shapes_[index];  // unregisters itself
}

void TTrkShapeManager::ClearShapes() {
  while (!shapes_.empty()) delete shapes_.back();
}

int TTrkShapeManager::ShapeIndex(const TTrkShape* shape) const {
  auto it = std::find(shapes_.begin(), shapes_.end(), shape);
  return it == shapes_.end() ? -1 : static_cast<int>(it - shapes_.begin());
}

TTrkShape* TTrkShapeManager::Shapes(int index) const {
  if (index < 0 || index >= Count()) throw std::out_of_range("List index out of bounds");
  return shapes_[index];
}

void TTrkShapeManager::ToFront(TTrkShape* shape) {
  auto it = std::find(zorder_.begin(), zorder_.end(), shape);
  if (it == zorder_.end()) return;
  zorder_.erase(it);
  zorder_.push_back(shape);
}

void TTrkShapeManager::InvalidateBounds(const TTrkBounds& b) const {
  if (!parent_) return;
  RECT r{b.left, b.top, b.left + b.width, b.top + b.height};
  InvalidateRect(parent_, &r, TRUE);
}

void TTrkShapeManager::PaintShapes(HDC dc) const {
  for (const TTrkShape* s : zorder_) s->PaintTo(dc);
}

TTrkShape* TTrkShapeManager::ShapeAt(int x, int y) const {
  for (auto it = zorder_.rbegin(); it != zorder_.rend(); ++it) {
    const TTrkBounds& b = (*it)->bounds_;
    if (x >= b.left && x < b.left + b.width && y >= b.top && y < b.top + b.height) return *it;
  }
  return nullptr;
}

LRESULT CALLBACK TTrkShapeManager::SubclassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR,
                                                DWORD_PTR ref) {
  auto* self = reinterpret_cast<TTrkShapeManager*>(ref);
  bool handled = false;
  LRESULT r = self->Handle(hwnd, msg, wp, lp, handled);
  return handled ? r : DefSubclassProc(hwnd, msg, wp, lp);
}

LRESULT TTrkShapeManager::Handle(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, bool& handled) {
  const int x = GET_X_LPARAM(lp), y = GET_Y_LPARAM(lp);
  switch (msg) {
    case WM_PAINT: {
      // The window paints its picture; the shapes go on top, only inside the
      // region that was repainted (pen mode not must not invert twice).
      HRGN region = CreateRectRgn(0, 0, 0, 0);
      const bool any = GetUpdateRgn(hwnd, region, FALSE) != NULLREGION;
      DefSubclassProc(hwnd, msg, wp, lp);
      if (any) {
        HDC dc = GetDC(hwnd);
        SelectClipRgn(dc, region);
        PaintShapes(dc);
        ReleaseDC(hwnd, dc);
      }
      DeleteObject(region);
      handled = true;
      return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      TTrkShape* s = captured_ ? captured_ : ShapeAt(x, y);
      if (!s) return 0;
      handled = true;
      captured_ = s;
      SetCapture(hwnd);
      if (msg == WM_LBUTTONDBLCLK) s->DblClick();
      s->MouseDown(x - s->Left(), y - s->Top());
      ::SetCursor(CursorHandle(s->Cursor()));
      return 0;
    }
    case WM_MOUSEMOVE: {
      TTrkShape* s = captured_ ? captured_ : ShapeAt(x, y);
      if (!s) return 0;
      handled = true;
      s->MouseMove(x - s->Left(), y - s->Top());
      ::SetCursor(CursorHandle(s->Cursor()));
      return 0;
    }
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
      if (!captured_) return 0;
      handled = true;
      TTrkShape* s = captured_;
      captured_ = nullptr;
      if (GetCapture() == hwnd) ReleaseCapture();
      s->MouseUp(x - s->Left(), y - s->Top());
      return 0;
    }
    case WM_CAPTURECHANGED:
      if (captured_ && reinterpret_cast<HWND>(lp) != hwnd) {
        // Capture taken away mid-drag: end the drag where it is.
        TTrkShape* s = captured_;
        captured_ = nullptr;
        s->MouseUp(0, 0);
      }
      return 0;
    case WM_SETCURSOR:
      if (LOWORD(lp) == HTCLIENT) {
        POINT p;
        GetCursorPos(&p);
        ScreenToClient(hwnd, &p);
        if (TTrkShape* s = captured_ ? captured_ : ShapeAt(p.x, p.y)) {
          ::SetCursor(CursorHandle(s->Cursor()));
          handled = true;
          return TRUE;
        }
      }
      return 0;
    case WM_NCDESTROY:
      RemoveWindowSubclass(hwnd, SubclassProc, kSubclassId);
      parent_ = nullptr;
      return 0;
  }
  return 0;
}

}  // namespace qm::hotspot
