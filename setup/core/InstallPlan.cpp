#include "setup/core/InstallPlan.h"

#include "setup/core/SetupNames.h"

namespace qm::setup {

bool UsePreviousInstallation(const std::string& folder, const InstalledVersions& installed) {
  return !folder.empty() && (installed.editor > 0 || installed.hotspot > 0);
}

ShortcutStep PlanShortcutStep(int installedEditor) {
  if (installedEditor <= 0) return ShortcutStep::AskForShortcuts;
  if (installedEditor < 109) return ShortcutStep::EraseInstallAndToolBar;
  if (installedEditor < 116) return ShortcutStep::EraseInstall;
  return ShortcutStep::Nothing;
}

std::uint32_t ShortcutFlagsAfterDialog(std::uint32_t flags, bool programsMenu, bool desktop) {
  if (programsMenu) flags |= kShortcutPrograms;
  if (desktop) flags |= kShortcutDesktop;
  return flags;
}

std::vector<int> ShortcutFolders(std::uint32_t flags, bool nt5) {
  // Programs menu, startup, desktop: the user's own before NT 5, all users' after.
  static const int kRows[2][3] = {{2, 7, 16}, {23, 24, 25}};
  const int* row = kRows[nt5 ? 1 : 0];
  std::vector<int> folders;
  if (flags & kShortcutPrograms) folders.push_back(row[0]);
  if (flags & kShortcutStartup) folders.push_back(row[1]);
  if (flags & kShortcutDesktop) folders.push_back(row[2]);
  if (flags & kShortcutSendTo) folders.push_back(9);
  return folders;
}

SetupMode ModeOf(const std::vector<std::string>& args) {
  if (args.empty()) return SetupMode::Install;
  return args[0] == "/r" ? SetupMode::Uninstall : SetupMode::Nothing;
}

namespace {

// Reads one argument at p; false when only blanks are left.
bool NextArgument(const std::string& s, std::size_t& p, std::string& arg) {
  while (p < s.size() && static_cast<unsigned char>(s[p]) <= ' ') ++p;
  if (p >= s.size()) return false;
  arg.clear();
  bool quoted = false;
  // A trail byte of code page 932 is never a blank or a quote, so bytes are
  // taken one by one.
  while (p < s.size() && (quoted || static_cast<unsigned char>(s[p]) > ' ')) {
    if (s[p] == '"') {
      quoted = !quoted;
    } else {
      arg += s[p];
    }
    ++p;
  }
  return true;
}

}  // namespace

std::vector<std::string> SplitArguments(const std::string& commandLine) {
  std::vector<std::string> args;
  std::size_t p = 0;
  std::string arg;
  if (!NextArgument(commandLine, p, arg)) return args;  // the program name
  while (NextArgument(commandLine, p, arg)) args.push_back(arg);
  return args;
}

}  // namespace qm::setup
