#include <gtest/gtest.h>

#include "standins/latepurge/core/PurgeCommand.h"

using namespace qm::latepurge;

namespace {

PurgeCommand Parse(const char* commandLine) {
  auto c = ParsePurgeCommand(SkipProgramName(commandLine));
  EXPECT_TRUE(c) << commandLine;
  return c.value_or(PurgeCommand{});
}

}  // namespace

TEST(PurgeCommand, TheQuotedFolderIsReadRaw) {
  PurgeCommand c = Parse("Latepurge -n \"C:\\Program Files\\quillmark\" quillmarkSetup.exe");
  EXPECT_EQ(c.folder, "C:\\Program Files\\quillmark");
  EXPECT_EQ(c.file, "quillmarkSetup.exe");
  EXPECT_EQ(PurgedFilePath(c), "C:\\Program Files\\quillmark\\quillmarkSetup.exe");
  // A folder ending in a backslash keeps it and does not swallow the quote.
  c = Parse("\"C:\\Windows\\Latepurge.exe\" -n \"D:\\tools\\\" quillmarkSetup.exe");
  EXPECT_EQ(c.folder, "D:\\tools\\");
  EXPECT_EQ(PurgedFilePath(c), "D:\\tools\\quillmarkSetup.exe");
  // "ソ" ends in the byte 0x5C.
  c = Parse("Latepurge -n \"C:\\ソ\" \"a b.exe\"");
  EXPECT_EQ(c.folder, "C:\\ソ");
  EXPECT_EQ(c.file, "a b.exe");
  EXPECT_EQ(PurgedFilePath(c), "C:\\ソ\\a b.exe");
  c = Parse("Latepurge C:\\q x.exe");
  EXPECT_EQ(c.folder, "C:\\q");
  EXPECT_EQ(c.file, "x.exe");
}

TEST(PurgeCommand, DriveRootsAreNeverRemoved) {
  PurgeCommand c = Parse("Latepurge -n \"E:\" quillmarkSetup.exe");
  EXPECT_EQ(PurgedFilePath(c), "E:\\quillmarkSetup.exe");
  EXPECT_EQ(FolderToRemove("E:"), "");
  EXPECT_EQ(FolderToRemove("E:\\"), "");
  EXPECT_EQ(FolderToRemove("E:\\q\\"), "E:\\q");
  EXPECT_EQ(FolderToRemove("E:\\ソ"), "E:\\ソ");
  c = Parse("Latepurge -n \"E:\\q\" C:\\other\\x.exe");
  EXPECT_EQ(PurgedFilePath(c), "C:\\other\\x.exe");
}

TEST(PurgeCommand, MissingPartsAreRefused) {
  EXPECT_FALSE(ParsePurgeCommand(""));
  EXPECT_FALSE(ParsePurgeCommand("-n"));
  EXPECT_FALSE(ParsePurgeCommand("-n \"C:\\q\""));
  EXPECT_FALSE(ParsePurgeCommand("-n \"C:\\q x.exe"));
  EXPECT_FALSE(ParsePurgeCommand("-n \"\" x.exe"));
}
