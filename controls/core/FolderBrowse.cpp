#include "controls/core/FolderBrowse.h"

#include "core/Cp932.h"

namespace qm::controls {

std::uint32_t BrowseFlags(TSBDlgOptions options) {
  // BIF_BROWSEFORCOMPUTER, BIF_BROWSEFORPRINTER, BIF_DONTGOBELOWDOMAIN,
  // BIF_RETURNFSANCESTORS, BIF_RETURNONLYFSDIRS, BIF_STATUSTEXT,
  // BIF_NEWDIALOGSTYLE, BIF_EDITBOX.
  static const std::uint32_t kFlags[8] = {0x1000, 0x2000, 0x0002, 0x0008,
                                          0x0001, 0x0004, 0x0040, 0x0010};
  std::uint32_t flags = 0;
  for (int i = 0; i < 8; ++i) {
    if (options & (1u << i)) flags |= kFlags[i];
  }
  return flags;
}

std::optional<std::string> PreselectFolder(std::string_view directory) {
  if (directory.empty()) return std::nullopt;
  std::string s(directory);
  if (s.size() > 3 && FindLastChar(s, '\\') == s.size() - 1) s.pop_back();
  return s;
}

}  // namespace qm::controls
