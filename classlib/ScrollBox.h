// Scroll boxes: a container whose controls, windowed or not, scroll under
// scroll bars that appear when they reach beyond its client area.
#pragma once

#include "classlib/Control.h"

namespace cl {

class TScrollBox : public TControl {
 public:
  TScrollBox(TComponent* owner, TControl* parent);

  // Sets the scroll ranges from the extent of the visible controls; called
  // on resizing, and by the program after it moved or resized a control.
  void UpdateScrollRange();
  int HorzPosition() const { return pos_x_; }
  int VertPosition() const { return pos_y_; }
  int HorzRange() const { return range_x_; }
  int VertRange() const { return range_y_; }
  // Scrolls so that the content's point (x, y) is at the top-left corner
  // (clamped to the ranges).
  void ScrollTo(int x, int y);
  // Scrolls as little as possible so that r (client coordinates) is seen.
  void ScrollInView(const RECT& r);
  // Pixels of a click on a scroll bar arrow.
  int Increment = 8;
  COLORREF Color() const;
  void SetColor(COLORREF c);  // CLR_INVALID: the button face

  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void Scroll(int bar, WORD code);
  void SetBars();
  int pos_x_ = 0, pos_y_ = 0;
  int range_x_ = 0, range_y_ = 0;
  COLORREF color_ = CLR_INVALID;
  bool updating_ = false;
};

}  // namespace cl
