#include "setup/PendingRemoval.h"

#include <windows.h>

#include <optional>
#include <tuple>
#include <vector>

#include "classlib/Registry.h"
#include "setup/core/SetupNames.h"
#include "setup/core/SetupPaths.h"

namespace qm::setup {

namespace {

// The full path of a folder, with one trailing backslash (a bare drive is its
// root).
std::string FullFolder(const std::string& folder) {
  std::string path = WithoutTrailingBackslash(folder) + "\\";
  std::vector<char> buf(MAX_PATH);
  for (;;) {
    DWORD n = GetFullPathNameA(path.c_str(), static_cast<DWORD>(buf.size()), buf.data(), nullptr);
    if (n == 0) return path;
    if (n < buf.size()) return WithoutTrailingBackslash(std::string(buf.data(), n)) + "\\";
    buf.resize(n + 1);
  }
}

// Volume, index (high and low) and, against volumes that report no serial
// number, the creation time.
using FolderId = std::tuple<DWORD, DWORD, DWORD, DWORD, DWORD>;

std::optional<FolderId> IdentityOf(const std::string& folder) {
  HANDLE h = CreateFileA(folder.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                         nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (h == INVALID_HANDLE_VALUE) return std::nullopt;
  BY_HANDLE_FILE_INFORMATION info;
  bool ok = GetFileInformationByHandle(h, &info) &&
            (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
  CloseHandle(h);
  if (!ok) return std::nullopt;
  return FolderId{info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow,
                  info.ftCreationTime.dwHighDateTime, info.ftCreationTime.dwLowDateTime};
}

// The folder the run-once entry of the suite's name would remove.
std::optional<std::string> PendingFolder() {
  cl::TRegistry reg(HKEY_LOCAL_MACHINE);
  if (!reg.OpenKeyReadOnly(kRunOnceKey)) return std::nullopt;
  auto command = reg.ReadString(kUninstallName);
  return command ? RunOnceFolder(*command) : std::nullopt;
}

bool SameFolder(const std::string& a, const std::string& b) {
  std::string fa = FullFolder(a), fb = FullFolder(b);
  auto ia = IdentityOf(fa), ib = IdentityOf(fb);
  if (ia && ib) return *ia == *ib;
  return lstrcmpiA(fa.c_str(), fb.c_str()) == 0;
}

}  // namespace

bool RemovalPendingFor(const std::string& folder) {
  auto pending = PendingFolder();
  return pending && SameFolder(*pending, folder);
}

bool CancelRemovalOf(const std::string& folder) {
  if (!RemovalPendingFor(folder)) return true;
  cl::TRegistry reg(HKEY_LOCAL_MACHINE);
  return reg.OpenKey(kRunOnceKey, false) && reg.DeleteValue(kUninstallName);
}

}  // namespace qm::setup
