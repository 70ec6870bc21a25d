#include "classlib/SpeedButton.h"

#include <windowsx.h>

#include <stdexcept>

namespace cl {

TSpeedButton::TSpeedButton(TComponent* owner, TControl* parent, const std::string& caption)
    : TControl(owner, parent) {
  clicks_notified_ = true;  // a click is a press and a release inside
  CreateHandle(RegisterOwnClass("TSpeedButton", CS_HREDRAW | CS_VREDRAW), caption.c_str(),
               WS_CLIPSIBLINGS, 0);
}

void TSpeedButton::SetFlat(bool v) {
  flat_ = v;
  Invalidate();
}

void TSpeedButton::LoadGlyph(const char* resource_name) {
  HANDLE h = LoadImageA(GetModuleHandleA(nullptr), resource_name, IMAGE_BITMAP, 0, 0,
                        LR_CREATEDIBSECTION);
  if (!h) throw std::runtime_error(std::string("No bitmap resource ") + resource_name);
  glyph_.SetHandle(static_cast<HBITMAP>(h));
  Invalidate();
}

void TSpeedButton::Click() {
  if (Enabled() && OnClick) OnClick(this);
}

void TSpeedButton::Paint(HDC dc) {
  RECT r;
  GetClientRect(Handle(), &r);
  FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
  const bool enabled = IsWindowEnabled(Handle()) != FALSE;
  const bool down = pressed_ && inside_;
  if (down) {
    DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
  } else if (enabled && (hot_ || !flat_)) {
    DrawEdge(dc, &r, flat_ ? BDR_RAISEDINNER : EDGE_RAISED, BF_RECT);
  }
  const int shift = down ? 1 : 0;
  std::string text = Text();
  int gw = glyph_.Empty() ? 0 : glyph_.Width(), gh = glyph_.Empty() ? 0 : glyph_.Height();
  SIZE ts = {0, 0};
  HGDIOBJ old_font = SelectObject(dc, Font() ? Font() : GetStockObject(DEFAULT_GUI_FONT));
  if (!text.empty()) GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &ts);
  int gap = gw && !text.empty() ? 4 : 0;
  int x = (r.right - (gw + gap + ts.cx)) / 2 + shift;
  if (gw) {
    int y = (r.bottom - gh) / 2 + shift;
    HDC src = glyph_.Canvas().Handle();
    if (enabled) {
      COLORREF transparent = GetPixel(src, 0, gh - 1);
      TransparentBlt(dc, x, y, gw, gh, src, 0, 0, gw, gh, transparent);
    } else {
      glyph_.FreeCanvas();
      DrawStateA(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(glyph_.Handle()), 0, x, y, gw, gh,
                 DST_BITMAP | DSS_DISABLED);
    }
  }
  if (!text.empty()) {
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
    TextOutA(dc, x + gw + gap, (r.bottom - ts.cy) / 2 + shift, text.c_str(), static_cast<int>(text.size()));
  }
  SelectObject(dc, old_font);
}

LRESULT TSpeedButton::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  LRESULT painted = 0;
  if (PaintsItself(msg, wp, painted, [this](HDC dc) { Paint(dc); })) return painted;
  switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      pressed_ = inside_ = true;
      SetCapture(Handle());
      Invalidate();
      break;
    case WM_MOUSEMOVE: {
      if (!hot_) {
        hot_ = true;
        TRACKMOUSEEVENT tme = {sizeof tme, TME_LEAVE, Handle(), 0};
        TrackMouseEvent(&tme);
        Invalidate();
      }
      if (pressed_) {
        RECT r;
        GetClientRect(Handle(), &r);
        POINT p = {GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
        bool inside = PtInRect(&r, p) != FALSE;
        if (inside != inside_) {
          inside_ = inside;
          Invalidate();
        }
      }
      break;
    }
    case WM_MOUSELEAVE:
      hot_ = false;
      Invalidate();
      return 0;
    case WM_LBUTTONUP: {
      RECT r;
      GetClientRect(Handle(), &r);
      POINT p = {GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
      bool click = pressed_ && PtInRect(&r, p);
      pressed_ = false;
      if (GetCapture() == Handle()) ReleaseCapture();
      Invalidate();
      LRESULT result = TControl::WndProc(msg, wp, lp);  // OnMouseUp
      if (click) Click();
      return result;
    }
    case WM_CAPTURECHANGED:
      if (pressed_) {
        pressed_ = false;
        Invalidate();
      }
      break;
    case WM_ENABLE:
    case WM_SETTEXT: {
      LRESULT r = TControl::WndProc(msg, wp, lp);
      Invalidate();
      return r;
    }
  }
  return TControl::WndProc(msg, wp, lp);
}

}  // namespace cl
