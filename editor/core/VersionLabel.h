// The about box's version lines, from the product versions of the editor
// and of the help compiler.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace qm::editor {

// "Version " and at most 32 bytes of the product version (never half a
// double-byte character); "Version 0.00" without one.
std::string VersionLabel(const std::optional<std::string>& productVersion);

// The help compiler's line: "Help Workshop : ver." and at most 32 bytes of
// its product version; empty for a compiler without version data;
// "Help Workshop : not installed." when "<HcwFolder>\hcrtf.exe" is missing.
std::string HcwVersionLabel(bool installed, const std::optional<std::string>& productVersion);

// The file the about box looks for: "<HcwFolder>\hcrtf.exe".
std::string HcrtfPath(const std::string& hcwFolder);

}  // namespace qm::editor
