// The decisions of the install and uninstall flows that depend on nothing but
// numbers: whether a found installation is used, what the shortcut step does,
// and which special folders the shortcuts go into.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "setup/core/Versions.h"

namespace qm::setup {

// A previous installation is used (its folder taken without asking) when its
// folder is known and either program there has a readable version.
bool UsePreviousInstallation(const std::string& folder, const InstalledVersions& installed);

enum class ShortcutStep {
  AskForShortcuts,          // fresh install: the shortcut dialog
  EraseInstall,             // older than 1.16: section "Install" goes
  EraseInstallAndToolBar,   // older than 1.09: "ToolBar" goes too
  Nothing,
};
ShortcutStep PlanShortcutStep(int installedEditor);

// ShortcutFlags after the shortcut dialog: bits read from the registry stay.
std::uint32_t ShortcutFlagsAfterDialog(std::uint32_t flags, bool programsMenu, bool desktop);

// The special folders (CSIDL) of the shortcuts that flags ask for, in the
// order of the bits 1, 2, 4, 8; nt5 selects the all-users folders.
std::vector<int> ShortcutFolders(std::uint32_t flags, bool nt5);

// What the command line asks for.
enum class SetupMode { Install, Uninstall, Nothing };
// No argument installs; a first argument of exactly "/r" uninstalls; any
// other argument does nothing.
SetupMode ModeOf(const std::vector<std::string>& args);

// The arguments after the program name, split as the runtime of the older
// setups did: blanks and control characters separate, double quotes group
// and are dropped.
std::vector<std::string> SplitArguments(const std::string& commandLine);

}  // namespace qm::setup
