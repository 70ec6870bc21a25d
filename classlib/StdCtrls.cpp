#include "classlib/StdCtrls.h"

#include "classlib/Form.h"

namespace cl {

TButton::TButton(TComponent* owner, TControl* parent, const std::string& caption,
                 int modal_result, bool is_default)
    : TControl(owner, parent), ModalResult(modal_result) {
  clicks_notified_ = true;
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

TEdit::TEdit(TComponent* owner, TControl* parent, DWORD style, TExactStyle)
    : TControl(owner, parent) {
  CreateHandle("EDIT", "", WS_TABSTOP | style, WS_EX_CLIENTEDGE);
}

void TEdit::SelectAll() { SendMessageA(Handle(), EM_SETSEL, 0, -1); }
void TEdit::SetReadOnly(bool v) { SendMessageA(Handle(), EM_SETREADONLY, v, 0); }
bool TEdit::ReadOnly() const { return (GetWindowLongA(Handle(), GWL_STYLE) & ES_READONLY) != 0; }
void TEdit::SetMaxLength(int n) { SendMessageA(Handle(), EM_LIMITTEXT, static_cast<WPARAM>(n), 0); }

void TEdit::SetImeDisabled(bool v) {
  if (v == ime_disabled_) return;
  ime_disabled_ = v;
  // No input context: the input method cannot open in this window.
  if (v) {
    saved_ime_ = ImmAssociateContext(Handle(), nullptr);
  } else {
    ImmAssociateContext(Handle(), saved_ime_);
    saved_ime_ = nullptr;
  }
}

LRESULT TEdit::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_GETDLGCODE:
      if (!AutoSelect) return TControl::WndProc(msg, wp, lp) & ~DLGC_HASSETSEL;
      break;
    case WM_CHAR:
    case WM_IME_CHAR:
      if (TypeDoubleByte(wp)) return 0;
      break;
    case WM_KILLFOCUS:
      pending_lead_ = 0;
      break;
    default:
      break;
  }
  return TControl::WndProc(msg, wp, lp);
}

bool TEdit::TypeDoubleByte(WPARAM wp) {
  char pair[3] = {};
  if (wp > 0xFF && wp <= 0xFFFF && IsDBCSLeadByte(static_cast<BYTE>(wp >> 8))) {
    // Both bytes in one message (an input method's character).
    pending_lead_ = 0;
    pair[0] = static_cast<char>(wp >> 8);
    pair[1] = static_cast<char>(wp & 0xFF);
  } else if (wp <= 0xFF && pending_lead_) {
    // The platform's control would take the lead and the trail for two
    // characters of their own (Wine's does): hand it the pair as one.
    pair[0] = static_cast<char>(pending_lead_);
    pair[1] = static_cast<char>(wp);
    pending_lead_ = 0;
  } else if (wp <= 0xFF && IsDBCSLeadByte(static_cast<BYTE>(wp))) {
    pending_lead_ = static_cast<unsigned char>(wp);
    return true;
  } else {
    return false;
  }
  if (ReadOnly()) {
    MessageBeep(0);
  } else {
    SendMessageA(Handle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(pair));
  }
  return true;
}

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

void TLabel::SetStaticStyle(DWORD mask, DWORD bits) {
  LONG style = GetWindowLongA(Handle(), GWL_STYLE);
  SetWindowLongA(Handle(), GWL_STYLE, static_cast<LONG>((static_cast<DWORD>(style) & ~mask) | bits));
  Invalidate();
}

void TLabel::SetShowAccelChar(bool v) { SetStaticStyle(SS_NOPREFIX, v ? 0 : SS_NOPREFIX); }

void TLabel::SetAlignment(TAlignment a) {
  DWORD bits = a == TAlignment::Center ? SS_CENTER : a == TAlignment::RightJustify ? SS_RIGHT : SS_LEFT;
  SetStaticStyle(SS_TYPEMASK, bits);
}

}  // namespace cl
