#include <gtest/gtest.h>

#include "controls/core/FolderBrowse.h"

using namespace qm::controls;

TEST(FolderBrowse, FlagsOfTheOptionSet) {
  EXPECT_EQ(BrowseFlags(SBDlgOption(biReturnOnlyFSDirs)), 0x01u);
  EXPECT_EQ(BrowseFlags(SBDlgOption(biReturnOnlyFSDirs) | SBDlgOption(biNewStyle)), 0x41u);
  EXPECT_EQ(BrowseFlags(0), 0u);
  EXPECT_EQ(BrowseFlags(0xFF), 0x305Fu);
  EXPECT_EQ(BrowseFlags(SBDlgOption(biBrowseForPrinter) | SBDlgOption(biEditBox)), 0x2010u);
}

TEST(FolderBrowse, ThePreselectedFolder) {
  EXPECT_EQ(PreselectFolder("C:\\"), "C:\\");
  EXPECT_EQ(PreselectFolder("C:\\Work\\"), "C:\\Work");
  EXPECT_EQ(PreselectFolder("C:\\Work"), "C:\\Work");
  EXPECT_EQ(PreselectFolder("C:\\Work\\\\"), "C:\\Work\\");  // only the last one goes
  EXPECT_FALSE(PreselectFolder(""));
  // "ソ" and "表" end in the byte 0x5C.
  EXPECT_EQ(PreselectFolder("C:\\ソ"), "C:\\ソ");
  EXPECT_EQ(PreselectFolder("C:\\表\\"), "C:\\表");
  EXPECT_EQ(PreselectFolder("ソ"), "ソ");
}
