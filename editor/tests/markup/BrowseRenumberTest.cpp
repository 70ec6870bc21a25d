// Browse ids, the footnote strip and insert, and renumbering sibling files.
#include <gtest/gtest.h>

#include "core/FileSystem.h"
#include "editor/core/BrowseRenumber.h"
#include "editor/core/ProjectModel.h"
#include "editor/tests/TestUtil.h"

namespace qm::editor {
namespace {

TEST(BrowseId, ParseMessages) {
  BrowseId id;
  EXPECT_EQ(ParseBrowseId("", id), BrowseIdError::Empty);
  EXPECT_EQ(ParseBrowseId("grp", id), BrowseIdError::Malformed);
  EXPECT_EQ(ParseBrowseId("grp:", id), BrowseIdError::Malformed);
  EXPECT_EQ(ParseBrowseId("grp:x", id), BrowseIdError::NotANumber);
  EXPECT_EQ(ParseBrowseId("grp:99999999999", id), BrowseIdError::NotANumber);
  EXPECT_EQ(BrowseIdMessage(BrowseIdError::Malformed), "カレントの参照IDが異常です.");
  ASSERT_EQ(ParseBrowseId("a:b:7", id), BrowseIdError::NotANumber);  // first colon
  ASSERT_EQ(ParseBrowseId(":12", id), BrowseIdError::None);
  EXPECT_EQ(id.Group, "");
  EXPECT_EQ(id.Number, 12);
}

TEST(BrowseId, Format) {
  EXPECT_EQ(FormatBrowseId("grp", 7), "grp:0007");
  EXPECT_EQ(FormatBrowseId("", 12), ":0012");
  EXPECT_EQ(FormatBrowseId("g", -5), "g:-0005");
  EXPECT_EQ(FormatBrowseId("g", 123456), "g:123456");
  EXPECT_EQ(FormatBrowseId("g", 2147483648LL), "g:2147483648");  // no wrap past 32 bits
}

TopicFields SampleFields() {
  TopicFields f;
  f.TopicTitle = "タイトル{1}";
  f.BrowseId = "grp:7";
  f.KKeywords = "鍵;key";
  f.TopicMacros = "Back()";
  f.TopicWindow = "main";
  return f;
}

// A real topic file whose first body line is written the way the rich-edit
// control writes it, with the footnote block placed after "\pard" and a
// blank.
Lines PlacedAfterPard(bool noScroll) {
  Lines lines = SplitLines(test::ReadAll(PathJoin(QM_TESTDATA_DIR, "projects/calques3d/AfxPrint.rtf")));
  EXPECT_GT(lines.size(), 2u);
  const std::size_t first = FirstBodyLine(lines);
  lines[first] = "\\viewkind4\\uc1\\pard\\plain\\f0 " + lines[first];
  TopicFields f = SampleFields();
  f.NoScroll = noScroll;
  InsertTopicFootnotes(lines, "AFX_PRINT", f);
  return lines;
}

TEST(Renumber, TwiceGivesTheBytesOfOnce) {
  for (bool noScroll : {false, true}) {
    Lines lines = PlacedAfterPard(noScroll);
    const std::size_t first = FirstBodyLine(lines);
    ASSERT_NE(lines[first].find(noScroll ? "\\pard\\keepn #{\\footnote AFX_PRINT}" : "\\pard #{\\footnote AFX_PRINT}"),
              std::string::npos);
    std::string expected = JoinLines(lines);
    expected.replace(expected.find("grp:7"), 5, "grp:0008");
    ASSERT_TRUE(SetTopicBrowseId(lines, "AFX_PRINT", "grp:0008"));
    const std::string once = JoinLines(lines);
    EXPECT_EQ(once, expected);
    ASSERT_TRUE(SetTopicBrowseId(lines, "AFX_PRINT", "grp:0008"));
    EXPECT_EQ(JoinLines(lines), once);
  }
}

TEST(Renumber, StripKeepsEveryValue) {
  Lines lines = PlacedAfterPard(true);
  TopicFields kept;
  StripTopicFootnotes(lines, kept);
  TopicFields want = SampleFields();
  want.NoScroll = true;
  EXPECT_EQ(kept, want);
  const std::size_t first = FirstBodyLine(lines);
  EXPECT_EQ(lines[first].find("footnote"), std::string::npos);
  EXPECT_EQ(lines[first].rfind("\\viewkind4\\uc1\\pard\\plain\\f0 ", 0), 0u);
}

TEST(Renumber, IdIsTheSiblingsOwnAndOtherLayoutsStayStable) {
  // A block that follows the first blank of a line without "\viewkind".
  Lines lines = {"{\\rtf1\\ansi", "\\pard\\f0 #{\\footnote OLD} ${\\footnote T} +{\\footnote g:1} text",
                 "\\par }"};
  ASSERT_TRUE(SetTopicBrowseId(lines, "NEW", "g:0002"));
  EXPECT_EQ(lines[1], "\\pard\\f0 #{\\footnote NEW} ${\\footnote T} +{\\footnote g:0002} text");
  const Lines again = lines;
  ASSERT_TRUE(SetTopicBrowseId(lines, "NEW", "g:0002"));
  EXPECT_EQ(lines, again);
  Lines two = {"{\\rtf1", "\\par }"};
  EXPECT_FALSE(SetTopicBrowseId(two, "X", "g:1"));
}

TEST(Renumber, FilesOfOtherToolsAreLeftAlone) {
  // Their footnotes are further down; the first body line is font table.
  const Lines file = SplitLines(test::ReadAll(PathJoin(QM_TESTDATA_DIR, "projects/andes-fbd/Popups.rtf")));
  Lines lines = file;
  EXPECT_FALSE(SetTopicBrowseId(lines, "Popups", "g:0002"));
  EXPECT_EQ(lines, file);
}

class RenumberFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = test::TempDir();
    ASSERT_FALSE(dir_.empty());
    m_.ProjectDir = dir_;
    m_.ProjectFile = "p.hpj";
    ASSERT_TRUE(CreateDir(PathJoin(dir_, "rtf")));
  }
  ContentsNode* Topic(const std::string& id, ContentsNodeKind kind = kTopicNode, bool file = true) {
    const int row = m_.AddTopic(id, 0);
    if (file) {
      WriteFileReplacing(m_.TopicFilePath(id),
                         "{\\rtf1\\ansi\r\n\\pard #{\\footnote " + id + "} +{\\footnote old:1} body\r\n\\par }\r\n");
    }
    return m_.Contents.AddChild(nullptr, id, kind, row);
  }
  std::string dir_;
  ProjectModel m_;
};

