#include <gtest/gtest.h>

#include "editor/core/FontLabel.h"
#include "editor/core/VersionLabel.h"
#include "editor/core/WindowsLabel.h"

using namespace qm::editor;

TEST(WindowsLabel, Table) {
  struct Case {
    WindowsVersion v;
    const char* version;
    const char* service;
  };
  const Case cases[] = {
      {{kPlatformWin9x, 4, 0, 0x040003B6, ""}, "Windows 95 4.00 (Build 950)", ""},
      {{kPlatformWin9x, 4, 10, 0x040A07CE, " A "}, "Windows 98 4.10 (Build 1998)", "[ A ]"},
      {{kPlatformWin9x, 4, 10, 0x040A08AE, " A "}, "Windows 98SE 4.10 (Build 2222)", "[ A ]"},
      {{kPlatformWin9x, 4, 90, 0x045A0BB8, " "}, "Windows Me 4.90 (Build 3000)", ""},
      {{kPlatformNT, 4, 0, 1381, "Service Pack 6"}, "Windows NT 4.00 (Build 1381)", "[Service Pack 6]"},
      {{kPlatformNT, 5, 0, 2195, "  "}, "Windows 2000 5.00 (Build 2195)", ""},
      {{kPlatformNT, 5, 1, 2600, "Service Pack 3"}, "Windows XP 5.01 (Build 2600)", "[Service Pack 3]"},
      {{kPlatformNT, 5, 2, 3790, ""}, "Windows NT 5.02 (Build 3790)", ""},
      {{kPlatformNT, 6, 1, 7601, "Service Pack 1"}, "Windows NT 6.01 (Build 7601)", "[Service Pack 1]"},
      {{3, 1, 0, 77, "x"}, "Windows 1.00", ""},
  };
  for (const Case& c : cases) {
    const WindowsLabels l = MakeWindowsLabels(c.v);
    EXPECT_EQ(l.version, c.version);
    EXPECT_EQ(l.service, c.service) << c.version;
  }
}

TEST(VersionLabel, KeysAndLabels) {
  EXPECT_EQ(VersionLabel(std::nullopt), "Version 0.00");
  EXPECT_EQ(VersionLabel(std::string("1.00")), "Version 1.00");
  EXPECT_EQ(VersionLabel(std::string(40, '9')), "Version " + std::string(32, '9'));
  // 31 bytes and a double-byte character: the character is not cut in half.
  EXPECT_EQ(VersionLabel(std::string(31, '1') + "版"), "Version " + std::string(31, '1'));
  EXPECT_EQ(HcwVersionLabel(true, std::string("4.03")), "Help Workshop : ver.4.03");
  EXPECT_EQ(HcwVersionLabel(true, std::nullopt), "");
  EXPECT_EQ(HcwVersionLabel(false, std::nullopt), "Help Workshop : not installed.");
  EXPECT_EQ(HcrtfPath("C:\\Hcw"), "C:\\Hcw\\hcrtf.exe");
}

TEST(FontLabel, NameCommaSize) {
  EXPECT_EQ(FontLabel("ＭＳ Ｐゴシック", 12), "ＭＳ Ｐゴシック,12");
  EXPECT_EQ(FontLabel("Arial", 9), "Arial,9");
}
