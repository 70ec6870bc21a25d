// Finding an earlier installation, and the disk figures of the install drive.
#pragma once

#include <string>

#include "setup/SetupRun.h"

namespace qm::setup {

// The folder and ShortcutFlags of an earlier installation from the uninstall
// entry, else from section "Install" of the editors' per-user settings (older
// setups wrote it there); then the installed versions. Without a readable
// version the folder is dropped and the default folder on the Windows drive
// is proposed. Returns the folder the folder dialog starts with.
std::string FindPreviousInstallation(TSetupRun& run);

// False when the earlier installation lacks a file the install puts there
// (or the delete-after-exit program it puts into the Windows folder),
// or an uninstall's removal of its folder is still pending: installing again
// then repairs it, whatever its versions.
bool PreviousInstallationIntact(const TSetupRun& run);

// The versions of the programs in folder.
InstalledVersions ReadInstalledVersionsIn(const std::string& folder);

// What the platform says about the drive of letter (0: the current drive).
DriveReport QueryDrive(char letter);

// Recomputes the install drive's figures.
void UpdateDiskSpace(TSetupRun& run);

// True when the Windows drive has no room for the delete-after-exit program.
bool WindowsDriveLacksSpace(const TSetupRun& run);

}  // namespace qm::setup
