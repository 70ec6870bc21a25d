#include "setup/PreviousInstall.h"

#include <windows.h>

#include "classlib/RegIniFile.h"
#include "classlib/Registry.h"
#include "core/FileSystem.h"
#include "core/IniSettings.h"
#include "setup/PackageFiles.h"
#include "setup/PendingRemoval.h"
#include "setup/core/InstallPlan.h"
#include "setup/core/SetupNames.h"
#include "setup/core/SetupPaths.h"

namespace qm::setup {

InstalledVersions ReadInstalledVersionsIn(const std::string& folder) {
  return ReadInstalledVersions([&folder](const char* name) {
    std::string path = JoinFolder(folder, name);
    InstalledFile f;
    f.exists = FileExists(path);
    if (f.exists) f.productVersion = ReadProductVersion(path);
    return f;
  });
}

std::string FindPreviousInstallation(TSetupRun& run) {
  std::string folder;
  {
    cl::TRegistry reg(HKEY_LOCAL_MACHINE);
    if (reg.OpenKeyReadOnly(kUninstallKey)) {
      folder = reg.ReadString("InstallLocation").value_or("");
      if (auto flags = reg.ReadInteger("ShortCut")) run.shortcutFlags = static_cast<std::uint32_t>(*flags);
    }
  }
  if (folder.empty()) {
    cl::TRegIniFile store(HKEY_CURRENT_USER, kSettingsKey);
    IniSettings settings(store);
    folder = settings.ReadString(kInstallSection, "Dir", "");
    run.shortcutFlags =
        static_cast<std::uint32_t>(settings.ReadInteger(kInstallSection, "ShortCut", 0));
  }
  run.previousFolder = folder;
  run.skipFolderDialog = false;
  if (!folder.empty()) {
    run.installed = ReadInstalledVersionsIn(folder);
    if (UsePreviousInstallation(folder, run.installed)) {
      run.skipFolderDialog = true;
      run.installDrive = DriveLetterOf(folder);
    } else {
      run.previousFolder.clear();
    }
  }
  if (run.previousFolder.empty()) {
    folder = DefaultInstallFolder(run.windowsDrive);
    run.installDrive = run.windowsDrive;
  }
  UpdateDiskSpace(run);
  return folder;
}

bool PreviousInstallationIntact(const TSetupRun& run) {
  if (run.previousFolder.empty()) return true;
  for (const char* name : kInstallFiles) {
    if (!FileExists(JoinFolder(run.previousFolder, name))) return false;
  }
  // The delete-after-exit program that the install put into the Windows
  // folder: without it the uninstall's removal at the next log-on fails.
  if (!FileExists(JoinFolder(run.windowsFolder, kLatepurgeExe))) return false;
  return !RemovalPendingFor(run.previousFolder);
}

DriveReport QueryDrive(char letter) {
  DriveReport d;
  std::string root = letter ? std::string(1, letter) + ":\\" : std::string();
  const char* rootArg = letter ? root.c_str() : nullptr;
  d.fixed = letter && GetDriveTypeA(rootArg) == DRIVE_FIXED;
  if (d.fixed || !letter) {
    DWORD spc = 0, bps = 0, freeClusters = 0, total = 0;
    d.clustersKnown = GetDiskFreeSpaceA(rootArg, &spc, &bps, &freeClusters, &total) != FALSE;
    if (d.clustersKnown) {
      d.sectorsPerCluster = spc;
      d.bytesPerSector = bps;
      d.freeClusters = freeClusters;
    }
  }
  if (d.fixed) {
    ULARGE_INTEGER avail, totalBytes, freeBytes;
    d.freeBytesKnown = GetDiskFreeSpaceExA(rootArg, &avail, &totalBytes, &freeBytes) != FALSE;
    if (d.freeBytesKnown) d.freeBytes = freeBytes.QuadPart;
  }
  return d;
}

void UpdateDiskSpace(TSetupRun& run) {
  bool hasLetter = run.installDrive != 0;
  UpdateDiskFigures(run.disk, QueryDrive(run.installDrive), run.sizes, hasLetter,
                    hasLetter && run.installDrive == run.windowsDrive);
}

bool WindowsDriveLacksSpace(const TSetupRun& run) {
  return qm::setup::WindowsDriveLacksSpace(QueryDrive(run.windowsDrive));
}

}  // namespace qm::setup
