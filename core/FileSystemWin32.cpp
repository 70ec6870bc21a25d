// The file functions of core/FileSystem.h over the Win32 ANSI API, so paths
// keep their code page 932 bytes.
#include <windows.h>

#include <algorithm>

#include "core/Cp932.h"
#include "core/FileErrorTexts.h"
#include "core/FileSystem.h"

namespace qm {

bool ReadFileBytes(const std::string& path, std::string& out) {
  HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  LARGE_INTEGER size;
  bool ok = GetFileSizeEx(h, &size) && size.QuadPart < 0x7FFFFFFF;
  std::string data;
  if (ok) {
    data.resize(static_cast<std::size_t>(size.QuadPart));
    DWORD done = 0;
    std::size_t pos = 0;
    while (ok && pos < data.size()) {
      DWORD want = static_cast<DWORD>(std::min<std::size_t>(data.size() - pos, 1 << 24));
      ok = ReadFile(h, &data[pos], want, &done, nullptr) && done > 0;
      pos += done;
    }
  }
  CloseHandle(h);
  if (ok) out.swap(data);
  return ok;
}

void WriteFileReplacing(const std::string& path, std::string_view bytes) {
  std::string tmp = path + ".~new";
  HANDLE h = CreateFileA(tmp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) throw FileError(CannotCreateFileText(path));
  bool ok = true;
  std::size_t pos = 0;
  while (ok && pos < bytes.size()) {
    DWORD done = 0;
    DWORD want = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - pos, 1 << 24));
    ok = WriteFile(h, bytes.data() + pos, want, &done, nullptr) && done == want;
    pos += done;
  }
  ok = FlushFileBuffers(h) && ok;
  ok = CloseHandle(h) && ok;
  if (!ok || !MoveFileExA(tmp.c_str(), path.c_str(),
                          MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    DeleteFileA(tmp.c_str());
    throw FileError(CannotWriteFileText(path));
  }
}

bool FileExists(const std::string& path) {
  DWORD a = GetFileAttributesA(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(const std::string& path) {
  DWORD a = GetFileAttributesA(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool CreateDir(const std::string& path) {
  return CreateDirectoryA(path.c_str(), nullptr) || DirectoryExists(path);
}

bool MoveFileTo(const std::string& from, const std::string& to, bool replace) {
  return MoveFileExA(from.c_str(), to.c_str(), replace ? MOVEFILE_REPLACE_EXISTING : 0) != 0;
}

bool DeleteFileAt(const std::string& path) { return DeleteFileA(path.c_str()) != 0; }

std::vector<std::string> ListFiles(const std::string& dir, std::string_view ext) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA fd;
  HANDLE h = FindFirstFileA(PathJoin(dir, "*").c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return names;
  do {
    if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    std::string name = fd.cFileName;
    if (EqualsNoCase(ExtractFileExt(name), ext)) names.push_back(name);
  } while (FindNextFileA(h, &fd));
  FindClose(h);
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace qm
