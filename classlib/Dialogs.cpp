#include "classlib/Dialogs.h"

#include <memory>
#include <string>

#include "classlib/Application.h"
#include "classlib/Form.h"
#include "classlib/StdCtrls.h"

namespace cl {

namespace {
MessageBoxHook& Hook() {
  static MessageBoxHook hook;
  return hook;
}
InputQueryHook& QueryHook() {
  static InputQueryHook hook;
  return hook;
}

// A box asked to stay on top is put there when it comes up, should the
// system's message box not have done so itself (Wine's does not).
class TTopmostBox {
 public:
  TTopmostBox() : hook_(SetWindowsHookExA(WH_CBT, Activating, nullptr, GetCurrentThreadId())) {}
  ~TTopmostBox() {
    if (hook_) UnhookWindowsHookEx(hook_);
  }
  TTopmostBox(const TTopmostBox&) = delete;
  TTopmostBox& operator=(const TTopmostBox&) = delete;

 private:
  static LRESULT CALLBACK Activating(int code, WPARAM wp, LPARAM lp) {
    if (code == HCBT_ACTIVATE) {
      HWND w = reinterpret_cast<HWND>(wp);
      char cls[16] = {};
      GetClassNameA(w, cls, sizeof cls);
      if (std::string(cls) == "#32770" && !(GetWindowLongA(w, GWL_EXSTYLE) & WS_EX_TOPMOST))
        SetWindowPos(w, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    return CallNextHookEx(nullptr, code, wp, lp);
  }
  HHOOK hook_;
};
}  // namespace

int ShowMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT flags) {
  // While the session ends, the system shows a window of its own about a
  // program that has not answered yet, in the middle of the screen, where
  // the box stands: the box stays above it, so that the user answers it.
  if (Application().EndingSession()) flags |= MB_TOPMOST | MB_SETFOREGROUND;
  if (Hook()) return Hook()({owner, text, caption, flags});
  std::unique_ptr<TTopmostBox> topmost;
  if (flags & MB_TOPMOST) topmost = std::make_unique<TTopmostBox>();
  return MessageBoxA(owner, text.c_str(), caption.c_str(), flags);
}

void SetMessageBoxHook(MessageBoxHook hook) { Hook() = std::move(hook); }

void ShowMessage(const std::string& text) {
  ShowMessageBox(Application().DialogOwner(), text, Application().Title(), MB_OK);
}

int MessageDlg(const std::string& text, TMsgDlgType type, UINT buttons) {
  UINT icon = MB_ICONINFORMATION;
  switch (type) {
    case TMsgDlgType::Warning: icon = MB_ICONWARNING; break;
    case TMsgDlgType::Error: icon = MB_ICONERROR; break;
    case TMsgDlgType::Confirmation: icon = MB_ICONQUESTION; break;
    case TMsgDlgType::Information: icon = MB_ICONINFORMATION; break;
  }
  return ShowMessageBox(Application().DialogOwner(), text, Application().Title(), buttons | icon);
}

void SetInputQueryHook(InputQueryHook hook) { QueryHook() = std::move(hook); }

bool InputQuery(const std::string& caption, const std::string& prompt, std::string& value) {
  if (QueryHook()) return QueryHook()(caption, prompt, value);
  auto form = std::make_unique<TForm>(nullptr, "TInputQueryForm", caption,
                                      WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME,
                                      WS_EX_DLGMODALFRAME);
  form->SetBounds(0, 0, 320, 130);
  auto* label = new TLabel(form.get(), form.get(), prompt);
  label->SetBounds(10, 10, 290, 18);
  auto* edit = new TEdit(form.get(), form.get());
  edit->SetBounds(10, 32, 290, 22);
  edit->SetText(value);
  auto* ok = new TButton(form.get(), form.get(), "OK", mrOk, true);
  ok->SetBounds(140, 64, 75, 25);
  auto* cancel = new TButton(form.get(), form.get(), "キャンセル", mrCancel);
  cancel->SetBounds(225, 64, 75, 25);
  POINT pt;
  GetCursorPos(&pt);
  form->SetBounds(pt.x - 160, pt.y - 20, 320, 130);
  // The value is typed at once: the field has the keyboard, its text selected.
  form->SetActiveControl(edit);
  if (form->ShowModal() != mrOk) return false;
  value = edit->Text();
  return true;
}

}  // namespace cl
