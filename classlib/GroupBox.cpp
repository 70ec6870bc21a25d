#include "classlib/GroupBox.h"

#include "classlib/Panel.h"

namespace cl {

TGroupBox::TGroupBox(TComponent* owner, TControl* parent, const std::string& caption)
    : TControl(owner, parent) {
  CreateHandle(RegisterOwnClass("TGroupBox", CS_HREDRAW | CS_VREDRAW), caption.c_str(),
               WS_CLIPCHILDREN | WS_CLIPSIBLINGS, WS_EX_CONTROLPARENT);
}

void TGroupBox::Paint(HDC dc) {
  RECT r;
  GetClientRect(Handle(), &r);
  FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
  HGDIOBJ old = SelectObject(dc, Font() ? Font() : GetStockObject(DEFAULT_GUI_FONT));
  TEXTMETRICA tm;
  GetTextMetricsA(dc, &tm);
  std::string text = Text();
  RECT frame = r;
  frame.top = tm.tmHeight / 2 - 1;
  RECT caption = {8, 0, 8, tm.tmHeight};
  if (!text.empty()) {
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &caption, DT_CALCRECT | DT_SINGLELINE);
    caption.right += 4;  // two blank pixels each side
    caption.bottom = tm.tmHeight;
  }
  // The frame line stops at the caption.
  int saved = SaveDC(dc);
  if (!text.empty()) ExcludeClipRect(dc, caption.left, caption.top, caption.right, caption.bottom);
  DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
  RestoreDC(dc, saved);
  if (!text.empty()) {
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(IsWindowEnabled(Handle()) ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
    RECT t = {caption.left + 2, 0, caption.right - 2, caption.bottom};
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &t, DT_SINGLELINE | DT_LEFT);
  }
  SelectObject(dc, old);
}

LRESULT TGroupBox::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  LRESULT painted = 0;
  if (PaintsItself(msg, wp, painted, [this](HDC dc) { Paint(dc); })) return painted;
  switch (msg) {
    case WM_GETDLGCODE:
      // A static item for IsDialogMessage: its access key focuses the next control.
      return DLGC_STATIC;
    case WM_SETTEXT:
    case WM_ENABLE: {
      LRESULT r = TControl::WndProc(msg, wp, lp);
      Invalidate();
      return r;
    }
    case WM_CLOSE:
      ForwardCloseToForm(Handle(), msg);
      return 0;
  }
  return TControl::WndProc(msg, wp, lp);
}

}  // namespace cl
