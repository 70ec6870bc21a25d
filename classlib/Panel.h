// Panels: containers that fill themselves with their colour, draw a bevel
// and show their caption in the middle.
#pragma once

#include "classlib/Control.h"

namespace cl {

enum class TBevelCut { None, Raised, Lowered };

class TPanel : public TControl {
 public:
  TPanel(TComponent* owner, TControl* parent);

  TBevelCut BevelOuter() const { return bevel_; }
  void SetBevelOuter(TBevelCut b);
  int BevelWidth() const { return bevel_width_; }
  void SetBevelWidth(int w);
  // The background; CLR_INVALID (the default) is the button face.
  COLORREF Color() const;
  void SetColor(COLORREF c);

  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void Paint(HDC dc);
  TBevelCut bevel_ = TBevelCut::None;
  int bevel_width_ = 1;
  COLORREF color_ = CLR_INVALID;
};

// What container windows do with WM_CLOSE: a multi-line edit sends it to
// its parent on Escape; it goes on to the form instead of destroying the
// container.
bool ForwardCloseToForm(HWND container, UINT msg);

}  // namespace cl
