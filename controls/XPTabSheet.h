// A page of a page control that paints the themed tab-body texture as its
// background while the themed look is active, so that the controls placed
// on it show that texture; otherwise a plain page.
#pragma once

#include <windows.h>
#include <uxtheme.h>

#include <string>

#include "classlib/PageControl.h"

namespace qm::controls {

class TXPTabSheet : public cl::TTabSheet {
 public:
  TXPTabSheet(cl::TComponent* owner, cl::TPageControl* page_control, const std::string& caption);
  ~TXPTabSheet() override;

  // The theme data of the "TAB" class; null while the themed look is off.
  HTHEME Theme() const { return theme_; }
  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

  // Moves every control of a plain page onto this one (dialogs declared as
  // tables make plain pages).
  void TakeControlsOf(cl::TTabSheet* page);

 private:
  void OpenTheme();
  void CloseTheme();
  // The tab body painted on dc; false when it could not be (not themed, or
  // the theme's drawing failed).
  bool PaintBody(HDC dc);
  HTHEME theme_ = nullptr;
};

}  // namespace qm::controls