TEST_F(RenumberFiles, SiblingsAfterTheOpenTopicInTreeOrder) {
  Topic("BEFORE");
  ContentsNode* open = Topic("OPEN");
  Topic("S1");
  ContentsNode* book = m_.Contents.AddChild(nullptr, "book", kBookClosed, 0);
  m_.Contents.AddChild(book, "child", kTopicNode, m_.AddTopic("CHILD", 0));
  Topic("S2", kHiddenTopicNode);
  Topic("MISSING", kTopicNode, false);
  Topic("S3");
  Topic("FOREIGN");
  WriteFileReplacing(m_.TopicFilePath("FOREIGN"), "{\\rtf1\r\n{\\fonttbl{\\f0 A;}}\r\n#{\\footnote F}\r\n");

  RenumberPlan plan;
  ASSERT_EQ(PlanRenumbering(m_, open, "grp:7", plan), BrowseIdError::None);
  EXPECT_EQ(plan.OpenBrowseId, "grp:0007");
  ASSERT_EQ(plan.Steps.size(), 5u);
  EXPECT_EQ(plan.Steps[0].BrowseId, "grp:0008");
  EXPECT_EQ(plan.Steps[1].TopicId, "S2");
  EXPECT_EQ(plan.Steps[1].BrowseId, "grp:0010");  // the book took 0009
  EXPECT_EQ(plan.Steps[3].BrowseId, "grp:0012");

  const RenumberResult r = RewriteSiblingBrowseIds(plan);
  EXPECT_TRUE(r.Ok());
  EXPECT_EQ(r.Rewritten, 3);
  EXPECT_EQ(r.Skipped, std::vector<std::string>{"FOREIGN"});
  EXPECT_EQ(SkippedTopicsMessage(r),
            "次のﾄﾋﾟｯｸは先頭行に脚注がないため, 観覧IDを書き換えませんでした.\r\nFOREIGN");
  EXPECT_EQ(SkippedTopicsMessage(RenumberResult{}), "");
  EXPECT_NE(test::ReadAll(m_.TopicFilePath("S3")).find("+{\\footnote grp:0012}"), std::string::npos);
  EXPECT_NE(test::ReadAll(m_.TopicFilePath("BEFORE")).find("old:1"), std::string::npos);
  EXPECT_FALSE(FileExists(m_.TopicFilePath("MISSING")));
  EXPECT_EQ(test::ReadAll(m_.TopicFilePath("FOREIGN")), "{\\rtf1\r\n{\\fonttbl{\\f0 A;}}\r\n#{\\footnote F}\r\n");
}

TEST_F(RenumberFiles, RefusedIdsPlanNothing) {
  ContentsNode* open = Topic("OPEN");
  Topic("S1");
  RenumberPlan plan;
  EXPECT_EQ(PlanRenumbering(m_, open, "grp", plan), BrowseIdError::Malformed);
  EXPECT_TRUE(plan.Steps.empty());
  EXPECT_EQ(PlanRenumbering(m_, open, "", plan), BrowseIdError::Empty);
}

TEST_F(RenumberFiles, FailureNamesTheTopicAndStops) {
  ContentsNode* open = Topic("OPEN");
  Topic("S1");
  Topic("S2");
  Topic("S3");
  // S2's file cannot be written: a folder stands where the new file would
  // be written beside it.
  const std::string s2 = m_.TopicFilePath("S2");
  const std::string s2Before = test::ReadAll(s2);
  ASSERT_TRUE(CreateDir(s2 + ".~new"));
  RenumberPlan plan;
  ASSERT_EQ(PlanRenumbering(m_, open, "g:1", plan), BrowseIdError::None);
  const RenumberResult r = RewriteSiblingBrowseIds(plan);
  EXPECT_FALSE(r.Ok());
  EXPECT_EQ(r.FailedTopicId, "S2");
  EXPECT_NE(r.Message.find("S2"), std::string::npos);
  EXPECT_EQ(r.Rewritten, 1);
  EXPECT_NE(test::ReadAll(m_.TopicFilePath("S1")).find("g:0002"), std::string::npos);
  EXPECT_NE(test::ReadAll(m_.TopicFilePath("S3")).find("old:1"), std::string::npos);
  EXPECT_EQ(test::ReadAll(s2), s2Before);
}

}  // namespace
}  // namespace qm::editor
