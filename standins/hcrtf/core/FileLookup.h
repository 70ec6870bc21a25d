// Finding a file named in a help project, as Windows would: relative to a
// folder, separators "\" or "/", letter case not significant.
#pragma once

#include <string>
#include <string_view>

namespace qm::hcrtf {

// True for "\x", "/x", "C:..." paths.
bool IsAbsolutePath(std::string_view path);

// The folder a project names (ROOT=, BMROOT=): relative ones under base.
std::string ResolveFolder(const std::string& base, std::string_view folder);

// Full path of the existing file name (which may hold sub-folders) under
// dir; empty when there is none. On POSIX systems each part of the path is
// matched without regard to ASCII letter case, as Windows does.
std::string FindFile(const std::string& dir, std::string_view name);

}  // namespace qm::hcrtf
