// The help project's options (Tools menu and PrjBar). The command stands in
// its place, enabled once a project is open; its dialog is still to come.
#pragma once

#include "editor/CommandGroup.h"

namespace qm::editor {

class THelpOptionCommands : public TCommandGroup {
 public:
  explicit THelpOptionCommands(TMainForm& form);

  cl::TAction* HelpOptionA = nullptr;
};

}  // namespace qm::editor
