#include "setup/core/SetupPaths.h"

#include "core/Cp932.h"
#include "setup/core/SetupNames.h"

namespace qm::setup {

bool EndsWithBackslash(std::string_view path) {
  return !path.empty() && FindLastChar(path, '\\') == path.size() - 1;
}

std::string WithoutTrailingBackslash(std::string_view path) {
  while (EndsWithBackslash(path)) path.remove_suffix(1);
  return std::string(path);
}

std::string JoinFolder(std::string_view folder, std::string_view name) {
  std::string out(folder);
  if (!EndsWithBackslash(folder)) out += '\\';
  out += name;
  return out;
}

std::string UninstallString(std::string_view folder) {
  return JoinFolder(folder, kSetupExe) + " /r";
}

std::string RunOnceCommand(std::string_view folder) {
  return "Latepurge -n \"" + WithoutTrailingBackslash(folder) + "\" " + kSetupExe;
}

std::optional<std::string> RunOnceFolder(std::string_view command) {
  std::size_t open = command.find('"');
  if (open == std::string_view::npos) return std::nullopt;
  std::size_t close = command.find('"', open + 1);
  if (close == std::string_view::npos || close == open + 1) return std::nullopt;
  return std::string(command.substr(open + 1, close - open - 1));
}

std::string DefaultInstallFolder(char windowsDrive) {
  return std::string(1, windowsDrive) + ":\\Program Files\\quillmark";
}

char DriveLetterOf(std::string_view folder) {
  if (folder.empty()) return 0;
  char c = folder[0];
  // The older setups made upper case by subtracting 32 from anything above
  // 'Z'; only letters are changed here.
  if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
  return c;
}

}  // namespace qm::setup
