#include "setup/core/UninstallEntry.h"

#include "setup/core/SetupNames.h"
#include "setup/core/SetupPaths.h"
#include "setup/core/Versions.h"

namespace qm::setup {

std::vector<RegistryValue> UninstallEntryValues(const UninstallEntryData& d) {
  using K = RegistryValue::Kind;
  return {
      {"DisplayName", K::String, kEditorProduct},
      {"Publisher", K::String, kPublisher},
      {"InstallLocation", K::ExpandString, d.installFolder},
      {"UninstallString", K::ExpandString, UninstallString(d.installFolder)},
      {"DisplayVersion", K::String, VersionText(d.packageEditor)},
      {"VersionMajor", K::Integer, {}, d.major},
      {"VersionMinor", K::Integer, {}, d.minor},
      {"URLUpdateInfo", K::String, kUpdateUrl},
      {"HelpLink", K::String, kHelpUrl},
      {"ShortCut", K::Integer, {}, static_cast<std::int32_t>(d.shortcutFlags)},
  };
}

}  // namespace qm::setup
