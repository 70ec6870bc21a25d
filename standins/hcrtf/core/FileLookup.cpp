#include "standins/hcrtf/core/FileLookup.h"

#include <vector>

#include "core/Cp932.h"
#include "core/FileSystem.h"

#ifndef _WIN32
#include <dirent.h>
#endif

namespace qm::hcrtf {

namespace {

bool IsDelim(char c) { return c == '\\' || c == '/'; }

#ifndef _WIN32
// Splits at "\" and "/", never at a trail byte.
std::vector<std::string> SplitPath(std::string_view path) {
  std::vector<std::string> parts;
  std::string part;
  for (std::size_t i = 0; i < path.size(); i += CharLength(path, i)) {
    std::size_t n = CharLength(path, i);
    if (n == 1 && IsDelim(path[i])) {
      if (!part.empty()) parts.push_back(part);
      part.clear();
    } else {
      part.append(path.substr(i, n));
    }
  }
  if (!part.empty()) parts.push_back(part);
  return parts;
}

// The entry of dir whose name equals name without regard to case.
std::string MatchEntry(const std::string& dir, const std::string& name) {
  std::string exact = PathJoin(dir.empty() ? "." : dir, name);
  if (FileExists(exact) || DirectoryExists(exact)) return name;
  std::string found;
  if (DIR* d = ::opendir(dir.empty() ? "." : dir.c_str())) {
    while (dirent* e = ::readdir(d)) {
      if (EqualsNoCase(e->d_name, name)) {
        found = e->d_name;
        break;
      }
    }
    ::closedir(d);
  }
  return found;
}

// Turns "\" separators of a relative folder into "/" and matches each part
// without regard to case; parts that do not exist are kept as written.
std::string NativePath(const std::string& base, std::string_view rel) {
  std::string cur = base;
  if (!rel.empty() && IsDelim(rel[0])) cur = "/";
  for (const std::string& part : SplitPath(rel)) {
    if (part == ".") continue;
    if (part == "..") {
      cur = PathJoin(cur.empty() ? "." : cur, "..");
      continue;
    }
    std::string entry = MatchEntry(cur, part);
    cur = PathJoin(cur, entry.empty() ? part : entry);
  }
  return cur;
}
#endif

}  // namespace

bool IsAbsolutePath(std::string_view path) {
  if (!path.empty() && IsDelim(path[0])) return true;
  return path.size() >= 2 && path[1] == ':' &&
         ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
}

std::string ResolveFolder(const std::string& base, std::string_view folder) {
#ifdef _WIN32
  if (IsAbsolutePath(folder)) return std::string(folder);
  if (folder == ".") return base;
  return PathJoin(base, folder);
#else
  if (IsAbsolutePath(folder)) return NativePath("", folder);
  std::string p = NativePath(base, folder);
  return p;
#endif
}

std::string FindFile(const std::string& dir, std::string_view name) {
#ifdef _WIN32
  std::string path = IsAbsolutePath(name) ? std::string(name) : PathJoin(dir, name);
  return FileExists(path) ? path : std::string();
#else
  std::string path = IsAbsolutePath(name) ? NativePath("", name) : NativePath(dir, name);
  return FileExists(path) ? path : std::string();
#endif
}

}  // namespace qm::hcrtf
