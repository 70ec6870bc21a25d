#include "editor/core/RecentProjects.h"

#include "core/Cp932.h"

namespace qm::editor {

std::string ShortenRecentPath(std::string_view path) {
  int backslashes = 0;
  std::size_t tail = 0;
  bool searching = true;
  for (std::size_t i = 0; i < path.size() && searching;) {
    std::size_t len = CharLength(path, i);
    if (len == 1 && path[i] == '\\') {
      ++backslashes;
      tail = i + 1;
      if (path.size() - tail < 26) searching = false;
    }
    i += len;
  }
  if (backslashes < 3) return std::string(path);
  if (!path.empty() && path[0] == '\\') return "\\\\..\\" + std::string(path.substr(tail));
  // The first character (a drive letter) is one byte; a double-byte one is
  // copied whole.
  std::size_t first = path.empty() ? 0 : CharLength(path, 0);
  return std::string(path.substr(0, first)) + ":\\..\\" + std::string(path.substr(tail));
}

std::string RecentItemCaption(int n, std::string_view path) {
  std::string text(path);
  if (text.size() > kRecentCaptionLimit) text = ShortenRecentPath(text);
  return "&" + std::to_string(n) + " " + text;
}

bool PushRecentPath(std::vector<std::string>& recent, const std::string& path) {
  if (!recent.empty() && EqualsNoCase(recent.front(), path)) return false;
  for (auto it = recent.begin(); it != recent.end(); ++it) {
    if (EqualsNoCase(*it, path)) {
      recent.erase(it);
      break;
    }
  }
  recent.insert(recent.begin(), path);
  return true;
}

}  // namespace qm::editor
