// The plain command Close of the main window. (Undo, cut, copy and paste
// belong to the editing commands.)
#pragma once

#include "editor/CommandGroup.h"

namespace qm::editor {

class TEditCommands : public TCommandGroup {
 public:
  explicit TEditCommands(TMainForm& form);

  cl::TAction* CloseA = nullptr;

  // Closes the main window (which saves and stores the settings).
  void CloseAExecute(cl::TComponent* sender);
};

}  // namespace qm::editor
