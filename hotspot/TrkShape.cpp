#include "hotspot/TrkShape.h"

#include <algorithm>
#include <stdexcept>

namespace qm::hotspot {

namespace {

cl::TCursor ToControlCursor(TTrkCursor c) {
  switch (c) {
    case TTrkCursor::HandPoint: return cl::TCursor::crHandPoint;
    case TTrkCursor::SizeNWSE: return cl::TCursor::crSizeNWSE;
    case TTrkCursor::SizeNESW: return cl::TCursor::crSizeNESW;
    case TTrkCursor::SizeWE: return cl::TCursor::crSizeWE;
    case TTrkCursor::SizeNS: return cl::TCursor::crSizeNS;
    default: return cl::TCursor::crDefault;
  }
}

}  // namespace

// ---------------------------------------------------------------------------
// TTrkShape

TTrkShape::TTrkShape(cl::TComponent* owner) : cl::TGraphicControl(owner, nullptr) {
  cl::TGraphicControl::SetBounds(0, 0, 65, 65);
}

TTrkShape::~TTrkShape() { SetManager(nullptr); }

void TTrkShape::SetManager(TTrkShapeManager* manager) {
  if (manager == manager_) return;
  if (manager_) manager_->Unregister(this);
  manager_ = manager;
  if (manager_) manager_->Register(this);
}

const TTrkBounds* TTrkShape::Fixed() const { return manager_ ? manager_->FixedImage() : nullptr; }

void TTrkShape::SetImageBounds(int x, int y, int w, int h) {
  const TTrkBounds* f = Fixed();
  SetBounds(x + (f ? f->left : 0), y + (f ? f->top : 0), w, h);
}

int TTrkShape::ImageLeft() const {
  const TTrkBounds* f = Fixed();
  return Left() - (f ? f->left : 0);
}

int TTrkShape::ImageTop() const {
  const TTrkBounds* f = Fixed();
  return Top() - (f ? f->top : 0);
}

void TTrkShape::SetSelected(bool value) {
  if (value == selected_) return;
  selected_ = value;
  SetTrkCursor(value ? TTrkCursor::HandPoint : TTrkCursor::Default);
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

void TTrkShape::SetPen(const cl::TPen& pen) {
  pen_ = pen;
  Invalidate();
}

void TTrkShape::SetBrush(const cl::TBrush& brush) {
  brush_ = brush;
  Invalidate();
}

void TTrkShape::SetTrkCursor(TTrkCursor c) {
  cursor_ = c;
  SetCursor(ToControlCursor(c));
}

void TTrkShape::Paint() {
  cl::TCanvas& canvas = Canvas();
  canvas.Pen = pen_;
  canvas.Brush = brush_;
  const TTrkPaint g = TrkPaintGeometry(shape_, Width(), Height(), pen_.Width);
  const TTrkRect& f = g.figure;
  switch (shape_) {
    case sktFrame: {
      POINT pts[5];
      for (int i = 0; i < 5; ++i) pts[i] = POINT{g.points[i][0], g.points[i][1]};
      canvas.Polyline(pts, 5);
      break;
    }
    case sktRectangle:
    case sktSquare: canvas.Rectangle(f.left, f.top, f.right, f.bottom); break;
    case sktRoundRect:
    case sktRoundSquare: canvas.RoundRect(f.left, f.top, f.right, f.bottom, g.cornerSize, g.cornerSize); break;
    case sktEllipse:
    case sktCircle: canvas.Ellipse(f.left, f.top, f.right, f.bottom); break;
  }
  if (selected_ && selectView_ && dragMode_ == 0) {
    canvas.Brush.Color = pen_.Color;
    canvas.Brush.Clear = false;
    for (const TTrkRect& h : g.handles) canvas.Rectangle(h.left, h.top, h.right, h.bottom);
  }
}

void TTrkShape::MouseDown(int button, cl::TShiftState shift, int x, int y) {
  cl::TGraphicControl::MouseDown(button, shift, x, y);
  const bool wasSelected = selected_;
  if (!wasSelected) {
    if (manager_) manager_->DeselectOthers(this);
    if (OnSelected) OnSelected(this);
    BringToFront();
    // A press on a shape that was not selected moves it.
    SetTrkCursor(TTrkCursor::HandPoint);
  }
  selected_ = true;
  dragMode_ = TrkDragModeOnPress(wasSelected, cursor_);
  Invalidate();
  drag_.downX = x;
  drag_.downY = y;
  drag_.downWidth = Width();
  drag_.downHeight = Height();
}

void TTrkShape::MouseMove(cl::TShiftState shift, int x, int y) {
  cl::TGraphicControl::MouseMove(shift, x, y);
  if (dragMode_ == 0) {
    if (!selected_) return;
    const TTrkHover h = TrkHoverAt(x, y, Width(), Height(), drag_.handle);
    drag_.handle = h.handle;
    if (h.cursor != cursor_) {
      SetTrkCursor(h.cursor);
      Invalidate();
    }
    return;
  }
  const TTrkBounds b = dragMode_ == 1 ? TrkMove(Bounds(), x, y, drag_, Fixed()) : TrkResize(Bounds(), x, y, drag_, Fixed());
  SetBounds(b.left, b.top, b.width, b.height);
  if (OnMouseMoveEx) OnMouseMoveEx(this, b.left, b.top, b.width, b.height);
}

void TTrkShape::MouseUp(int button, cl::TShiftState shift, int x, int y) {
  cl::TGraphicControl::MouseUp(button, shift, x, y);
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

void TTrkShape::DblClick() {
  pendingDblClick_ = true;
  cl::TGraphicControl::DblClick();
}

// ---------------------------------------------------------------------------
// TTrkShapeManager

TTrkShapeManager::TTrkShapeManager(cl::TComponent* owner, cl::TControl* parent)
    : cl::TComponent(owner), parent_(parent) {}

TTrkShapeManager::~TTrkShapeManager() { ClearShapes(); }

const TTrkBounds* TTrkShapeManager::FixedImage() const {
  if (!hasFixed_) return nullptr;
  if (fixedControl_)
    fixed_ = TTrkBounds{fixedControl_->Left(), fixedControl_->Top(), fixedControl_->Width(), fixedControl_->Height()};
  return &fixed_;
}

void TTrkShapeManager::SetParent(cl::TControl* parent) {
  parent_ = parent;
  for (TTrkShape* s : shapes_) s->cl::TGraphicControl::SetParent(parent);
}

TTrkShape* TTrkShapeManager::AddShape(int x, int y, int w, int h, bool select) {
  TTrkShape* s = new TTrkShape(this);
  s->SetManager(this);
  s->pen_.Mode = PenMode;
  // Placed before it joins the parent, which then repaints its area once.
  if (hasFixed_)
    s->SetImageBounds(x, y, w, h);
  else
    s->SetBounds(x, y, w, h);
  s->SetParent(parent_);
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
    s->SetTrkCursor(TTrkCursor::Default);
    s->Invalidate();
  }
}

// A shape is in the list of the manager it names, once (SetManager keeps
// it so): joining needs no search, leaving looks from the end, where
// ClearShapes takes them.
void TTrkShapeManager::Register(TTrkShape* shape) { shapes_.push_back(shape); }

void TTrkShapeManager::Unregister(TTrkShape* shape) {
  auto it = std::find(shapes_.rbegin(), shapes_.rend(), shape);
  if (it != shapes_.rend()) shapes_.erase(std::next(it).base());
}

void TTrkShapeManager::DeleteShape(int index) {
  if (index < 0 || index >= Count()) return;
  delete shapes_[index];  // unregisters itself
}

void TTrkShapeManager::ClearShapes() {
  // The shapes' own parent (it forgets them when it goes away) repaints
  // once for them all.
  cl::TGraphicUpdate repaint(shapes_.empty() ? nullptr : shapes_.back()->Parent());
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

std::vector<TTrkShape*> TTrkShapeManager::ZOrder() const {
  std::vector<TTrkShape*> order;
  // The shapes' own parent: it forgets them when it goes away.
  cl::TControl* parent = nullptr;
  for (TTrkShape* s : shapes_)
    if ((parent = s->Parent()) != nullptr) break;
  if (!parent) return order;
  for (cl::TGraphicControl* c : parent->GraphicControls()) {
    auto* s = dynamic_cast<TTrkShape*>(c);
    if (s && s->manager_ == this) order.push_back(s);
  }
  return order;
}

void TTrkShapeManager::PaintShapes(HDC dc) const {
  for (TTrkShape* s : ZOrder()) s->PaintTo(dc);
}

TTrkShape* TTrkShapeManager::ShapeAt(int x, int y) const {
  const std::vector<TTrkShape*> order = ZOrder();
  for (auto it = order.rbegin(); it != order.rend(); ++it) {
    const TTrkShape* s = *it;
    if (s->Visible() && x >= s->Left() && x < s->Left() + s->Width() && y >= s->Top() &&
        y < s->Top() + s->Height())
      return *it;
  }
  return nullptr;
}

}  // namespace qm::hotspot
