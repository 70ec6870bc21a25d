// A new empty folder under the temporary folder, for the tests under Wine.
#pragma once

#include <windows.h>

#include <string>

namespace qmtest {

inline std::string NewTempDir() {
  char base[MAX_PATH];
  GetTempPathA(MAX_PATH, base);
  char name[MAX_PATH];
  GetTempFileNameA(base, "qm", 0, name);
  DeleteFileA(name);
  CreateDirectoryA(name, nullptr);
  return name;
}

// A new empty folder "<new temporary folder>\<leaf>"; the leaf may hold
// blanks and Japanese.
inline std::string NewTempDir(const std::string& leaf) {
  std::string dir = NewTempDir() + "\\" + leaf;
  CreateDirectoryA(dir.c_str(), nullptr);
  return dir;
}

}  // namespace qmtest
