#include "classlib/ColorDialog.h"

#include <commdlg.h>

namespace cl {

namespace {
ColorDialogHook& Hook() {
  static ColorDialogHook hook;
  return hook;
}
}  // namespace

void SetColorDialogHook(ColorDialogHook hook) { Hook() = std::move(hook); }

bool TColorDialog::Execute(HWND owner) {
  if (Hook()) return Hook()(*this);
  CHOOSECOLORA cc = {};
  cc.lStructSize = sizeof cc;
  cc.hwndOwner = owner;
  cc.rgbResult = Color;
  cc.lpCustColors = CustomColors.data();
  cc.Flags = CC_RGBINIT | (FullOpen ? CC_FULLOPEN : 0);
  if (!ChooseColorA(&cc)) return false;
  Color = cc.rgbResult;
  return true;
}

}  // namespace cl
