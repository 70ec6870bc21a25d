// A caption drawn twice: first in ShadeColor two pixels right of and below
// its place, then in the font colour on top, for a raised or engraved look.
// The about boxes show their title with it.
#pragma once

#include <windows.h>

#include "classlib/Control.h"

namespace qm::controls {

class TLabel3D : public cl::TControl {
 public:
  // 96 x 24, white text with a black shadow.
  TLabel3D(cl::TComponent* owner, cl::TControl* parent, const std::string& caption = "");

  COLORREF FontColor() const { return font_color_; }
  void SetFontColor(COLORREF c);
  COLORREF ShadeColor() const { return shade_color_; }
  // Draws the label again at once, the new shadow over the old one.
  void SetShadeColor(COLORREF c);

  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void Paint(HDC dc);
  COLORREF font_color_ = RGB(255, 255, 255);
  COLORREF shade_color_ = RGB(0, 0, 0);
};

}  // namespace qm::controls
