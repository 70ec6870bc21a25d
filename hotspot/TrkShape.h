// The shape tracker: rectangles drawn over a picture that the user selects,
// moves and resizes with the mouse.
//
// Each shape is a graphic control (cl::TGraphicControl) on the control that
// shows the picture: that control paints the shapes after itself, front
// shape last, and hands them its mouse messages. The manager creates the
// shapes (it owns them), keeps their list and keeps one of them selected.
// The geometry is in hotspot/core/TrkGeometry.h.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

#include "classlib/Canvas.h"
#include "classlib/Component.h"
#include "classlib/GraphicControl.h"
#include "hotspot/core/TrkGeometry.h"

namespace qm::hotspot {

class TTrkShapeManager;
class TTrkShape;

using TTrkNotifyEvent = std::function<void(TTrkShape* sender)>;
using TTrkMouseMoveEvent = std::function<void(TTrkShape* sender, int x, int y, int w, int h)>;

class TTrkShape : public cl::TGraphicControl {
 public:
  // A 65 x 65 frame, not yet on a parent (AddShape places it).
  explicit TTrkShape(cl::TComponent* owner);
  ~TTrkShape() override;

  TTrkBounds Bounds() const { return TTrkBounds{Left(), Top(), Width(), Height()}; }
  // Bounds in picture pixels (relative to the manager's fixed image).
  void SetImageBounds(int x, int y, int w, int h);
  int ImageLeft() const;
  int ImageTop() const;

  bool Selected() const { return selected_; }
  void SetSelected(bool value);
  bool SelectView() const { return selectView_; }
  void SetSelectView(bool value);
  TTrkShapeType Shape() const { return shape_; }
  void SetShape(TTrkShapeType value);
  const cl::TPen& Pen() const { return pen_; }
  void SetPen(const cl::TPen& pen);
  const cl::TBrush& Brush() const { return brush_; }
  void SetBrush(const cl::TBrush& brush);
  // The tracker's cursor (the graphic control's own follows it).
  TTrkCursor Cursor() const { return cursor_; }
  int DragMode() const { return dragMode_; }  // 0 none, 1 move, 2 resize
  TTrkShapeManager* Manager() const { return manager_; }
  // Leaves the old manager's list and joins the new one's.
  void SetManager(TTrkShapeManager* manager);

  TTrkNotifyEvent OnSelected, OnMoveEnd, OnReSizeEnd, OnDblClickEnd;
  TTrkMouseMoveEvent OnMouseMoveEx;

 protected:
  void Paint() override;
  void MouseDown(int button, cl::TShiftState shift, int x, int y) override;
  void MouseMove(cl::TShiftState shift, int x, int y) override;
  void MouseUp(int button, cl::TShiftState shift, int x, int y) override;
  void DblClick() override;

 private:
  friend class TTrkShapeManager;
  void SetTrkCursor(TTrkCursor c);
  const TTrkBounds* Fixed() const;

  TTrkShapeManager* manager_ = nullptr;
  cl::TPen pen_;
  cl::TBrush brush_;
  TTrkShapeType shape_ = sktFrame;
  bool selected_ = false;
  bool selectView_ = true;
  TTrkCursor cursor_ = TTrkCursor::Default;
  TTrkDrag drag_;
  int dragMode_ = 0;
  bool pendingDblClick_ = false;
};

class TTrkShapeManager : public cl::TComponent {
 public:
  // parent: the control that shows the picture (it needs CS_DBLCLKS for
  // double clicks); it must outlive the manager or be set to null first.
  explicit TTrkShapeManager(cl::TComponent* owner, cl::TControl* parent = nullptr);
  ~TTrkShapeManager() override;

  cl::TControl* Parent() const { return parent_; }
  // Moves the shapes there too.
  void SetParent(cl::TControl* parent);
  int PenMode = cl::pmNot;
  // The picture's bounds in the parent: shapes stay inside it. Without one
  // (FixedImage null) shapes are not clamped.
  void SetFixedImage(const TTrkBounds& bounds) { fixed_ = bounds; hasFixed_ = true; fixedControl_ = nullptr; }
  // The same following a control's bounds as they change (the picture in
  // a scroll box moves as it scrolls); it must outlive the manager or be
  // cleared first.
  void SetFixedImage(cl::TGraphicControl* image) { fixedControl_ = image; hasFixed_ = image != nullptr; }
  void ClearFixedImage() { hasFixed_ = false; fixedControl_ = nullptr; }
  const TTrkBounds* FixedImage() const;

  TTrkNotifyEvent OnSelected, OnMoveEnd, OnReSizeEnd, OnDblClickEnd;
  TTrkMouseMoveEvent OnMouseMoveEx;

  TTrkShape* AddShape(int x, int y, int w, int h, bool select);
  void DeselectOthers(TTrkShape* shape);
  void DeleteShape(int index);  // indexes outside the list are ignored
  void ClearShapes();
  int Count() const { return static_cast<int>(shapes_.size()); }
  int ShapeIndex(const TTrkShape* shape) const;
  TTrkShape* Shapes(int index) const;  // throws std::out_of_range

  // Paints every shape, back to front, on dc (parent client coordinates).
  void PaintShapes(HDC dc) const;
  // The front shape under a point of the parent's client area, or null.
  TTrkShape* ShapeAt(int x, int y) const;

 private:
  friend class TTrkShape;
  void Register(TTrkShape* shape);
  void Unregister(TTrkShape* shape);
  // The manager's shapes in the parent's z-order, back to front.
  std::vector<TTrkShape*> ZOrder() const;

  cl::TControl* parent_;
  std::vector<TTrkShape*> shapes_;  // by index
  mutable TTrkBounds fixed_{};
  bool hasFixed_ = false;
  cl::TGraphicControl* fixedControl_ = nullptr;
};

}  // namespace qm::hotspot
