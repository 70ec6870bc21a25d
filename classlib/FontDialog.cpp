#include "classlib/FontDialog.h"

#include <commdlg.h>

#include <cstring>

namespace cl {

namespace {
FontDialogHook& Hook() {
  static FontDialogHook hook;
  return hook;
}
}  // namespace

void SetFontDialogHook(FontDialogHook hook) { Hook() = std::move(hook); }

bool TFontDialog::Execute(HWND owner) {
  if (Hook()) return Hook()(*this);
  LOGFONTA lf = {};
  HDC screen = GetDC(nullptr);
  lf.lfHeight = -MulDiv(FontSize, GetDeviceCaps(screen, LOGPIXELSY), 72);
  ReleaseDC(nullptr, screen);
  lf.lfWeight = Bold ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = Italic;
  lf.lfUnderline = Underline;
  lf.lfStrikeOut = StrikeOut;
  lf.lfCharSet = Charset;
  FontName.copy(lf.lfFaceName, sizeof lf.lfFaceName - 1);
  CHOOSEFONTA cf = {};
  cf.lStructSize = sizeof cf;
  cf.hwndOwner = owner;
  cf.lpLogFont = &lf;
  cf.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT | (NoStyleSel ? CF_NOSTYLESEL : 0) |
             (Effects ? CF_EFFECTS : 0);
  cf.rgbColors = Color;
  if (!ChooseFontA(&cf)) return false;
  FontName = lf.lfFaceName;
  FontSize = (cf.iPointSize + 5) / 10;  // tenths of a point
  if (!NoStyleSel) {
    Bold = lf.lfWeight >= FW_BOLD;
    Italic = lf.lfItalic != 0;
  }
  if (Effects) {
    Underline = lf.lfUnderline != 0;
    StrikeOut = lf.lfStrikeOut != 0;
    Color = cf.rgbColors;
  }
  Charset = lf.lfCharSet;
  return true;
}

}  // namespace cl
