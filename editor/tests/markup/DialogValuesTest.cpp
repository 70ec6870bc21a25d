// The values behind the table, indent, external-entry, help-option, graphic
// and MCI dialogs.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/FileSystem.h"
#include "editor/core/ExternalTarget.h"
#include "editor/core/HelpOptions.h"
#include "editor/core/MediaMarkup.h"
#include "editor/core/ParagraphIndents.h"
#include "editor/core/ProjectFiles.h"
#include "editor/core/ProjectModel.h"
#include "editor/core/TableMarkup.h"
#include "editor/tests/TestUtil.h"

namespace qm::editor {
namespace {

TEST(Table, Markup) {
  EXPECT_EQ(TableMarkup({{"a", "b"}, {"c", "d"}}), "{size 1000,2000}{table}a{td}b{td}{tr}c{td}d{td}{tr}{end}");
  EXPECT_EQ(TableMarkup({{"x"}}), "{size 1000}{table}x{td}{tr}{end}");
  EXPECT_EQ(TableMarkup({{"", "", ""}, {"", "y"}}),
            "{size 1000,2000,3000}{table}{td}{td}{td}{tr}{td}y{td}{td}{tr}{end}");
}

// A paragraph as the rich-edit control keeps it: twips, points times 20 on
// writing and divided by 20 on reading.
class FakeParagraph : public ParagraphIndentAccess {
 public:
  int FirstIndent() const override { return first_ / 20; }
  int LeftIndent() const override { return left_ / 20; }
  int RightIndent() const override { return right_ / 20; }
  void SetFirstIndent(int p) override { first_ = Twips(p); }
  void SetLeftIndent(int p) override { left_ = Twips(p); }
  void SetRightIndent(int p) override { right_ = Twips(p); }

