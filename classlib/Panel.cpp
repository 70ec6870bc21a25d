#include "classlib/Panel.h"

namespace cl {

bool ForwardCloseToForm(HWND container, UINT msg) {
  if (msg != WM_CLOSE) return false;
  HWND root = GetAncestor(container, GA_ROOT);
  if (root && root != container) PostMessageA(root, WM_CLOSE, 0, 0);
  return true;
}

TPanel::TPanel(TComponent* owner, TControl* parent) : TControl(owner, parent) {
  CreateHandle(RegisterOwnClass("TPanel", CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW),
               "", WS_CLIPCHILDREN | WS_CLIPSIBLINGS, WS_EX_CONTROLPARENT);
}

void TPanel::SetBevelOuter(TBevelCut b) {
  bevel_ = b;
  Invalidate();
}

void TPanel::SetBevelWidth(int w) {
  bevel_width_ = w < 1 ? 1 : w;
  Invalidate();
}

COLORREF TPanel::Color() const { return color_ == CLR_INVALID ? GetSysColor(COLOR_BTNFACE) : color_; }

void TPanel::SetColor(COLORREF c) {
  color_ = c;
  Invalidate();
}

void TPanel::Paint(HDC dc) {
  RECT r;
  GetClientRect(Handle(), &r);
  HBRUSH brush = CreateSolidBrush(Color());
  FillRect(dc, &r, brush);
  DeleteObject(brush);
  if (bevel_ != TBevelCut::None) {
    UINT edge = bevel_ == TBevelCut::Raised ? BDR_RAISEDINNER : BDR_SUNKENOUTER;
    for (int i = 0; i < bevel_width_; ++i) DrawEdge(dc, &r, edge, BF_RECT | BF_ADJUST);
  }
  std::string text = Text();
  if (!text.empty()) {
    HGDIOBJ old = SelectObject(dc, Font() ? Font() : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(IsWindowEnabled(Handle()) ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, old);
  }
}

LRESULT TPanel::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  LRESULT painted = 0;
  if (PaintsItself(msg, wp, painted, [this](HDC dc) { Paint(dc); })) return painted;
  switch (msg) {
    case WM_SETTEXT: {
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
