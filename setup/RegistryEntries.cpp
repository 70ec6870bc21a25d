#include "setup/RegistryEntries.h"

#include <windows.h>

#include "classlib/Registry.h"
#include "setup/core/SetupNames.h"
#include "setup/core/SetupPaths.h"
#include "setup/core/SlowInfoCache.h"
#include "setup/core/UninstallEntry.h"

namespace qm::setup {

namespace {

std::u16string Utf16(const std::string& s) {
  if (s.empty()) return {};
  int n = MultiByteToWideChar(CP_ACP, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
  std::u16string w(n, u'\0');
  MultiByteToWideChar(CP_ACP, 0, s.data(), static_cast<int>(s.size()),
                      reinterpret_cast<wchar_t*>(w.data()), n);
  return w;
}

// Now, in local time, as a FILETIME (no time-zone conversion).
std::uint64_t LocalNowFileTime() {
  SYSTEMTIME st;
  GetLocalTime(&st);
  FILETIME ft = {};
  SystemTimeToFileTime(&st, &ft);
  return (static_cast<std::uint64_t>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
}

void WriteUninstallValues(cl::TRegistry& reg, const TSetupRun& run) {
  UninstallEntryData data;
  data.installFolder = run.installFolder;
  data.packageEditor = run.packageEditor;
  data.major = run.lastMajor;
  data.minor = run.lastMinor;
  data.shortcutFlags = run.shortcutFlags;
  for (const RegistryValue& v : UninstallEntryValues(data)) {
    switch (v.kind) {
      case RegistryValue::String: reg.WriteString(v.name, v.text); break;
      case RegistryValue::ExpandString: reg.WriteExpandString(v.name, v.text); break;
      case RegistryValue::Integer: reg.WriteInteger(v.name, v.number); break;
    }
  }
}

}  // namespace

bool WriteUninstallEntry(const TSetupRun& run) {
  try {
    cl::TRegistry reg(HKEY_LOCAL_MACHINE);
    if (!reg.OpenKey(kUninstallKey, true)) return false;
    WriteUninstallValues(reg, run);
    reg.CloseKey();
    // A Windows without the cache has no use for the record.
    if (!reg.KeyExists(kCacheParentKey)) return true;
    if (!reg.OpenKey(kCacheKey, true)) return false;
    reg.WriteInteger("Changed", 0);
    std::int64_t installedSize = static_cast<std::int64_t>(run.disk.clusterSize * run.disk.fiveFiles);
    reg.WriteBinaryData("SlowInfoCache",
                        BuildSlowInfoCache(installedSize, LocalNowFileTime(),
                                           Utf16(JoinFolder(run.installFolder, kEditorExe))));
    return true;
  } catch (const cl::ERegistryException&) {
    return false;
  }
}

void RemoveRegistryEntries() {
  cl::TRegistry user(HKEY_CURRENT_USER);
  user.DeleteKey(kSettingsKey);
  cl::TRegistry machine(HKEY_LOCAL_MACHINE);
  machine.DeleteKey(kUninstallKey);
  machine.DeleteKey(kCacheKey);
}

bool WriteRunOnce(const std::string& folder) {
  try {
    cl::TRegistry reg(HKEY_LOCAL_MACHINE);
    if (!reg.OpenKey(kRunOnceKey, true)) return false;
    reg.WriteString(kUninstallName, RunOnceCommand(folder));
    return true;
  } catch (const cl::ERegistryException&) {
    return false;
  }
}

}  // namespace qm::setup
