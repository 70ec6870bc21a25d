// Backing up the project (Tools menu). The item stands in its place, enabled
// once a project is open; the backup itself is still to come.
#pragma once

#include "editor/CommandGroup.h"

namespace qm::editor {

class TBackupCommands : public TCommandGroup {
 public:
  explicit TBackupCommands(TMainForm& form);

  cl::TMenuItem* Backup1 = nullptr;
};

}  // namespace qm::editor
