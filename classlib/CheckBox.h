// Check boxes.
#pragma once

#include "classlib/Control.h"

namespace cl {

class TCheckBox : public TControl {
 public:
  TCheckBox(TComponent* owner, TControl* parent, const std::string& caption);

  bool Checked() const;
  // A change of state, by the user or by the program, runs OnClick.
  void SetChecked(bool v);
  bool Command(WORD code) override;
};

}  // namespace cl
