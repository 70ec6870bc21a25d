#include "controls/StdCtrlsXp.h"

#include <string>

#include "classlib/Themes.h"
#include "controls/core/GroupBoxGeometry.h"

namespace qm::controls {

namespace {

constexpr int kGroupBoxPart = 4;  // BP_GROUPBOX
constexpr int kGroupBoxNormal = 1, kGroupBoxDisabled = 2;

std::wstring Wide(const std::string& s) {
  if (s.empty()) return {};
  int n = MultiByteToWideChar(932, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
  std::wstring w(static_cast<std::size_t>(n > 0 ? n : 0), L'\0');
  if (n > 0) MultiByteToWideChar(932, 0, s.data(), static_cast<int>(s.size()), w.data(), n);
  return w;
}

bool RightToLeft(HWND h) { return (GetWindowLongA(h, GWL_EXSTYLE) & WS_EX_RTLREADING) != 0; }

// The brush the parent answers for a static control's colours.
HBRUSH ParentBrush(cl::TControl& control, HDC dc) {
  HWND parent = GetParent(control.Handle());
  if (!parent) return nullptr;
  return reinterpret_cast<HBRUSH>(
      SendMessageA(parent, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control.Handle())));
}

}  // namespace

// ---------------------------------------------------------------------------
// TXpBackground

bool TXpBackground::Themed() const { return Ctl3D && cl::ThemedLookActive(); }

bool TXpBackground::ParentBackgroundReply(cl::TControl& control, WPARAM wp, LPARAM lp, LRESULT& result) const {
  if (!Themed() || !control.Handle()) return false;
  const cl::TThemeApi* api = cl::ThemeApi();
  api->DrawThemeParentBackground(reinterpret_cast<HWND>(lp), reinterpret_cast<HDC>(wp), nullptr);
  result = reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
  return true;
}

bool TXpBackground::ThemedErase(cl::TControl& control, WPARAM wp, LPARAM lp) const {
  if (!Themed()) return false;
  // A double-buffered control is erased on its memory DC only.
  if (DoubleBuffered && wp != static_cast<WPARAM>(lp)) return true;
  if (!GetParent(control.Handle())) return false;
  HDC dc = reinterpret_cast<HDC>(wp);
  HBRUSH brush = ParentBrush(control, dc);
  RECT r;
  GetClientRect(control.Handle(), &r);
  if (brush) FillRect(dc, &r, brush);
  return true;
}

// ---------------------------------------------------------------------------
// Check box and radio button

TXpCheckBox::TXpCheckBox(cl::TComponent* owner, cl::TControl* parent, const std::string& caption)
    : cl::TCheckBox(owner, parent, caption) {}

bool TXpCheckBox::CtlColor(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
  return msg == WM_CTLCOLORSTATIC && ParentBackgroundReply(*this, wp, lp, result);
}

LRESULT TXpCheckBox::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_ERASEBKGND && ThemedErase(*this, wp, lp)) return 1;
  return cl::TCheckBox::WndProc(msg, wp, lp);
}

TXpRadioButton::TXpRadioButton(cl::TComponent* owner, cl::TControl* parent, const std::string& caption)
    : cl::TRadioButton(owner, parent, caption) {}

bool TXpRadioButton::CtlColor(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
  return msg == WM_CTLCOLORSTATIC && ParentBackgroundReply(*this, wp, lp, result);
}

LRESULT TXpRadioButton::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_ERASEBKGND && ThemedErase(*this, wp, lp)) return 1;
  return cl::TRadioButton::WndProc(msg, wp, lp);
}

// ---------------------------------------------------------------------------
// Group box

TXpCustomGroupBox::TXpCustomGroupBox(cl::TComponent* owner, cl::TControl* parent, const std::string& caption)
    : cl::TGroupBox(owner, parent, caption) {
  if (cl::ThemedLookActive()) OpenTheme();
}

TXpCustomGroupBox::~TXpCustomGroupBox() { CloseTheme(); }

void TXpCustomGroupBox::OpenTheme() {
  if (const cl::TThemeApi* api = cl::ThemeApi()) theme_ = api->OpenThemeData(Handle(), L"BUTTON");
}

void TXpCustomGroupBox::CloseTheme() {
  if (!theme_) return;
  // The library stays loaded once loaded; without it there was no handle.
  if (const cl::TThemeApi* api = cl::ThemeApi()) api->CloseThemeData(theme_);
  theme_ = nullptr;
}

bool TXpCustomGroupBox::CtlColor(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
  return msg == WM_CTLCOLORSTATIC && theme_ && ParentBackgroundReply(*this, wp, lp, result);
}

bool TXpCustomGroupBox::PaintThemed(HDC dc) {
  const cl::TThemeApi* api = cl::ThemeApi();
  if (!api || !theme_) return false;
  const std::string text = Text();
  const std::wstring caption = Wide(text);
  const bool rtl = RightToLeft(Handle());
  const DWORD flags = DT_SINGLELINE | DT_CENTER | (rtl ? DT_RTLREADING : 0);
  const int state = Enabled() ? kGroupBoxNormal : kGroupBoxDisabled;
  // The caption is measured and drawn in the control's font.
  HGDIOBJ oldFont = SelectObject(dc, Font() ? Font() : GetStockObject(DEFAULT_GUI_FONT));
  struct Restore {
    HDC dc;
    HGDIOBJ font;
    ~Restore() { SelectObject(dc, font); }
  } restore{dc, oldFont};

  RECT lineExtent{}, captionExtent{};
  if (api->GetThemeTextExtent(theme_, dc, kGroupBoxPart, state, L"0", -1, flags, nullptr, &lineExtent) != S_OK)
    return false;
  if (api->GetThemeTextExtent(theme_, dc, kGroupBoxPart, state, caption.c_str(), -1, flags, nullptr,
                              &captionExtent) != S_OK)
    return false;
  const TGroupBoxRects r =
      GroupBoxRects(Width(), Height(), lineExtent.bottom, captionExtent.right, text.empty(), rtl);
  const RECT frame{r.frame.left, r.frame.top, r.frame.right, r.frame.bottom};
  RECT box{r.caption.left, r.caption.top, r.caption.right, r.caption.bottom};

  RECT client;
  GetClientRect(Handle(), &client);
  if (HBRUSH brush = ParentBrush(*this, dc)) FillRect(dc, &client, brush);
  const int saved = SaveDC(dc);
  ExcludeClipRect(dc, box.left, box.top, box.right, box.bottom);
  const HRESULT drawn = api->DrawThemeBackground(theme_, dc, kGroupBoxPart, state, &frame, nullptr);
  RestoreDC(dc, saved);
  if (drawn != S_OK) return false;
  return api->DrawThemeText(theme_, dc, kGroupBoxPart, state, caption.c_str(), -1, flags, 0, &box) == S_OK;
}

LRESULT TXpCustomGroupBox::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_PAINT:
      if (theme_ && Themed() && GetParent(Handle())) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(Handle(), &ps);
        if (!PaintThemed(dc)) Paint(dc);
        EndPaint(Handle(), &ps);
        return 0;
      }
      break;
    case WM_ERASEBKGND:
      if (theme_ && ThemedErase(*this, wp, lp)) return 1;
      break;
    case WM_THEMECHANGED:
      if (cl::ThemedLookActive()) {
        CloseTheme();
        OpenTheme();
      }
      return 0;
    case WM_DESTROY:
      CloseTheme();
      break;
  }
  return cl::TGroupBox::WndProc(msg, wp, lp);
}

}  // namespace qm::controls
