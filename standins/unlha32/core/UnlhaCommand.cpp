#include "standins/unlha32/core/UnlhaCommand.h"

#include "core/Cp932.h"

namespace qm::lzh {

namespace {

bool EndsWithSeparator(std::string_view s) {
  if (s.empty()) return false;
  const std::size_t last = FindLastChar(s, s.back());
  return last == s.size() - 1 && (s.back() == '\\' || s.back() == '/');
}

// Switch -<letter><digit>: the digit, or -1 when the switch is not that.
int SwitchValue(std::string_view sw, char letter) {
  if (sw.size() < 2 || (sw[1] | 0x20) != letter) return -1;
  if (sw.size() == 2) return 1;
  if (sw.size() == 3 && sw[2] >= '0' && sw[2] <= '9') return sw[2] - '0';
  return -1;
}

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }

bool Match(std::string_view name, std::string_view pattern) {
  std::size_t n = 0, p = 0;
  std::size_t starP = std::string_view::npos, starN = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      starP = p++;
      starN = n;
      continue;
    }
    const std::size_t nl = CharLength(name, n);
    if (p < pattern.size()) {
      if (pattern[p] == '?') {
        ++p;
        n += nl;
        continue;
      }
      const std::size_t pl = CharLength(pattern, p);
      if (pl == nl && (nl == 1 ? Lower(pattern[p]) == Lower(name[n])
                               : pattern.substr(p, pl) == name.substr(n, nl))) {
        p += pl;
        n += nl;
        continue;
      }
    }
    // Let the last "*" take one more character.
    if (starP == std::string_view::npos) return false;
    p = starP + 1;
    starN += CharLength(name, starN);
    n = starN;
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

}  // namespace

std::vector<std::string> SplitCommandLine(std::string_view line) {
  std::vector<std::string> items;
  std::string item;
  bool inItem = false, quoted = false;
  for (std::size_t i = 0; i < line.size();) {
    const std::size_t n = CharLength(line, i);
    const char c = line[i];
    if (n == 1 && c == '"') {
      quoted = !quoted;
      inItem = true;
    } else if (n == 1 && !quoted && (c == ' ' || c == '\t' || c == '\r' || c == '\n')) {
      if (inItem) items.push_back(item);
      item.clear();
      inItem = false;
    } else {
      item.append(line.substr(i, n));
      inItem = true;
    }
    i += n;
  }
  if (inItem) items.push_back(item);
  return items;
}

bool ParseUnlhaCommand(std::string_view line, UnlhaCommand& out, std::string& error) {
  out = UnlhaCommand{};
  bool switchesEnded = false;
  bool afterArchive = false;
  for (const std::string& item : SplitCommandLine(line)) {
    if (!switchesEnded && item.size() > 1 && item[0] == '-') {
      if (item == "--") {
        switchesEnded = true;
        continue;
      }
      out.switches.push_back(item);
      if (int v = SwitchValue(item, 'x'); v >= 0) out.storeFolders = v != 0;
      if (int v = SwitchValue(item, 'a'); v >= 0) out.allAttributes = v != 0;
      continue;
    }
    if (out.command == 0) {
      if (item.size() != 1 || (Lower(item[0]) != 'u' && Lower(item[0]) != 'a')) {
        error = "unknown command: " + item;
        return false;
      }
      out.command = Lower(item[0]);
    } else if (out.archive.empty() && !afterArchive) {
      out.archive = item;
      afterArchive = true;
    } else if (afterArchive && out.items.empty() && out.baseFolder.empty() && EndsWithSeparator(item)) {
      out.baseFolder = item.substr(0, item.size() - 1);
      if (out.baseFolder.empty() || out.baseFolder.back() == ':') out.baseFolder += item.back();
    } else {
      out.items.push_back(item);
    }
  }
  if (out.command == 0) {
    error = "no command";
    return false;
  }
  if (out.archive.empty()) {
    error = "no archive name";
    return false;
  }
  return true;
}

bool MatchesPattern(std::string_view name, std::string_view pattern) {
  if (Match(name, pattern)) return true;
  if (pattern.size() >= 2 && pattern.substr(pattern.size() - 2) == ".*" &&
      FindChar(name, '.') == std::string_view::npos)
    return Match(name, pattern.substr(0, pattern.size() - 2));
  return false;
}

}  // namespace qm::lzh
