#include "editor/core/VersionLabel.h"

#include "core/Cp932.h"

namespace qm::editor {

std::string VersionLabel(const std::optional<std::string>& productVersion) {
  if (!productVersion) return "Version 0.00";
  return "Version " + CutBytes(*productVersion, 32);
}

std::string HcwVersionLabel(bool installed, const std::optional<std::string>& productVersion) {
  if (!installed) return "Help Workshop : not installed.";
  if (!productVersion) return "";
  return "Help Workshop : ver." + CutBytes(*productVersion, 32);
}

std::string HcrtfPath(const std::string& hcwFolder) { return hcwFolder + "\\hcrtf.exe"; }

}  // namespace qm::editor
