#include "classlib/StdCtrls.h"

#include "classlib/Form.h"

namespace cl {

TButton::TButton(TComponent* owner, TControl* parent, const std::string& caption,
                 int modal_result, bool is_default)
    : TControl(owner, parent), ModalResult(modal_result) {
  CreateHandle("BUTTON", caption.c_str(),
               WS_TABSTOP | (is_default ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON), 0);
}

bool TButton::Command(WORD code) {
  if (code != BN_CLICKED) return false;
  if (OnClick) OnClick(this);
  if (ModalResult) {
    for (TControl* p = Parent(); p; p = p->Parent()) {
      if (auto* f = dynamic_cast<TForm*>(p)) {
        f->SetModalResult(ModalResult);
        break;
      }
    }
  }
  return true;
}

TEdit::TEdit(TComponent* owner, TControl* parent, DWORD extra_style) : TControl(owner, parent) {
  CreateHandle("EDIT", "", WS_TABSTOP | ES_AUTOHSCROLL | extra_style, WS_EX_CLIENTEDGE);
}

void TEdit::SelectAll() { SendMessageA(Handle(), EM_SETSEL, 0, -1); }
void TEdit::SetReadOnly(bool v) { SendMessageA(Handle(), EM_SETREADONLY, v, 0); }

bool TEdit::Command(WORD code) {
  if (code == EN_CHANGE && OnChange) {
    OnChange(this);
    return true;
  }
  return false;
}

TLabel::TLabel(TComponent* owner, TControl* parent, const std::string& caption)
    : TControl(owner, parent) {
  CreateHandle("STATIC", caption.c_str(), SS_LEFT | SS_NOPREFIX, 0);
}

}  // namespace cl
