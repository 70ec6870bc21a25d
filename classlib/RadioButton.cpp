#include "classlib/RadioButton.h"

namespace cl {

TRadioButton::TRadioButton(TComponent* owner, TControl* parent, const std::string& caption)
    : TControl(owner, parent) {
  clicks_notified_ = true;
  // Not an automatic radio button: the group is the parent's buttons, which
  // this class unchecks itself.
  CreateHandle("BUTTON", caption.c_str(), BS_RADIOBUTTON | BS_NOTIFY, 0);
}

bool TRadioButton::Checked() const {
  return SendMessageA(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void TRadioButton::SetChecked(bool v) {
  if (Checked() == v) return;
  SendMessageA(Handle(), BM_SETCHECK, v ? BST_CHECKED : BST_UNCHECKED, 0);
  LONG style = GetWindowLongA(Handle(), GWL_STYLE);
  SetWindowLongA(Handle(), GWL_STYLE, v ? style | WS_TABSTOP : style & ~WS_TABSTOP);
  if (!v) return;
  if (Parent()) {
    for (TControl* sibling : Parent()->Controls()) {
      if (sibling == this) continue;
      if (auto* r = dynamic_cast<TRadioButton*>(sibling)) r->SetChecked(false);
    }
  }
  if (OnClick) OnClick(this);
}

bool TRadioButton::Command(WORD code) {
  switch (code) {
    case BN_CLICKED:
      SetChecked(true);  // a click on the checked button changes nothing
      return true;
    case BN_DOUBLECLICKED:
      if (OnDblClick) OnDblClick(this);
      return true;
    case BN_SETFOCUS:
      // Moving onto a button with the arrow keys checks it.
      if (GetKeyState(VK_LBUTTON) >= 0 && !Checked()) SetChecked(true);
      return true;
  }
  return false;
}

}  // namespace cl
