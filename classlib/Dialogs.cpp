#include "classlib/Dialogs.h"

#include <memory>

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
}  // namespace

int ShowMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT flags) {
  if (Hook()) return Hook()({owner, text, caption, flags});
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
  edit->SelectAll();
  auto* ok = new TButton(form.get(), form.get(), "OK", mrOk, true);
  ok->SetBounds(140, 64, 75, 25);
  auto* cancel = new TButton(form.get(), form.get(), "キャンセル", mrCancel);
  cancel->SetBounds(225, 64, 75, 25);
  POINT pt;
  GetCursorPos(&pt);
  form->SetBounds(pt.x - 160, pt.y - 20, 320, 130);
  edit->SetFocus();
  if (form->ShowModal() != mrOk) return false;
  value = edit->Text();
  return true;
}

}  // namespace cl
