#include "setup/PackageFiles.h"

#include <windows.h>

#include <cstdio>
#include <vector>

#include "classlib/FileVersion.h"
#include "core/FileSystem.h"
#include "setup/core/SetupNames.h"
#include "setup/core/SetupPaths.h"

namespace qm::setup {

namespace {

std::optional<FILETIME> LastWrite(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) ||
      (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
    return std::nullopt;
  return data.ftLastWriteTime;
}

std::optional<PackageVersion> PackageVersionOf(const std::string& file) {
  auto text = ReadProductVersion(file);
  return text ? ParsePackageVersion(*text) : std::nullopt;
}

}  // namespace

std::optional<std::string> ReadProductVersion(const std::string& file) {
  auto text = cl::ProductVersionOf(file);
  if (text && text->empty()) return std::nullopt;
  return text;
}

int FileYear(const std::string& file) {
  auto t = LastWrite(file);
  FILETIME local;
  SYSTEMTIME st;
  if (!t || !FileTimeToLocalFileTime(&*t, &local) || !FileTimeToSystemTime(&local, &st)) return 0;
  return st.wYear;
}

std::string ProgramFolder() {
  std::vector<char> buf(MAX_PATH);
  for (;;) {
    DWORD n = GetModuleFileNameA(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
    if (n == 0) return {};
    if (n < buf.size()) {
      // The folder up to the last backslash that is not a trail byte.
      std::string folder(buf.data(), n);
      while (!folder.empty() && !EndsWithBackslash(folder)) folder.pop_back();
      return folder;
    }
    buf.resize(buf.size() * 2);
  }
}

bool ReadPackageVersions(TSetupRun& run, std::string& missing) {
  const std::string& p = run.packageFolder;
  missing.clear();
  for (const char* name : {kHotspotExe, kEditorExe}) {
    if (!FileExists(p + name)) {
      missing = p + name;
      return false;
    }
  }
  auto hotspot = PackageVersionOf(p + kHotspotExe);
  if (!hotspot) return false;
  run.packageHotspot = hotspot->Number();
  run.noticeYear = NoticeYear(FileYear(p + kEditorExe));
  auto editor = PackageVersionOf(p + kEditorExe);
  if (!editor) return false;
  run.packageEditor = editor->Number();
  run.lastMajor = editor->major;
  run.lastMinor = editor->minor;
  return true;
}

std::string MissingPackageFile(const TSetupRun& run) {
  if (!FileExists(run.packageFolder + kLatepurgeExe)) return run.packageFolder + kLatepurgeExe;
  for (const char* name : kInstallFiles) {
    if (!FileExists(run.packageFolder + name)) return run.packageFolder + name;
  }
  return {};
}

void ReadSystemState(TSetupRun& run) {
  UINT n = GetWindowsDirectoryA(nullptr, 0);
  std::vector<char> buf(n + 1, '\0');
  GetWindowsDirectoryA(buf.data(), n + 1);
  run.windowsFolder = buf.data();
  run.windowsDrive = DriveLetterOf(run.windowsFolder);
  run.shortcutDialogShown = false;
  for (std::size_t i = 0; i < kInstallFiles.size(); ++i) {
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((run.packageFolder + kInstallFiles[i]).c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) continue;
    run.sizes[i + 1] = (static_cast<std::uint64_t>(fd.nFileSizeHigh) << 32) | fd.nFileSizeLow;
    FindClose(h);
  }
  OSVERSIONINFOA vi = {};
  vi.dwOSVersionInfoSize = sizeof vi;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  BOOL got = GetVersionExA(&vi);
#pragma GCC diagnostic pop
  run.nt5 = got && vi.dwPlatformId == VER_PLATFORM_WIN32_NT && vi.dwMajorVersion > 4;
}

CopyNeed CopyNeedOf(const std::string& source, const std::string& target) {
  auto from = LastWrite(source);
  if (!from) return CopyNeed::SourceMissing;
  if (auto to = LastWrite(target); to && CompareFileTime(&*from, &*to) <= 0) return CopyNeed::UpToDate;
  return CopyNeed::Copy;
}

}  // namespace qm::setup
