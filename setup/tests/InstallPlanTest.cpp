#include <gtest/gtest.h>

#include "setup/core/InstallPlan.h"

using namespace qm::setup;

TEST(InstallDecision, NewerWhenEitherProgramIsNewer) {
  const struct {
    int editor, hotspot;  // installed; the package holds 119 and 110
    bool install;
  } kMatrix[] = {
      {0, 0, true},      {115, 110, true},  {119, 109, true}, {119, 110, false},
      {120, 110, false}, {119, 111, false}, {12, 110, true},  {200, 0, true},
  };
  for (const auto& row : kMatrix) {
    EXPECT_EQ(PackageIsNewer({row.editor, row.hotspot}, 119, 110), row.install)
        << row.editor << " " << row.hotspot;
  }
}

TEST(InstallDecision, APreviousFolderCountsOnlyWithAReadableVersion) {
  EXPECT_TRUE(UsePreviousInstallation("C:\\q", {115, 0}));
  EXPECT_TRUE(UsePreviousInstallation("C:\\q", {0, 110}));
  EXPECT_FALSE(UsePreviousInstallation("C:\\q", {0, 0}));
  EXPECT_FALSE(UsePreviousInstallation("", {115, 110}));
}

TEST(ShortcutPlan, TheStepByInstalledVersion) {
  EXPECT_EQ(PlanShortcutStep(0), ShortcutStep::AskForShortcuts);
  EXPECT_EQ(PlanShortcutStep(108), ShortcutStep::EraseInstallAndToolBar);
  EXPECT_EQ(PlanShortcutStep(12), ShortcutStep::EraseInstallAndToolBar);  // "1.2" by the walk
  EXPECT_EQ(PlanShortcutStep(109), ShortcutStep::EraseInstall);
  EXPECT_EQ(PlanShortcutStep(115), ShortcutStep::EraseInstall);
  EXPECT_EQ(PlanShortcutStep(116), ShortcutStep::Nothing);
  EXPECT_EQ(PlanShortcutStep(119), ShortcutStep::Nothing);
}

TEST(ShortcutPlan, FoldersInBitOrderByWindowsVersion) {
  EXPECT_TRUE(ShortcutFolders(0, true).empty());
  EXPECT_EQ(ShortcutFolders(5, false), (std::vector<int>{2, 16}));
  EXPECT_EQ(ShortcutFolders(5, true), (std::vector<int>{23, 25}));
  EXPECT_EQ(ShortcutFolders(15, false), (std::vector<int>{2, 7, 16, 9}));
  EXPECT_EQ(ShortcutFolders(15, true), (std::vector<int>{23, 24, 25, 9}));
  // Bits from an older setup stay set; the dialog adds only 1 and 4.
  EXPECT_EQ(ShortcutFlagsAfterDialog(10, true, false), 11u);
  EXPECT_EQ(ShortcutFlagsAfterDialog(2, false, true), 6u);
  EXPECT_EQ(ShortcutFlagsAfterDialog(0, false, false), 0u);
}

TEST(CommandLine, DispatchOnTheFirstArgument) {
  auto mode = [](const char* cmd) { return ModeOf(SplitArguments(cmd)); };
  EXPECT_EQ(mode("quillmarkSetup.exe"), SetupMode::Install);
  EXPECT_EQ(mode("\"C:\\Program Files\\q\\quillmarkSetup.exe\"  "), SetupMode::Install);
  EXPECT_EQ(mode("C:\\q\\quillmarkSetup.exe /r"), SetupMode::Uninstall);
  EXPECT_EQ(mode("\"C:\\a b\\quillmarkSetup.exe\" \"/r\""), SetupMode::Uninstall);
  EXPECT_EQ(mode("setup.exe /r extra"), SetupMode::Uninstall);
  EXPECT_EQ(mode("setup.exe /R"), SetupMode::Nothing);
  EXPECT_EQ(mode("setup.exe -r"), SetupMode::Nothing);
  EXPECT_EQ(mode("setup.exe /rr"), SetupMode::Nothing);
  EXPECT_EQ(SplitArguments("a.exe \"x y\"z\t\"\" ソ\\"),
            (std::vector<std::string>{"x yz", "", "ソ\\"}));
}
