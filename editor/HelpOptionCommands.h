// The help project's options (Tools menu and PrjBar), enabled once a project
// is open: the options dialog, whose OK copies its values into the project.
#pragma once

#include "editor/CommandGroup.h"

namespace qm::editor {

class THelpOptionCommands : public TCommandGroup {
 public:
  explicit THelpOptionCommands(TMainForm& form);

  cl::TAction* HelpOptionA = nullptr;
  void HelpOptionAExecute();
};

}  // namespace qm::editor
