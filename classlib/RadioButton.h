// Radio buttons. The buttons of one parent form one group: checking one
// unchecks the others. Only the checked button is a tab stop; the arrow
// keys move between the buttons of a group.
#pragma once

#include "classlib/Control.h"

namespace cl {

class TRadioButton : public TControl {
 public:
  TRadioButton(TComponent* owner, TControl* parent, const std::string& caption);

  bool Checked() const;
  // Checking a button unchecks its siblings and runs its OnClick;
  // unchecking runs nothing.
  void SetChecked(bool v);
  bool Command(WORD code) override;
};

}  // namespace cl
