#include <gtest/gtest.h>

#include "setup/core/UninstallEntry.h"

using namespace qm::setup;

TEST(UninstallEntry, TenValuesInTheirOrderWithTheirTypes) {
  UninstallEntryData d;
  d.installFolder = "D:\\";
  d.packageEditor = 119;
  d.major = 1;
  d.minor = 19;
  d.shortcutFlags = 5;
  auto values = UninstallEntryValues(d);
  using K = RegistryValue::Kind;
  const struct {
    const char* name;
    K kind;
    const char* text;
    int number;
  } kExpected[] = {
      {"DisplayName", K::String, "Quillmark", 0},
      {"Publisher", K::String, nullptr, 0},
      {"InstallLocation", K::ExpandString, "D:\\", 0},
      {"UninstallString", K::ExpandString, "D:\\quillmarkSetup.exe /r", 0},
      {"DisplayVersion", K::String, "1.19", 0},
      {"VersionMajor", K::Integer, nullptr, 1},
      {"VersionMinor", K::Integer, nullptr, 19},
      {"URLUpdateInfo", K::String, nullptr, 0},
      {"HelpLink", K::String, nullptr, 0},
      {"ShortCut", K::Integer, nullptr, 5},
  };
  ASSERT_EQ(values.size(), std::size(kExpected));
  for (std::size_t i = 0; i < values.size(); ++i) {
    EXPECT_EQ(values[i].name, kExpected[i].name);
    EXPECT_EQ(values[i].kind, kExpected[i].kind) << values[i].name;
    if (kExpected[i].text) {
      EXPECT_EQ(values[i].text, kExpected[i].text);
    }
    if (kExpected[i].kind == K::String) {
      EXPECT_FALSE(values[i].text.empty()) << values[i].name;
    }
    EXPECT_EQ(values[i].number, kExpected[i].number) << values[i].name;
  }
}
