// The colour common dialog.
#pragma once

#include <windows.h>

#include <array>
#include <functional>

#include "classlib/Component.h"

namespace cl {

class TColorDialog : public TComponent {
 public:
  explicit TColorDialog(TComponent* owner) : TComponent(owner) { CustomColors.fill(RGB(255, 255, 255)); }

  // The colour shown at the start and chosen at the end.
  COLORREF Color = RGB(0, 0, 0);
  // The sixteen custom colours, kept from one use to the next.
  std::array<COLORREF, 16> CustomColors;
  // The custom colours part opens with the dialog.
  bool FullOpen = false;

  // Runs the dialog; true when a colour was chosen.
  bool Execute(HWND owner = nullptr);
};

// Replaces the platform dialog (tests answer it): set the dialog's Color
// and return true, or return false to cancel.
using ColorDialogHook = std::function<bool(TColorDialog& dialog)>;
void SetColorDialogHook(ColorDialogHook hook);

}  // namespace cl
