#include <gtest/gtest.h>

#include <map>

#include "setup/core/Versions.h"

using namespace qm::setup;

namespace {

int Package(const char* v) {
  auto p = ParsePackageVersion(v);
  return p ? p->Number() : -1;
}

}  // namespace

TEST(PackageVersion, TheStrictRuleTable) {
  const struct {
    const char* value;
    int number;  // -1: malformed
  } kTable[] = {
      {"1.19", 119},     {"1.02", 102},   {"1.2", 102},    {"0.90", 90},   {".5", 5},
      {"3.", 300},       {".", 0},        {"007.01", 701}, {"1.99", 199},
      // Malformed.
      {"1.123", -1},     {"1.100", -1},   {"1.2.0", -1},   {"12", -1},     {"1.1a", -1},
      {"", -1},          {" 1.19", -1},   {"1,19", -1},    {"１.19", -1},
      // 32 bits: 21474836.47 is the largest.
      {"21474836.47", 2147483647},        {"21474836.48", -1},
      {"99999999999999999999.01", -1},    {"1.0000000000000000000000000000001", -1},
  };
  for (const auto& row : kTable) EXPECT_EQ(Package(row.value), row.number) << row.value;
  auto v = ParsePackageVersion("1.19");
  ASSERT_TRUE(v);
  EXPECT_EQ(v->major, 1);
  EXPECT_EQ(v->minor, 19);
}

TEST(PackageVersion, LongerThanThirtyTwoCharactersIsMalformed) {
  std::string v32 = "1." + std::string(30, '0');  // 32 characters: minor 0
  EXPECT_EQ(Package(v32.c_str()), 100);
  std::string v33 = "1." + std::string(31, '0');
  EXPECT_EQ(Package(v33.c_str()), -1);
}

TEST(InstalledVersion, TheWalkTable) {
  const struct {
    const char* value;
    int number;
    bool complete;
  } kTable[] = {
      {"1.19", 119, true},  {"1.02", 102, true},  {"1.2", 12, true},    {"2.", 2, true},
      {"12", 12, false},    {"1.2.0", 12, false}, {"1.1a", 11, false},  {"1x.5", 1, false},
      {"", 0, false},       {"1.123", 0, false},  {"99999999999.01", 0, false},
  };
  for (const auto& row : kTable) {
    InstalledWalk w = WalkInstalledVersion(std::string(row.value));
    EXPECT_EQ(w.value, row.number) << row.value;
    EXPECT_EQ(w.complete, row.complete) << row.value;
  }
  InstalledWalk none = WalkInstalledVersion(std::nullopt);
  EXPECT_EQ(none.value, 0);
  EXPECT_FALSE(none.complete);
  EXPECT_EQ(WalkInstalledVersion("1." + std::string(31, '0')).value, 0);
}

TEST(InstalledVersion, TheHotspotEditorIsReadOnlyAfterACompleteWalk) {
  std::map<std::string, InstalledFile> files;
  std::vector<std::string> probed;
  auto probe = [&](const char* name) {
    probed.push_back(name);
    auto it = files.find(name);
    return it == files.end() ? InstalledFile{} : it->second;
  };
  files["quillmark.exe"] = {true, "1.15"};
  files["zonivex.exe"] = {true, "1.10"};
  InstalledVersions v = ReadInstalledVersions(probe);
  EXPECT_EQ(v.editor, 115);
  EXPECT_EQ(v.hotspot, 110);

  // The editor's walk stops at a letter: the hotspot editor is not read.
  files["quillmark.exe"] = {true, "1.1b"};
  probed.clear();
  v = ReadInstalledVersions(probe);
  EXPECT_EQ(v.editor, 11);
  EXPECT_EQ(v.hotspot, 0);
  EXPECT_EQ(probed, std::vector<std::string>{"quillmark.exe"});

  // An editor without a version resource stops at once.
  files["quillmark.exe"] = {true, std::nullopt};
  v = ReadInstalledVersions(probe);
  EXPECT_EQ(v.editor, 0);
  EXPECT_EQ(v.hotspot, 0);

  // No editor at all: the hotspot editor alone.
  files.erase("quillmark.exe");
  v = ReadInstalledVersions(probe);
  EXPECT_EQ(v.editor, 0);
  EXPECT_EQ(v.hotspot, 110);
}

TEST(Versions, LabelsAndYear) {
  EXPECT_EQ(ProductLabel("Quillmark", 119), "Quillmark  Ver 1.19");
  EXPECT_EQ(VersionText(102), "1.02");
  EXPECT_EQ(VersionText(100), "1.00");
  EXPECT_EQ(NoticeYear(1999), 2001);
  EXPECT_EQ(NoticeYear(2024), 2024);
}
