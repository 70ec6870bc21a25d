// The state of one run of the setup, shared by the start-up checks, the
// install and the uninstall.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "setup/core/DiskSpace.h"
#include "setup/core/SetupNames.h"
#include "setup/core/Versions.h"

namespace qm::setup {

// The program's exit code when it stopped on an error (after saying so).
inline constexpr int kExitFailed = 1;

struct TSetupRun {
  // The folder the setup runs from, with a trailing backslash.
  std::string packageFolder;

  // Read from the package's programs.
  int packageEditor = 0;
  int packageHotspot = 0;
  int lastMajor = 0, lastMinor = 0;  // the editor's, written into the uninstall entry
  int noticeYear = 2001;

  std::string windowsFolder;
  char windowsDrive = 0;
  PackageSizes sizes = {kLatepurgeSize, 0, 0, 0, 0, 0};
  bool shortcutDialogShown = false;
  bool nt5 = false;

  // An earlier installation.
  std::string previousFolder;
  bool skipFolderDialog = false;
  InstalledVersions installed;
  std::uint32_t shortcutFlags = 0;

  // The install drive and its figures.
  char installDrive = 0;
  DiskFigures disk;
  std::string installFolder;

  // The program's exit code: 0, or kExitFailed once a flow stopped on an error.
  int exitCode = 0;
};

}  // namespace qm::setup
