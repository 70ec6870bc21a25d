#include <gtest/gtest.h>

#include "core/FileSystem.h"
#include "editor/core/TopicInfo.h"
#include "editor/tests/TestUtil.h"

using namespace qm::editor;

namespace {

// A project with the topics abc (open, in the contents) and other.
class TopicInfoTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m.ProjectDir = qm::editor::test::TempDir();
    qm::CreateDir(m.RtfDir());
    m.AddTopic("abc", 1);
    m.AddTopic("other", 2);
    m.TopicTitles[0] = "はじめに";
    m.OpenTopicNode = m.Contents.AddChild(nullptr, "はじめに", kTopicNode, 0);
    m.TopicId = "abc";
    m.TopicFootnotes.TopicTitle = "はじめに";
    m.HasSubWindow = true;
    m.SubWindowName = "sub";
  }
  TopicInfoValues Opened() { return OpenTopicInfo(m).Values; }
  std::string Check(TopicInfoValues v) { return CheckTopicInfo(m, v); }
  ProjectModel m;
};

}  // namespace

TEST_F(TopicInfoTest, FirstFailingCheckWins) {
  TopicInfoValues v = Opened();
  EXPECT_EQ(Check(v), "");
  v.Id = "";
  v.BrowseId = "grp";
  EXPECT_EQ(Check(v), kNoTopicIdMessage);
  v.Id = "a-b";
  EXPECT_EQ(Check(v), kBadTopicIdMessage);
  v.Id = "\x88\x9f";  // a double-byte character
  EXPECT_EQ(Check(v), kBadTopicIdMessage);
  v.Id = "OTHER";
  EXPECT_EQ(Check(v), kTopicIdExistsMessage);
  v.Id = "ABC";  // only the case changes: the topic finds itself
  EXPECT_EQ(Check(v), kTopicIdExistsMessage);
  v.Id = "new_id";
  EXPECT_EQ(Check(v), kNoBrowseNumberMessage);
  v.BrowseId = "";
  v.KKeywords = "k";
  v.Title = "";
  EXPECT_EQ(Check(v), kKeywordsNeedTitleMessage);
  v.KKeywords = "";
  v.AKeywords = "a";
  EXPECT_EQ(Check(v), kKeywordsNeedTitleMessage);
  v.Title = "t";
  EXPECT_EQ(Check(v), "");
}

TEST_F(TopicInfoTest, AnUnchangedIdIsNotChecked) {
  m.TopicId = "a-b";  // read from an old project
  TopicInfoValues v = Opened();
  EXPECT_EQ(Check(v), "");
}

TEST(BrowseIdTest, NameColonNumber) {
  EXPECT_EQ(CheckBrowseId(""), "");
  EXPECT_EQ(CheckBrowseId("grp:0010"), "");
  EXPECT_EQ(CheckBrowseId("my_grp:A1"), "");
  EXPECT_EQ(CheckBrowseId("grp"), kNoBrowseNumberMessage);
  EXPECT_EQ(CheckBrowseId("grp:"), kNoBrowseNumberMessage);
  EXPECT_EQ(CheckBrowseId("grp:1_2"), kBadBrowseIdMessage);
  EXPECT_EQ(CheckBrowseId(":10"), kBadBrowseIdMessage);
  EXPECT_EQ(CheckBrowseId("g-p:1"), kBadBrowseIdMessage);
  EXPECT_EQ(CheckBrowseId("Meter_prop:My_Prop"), kBadBrowseIdMessage);
}

TEST_F(TopicInfoTest, ANewIdRenamesTheTopicFile) {
  qm::WriteFileReplacing(m.TopicFilePath("abc"), "{\\rtf1 x}");
  TopicInfoValues v = Opened();
  v.Id = "renamed";
  const TopicInfoApplied r = ApplyTopicInfo(m, v, 0, false);
  EXPECT_TRUE(r.Changed);
  EXPECT_TRUE(r.EditorModified);
  EXPECT_FALSE(r.NodeTextChanged);  // the node shows the title
  EXPECT_TRUE(m.ProjectModified);
  EXPECT_EQ(m.TopicId, "renamed");
  EXPECT_EQ(m.TopicIds[0], "renamed");
  EXPECT_EQ(m.TopicIds.IndexOf("abc"), -1);
  EXPECT_FALSE(qm::FileExists(m.TopicFilePath("abc")));
  EXPECT_EQ(qm::editor::test::ReadAll(m.TopicFilePath("renamed")), "{\\rtf1 x}");
}

TEST_F(TopicInfoTest, UnsavedTopicAndUntitledNode) {
  m.TopicFootnotes.TopicTitle.clear();
  TopicInfoValues v = Opened();
  v.Id = "fresh";  // no file yet: nothing to rename, nothing reported
  const TopicInfoApplied r = ApplyTopicInfo(m, v, 0, false);
  EXPECT_TRUE(r.NodeTextChanged);
  EXPECT_EQ(m.OpenTopicNode->Text, "fresh");
  EXPECT_FALSE(qm::FileExists(m.TopicFilePath("fresh")));
}

