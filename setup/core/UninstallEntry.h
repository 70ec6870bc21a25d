// The values of the uninstall entry, in the order they are written.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qm::setup {

struct RegistryValue {
  enum Kind { String, ExpandString, Integer };
  std::string name;
  Kind kind = String;
  std::string text;        // String, ExpandString
  std::int32_t number = 0;  // Integer (a DWORD)
};

struct UninstallEntryData {
  std::string installFolder;
  int packageEditor = 0;       // major * 100 + minor
  int major = 0, minor = 0;    // the editor's
  std::uint32_t shortcutFlags = 0;
};

// DisplayName, Publisher, InstallLocation, UninstallString, DisplayVersion,
// VersionMajor, VersionMinor, URLUpdateInfo, HelpLink, ShortCut.
std::vector<RegistryValue> UninstallEntryValues(const UninstallEntryData& data);

}  // namespace qm::setup
