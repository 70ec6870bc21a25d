#include "standins/latepurge/core/PurgeCommand.h"

#include "core/Cp932.h"

namespace qm::latepurge {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

void SkipBlanks(std::string_view s, std::size_t& i) {
  while (i < s.size() && IsBlank(s[i])) ++i;
}

bool EndsWithBackslash(std::string_view s) {
  return !s.empty() && FindLastChar(s, '\\') == s.size() - 1;
}

// "D:" or "D:\" (with any number of trailing backslashes).
bool IsDriveRoot(std::string_view s) {
  while (EndsWithBackslash(s)) s.remove_suffix(1);
  return s.size() == 2 && s[1] == ':';
}

bool IsFullPath(std::string_view s) {
  return (s.size() >= 2 && s[1] == ':') || (!s.empty() && (s[0] == '\\' || s[0] == '/'));
}

}  // namespace

std::string_view SkipProgramName(std::string_view cmd) {
  std::size_t i = 0;
  SkipBlanks(cmd, i);
  if (i < cmd.size() && cmd[i] == '"') {
    std::size_t close = FindChar(cmd, '"', i + 1);
    i = close == std::string_view::npos ? cmd.size() : close + 1;
  } else {
    while (i < cmd.size() && !IsBlank(cmd[i])) i += CharLength(cmd, i);
  }
  return cmd.substr(i);
}

std::optional<PurgeCommand> ParsePurgeCommand(std::string_view args) {
  std::size_t i = 0;
  for (;;) {
    SkipBlanks(args, i);
    if (i >= args.size() || (args[i] != '-' && args[i] != '/')) break;
    while (i < args.size() && !IsBlank(args[i])) i += CharLength(args, i);
  }
  PurgeCommand cmd;
  if (i < args.size() && args[i] == '"') {
    // Raw: a backslash before the quote belongs to the folder. Code page 932
    // trail bytes are never a quote.
    std::size_t close = args.find('"', i + 1);
    if (close == std::string_view::npos) return std::nullopt;
    cmd.folder = args.substr(i + 1, close - i - 1);
    i = close + 1;
  } else {
    std::size_t start = i;
    while (i < args.size() && !IsBlank(args[i])) i += CharLength(args, i);
    cmd.folder = args.substr(start, i - start);
  }
  std::string rest = Trim(args.substr(i));
  if (rest.size() >= 2 && rest.front() == '"' && rest.back() == '"')
    rest = rest.substr(1, rest.size() - 2);
  cmd.file = rest;
  if (cmd.folder.empty() || cmd.file.empty()) return std::nullopt;
  return cmd;
}

std::string PurgedFilePath(const PurgeCommand& command) {
  if (IsFullPath(command.file)) return command.file;
  std::string path = command.folder;
  if (!EndsWithBackslash(path)) path += '\\';
  return path + command.file;
}

std::string FolderToRemove(std::string_view folder) {
  if (IsDriveRoot(folder)) return {};
  while (EndsWithBackslash(folder)) folder.remove_suffix(1);
  return std::string(folder);
}

}  // namespace qm::latepurge
