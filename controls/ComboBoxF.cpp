#include "controls/ComboBoxF.h"

namespace qm::controls {

namespace {

// While the mouse is inside, this timer watches for it to leave (the edit
// of a drop-down box takes the mouse messages, not the box).
constexpr UINT_PTR kLeaveTimer = 0x4346;
constexpr UINT kLeaveCheckMs = 100;

// The flat combo box that has the focus (its own window or its edit), if any.
TComboBoxF* FocusedFlatCombo() {
  for (HWND h = GetFocus(); h; h = GetParent(h)) {
    if (auto* c = dynamic_cast<TComboBoxF*>(cl::TControl::FromHandle(h))) return c;
    if (!(GetWindowLongA(h, GWL_STYLE) & WS_CHILD)) break;
  }
  return nullptr;
}

}  // namespace

TComboBoxF::TComboBoxF(cl::TComponent* owner, cl::TControl* parent, cl::TComboBoxStyle style, bool sorted)
    : cl::TComboBox(owner, parent, style, sorted), color_(GetSysColor(COLOR_WINDOW)) {
  // No border of its own: a client edge, which PaintFrame paints over.
  SetWindowLongA(Handle(), GWL_STYLE, GetWindowLongA(Handle(), GWL_STYLE) & ~WS_BORDER);
  SetWindowLongA(Handle(), GWL_EXSTYLE, GetWindowLongA(Handle(), GWL_EXSTYLE) | WS_EX_CLIENTEDGE);
  SetWindowPos(Handle(), nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
  SetBounds(Left(), Top(), Width(), 19);
  SetColor(color_);
}

TComboBoxF::~TComboBoxF() {
  if (brush_) DeleteObject(brush_);
}

void TComboBoxF::SetColor(COLORREF c) {
  color_ = c;
  if (brush_) DeleteObject(brush_);
  brush_ = CreateSolidBrush(c);
  Invalidate();
}

bool TComboBoxF::HasFocus() const { return FocusedFlatCombo() == this; }

bool TComboBoxF::HotLook() const {
  if (HasFocus()) return true;
  return mouse_inside_ && FocusedFlatCombo() == nullptr;
}

void TComboBoxF::PaintFrame() {
  HDC dc = GetWindowDC(Handle());
  if (!dc) return;
  RECT r;
  GetWindowRect(Handle(), &r);
  OffsetRect(&r, -r.left, -r.top);
  HBRUSH face = CreateSolidBrush(GetSysColor(COLOR_BTNFACE));
  HBRUSH window = CreateSolidBrush(GetSysColor(COLOR_WINDOW));
  if (HotLook()) {
    DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
  } else {
    FrameRect(dc, &r, face);
    InflateRect(&r, -1, -1);
  }
  FrameRect(dc, &r, face);
  InflateRect(&r, -1, -1);
  FrameRect(dc, &r, window);
  DeleteObject(face);
  DeleteObject(window);
  ReleaseDC(Handle(), dc);
}

void TComboBoxF::MouseEntered() {
  if (mouse_inside_) return;
  mouse_inside_ = true;
  SetTimer(Handle(), kLeaveTimer, kLeaveCheckMs, nullptr);
  PaintFrame();
}

void TComboBoxF::MouseLeft() {
  if (!mouse_inside_) return;
  mouse_inside_ = false;
  KillTimer(Handle(), kLeaveTimer);
  PaintFrame();
}

bool TComboBoxF::Command(WORD code) {
  // The focus moving into or out of the box or its edit.
  if (code == CBN_SETFOCUS || code == CBN_KILLFOCUS) PaintFrame();
  return cl::TComboBox::Command(code);
}

LRESULT TComboBoxF::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_PAINT:
    case WM_NCPAINT: {
      const LRESULT r = cl::TComboBox::WndProc(msg, wp, lp);
      PaintFrame();
      return r;
    }
    case WM_SETCURSOR:
      // Comes from the box and from its edit while the mouse is over them.
      MouseEntered();
      break;
    case WM_TIMER:
      if (wp == kLeaveTimer) {
        POINT p;
        RECT r;
        GetCursorPos(&p);
        GetWindowRect(Handle(), &r);
        if (!PtInRect(&r, p)) MouseLeft();
        return 0;
      }
      break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
      const LRESULT r = cl::TComboBox::WndProc(msg, wp, lp);
      PaintFrame();
      return r;
    }
    case WM_ENABLE: {
      const LRESULT r = cl::TComboBox::WndProc(msg, wp, lp);
      SetColor(GetSysColor(wp ? COLOR_WINDOW : COLOR_BTNFACE));
      return r;
    }
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSTATIC: {
      // The edit and the list ask the box for their colours.
      HDC dc = reinterpret_cast<HDC>(wp);
      SetBkColor(dc, color_);
      SetTextColor(dc, GetSysColor(IsWindowEnabled(Handle()) ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
      return reinterpret_cast<LRESULT>(brush_);
    }
    case WM_DESTROY:
      KillTimer(Handle(), kLeaveTimer);
      break;
  }
  return cl::TComboBox::WndProc(msg, wp, lp);
}

}  // namespace qm::controls
