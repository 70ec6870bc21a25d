// Reading a program's product version from its version resource, at the
// resource's first translation.
#pragma once

#include <optional>
#include <string>

namespace cl {

// The ProductVersion text of the file's version resource, up to its first
// NUL; none without a resource, a translation or the value.
std::optional<std::string> ProductVersionOf(const std::string& path);

}  // namespace cl
