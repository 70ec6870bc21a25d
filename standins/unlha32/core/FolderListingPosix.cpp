#include <dirent.h>
#include <sys/stat.h>

#include "standins/unlha32/core/FolderListing.h"

namespace qm::lzh {

bool ListFolder(const std::string& dir, std::vector<FolderEntry>& out) {
  out.clear();
  DIR* d = ::opendir(dir.empty() ? "." : dir.c_str());
  if (!d) return false;
  while (dirent* e = ::readdir(d)) {
    FolderEntry f;
    f.name = e->d_name;
    if (f.name == "." || f.name == "..") continue;
    struct stat st;
    if (::stat((dir + "/" + f.name).c_str(), &st) != 0) continue;
    f.folder = S_ISDIR(st.st_mode);
    if (!f.folder && !S_ISREG(st.st_mode)) continue;
    f.attribute = f.folder ? 0x10 : 0x20;
    if (!(st.st_mode & S_IWUSR)) f.attribute |= 0x01;
    f.time = st.st_mtime;
    f.size = static_cast<std::uint64_t>(st.st_size);
    out.push_back(std::move(f));
  }
  ::closedir(d);
  return true;
}

bool IsReadOnlyFile(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && !(st.st_mode & S_IWUSR);
}

}  // namespace qm::lzh