TEST_F(TopicInfoTest, NoChangeChangesNothing) {
  TopicInfoStart s = OpenTopicInfo(m);
  const TopicInfoApplied r = ApplyTopicInfo(m, s.Values, s.OpenedWindow, false);
  EXPECT_FALSE(r.Changed);
  EXPECT_FALSE(r.EditorModified);
  EXPECT_FALSE(m.ProjectModified);
}

TEST_F(TopicInfoTest, FieldsTitleAndMacros) {
  TopicInfoValues v = Opened();
  v.Title = "新題";
  v.BrowseId = "grp:1";
  v.KKeywords = "k";
  v.Macros = "CloseSecondarys()";
  TopicInfoApplied r = ApplyTopicInfo(m, v, 0, false);
  EXPECT_TRUE(r.Changed);
  EXPECT_TRUE(r.NodeTextChanged);
  EXPECT_EQ(m.OpenTopicNode->Text, "新題");
  EXPECT_EQ(m.TopicTitles[0], "新題");
  EXPECT_EQ(m.TopicFootnotes.BrowseId, "grp:1");
  EXPECT_EQ(m.TopicFootnotes.KKeywords, "k");
  EXPECT_EQ(m.TopicFootnotes.TopicMacros, "CloseSecondarys()");
  // Macros alone mark the editor but are no "change" of the status.
  v.Macros = "";
  r = ApplyTopicInfo(m, v, 0, false);
  EXPECT_FALSE(r.Changed);
  EXPECT_TRUE(r.EditorModified);
}

TEST_F(TopicInfoTest, WindowChoiceAndContentsSuffix) {
  TopicInfoValues v = Opened();
  v.Window = 2;
  ApplyTopicInfo(m, v, 0, false);
  EXPECT_EQ(m.TopicFootnotes.TopicWindow, "sub");
  EXPECT_EQ(m.TopicCntSuffixes[0], ">sub");
  m.ProjectModified = false;
  v.Window = 1;
  ApplyTopicInfo(m, v, 2, false);
  EXPECT_EQ(m.TopicFootnotes.TopicWindow, "main");
  EXPECT_EQ(m.TopicCntSuffixes[0], "");
  EXPECT_TRUE(m.ProjectModified);
}

TEST_F(TopicInfoTest, OpeningMendsTheWindowOnlyWithANamedSecondWindow) {
  // A topic in another window whose contents line names none gets it.
  m.TopicFootnotes.TopicWindow = "sub";
  TopicInfoStart s = OpenTopicInfo(m);
  EXPECT_EQ(s.OpenedWindow, 2);
  EXPECT_EQ(m.TopicCntSuffixes[0], ">sub");
  EXPECT_TRUE(m.ProjectModified);
  // The second window removed: its topics go back to the default window.
  m.HasSubWindow = false;
  s = OpenTopicInfo(m);
  EXPECT_FALSE(s.SubWindowEnabled);
  EXPECT_TRUE(s.EditorModified);
  EXPECT_EQ(s.OpenedWindow, 0);
  EXPECT_EQ(m.TopicFootnotes.TopicWindow, "");
  // No second window ever named: neither step runs (no bare ">", no
  // modified topic on every opening).
  m.SubWindowName.clear();
  m.TopicCntSuffixes[0].clear();
  m.ProjectModified = false;
  m.TopicFootnotes.TopicWindow = "win2";
  s = OpenTopicInfo(m);
  EXPECT_FALSE(s.EditorModified);
  EXPECT_EQ(s.OpenedWindow, 2);
  EXPECT_EQ(m.TopicCntSuffixes[0], "");
  EXPECT_FALSE(m.ProjectModified);
  m.TopicFootnotes.TopicWindow.clear();
  s = OpenTopicInfo(m);
  EXPECT_FALSE(s.EditorModified);
}

TEST_F(TopicInfoTest, TitleCopyIntoAnEmptyContentsTopic) {
  m.Program.Tcopy = true;
  TopicInfoValues v = Opened();
  TopicInfoApplied r = ApplyTopicInfo(m, v, 0, false);
  EXPECT_FALSE(r.AddTitleCopy);  // the editor holds text
  r = ApplyTopicInfo(m, v, 0, true);
  EXPECT_TRUE(r.AddTitleCopy);
  EXPECT_TRUE(r.Changed);
  EXPECT_TRUE(m.TopicFootnotes.NoScroll);
  m.OpenTopicNode->Kind = kHiddenTopicNode;
  EXPECT_FALSE(ApplyTopicInfo(m, v, 0, true).AddTitleCopy);
}

TEST(MacroTemplateTest, AppendedAfterASemicolon) {
  EXPECT_EQ(MacroTemplate(1, "sub"), "CloseWindow(sub)");
  EXPECT_EQ(MacroTemplate(3, ""), "PositionWindow(x,y,width,height,display-state,window-name)");
  EXPECT_EQ(AppendMacro("", "CloseSecondarys()"), "CloseSecondarys()");
  EXPECT_EQ(AppendMacro("A()", "SetPopupColor(r,g,b)"), "A();SetPopupColor(r,g,b)");
}
