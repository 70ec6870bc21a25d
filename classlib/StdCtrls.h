// Standard controls: button, edit, label.
#pragma once

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
  std::function<void(TControl*)> OnChange;
  bool Command(WORD code) override;
};

class TLabel : public TControl {
 public:
  TLabel(TComponent* owner, TControl* parent, const std::string& caption);
};

}  // namespace cl
