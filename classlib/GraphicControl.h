// Graphic controls: windowless controls that live on a windowed parent.
//
// The parent paints itself, then its graphic controls back to front (each
// on a canvas whose origin is its own top-left corner, clipped to its
// bounds). The parent's mouse messages go to the front graphic control under
// the mouse, or to the one that holds the capture from a button press until
// the last button is released; coordinates are the control's own.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

#include "classlib/Canvas.h"
#include "classlib/Control.h"

namespace cl {

enum class TCursor { crDefault, crArrow, crHandPoint, crCross, crIBeam, crSizeNWSE, crSizeNESW,
                     crSizeWE, crSizeNS, crSizeAll, crNo, crHourGlass };
HCURSOR CursorHandle(TCursor cursor);

enum TMouseButton { mbLeft = 0, mbRight = 1, mbMiddle = 2 };
// Added to the shift state of the press that is a double click.
constexpr TShiftState ssDouble = 64;

class TGraphicControl : public TComponent {
 public:
  TGraphicControl(TComponent* owner, TControl* parent);
  ~TGraphicControl() override;

  TControl* Parent() const { return parent_; }
  // Moves the control onto another parent (null: none), in front.
  void SetParent(TControl* parent);

  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  RECT BoundsRect() const { return RECT{left_, top_, left_ + width_, top_ + height_}; }
  virtual void SetBounds(int left, int top, int width, int height);

  bool Visible() const { return visible_; }
  void SetVisible(bool v);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool v) { enabled_ = v; }
  TCursor Cursor() const { return cursor_; }
  void SetCursor(TCursor c);

  // Z-order among the parent's graphic controls.
  void BringToFront();
  void SendToBack();
  // Repaints the control's area of the parent (the parent, then the
  // graphic controls there, are painted again).
  void Invalidate();
  // Whether the control holds the parent's mouse.
  bool MouseCapture() const;

  // The canvas of the paint in progress (no handle outside Paint).
  TCanvas& Canvas() { return canvas_; }
  // Paints the control on dc, whose origin is the parent's client origin.
  void PaintTo(HDC dc);
  // Paints the parent's visible graphic controls back to front on dc.
  static void PaintControls(TControl* parent, HDC dc);
  // The front visible, enabled graphic control of parent at x, y (parent
  // client coordinates), or null.
  static TGraphicControl* ControlAt(TControl* parent, int x, int y);

  std::function<void(TGraphicControl*)> OnPaint;
  std::function<void(TGraphicControl*)> OnClick;
  std::function<void(TGraphicControl*)> OnDblClick;
  std::function<void(TGraphicControl*, int button, TShiftState, int x, int y)> OnMouseDown;
  std::function<void(TGraphicControl*, TShiftState, int x, int y)> OnMouseMove;
  std::function<void(TGraphicControl*, int button, TShiftState, int x, int y)> OnMouseUp;

  // Handles the messages of a parent that has graphic controls; the one
  // window procedure of the class library calls it. True when handled.
  static bool ParentMessage(TControl* parent, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);
  // The parent is going away.
  void ParentDestroyed() { parent_ = nullptr; }

 protected:
  // Draws on Canvas(); the default runs OnPaint.
  virtual void Paint();
  virtual bool HitTest(int x, int y) const;
  virtual void MouseDown(int button, TShiftState shift, int x, int y);
  virtual void MouseMove(TShiftState shift, int x, int y);
  virtual void MouseUp(int button, TShiftState shift, int x, int y);
  virtual void DblClick();
  virtual void Click();

 private:
  void Attach(TControl* parent);
  void Detach();
  TControl* parent_ = nullptr;
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  bool visible_ = true;
  bool enabled_ = true;
  TCursor cursor_ = TCursor::crDefault;
  TCanvas canvas_;
  bool pressed_inside_ = false;
};

// Gathers the repaints that the graphic controls of a parent ask for while
// it lives into one, of the rectangle around them all: many controls added,
// moved or removed at once then cost one request to the system instead of
// one each. (Nested ones: the outermost repaints.)
class TGraphicUpdate {
 public:
  explicit TGraphicUpdate(TControl* parent);
  ~TGraphicUpdate();
  TGraphicUpdate(const TGraphicUpdate&) = delete;
  TGraphicUpdate& operator=(const TGraphicUpdate&) = delete;

 private:
  TControl* parent_;
};

}  // namespace cl
