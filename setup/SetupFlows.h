// The install and uninstall flows. The dialogs they show are behind
// TSetupDialogs; their messages go through the class library's message
// dialog. Every stop ends the flow; a stop on an error sets the run's exit
// code. An install that stops after it began to create folders and copy
// files first puts the disk back as it found it.
#pragma once

#include <string>

#include "setup/SetupRun.h"

namespace qm::setup {

class TSetupDialogs {
 public:
  virtual ~TSetupDialogs() = default;
  // The readme; false when the user stops there.
  virtual bool ShowReadme() = 0;
  // The install-folder dialog; false when the user stops there.
  virtual bool ChooseInstallFolder() = 0;
  // The install folder as the folder dialog holds it.
  virtual std::string InstallFolderText() = 0;
  // The copy progress window: shown (and painted) before the copying,
  // moved on, closed afterwards.
  virtual void ShowCopyProgress() = 0;
  virtual void SetCopyProgress(int percent) = 0;
  virtual void CloseCopyProgress() = 0;
  // The shortcut dialog: the shortcuts the user asks for.
  virtual void AskShortcuts(bool& programsMenu, bool& desktop) = 0;
};

// Installs the package when it holds anything newer than an earlier
// installation: readme, folder (fresh installs), disk space, copying,
// shortcuts, obsolete settings, uninstall entry.
void RunInstall(TSetupRun& run, TSetupDialogs& dialogs);

// Removes the installed files, the registry entries and the shortcuts and
// schedules the removal of the setup and its folder.
void RunUninstall(TSetupRun& run);

}  // namespace qm::setup
