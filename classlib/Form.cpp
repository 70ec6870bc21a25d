#include "classlib/Form.h"

#include <vector>

#include "classlib/Application.h"

namespace cl {

namespace {
BOOL CALLBACK CollectEnabledWindow(HWND w, LPARAM lp) {
  auto* v = reinterpret_cast<std::vector<HWND>*>(lp);
  if (IsWindowVisible(w) && IsWindowEnabled(w)) v->push_back(w);
  return TRUE;
}
}  // namespace

TForm::TForm(TComponent* owner, const char* class_name, const std::string& caption, DWORD style,
             DWORD ex_style)
    : TControl(owner, nullptr) {
  CreateTopLevelHandle(RegisterOwnClass(class_name), caption.c_str(), style, ex_style,
                       Application().Handle());
}

void TForm::DoCreate() {
  if (created_) return;
  created_ = true;
  FormCreate();
}

void TForm::DoDestroy() {
  if (destroyed_) return;
  destroyed_ = true;
  FormDestroy();
}

void TForm::Show() {
  SetVisible(true);
  Realign();
}

void TForm::Hide() { SetVisible(false); }

void TForm::Close() {
  if (!FormCloseQuery()) return;
  if (in_modal_) {
    if (modal_result_ == mrNone) modal_result_ = mrCancel;
  } else if (Application().MainForm() == this) {
    Application().Terminate();
  } else {
    Hide();
  }
}

int TForm::ShowModal() {
  HWND owner = GetActiveWindow();
  std::vector<HWND> disabled;
  // Disable the other windows of the program while this one is up.
  EnumThreadWindows(GetCurrentThreadId(), CollectEnabledWindow, reinterpret_cast<LPARAM>(&disabled));
  for (HWND w : disabled)
    if (w != Handle()) EnableWindow(w, FALSE);
  modal_result_ = mrNone;
  in_modal_ = true;
  Application().AddModelessDialog(Handle());  // Tab, Enter and Esc
  ShowWindow(Handle(), SW_SHOW);
  SetForegroundWindow(Handle());
  while (modal_result_ == mrNone && !Application().Terminated() && Handle()) {
    Application().HandleMessage();
  }
  in_modal_ = false;
  Application().RemoveModelessDialog(Handle());
  for (HWND w : disabled)
    if (w != Handle() && IsWindow(w)) EnableWindow(w, TRUE);
  if (Handle()) ShowWindow(Handle(), SW_HIDE);
  if (owner && IsWindow(owner)) SetActiveWindow(owner);
  return modal_result_;
}

void TForm::SetMenu(TMainMenu* menu) {
  menu_ = menu;
  if (Handle()) ::SetMenu(Handle(), menu ? menu->Handle() : nullptr);
}

bool TForm::IsShortCut(WORD key, TShiftState shift) {
  if (key == VK_SHIFT || key == VK_CONTROL || key == VK_MENU) return false;
  TShortCut s = ShortCut(key, shift & (ssShift | ssCtrl | ssAlt));
  for (TComponent* c : Components()) {
    if (auto* list = dynamic_cast<TActionList*>(c)) {
      if (list->HandleShortCut(s)) return true;
    }
  }
  if (menu_) {
    if (TMenuItem* m = menu_->Items()->FindShortCut(s)) {
      m->Click();
      return true;
    }
  }
  return false;
}

RECT TForm::ScreenBounds() const {
  WINDOWPLACEMENT wp = {};
  wp.length = sizeof wp;
  RECT r = {};
  if (Handle() && GetWindowPlacement(Handle(), &wp)) r = wp.rcNormalPosition;
  return r;
}

void TForm::SetScreenBounds(int left, int top, int width, int height) {
  SetBounds(left, top, width, height);
}

LRESULT TForm::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CLOSE:
      Close();
      return 0;
    case WM_COMMAND:
      if (in_modal_ && (LOWORD(wp) == IDOK || LOWORD(wp) == IDCANCEL) &&
          (lp == 0 || !TControl::FromHandle(reinterpret_cast<HWND>(lp)))) {
        modal_result_ = LOWORD(wp) == IDOK ? mrOk : mrCancel;
        return 0;
      }
      if (lp == 0 && HIWORD(wp) == 0) {
        if (TMenuItem* m = TMenuItem::FromCommand(LOWORD(wp))) {
          m->Click();
          return 0;
        }
      }
      break;
    case WM_ACTIVATE:
      if (LOWORD(wp) != WA_INACTIVE) PostRaiseOwnedToolWindows();
      break;
    case WM_WINDOWPOSCHANGED:
      if (!(reinterpret_cast<WINDOWPOS*>(lp)->flags & SWP_NOZORDER)) PostRaiseOwnedToolWindows();
      break;
    case WM_PARENTNOTIFY:
      if (LOWORD(wp) == WM_LBUTTONDOWN || LOWORD(wp) == WM_RBUTTONDOWN) PostRaiseOwnedToolWindows();
      break;
    case kRaiseToolsMessage:
      raise_posted_ = false;
      RaiseOwnedToolWindows();
      return 0;
  }
  return TControl::WndProc(msg, wp, lp);
}

namespace {
struct OwnedTools {
  HWND owner;
  std::vector<HWND> tools;
};

BOOL CALLBACK CollectOwnedTool(HWND w, LPARAM p) {
  auto* c = reinterpret_cast<OwnedTools*>(p);
  if (GetWindow(w, GW_OWNER) == c->owner &&
      (IsWindowVisible(w) || GetPropA(w, kShowWithOwnerProp)) &&
      (GetWindowLongA(w, GWL_EXSTYLE) & WS_EX_TOOLWINDOW))
    c->tools.push_back(w);
  return TRUE;
}
}  // namespace

void TForm::PostRaiseOwnedToolWindows() {
  // After the activation or click has run its course: the display raises
  // the clicked window at its end.
  if (raise_posted_) return;
  raise_posted_ = PostMessageA(Handle(), kRaiseToolsMessage, 0, 0) != 0;
}

void TForm::RaiseOwnedToolWindows() {
  if (raising_tools_) return;
  raising_tools_ = true;
  // Owned windows stay above their owner; Wine loses that when the owner is
  // activated again after a modal dialog, and a floating toolbar would end
  // up behind its main window.
  OwnedTools ctx{Handle(), {}};
  EnumThreadWindows(GetCurrentThreadId(), CollectOwnedTool, reinterpret_cast<LPARAM>(&ctx));
  for (HWND w : ctx.tools) {
    if (GetPropA(w, kShowWithOwnerProp)) {
      RemovePropA(w, kShowWithOwnerProp);
      ShowWindow(w, SW_SHOWNOACTIVATE);
    }
  }
  // A window already first in the z-order is not raised on the display
  // again: take it behind this form first.
  const UINT flags = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER;
  for (HWND w : ctx.tools) {
    SetWindowPos(w, Handle(), 0, 0, 0, 0, flags);
    SetWindowPos(w, HWND_TOP, 0, 0, 0, 0, flags);
  }
  raising_tools_ = false;
}

}  // namespace cl
