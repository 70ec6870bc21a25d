#include "setup/SetupFlows.h"

#include <windows.h>

#include "classlib/Dialogs.h"
#include "classlib/RegIniFile.h"
#include "core/Cp932.h"
#include "core/FileSystem.h"
#include "setup/InstallJournal.h"
#include "setup/PackageFiles.h"
#include "setup/PendingRemoval.h"
#include "setup/PreviousInstall.h"
#include "setup/RegistryEntries.h"
#include "setup/Shortcuts.h"
#include "setup/core/InstallPlan.h"
#include "setup/core/SetupNames.h"
#include "setup/core/SetupPaths.h"
#include "setup/core/SetupTexts.h"

namespace qm::setup {

namespace {

void Stop(TSetupRun& run, const std::string& text) {
  run.exitCode = kExitFailed;
  cl::MessageDlg(text, cl::TMsgDlgType::Error, MB_OK);
}

// Puts the disk back after a failed install; the text names the earlier
// files that could not come back, each on a line of its own after why.
std::string UndoInstall(TInstallJournal& journal, std::string why) {
  for (const auto& stranded : journal.Undo())
    why += "\r\n" + CannotPutBackText(stranded.file, stranded.aside);
  return why;
}

// Fresh install: the shortcut dialog. Upgrade from a version that kept its
// own settings: those go.
void RunShortcutStep(TSetupRun& run, TSetupDialogs& dialogs) {
  std::string settings = std::string(kSettingsKey) + "\\";
  switch (PlanShortcutStep(run.installed.editor)) {
    case ShortcutStep::AskForShortcuts: {
      bool programs = false, desktop = false;
      dialogs.AskShortcuts(programs, desktop);
      run.shortcutDialogShown = true;
      run.shortcutFlags = ShortcutFlagsAfterDialog(run.shortcutFlags, programs, desktop);
      break;
    }
    case ShortcutStep::EraseInstallAndToolBar:
      cl::RegDeleteTree(HKEY_CURRENT_USER, settings + kToolBarSection);
      [[fallthrough]];
    case ShortcutStep::EraseInstall:
      cl::RegDeleteTree(HKEY_CURRENT_USER, settings + kInstallSection);
      break;
    case ShortcutStep::Nothing:
      break;
  }
}

// Copies the delete-after-exit program into the Windows folder and the
// package's files into the install folder, showing the progress. Empty when
// all are in place, else the text that names the file that could not be
// copied.
std::string CopyFiles(const TSetupRun& run, TSetupDialogs& dialogs, TInstallJournal& journal) {
  std::uint64_t total = 0;
  for (std::size_t i = 1; i < run.sizes.size(); ++i) total += run.sizes[i];
  auto copy = [&](const char* name, const std::string& folder) {
    std::string source = run.packageFolder + name;
    return journal.CopyIfNewer(source, JoinFolder(folder, name)) ? std::string()
                                                                  : CannotCopyText(source, folder);
  };
  if (std::string failed = copy(kLatepurgeExe, run.windowsFolder); !failed.empty()) return failed;
  journal.Delete(JoinFolder(run.installFolder, kLatepurgeExe));
  std::uint64_t done = 0;
  for (std::size_t i = 0; i < kInstallFiles.size(); ++i) {
    done += run.sizes[i];
    dialogs.SetCopyProgress(ProgressPercent(done, total));
    std::string failed = copy(kInstallFiles[i], run.installFolder);
    if (!failed.empty()) return failed;
  }
  dialogs.SetCopyProgress(100);
  return {};
}

}  // namespace

void RunInstall(TSetupRun& run, TSetupDialogs& dialogs) {
  if (!PackageIsNewer(run.installed, run.packageEditor, run.packageHotspot) &&
      PreviousInstallationIntact(run)) {
    cl::MessageDlg(kUpToDate, cl::TMsgDlgType::Confirmation, MB_OK);
    return;
  }
  // Before any question: a package that lacks a file would stop the copy.
  if (std::string missing = MissingPackageFile(run); !missing.empty()) {
    Stop(run, missing + kMissingFileSuffix);
    return;
  }
  if (!dialogs.ShowReadme()) return;
  if (!run.skipFolderDialog && !dialogs.ChooseInstallFolder()) return;
  if (run.disk.free < run.disk.needed ||
      (run.installDrive != run.windowsDrive && WindowsDriveLacksSpace(run))) {
    Stop(run, kDiskFull);
    return;
  }
  run.installFolder = dialogs.InstallFolderText();
  TInstallJournal journal;
  if (!journal.ForceDirectories(run.installFolder)) {
    journal.Undo();
    Stop(run, kNoFolder);
    return;
  }
  dialogs.ShowCopyProgress();
  std::string failed = CopyFiles(run, dialogs, journal);
  dialogs.CloseCopyProgress();
  if (!failed.empty()) {
    Stop(run, UndoInstall(journal, failed));
    return;
  }
  // An uninstall of this folder whose removal is still pending would take
  // the new installation's setup away at the next log-on.
  if (!CancelRemovalOf(run.installFolder)) {
    Stop(run, UndoInstall(journal, kRemovalStillPending));
    return;
  }
  journal.Keep();
  RunShortcutStep(run, dialogs);
  if (run.shortcutDialogShown) {
    for (int csidl : ShortcutFolders(run.shortcutFlags, run.nt5))
      CreateShortcut(run.installFolder, kEditorExe, kShortcutName, csidl);
  }
  if (WriteUninstallEntry(run)) {
    cl::MessageDlg(kInstalled, cl::TMsgDlgType::Information, MB_OK);
  } else {
    cl::MessageDlg(kInstalledNoEntry, cl::TMsgDlgType::Warning, MB_OK);
  }
}

void RunUninstall(TSetupRun& run) {
  if (run.previousFolder.empty()) {
    Stop(run, kNotInstalled);
    return;
  }
  if (cl::MessageDlg(kConfirmUninstall, cl::TMsgDlgType::Confirmation, MB_OKCANCEL) != IDOK) return;
  for (const char* name : kUninstallFiles) DeleteFileA(JoinFolder(run.previousFolder, name).c_str());
  RemoveRegistryEntries();
  for (int csidl : ShortcutFolders(run.shortcutFlags, run.nt5)) DeleteShortcut(kShortcutName, csidl);
  if (WriteRunOnce(run.previousFolder)) {
    cl::MessageDlg(kUninstalled, cl::TMsgDlgType::Information, MB_OK);
  } else {
    cl::MessageDlg(kUninstalledNoRunOnce, cl::TMsgDlgType::Warning, MB_OK);
  }
}

}  // namespace qm::setup
