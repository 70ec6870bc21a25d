// Standard controls: button, edit, label.
#pragma once

#include <windows.h>
#include <imm.h>

#include "classlib/Control.h"

namespace cl {

class TButton : public TControl {
 public:
  // modal_result: the result a click gives the modal form holding it.
  TButton(TComponent* owner, TControl* parent, const std::string& caption, int modal_result = 0,
          bool is_default = false);
  int ModalResult;
  bool Command(WORD code) override;
};

class TEdit : public TControl {
 public:
  TEdit(TComponent* owner, TControl* parent, DWORD extra_style = 0);
  void SelectAll();
  void SetReadOnly(bool v);
  bool ReadOnly() const;
  // Keeps the input method closed while the edit has the focus (ids, numbers).
  void SetImeDisabled(bool v);
  void SetMaxLength(int n);
  // Whether the text is selected when the edit is entered with Tab.
  bool AutoSelect = true;
  std::function<void(TControl*)> OnChange;
  bool Command(WORD code) override;
  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

 protected:
  // An edit of exactly this style (besides WS_TABSTOP), for memos.
  struct TExactStyle {};
  TEdit(TComponent* owner, TControl* parent, DWORD style, TExactStyle);

 private:
  // Types a double-byte character that arrives split in two messages (or
  // whole in one); true when the message was taken.
  bool TypeDoubleByte(WPARAM wp);
  HIMC saved_ime_ = nullptr;
  bool ime_disabled_ = false;
  // A double-byte character typed into this ANSI window arrives as a lead
  // byte and a trail byte; the lead waits here for its trail.
  unsigned char pending_lead_ = 0;
};

enum class TAlignment { LeftJustify, Center, RightJustify };

class TLabel : public TControl {
 public:
  TLabel(TComponent* owner, TControl* parent, const std::string& caption);
  // "&" marks the access key, which moves the focus to the next control.
  void SetShowAccelChar(bool v);
  void SetAlignment(TAlignment a);

 private:
  void SetStaticStyle(DWORD mask, DWORD bits);
};

}  // namespace cl
