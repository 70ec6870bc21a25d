// The font common dialog.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "classlib/Component.h"

namespace cl {

class TFontDialog : public TComponent {
 public:
  explicit TFontDialog(TComponent* owner) : TComponent(owner) {}

  // The font shown at the start and chosen at the end (Shift-JIS name).
  std::string FontName = "MS UI Gothic";
  int FontSize = 9;  // points
  bool Bold = false;
  bool Italic = false;
  bool Underline = false;
  bool StrikeOut = false;
  COLORREF Color = RGB(0, 0, 0);
  BYTE Charset = SHIFTJIS_CHARSET;
  // No choice of style (bold, italic): the dialog keeps them as given.
  bool NoStyleSel = false;
  // Effects (underline, strike-out, colour) offered.
  bool Effects = false;

  // Runs the dialog; true when a font was chosen.
  bool Execute(HWND owner = nullptr);
};

// Replaces the platform dialog (tests answer it): change the dialog's font
// and return true, or return false to cancel.
using FontDialogHook = std::function<bool(TFontDialog& dialog)>;
void SetFontDialogHook(FontDialogHook hook);

}  // namespace cl
