// The folder listing of core/FolderListing.h over the Win32 ANSI API.
#include <windows.h>

#include "core/FileSystem.h"
#include "standins/unlha32/core/FolderListing.h"

namespace qm::lzh {

bool ListFolder(const std::string& dir, std::vector<FolderEntry>& out) {
  out.clear();
  // PathJoin adds the separator unless dir ends in one; a folder name
  // ending in "ソ" (83 5C) does not.
  const std::string pattern = PathJoin(dir, "*");
  WIN32_FIND_DATAA fd;
  HANDLE h = FindFirstFileA(pattern.c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return GetLastError() == ERROR_FILE_NOT_FOUND;
  do {
    FolderEntry e;
    e.name = fd.cFileName;
    if (e.name == "." || e.name == "..") continue;
    e.folder = (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    e.hiddenOrSystem = (fd.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) != 0;
    e.attribute = static_cast<std::uint8_t>(fd.dwFileAttributes & 0x3F);
    // FILETIME counts 100 ns steps from 1601; Unix time seconds from 1970.
    const std::uint64_t ft =
        static_cast<std::uint64_t>(fd.ftLastWriteTime.dwHighDateTime) << 32 | fd.ftLastWriteTime.dwLowDateTime;
    e.time = static_cast<std::int64_t>(ft / 10000000u) - 11644473600LL;
    e.size = static_cast<std::uint64_t>(fd.nFileSizeHigh) << 32 | fd.nFileSizeLow;
    out.push_back(std::move(e));
  } while (FindNextFileA(h, &fd));
  FindClose(h);
  return true;
}

bool IsReadOnlyFile(const std::string& path) {
  const DWORD a = GetFileAttributesA(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY) && (a & FILE_ATTRIBUTE_READONLY);
}

}  // namespace qm::lzh
