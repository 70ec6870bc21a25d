#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>

#include "core/Cp932.h"
#include "core/FileErrorTexts.h"
#include "core/FileSystem.h"

namespace qm {

bool ReadFileBytes(const std::string& path, std::string& out) {
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return false;
  std::string data;
  char buf[65536];
  std::size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) data.append(buf, n);
  bool ok = !std::ferror(f);
  std::fclose(f);
  if (ok) out.swap(data);
  return ok;
}

void WriteFileReplacing(const std::string& path, std::string_view bytes) {
  std::string tmp = path + ".~new";
  std::FILE* f = std::fopen(tmp.c_str(), "wb");
  if (!f) throw FileError(CannotCreateFileText(path));
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  ok = (std::fflush(f) == 0) && ok;
  ok = (std::fclose(f) == 0) && ok;
  if (!ok || std::rename(tmp.c_str(), path.c_str()) != 0) {
    std::remove(tmp.c_str());
    throw FileError(CannotWriteFileText(path));
  }
}

bool FileExists(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool DirectoryExists(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool CreateDir(const std::string& path) {
  return ::mkdir(path.c_str(), 0777) == 0 || DirectoryExists(path);
}

bool MoveFileTo(const std::string& from, const std::string& to, bool replace) {
  if (!replace && ::access(to.c_str(), F_OK) == 0) return false;
  return std::rename(from.c_str(), to.c_str()) == 0;
}

bool DeleteFileAt(const std::string& path) { return std::remove(path.c_str()) == 0; }

std::vector<std::string> ListFiles(const std::string& dir, std::string_view ext) {
  std::vector<std::string> names;
  DIR* d = ::opendir(dir.empty() ? "." : dir.c_str());
  if (!d) return names;
  while (dirent* e = ::readdir(d)) {
    std::string name = e->d_name;
    if (!EqualsNoCase(ExtractFileExt(name), ext)) continue;
    if (FileExists(PathJoin(dir, name))) names.push_back(name);
  }
  ::closedir(d);
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace qm
