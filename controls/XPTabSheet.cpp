#include "controls/XPTabSheet.h"

#include <vector>

#include "classlib/Themes.h"

namespace qm::controls {

namespace {
// TABP_BODY of the "TAB" class.
constexpr int kTabBody = 10;
}  // namespace

TXPTabSheet::TXPTabSheet(cl::TComponent* owner, cl::TPageControl* page_control,
                         const std::string& caption)
    : cl::TTabSheet(owner, page_control, caption) {
  if (cl::ThemedLookActive()) OpenTheme();
}

TXPTabSheet::~TXPTabSheet() { CloseTheme(); }

void TXPTabSheet::OpenTheme() {
  const cl::TThemeApi* api = cl::ThemeApi();
  if (api && Handle()) theme_ = api->OpenThemeData(Handle(), L"TAB");
}

void TXPTabSheet::CloseTheme() {
  if (!theme_) return;
  if (const cl::TThemeApi* api = cl::ThemeApi()) api->CloseThemeData(theme_);
  theme_ = nullptr;
}

bool TXPTabSheet::PaintBody(HDC dc) {
  if (!theme_ || !cl::ThemedLookActive()) return false;
  const cl::TThemeApi* api = cl::ThemeApi();
  RECT r = {};
  GetClientRect(Handle(), &r);
  return api && SUCCEEDED(api->DrawThemeBackground(theme_, dc, kTabBody, 0, &r, nullptr));
}

void TXPTabSheet::TakeControlsOf(cl::TTabSheet* page) {
  // A copy: SetParent takes each control out of the page's list.
  const std::vector<cl::TControl*> controls = page->Controls();
  for (cl::TControl* c : controls) {
    c->SetParent(this);
    // SetParent keeps the position relative to the new parent's client area.
    c->SetBounds(c->Left(), c->Top(), c->Width(), c->Height());
  }
}

LRESULT TXPTabSheet::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_ERASEBKGND:
      if (!PaintBody(reinterpret_cast<HDC>(wp))) cl::TTabSheet::WndProc(msg, wp, lp);
      return 1;
    case WM_PRINTCLIENT:
      if (PaintBody(reinterpret_cast<HDC>(wp))) return 0;
      break;
    case WM_CTLCOLORSTATIC: {
      // A label (a static control) is drawn on the page's texture, not on
      // the grey box of the plain dialog colour. Controls that answer for
      // themselves (the themed check boxes) go first.
      const HWND child = reinterpret_cast<HWND>(lp);
      LRESULT own = 0;
      cl::TControl* control = FromHandle(child);
      if (control && control != this && control->CtlColor(msg, wp, lp, own)) return own;
      char cls[16] = {};
      GetClassNameA(child, cls, sizeof cls);
      if (theme_ && cl::ThemedLookActive() && lstrcmpiA(cls, "Static") == 0) {
        const HDC dc = reinterpret_cast<HDC>(wp);
        cl::ThemeApi()->DrawThemeParentBackground(child, dc, nullptr);
        SetBkMode(dc, TRANSPARENT);
        return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
      }
      break;
    }
    case WM_THEMECHANGED:
      CloseTheme();
      if (cl::ThemedLookActive()) OpenTheme();
      Invalidate();
      return 0;
    case WM_DESTROY:
      CloseTheme();
      break;
  }
  return cl::TTabSheet::WndProc(msg, wp, lp);
}

}  // namespace qm::controls
