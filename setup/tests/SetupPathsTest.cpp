#include <gtest/gtest.h>

#include "setup/core/SetupPaths.h"

using namespace qm::setup;

// "ソ" is 83 5C and "表" is 95 5C: their trail bytes are backslashes.

TEST(SetupPaths, JoiningIsCodePage932Aware) {
  EXPECT_EQ(JoinFolder("C:\\Tools", "quillmark.exe"), "C:\\Tools\\quillmark.exe");
  EXPECT_EQ(JoinFolder("D:\\", "quillmark.exe"), "D:\\quillmark.exe");
  EXPECT_EQ(JoinFolder("C:\\ソ", "a.exe"), "C:\\ソ\\a.exe");
  EXPECT_EQ(JoinFolder("C:\\表\\", "a.exe"), "C:\\表\\a.exe");
  EXPECT_TRUE(EndsWithBackslash("C:\\"));
  EXPECT_FALSE(EndsWithBackslash("ソ"));
  EXPECT_FALSE(EndsWithBackslash(""));
}

TEST(SetupPaths, UninstallAndRunOnceCommands) {
  EXPECT_EQ(UninstallString("C:\\Program Files\\quillmark"),
            "C:\\Program Files\\quillmark\\quillmarkSetup.exe /r");
  EXPECT_EQ(UninstallString("E:\\"), "E:\\quillmarkSetup.exe /r");
  EXPECT_EQ(RunOnceCommand("C:\\Program Files\\quillmark"),
            "Latepurge -n \"C:\\Program Files\\quillmark\" quillmarkSetup.exe");
  // A drive root would end in \" and escape its own closing quote.
  EXPECT_EQ(RunOnceCommand("E:\\"), "Latepurge -n \"E:\" quillmarkSetup.exe");
  EXPECT_EQ(RunOnceCommand("C:\\ヘルプ\\\\"), "Latepurge -n \"C:\\ヘルプ\" quillmarkSetup.exe");
  // A trail byte 0x5C stays.
  EXPECT_EQ(RunOnceCommand("C:\\ソ"), "Latepurge -n \"C:\\ソ\" quillmarkSetup.exe");
  // The folder read back, for every form written.
  for (const char* folder : {"C:\\Program Files\\quillmark", "C:\\ソ", "E:"})
    EXPECT_EQ(RunOnceFolder(RunOnceCommand(folder)), folder);
  for (const char* other : {"Latepurge -n C:\\q quillmarkSetup.exe", "Latepurge -n \"C:\\q",
                            "Latepurge -n \"\" quillmarkSetup.exe"})
    EXPECT_EQ(RunOnceFolder(other), std::nullopt) << other;
}

TEST(SetupPaths, DefaultFolderAndDriveLetter) {
  EXPECT_EQ(DefaultInstallFolder('C'), "C:\\Program Files\\quillmark");
  EXPECT_EQ(DriveLetterOf("d:\\x"), 'D');
  EXPECT_EQ(DriveLetterOf("E:"), 'E');
  EXPECT_EQ(DriveLetterOf(""), 0);
}
