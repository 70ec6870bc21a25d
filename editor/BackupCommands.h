// Backing up the project (Tools menu): saves it, then packs its files into
// one LZH archive through the archiver library.
#pragma once

#include <string>
#include <vector>

#include "editor/CommandGroup.h"

namespace qm::editor {

class TBackupCommands : public TCommandGroup {
 public:
  explicit TBackupCommands(TMainForm& form);

  cl::TMenuItem* Backup1 = nullptr;

  // Saves the project, then backs it up. A failed save ends it before the
  // backup starts.
  void Backup1Click(cl::TComponent* sender);
  // Packs the project into "<project file>.lzh" in the backup folder (the
  // project folder when none is set); reports failures itself.
  void BackupProject();

  // The folders the archiver library is looked for in, in turn
  // (ArchiverSearchFolders of this process, taken at start). The current
  // folder is never one of them. Tests put others in their place.
  std::vector<std::string> ArchiverFolders;
};

// The program's, system and Windows folders and the PATH entries of this
// process as they stand now, for ArchiverSearchFolders.
std::vector<std::string> ArchiverFoldersOfThisProcess();

}  // namespace qm::editor
