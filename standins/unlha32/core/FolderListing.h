// What a folder holds, for choosing the files of an archive. Declared here for
// the portable code; defined once for POSIX (FolderListingPosix.cpp) and once
// over the Win32 ANSI API (../FolderListingWin32.cpp), so names keep their
// code page 932 bytes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qm::lzh {

struct FolderEntry {
  std::string name;
  bool folder = false;
  bool hiddenOrSystem = false;
  std::uint8_t attribute = 0x20;  // MS-DOS attributes for the member header
  std::int64_t time = 0;          // last write, Unix seconds (UTC)
  std::uint64_t size = 0;
};

// The entries of dir, without "." and "..", in no particular order. False
// when dir cannot be read (it does not exist, for one).
bool ListFolder(const std::string& dir, std::vector<FolderEntry>& out);

// True for an existing file marked read-only (no write permission on POSIX):
// an archive the user protected is not replaced.
bool IsReadOnlyFile(const std::string& path);

}  // namespace qm::lzh
