#include "standins/hcrtf/core/HelpProject.h"

#include "core/Cp932.h"

namespace qm::hcrtf {

namespace {

// The text before a ";" comment, trimmed.
std::string StripComment(std::string_view s) {
  std::size_t semi = FindChar(s, ';');
  return Trim(semi == std::string_view::npos ? s : s.substr(0, semi));
}

std::string Unquote(std::string s) {
  if (s.size() >= 2 && s.front() == '"' && s.back() == '"') return s.substr(1, s.size() - 2);
  return s;
}

enum class Section { None, Options, Files, Alias, Other };

}  // namespace

std::vector<std::string> SplitFolderList(std::string_view value) {
  std::vector<std::string> out;
  std::size_t start = 0;
  while (start <= value.size()) {
    std::size_t comma = FindChar(value, ',', start);
    std::size_t end = comma == std::string_view::npos ? value.size() : comma;
    std::string folder = Unquote(Trim(value.substr(start, end - start)));
    if (!folder.empty()) out.push_back(folder);
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  return out;
}

HelpProject ParseProject(const Lines& lines) {
  HelpProject p;
  Section section = Section::None;
  for (const std::string& raw : lines) {
    std::string line = Trim(raw);
    if (line.empty() || line[0] == ';') continue;
    if (line[0] == '[') {
      std::size_t close = FindChar(line, ']');
      std::string name = UpperAscii(Trim(std::string_view(line).substr(
          1, (close == std::string::npos ? line.size() : close) - 1)));
      if (name == "OPTIONS") section = Section::Options;
      else if (name == "FILES") section = Section::Files;
      else if (name == "ALIAS") section = Section::Alias;
      else section = Section::Other;
      continue;
    }
    switch (section) {
      case Section::Options: {
        std::size_t eq = FindChar(line, '=');
        if (eq == std::string::npos) break;
        std::string key = UpperAscii(Trim(std::string_view(line).substr(0, eq)));
        std::string value = StripComment(std::string_view(line).substr(eq + 1));
        if (key == "ROOT") {
          for (std::string& f : SplitFolderList(value)) p.roots.push_back(std::move(f));
        } else if (key == "BMROOT") {
          for (std::string& f : SplitFolderList(value)) p.bmRoots.push_back(std::move(f));
        } else if (key == "ERRORLOG") {
          p.errorLog = Unquote(value);
        } else if (key == "HLP") {
          p.helpFile = Unquote(value);
        } else if (key == "CONTENTS") {
          p.contents = value;
        } else if (key == "LCID") {
          p.lcid = value;
        } else if (key == "DBCS") {
          p.dbcs = value;
        }
        break;
      }
      case Section::Files: {
        if (line[0] == '#') break;  // #include and friends: not topic files
        std::string name = Unquote(StripComment(line));
        if (!name.empty()) p.files.push_back(name);
        break;
      }
      case Section::Alias: {
        std::size_t eq = FindChar(line, '=');
        if (eq == std::string::npos) break;
        std::string id = Trim(std::string_view(line).substr(0, eq));
        if (!id.empty()) p.aliases.push_back(id);
        break;
      }
      default:
        break;
    }
  }
  return p;
}

}  // namespace qm::hcrtf
