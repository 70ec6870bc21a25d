// A choice among the radio buttons of one group box, read and set by index,
// enabled and disabled as one. (The dialogs' radio groups until the themed
// radio group control takes their place.)
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "classlib/DialogForm.h"
#include "classlib/GroupBox.h"
#include "classlib/RadioButton.h"

namespace qm::editor {

class TRadioChoice {
 public:
  TRadioChoice() = default;
  // The group box `group` of the dialog and its buttons group + "0",
  // group + "1", ... (as many as count).
  TRadioChoice(const cl::TDialogForm& dlg, const std::string& group, int count) {
    Group = dlg.Get<cl::TGroupBox>(group);
    for (int i = 0; i < count; ++i) Buttons.push_back(dlg.Get<cl::TRadioButton>(group + std::to_string(i)));
  }
  // The checked button's index, -1 when none is.
  int ItemIndex() const {
    for (std::size_t i = 0; i < Buttons.size(); ++i)
      if (Buttons[i]->Checked()) return static_cast<int>(i);
    return -1;
  }
  void SetItemIndex(int i) {
    if (i >= 0 && static_cast<std::size_t>(i) < Buttons.size()) Buttons[static_cast<std::size_t>(i)]->SetChecked(true);
  }
  bool Enabled() const { return Group->Enabled(); }
  void SetEnabled(bool v) {
    Group->SetEnabled(v);
    for (cl::TRadioButton* b : Buttons) b->SetEnabled(v);
  }
  // Runs after a button is clicked (also when checked by SetItemIndex).
  void SetOnClick(const std::function<void()>& f) {
    for (cl::TRadioButton* b : Buttons) b->OnClick = [f](cl::TControl*) { f(); };
  }

  cl::TGroupBox* Group = nullptr;
  std::vector<cl::TRadioButton*> Buttons;
};

}  // namespace qm::editor
