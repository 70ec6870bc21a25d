// The shape tracker: rectangles drawn over a picture that the user selects,
// moves and resizes with the mouse.
//
// The shapes are windowless: the manager subclasses the window that shows
// the picture (its Parent), paints the shapes after that window has painted
// and hands them the mouse messages that fall on them, front shape first.
// The geometry is in hotspot/core/TrkGeometry.h.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

#include "hotspot/core/TrkGeometry.h"

namespace qm::hotspot {

class TTrkShapeManager;
class TTrkShape;

using TTrkNotifyEvent = std::function<void(TTrkShape* sender)>;
using TTrkMouseMoveEvent = std::function<void(TTrkShape* sender, int x, int y, int w, int h)>;

struct TTrkPen {
  COLORREF color = RGB(0, 0, 0);
  int width = 1;
  int style = PS_SOLID;
  int mode = R2_COPYPEN;
};

struct TTrkBrush {
  COLORREF color = RGB(255, 255, 255);
  bool clear = false;  // bsClear: the inside is not filled
};

class TTrkShape {
 public:
  ~TTrkShape();
  TTrkShape(const TTrkShape&) = delete;
  TTrkShape& operator=(const TTrkShape&) = delete;

  // Bounds in the parent's client coordinates.
  int Left() const { return bounds_.left; }
  int Top() const { return bounds_.top; }
  int Width() const { return bounds_.width; }
  int Height() const { return bounds_.height; }
  TTrkBounds Bounds() const { return bounds_; }
  void SetBounds(int left, int top, int width, int height);
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
  const TTrkPen& Pen() const { return pen_; }
  void SetPen(const TTrkPen& pen);
  const TTrkBrush& Brush() const { return brush_; }
  void SetBrush(const TTrkBrush& brush);
  TTrkCursor Cursor() const { return cursor_; }
  int DragMode() const { return dragMode_; }  // 0 none, 1 move, 2 resize
  TTrkShapeManager* Manager() const { return manager_; }

  void BringToFront();
  void Invalidate();
  // Draws the shape on dc, whose origin is the parent's client origin.
  void PaintTo(HDC dc) const;

  TTrkNotifyEvent OnSelected, OnMoveEnd, OnReSizeEnd, OnDblClickEnd;
  TTrkMouseMoveEvent OnMouseMoveEx;

  // Mouse input in shape coordinates (the manager calls these).
  void MouseDown(int x, int y);
  void MouseMove(int x, int y);
  void MouseUp(int x, int y);
  void DblClick();

 private:
  friend class TTrkShapeManager;
  explicit TTrkShape(TTrkShapeManager* manager);
  void SetCursor(TTrkCursor c);

  TTrkShapeManager* manager_;
  TTrkBounds bounds_{0, 0, 65, 65};
  TTrkPen pen_;
  TTrkBrush brush_;
  TTrkShapeType shape_ = sktFrame;
  bool selected_ = false;
  bool selectView_ = true;
  TTrkCursor cursor_ = TTrkCursor::Default;
  TTrkDrag drag_;
  int dragMode_ = 0;
  bool pendingDblClick_ = false;
};

class TTrkShapeManager {
 public:
  // parent: the window that shows the picture; it needs CS_DBLCLKS for
  // double clicks.
  explicit TTrkShapeManager(HWND parent);
  ~TTrkShapeManager();
  TTrkShapeManager(const TTrkShapeManager&) = delete;
  TTrkShapeManager& operator=(const TTrkShapeManager&) = delete;

  HWND Parent() const { return parent_; }
  int PenMode = R2_NOT;
  // The picture's bounds in the parent: shapes stay inside it. Without one
  // (HasFixedImage false) shapes are not clamped.
  void SetFixedImage(const TTrkBounds& bounds) { fixed_ = bounds; hasFixed_ = true; }
  void ClearFixedImage() { hasFixed_ = false; }
  const TTrkBounds* FixedImage() const { return hasFixed_ ? &fixed_ : nullptr; }

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
  void InvalidateBounds(const TTrkBounds& b) const;
  void ToFront(TTrkShape* shape);
  static LRESULT CALLBACK SubclassProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
  LRESULT Handle(HWND, UINT, WPARAM, LPARAM, bool& handled);

  HWND parent_;
  std::vector<TTrkShape*> shapes_;  // by index
  std::vector<TTrkShape*> zorder_;  // back to front
  TTrkBounds fixed_{};
  bool hasFixed_ = false;
  TTrkShape* captured_ = nullptr;
};

}  // namespace qm::hotspot
