#include "classlib/CheckBox.h"

namespace cl {

TCheckBox::TCheckBox(TComponent* owner, TControl* parent, const std::string& caption)
    : TControl(owner, parent) {
  clicks_notified_ = true;
  CreateHandle("BUTTON", caption.c_str(), WS_TABSTOP | BS_AUTOCHECKBOX, 0);
}

bool TCheckBox::Checked() const {
  return SendMessageA(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void TCheckBox::SetChecked(bool v) {
  if (Checked() == v) return;
  SendMessageA(Handle(), BM_SETCHECK, v ? BST_CHECKED : BST_UNCHECKED, 0);
  if (OnClick) OnClick(this);
}

bool TCheckBox::Command(WORD code) {
  if (code != BN_CLICKED) return false;
  if (OnClick) OnClick(this);
  return true;
}

}  // namespace cl