 private:
  static int Twips(int points) {
    const long long t = 20LL * points;
    EXPECT_TRUE(t >= INT32_MIN && t <= INT32_MAX) << points;
    return static_cast<int>(t);
  }
  int first_ = 0, left_ = 0, right_ = 0;
};

TEST(Indents, RoundTripInTheAuthorsTerms) {
  FakeParagraph p;
  p.SetFirstIndent(10);
  p.SetLeftIndent(20);
  p.SetRightIndent(5);
  const IndentTexts t = ReadIndentTexts(p);
  EXPECT_EQ(t.Left, "30");
  EXPECT_EQ(t.First, "-20");
  EXPECT_EQ(t.Right, "5");
  ApplyIndentTexts(p, t);
  EXPECT_EQ(p.FirstIndent(), 10);
  EXPECT_EQ(p.LeftIndent(), 20);
  EXPECT_EQ(p.RightIndent(), 5);
  ApplyIndentTexts(p, {"40", "10", "abc"});  // a first line 10 points right of the body
  EXPECT_EQ(p.LeftIndent(), -10);
  EXPECT_EQ(p.FirstIndent(), 50);
  EXPECT_EQ(p.RightIndent(), 0);
  ClearIndents(p);
  EXPECT_EQ(ReadIndentTexts(p).Left, "0");
}

TEST(Indents, ValuesWhoseTwipsOverflowCountAsZero) {
  EXPECT_EQ(IndentPoints("107374182"), 107374182);
  EXPECT_EQ(IndentPoints("107374183"), 0);
  EXPECT_EQ(IndentPoints("-2000000000"), 0);
  EXPECT_EQ(IndentPoints("1.5"), 0);
  FakeParagraph p;
  // Each value fits alone; their difference would not.
  ApplyIndentTexts(p, {"100000000", "100000000", "107374183"});
  EXPECT_EQ(p.LeftIndent(), -100000000);
  EXPECT_EQ(p.FirstIndent(), 0);
  EXPECT_EQ(p.RightIndent(), 0);
}

TEST(ExternalEntry, SplitAndJoin) {
  ExternalTarget t = SplitExternalTarget("abc @other.hlp>win2");
  EXPECT_EQ(t.TopicId, "abc");
  EXPECT_EQ(t.HelpFile, "other.hlp");
  EXPECT_EQ(t.Window, "win2");
  std::string joined;
  EXPECT_FALSE(ExternalTargetChanged("abc @other.hlp>win2", t, joined));
  EXPECT_TRUE(ExternalTargetChanged("abc", SplitExternalTarget("abc"), joined));
  EXPECT_EQ(joined, "abc ");
  // '>' before '@': the rest is the window.
  t = SplitExternalTarget("abc>w@x.hlp");
  EXPECT_EQ(t.TopicId, "abc");
  EXPECT_EQ(t.HelpFile, "");
  EXPECT_EQ(t.Window, "w@x.hlp");
  // Only one blank is dropped; blanks of the help file are kept.
  t = SplitExternalTarget("id  @my file.hlp ");
  EXPECT_EQ(t.TopicId, "id ");
  EXPECT_EQ(t.HelpFile, "my file.hlp ");
  EXPECT_EQ(SplitExternalTarget(std::string("a>") + std::string(300, 'w')).Window.size(), 255u);
}

TEST(ExternalEntry, StoredOnlyWhenChanged) {
  ProjectModel m;
  m.CntTargets = {"abc @x.hlp", ""};
  EXPECT_FALSE(StoreExternalTarget(m, 0, SplitExternalTarget("abc @x.hlp")));
  EXPECT_FALSE(m.ProjectModified);
  // A new entry's empty target gets the typed one.
  EXPECT_TRUE(StoreExternalTarget(m, 1, {"new", "", "w"}));
  EXPECT_EQ(m.CntTargets[1], "new >w");
  EXPECT_TRUE(m.ProjectModified);
  EXPECT_FALSE(StoreExternalTarget(m, 2, {"x", "", ""}));
}

TEST(ExternalEntry, TopicIdMessages) {
  EXPECT_EQ(ExternalTopicIdError(""), "ﾄﾋﾟｯｸIDがありません.");
  EXPECT_EQ(ExternalTopicIdError("a b"), "ﾄﾋﾟｯｸIDに不正な文字が含まれています.");
  EXPECT_EQ(ExternalTopicIdError("日本"), "ﾄﾋﾟｯｸIDに不正な文字が含まれています.");
  EXPECT_EQ(ExternalTopicIdError("Topic_1"), "");
}

TEST(HelpOptions, PositionFields) {
  int v;
  EXPECT_TRUE(ParsePositionField("", v));
  EXPECT_EQ(v, -1);
  EXPECT_TRUE(ParsePositionField("-1", v));
  EXPECT_TRUE(ParsePositionField("1024", v));
  EXPECT_TRUE(ParsePositionField("+005", v));
  EXPECT_EQ(v, 5);
  for (const char* bad : {"1025", "-2", "abc", " 5", "5 ", "-", "99999999999999999999", "1e3"}) {
    EXPECT_FALSE(ParsePositionField(bad, v)) << bad;
  }
}

TEST(HelpOptions, ValidationOrder) {
  HelpOptionValues v;
  v.SubLeft = "x";
  EXPECT_TRUE(ValidateHelpOptions(v).Ok());  // no second window: nothing checked
  v.SubAdd = true;
  EXPECT_EQ(ValidateHelpOptions(v).Field, HelpOptionField::SubName);
  v.SubName = "sub-1";
  EXPECT_EQ(ValidateHelpOptions(v).Message, "ｻﾌﾞｳｲﾝﾄﾞｳ名に不正な文字が含まれています.");
  v.SubName = "sub_1";
  v.SubWidth = "2000";
  v.SubTop = "-5";
  v.SubHeight = "h";
  EXPECT_EQ(ValidateHelpOptions(v).Field, HelpOptionField::Left);
  v.SubLeft = "";
  EXPECT_EQ(ValidateHelpOptions(v).Message, "Widthに指定できるのは-1～1024です.");
  v.SubWidth = "1024";
  EXPECT_EQ(ValidateHelpOptions(v).Field, HelpOptionField::Top);
  v.SubTop = "005";
  EXPECT_EQ(ValidateHelpOptions(v).Field, HelpOptionField::Height);
  v.SubHeight = "-1";
  EXPECT_TRUE(ValidateHelpOptions(v).Ok());
}

TEST(HelpOptions, ApplyKeepsTheNameOfAnUncheckedWindow) {
  ProjectModel m;
  m.HasSubWindow = true;
  m.SubWindowName = "sub";
  m.SubWindowCaption = "Sub";
  HelpOptionValues v = FillHelpOptions(m);
  EXPECT_TRUE(v.SubNameLocked);
  v.SubAdd = false;
  v.SubName = "other";
  v.SubLeft = "005";
  ResetHelpOptionColors(v);
  ApplyHelpOptions(v, m);
  EXPECT_FALSE(m.HasSubWindow);
  EXPECT_EQ(m.SubWindowName, "sub");
  EXPECT_EQ(m.SubWindowLeft, "005");
  EXPECT_EQ(m.TopicColor, 0xE2FFFFu);
  EXPECT_TRUE(m.ProjectModified);
  ApplyMemberListPreset(v);
  EXPECT_EQ(v.SubHeight, "750");
  EXPECT_TRUE(v.SubAutoHeight);
}

TEST(HelpOptions, UnchangedOptionsWriteTheSameProjectFile) {
  namespace fs = std::filesystem;
  for (const auto& [folder, hpj] : {std::pair{"andes-fbd", "FBD.hpj"}, std::pair{"calques3d", "Calques3D.hpj"}}) {
    // Reading a project tidies its folder: read a copy.
    const std::string dir = test::TempDir();
    fs::copy(fs::path(QM_TESTDATA_DIR) / "projects" / folder, dir, fs::copy_options::recursive);
    ProjectModel m;
    ReadProject(m, PathJoin(dir, hpj));
    const Lines before = BuildProjectFiles(m).Hpj;
    HelpOptionValues v = FillHelpOptions(m);
    ASSERT_TRUE(ValidateHelpOptions(v).Ok()) << hpj;
    ApplyHelpOptions(v, m);
    EXPECT_EQ(BuildProjectFiles(m).Hpj, before) << hpj;
    fs::remove_all(dir);
  }
}

TEST(Media, PictureAndMciMarkup) {
  EXPECT_EQ(PictureMarkup(PicturePlacement::InLine, false, "a.shg"), "{bmc a.shg}");
  EXPECT_EQ(PictureMarkup(PicturePlacement::Right, true, "a.bmp"), "{bmrt a.bmp}");
  MediaOptions o;
  EXPECT_EQ(MediaMarkup("s.wav", o), "{mci PLAY,s.wav}");
  o.External = true;
  EXPECT_EQ(MediaMarkup("s.WAV", o), "{mci EXTERNAL PLAY,s.WAV}");
  o = MediaOptions{};
  EXPECT_EQ(MediaMarkup("v.avi", o), "{mci v.avi}");
  o.PlayBar = false;
  EXPECT_EQ(MediaMarkup("v.AVI", o), "{mci NOPLAYBAR,v.AVI}");
  o = {true, false, false, true, true};
  EXPECT_EQ(MediaMarkup("v.avi", o), "{mci EXTERNAL NOPLAYBAR NOMENU REPEAT PLAY,v.avi}");
}

TEST(Media, FileLists) {
  const std::string dir = test::TempDir();
  for (const char* n : {"b.SHG", "a.bmp", "c.mrb", "x.txt", "s.wav", "m.AVI"}) WriteFileReplacing(PathJoin(dir, n), "x");
  EXPECT_EQ(PictureFileNames(dir), (std::vector<std::string>{"a.bmp", "b.SHG", "c.mrb"}));
  EXPECT_EQ(MediaFileNames(dir), (std::vector<std::string>{"m.AVI", "s.wav"}));
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace qm::editor
