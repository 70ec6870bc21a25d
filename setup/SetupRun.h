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
};

}  // namespace qm::setup
