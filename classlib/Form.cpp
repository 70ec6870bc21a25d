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

  }
  return TControl::WndProc(msg, wp, lp);
}

}  // namespace cl
