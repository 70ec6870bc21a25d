#include <gtest/gtest.h>

#include "editor/core/ProjectModel.h"

using namespace qm::editor;

namespace {
void SetUsed(ProjectModel& m, std::vector<int> v) { m.UsedMapNumbers = std::move(v); }
}  // namespace

TEST(MapNumbers, AllocateTakesTheFirstGapAndKeepsOrder) {
  ProjectModel m;
  SetUsed(m, {1, 2, 4});
  EXPECT_EQ(m.AllocateMapNumber(), 3);
  EXPECT_EQ(m.UsedMapNumbers, (std::vector<int>{1, 2, 3, 4}));
  SetUsed(m, {});
  EXPECT_EQ(m.AllocateMapNumber(), 1);
  SetUsed(m, {2, 3});
  EXPECT_EQ(m.AllocateMapNumber(), 1);
  EXPECT_EQ(m.UsedMapNumbers, (std::vector<int>{1, 2, 3}));
  // A repeated number: the walk still returns a number not in the list.
  SetUsed(m, {1, 1, 2});
  EXPECT_EQ(m.AllocateMapNumber(), 4);
  EXPECT_EQ(m.UsedMapNumbers, (std::vector<int>{1, 1, 2, 4}));
}

TEST(MapNumbers, AllocateSkipsNumbersWhoseIdIsTaken) {
  ProjectModel m;
  // A topic renamed to the id of a free number (in another letter case), and
  // one whose map number differs from its id's digits.
  m.AddTopic("hid00000001", 7);
  m.AddTopic("HID00000003", 9);
  SetUsed(m, {7, 9});
  EXPECT_EQ(m.AllocateMapNumber(), 2);
  EXPECT_EQ(m.AllocateMapNumber(), 4);
  EXPECT_EQ(m.UsedMapNumbers, (std::vector<int>{2, 4, 7, 9}));
}

TEST(MapNumbers, BatchAllocationMatchesSingleCalls) {
  ProjectModel a, b;
  for (ProjectModel* m : {&a, &b}) {
    m->AddTopic("HID00000002", 0);
    m->AddTopic("x", 0);
    m->UsedMapNumbers = {3, 3, 5, 9};
  }
  std::size_t pos = 0;
  int skipped = 0;
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(AllocateMapNumberFrom(a, pos, skipped), b.AllocateMapNumber()) << i;
  }
  EXPECT_EQ(a.UsedMapNumbers, b.UsedMapNumbers);
}

TEST(MapNumbers, ReleaseRemovesFirstOccurrenceAndNumberIsReused) {
  ProjectModel m;
  int n = m.AllocateMapNumber();
  int row = m.AddTopic(MakeTopicId(n), n);
  EXPECT_EQ(m.TopicIds[row], "HID00000001");
  m.ClearTopicRow(row);
  EXPECT_TRUE(m.UsedMapNumbers.empty());
  EXPECT_EQ(m.TopicIds.MapNumber(row), 1);  // stays on the row
  EXPECT_EQ(m.AllocateMapNumber(), 1);
  m.UsedMapNumbers = {2, 5, 2};
  m.ReleaseMapNumber(2);
  EXPECT_EQ(m.UsedMapNumbers, (std::vector<int>{5, 2}));
}

TEST(TrailingDigits, ValueOfTheLastDigitRun) {
  EXPECT_EQ(TrailingDigitValue("HID00000012"), 12);
  EXPECT_EQ(TrailingDigitValue("Intro"), 0);
  EXPECT_EQ(TrailingDigitValue("Chap2"), 2);
  EXPECT_EQ(TrailingDigitValue("a12b3"), 3);
  EXPECT_EQ(TrailingDigitValue(""), 0);
  EXPECT_EQ(TrailingDigitValue("x2147483647"), 2147483647);
  // Too large for 31 bits, however long: counts as none.
  EXPECT_EQ(TrailingDigitValue("x2147483648"), 0);
  EXPECT_EQ(TrailingDigitValue("x" + std::string(40, '9')), 0);
  EXPECT_EQ(TrailingDigitValue(std::string(40, '9') + "x7"), 7);
}

TEST(TopicTable, LookupIgnoresCaseAndRowsStayInPlace) {
  ProjectModel m;
  for (const char* id : {"Intro", "a", "b", "c", "d"}) m.AddTopic(id, 0);
  EXPECT_EQ(m.TopicIds.IndexOf("intro"), 0);
  EXPECT_EQ(m.TopicIds.IndexOf("INTRO"), 0);
  EXPECT_EQ(m.TopicIds.IndexOf("none"), -1);
  m.ClearTopicRow(2);
  EXPECT_EQ(m.TopicCount(), 5u);
  EXPECT_EQ(m.TopicIds[2], "");
  EXPECT_EQ(m.TopicIds.IndexOf("b"), -1);
  EXPECT_EQ(m.AddTopic("e", 0), 5);
  // Renaming moves the lookup with the id; the first row wins on repeats.
  m.TopicIds.SetId(4, "Intro2");
  EXPECT_EQ(m.TopicIds.IndexOf("d"), -1);
  EXPECT_EQ(m.TopicIds.IndexOf("intro2"), 4);
  m.TopicIds.SetId(3, "INTRO2");
  EXPECT_EQ(m.TopicIds.IndexOf("Intro2"), 3);
  EXPECT_EQ(m.TopicTitles.size(), 6u);
  EXPECT_EQ(m.TopicCntSuffixes.size(), 6u);
}

TEST(ProjectReset, RestoresDefaultsAndKeepsBackupPathAndIdentity) {
  ProjectModel m;
  m.ProjectDir = "/p";
  m.ProjectFile = "x.hpj";
  m.HelpTitle = "t";
  m.MainButtons = "1";
  m.SubButtons = "2";
  m.TopicColor = 1;
  m.NonScrollColor = 2;
  m.HasSubWindow = m.SubWindowOnTop = m.CompressHelp = true;
  m.SubWindowLeft = "10";
  m.BackupPath = "/backup";
  m.AddTopic("a", 1);
  m.UsedMapNumbers = {1};
  m.CntTargets = {"x"};
  m.WindowLines = {"w"};
  m.Contents.AddChild(nullptr, "a", kTopicNode, 0);
  m.ProjectReset();
  EXPECT_EQ(m.HelpTitle, "");
  EXPECT_EQ(m.MainButtons, "27648");
  EXPECT_EQ(m.SubButtons, "4");
  EXPECT_EQ(m.TopicColor, 0xE2FFFFu);
  EXPECT_EQ(m.NonScrollColor, 0xC0C0C0u);
  EXPECT_FALSE(m.HasSubWindow || m.SubWindowOnTop || m.CompressHelp);
  EXPECT_EQ(m.SubWindowLeft, "");
  EXPECT_EQ(m.TopicCount(), 0u);
  EXPECT_TRUE(m.UsedMapNumbers.empty() && m.CntTargets.empty() && m.WindowLines.empty());
  EXPECT_TRUE(m.Contents.IsEmpty());
  EXPECT_EQ(m.TopicIds.IndexOf("a"), -1);
  EXPECT_EQ(m.BackupPath, "/backup");
  EXPECT_EQ(m.ProjectFile, "x.hpj");
  EXPECT_EQ(m.ProjectName(), "x");
  EXPECT_EQ(m.CntFileName(), "x.cnt");
}
