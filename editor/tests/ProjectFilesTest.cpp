#include <gtest/gtest.h>

#include "editor/core/ProjectFiles.h"
#include "TestUtil.h"

using namespace qm;
using namespace qm::editor;
using namespace qm::editor::test;

namespace {

// A project of every kind of node and every setting that the files carry.
void BuildSample(ProjectModel& m, const std::string& dir) {
  m.ProjectDir = dir;
  m.ProjectFile = "proj.hpj";
  m.MapFile = "proj.hm";
  m.HelpTitle = "Doc";
  m.HelpCopyright = "(c) me";
  m.CompressHelp = m.UseBrowseButtons = m.MainWindowOnTop = true;
  m.BackupPath = "C:\\bk";
  m.HasSubWindow = true;
  m.SubWindowName = "sub";
  m.SubWindowCaption = "Notes";
  m.SubWindowLeft = "10";
  m.SubWindowTop = "20";
  m.SubWindowWidth = "300";
  m.SubWindowHeight = "-1";
  m.SubWindowAutoHeight = true;
  m.WindowLines = {"W1=\"x\""};
  m.ConfigLines = {"CB(\"b\",\"&B\",\"JI(`',`c')\")"};
  m.CntCommands = {":Index Other=other.hlp"};
  m.CntIncludes = {":Include more.cnt"};
  int intro = m.AddTopic("Intro", 3);
  m.TopicTitles[intro] = "Introduction";
  int hid = m.AddTopic("HID00000001", 1);
  int chap = m.AddTopic("Chap2", 2);
  m.TopicCntSuffixes[chap] = ">win";
  m.UsedMapNumbers = {1, 2, 3};
  m.CntTargets = {"x@other.hlp"};
  ContentsTree& t = m.Contents;
  ContentsNode* n = t.AddChild(nullptr, "Introduction", kTopicNode, intro);
  t.AddChild(n, "HID00000001", kHiddenTopicNode, hid);
  t.AddChild(nullptr, "Other", kExternalNode, 0);
  ContentsNode* book = t.AddChild(nullptr, "Chapter", kBookClosed, 0);
  t.AddChild(book, "Chap2", kTopicNode, chap);
  m.ProjectModified = true;
}

const char kSampleCnt[] =
    ":Base proj.hlp>main\r\n"
    ":Title Doc\r\n"
    ":Index Other=other.hlp\r\n"
    "1 Introduction =Intro\r\n"
    "1 Other =x@other.hlp\r\n"
    "1 Chapter\r\n"
    "2 Chap2 =Chap2>win\r\n"
    ":Include more.cnt\r\n";

const char kSampleMap[] =
    "// Context ID list\r\n"
    "Intro\t3 //Introduction\r\n"
    "HID00000001\t1 //\r\n"
    "Chap2\t2 //\r\n";

const char kSampleHpj[] =
    "; This file is maintained by HCW. Do not modify this file directly.\r\n"
    "\r\n"
    "[OPTIONS]\r\n"
    "COMPRESS=12 Hall Zeck\r\n"
    "ERRORLOG=proj.err\r\n"
    "DBCS=Yes\r\n"
    "LCID=0x411 0x0 0x0 ; \x93\xfa\x96\x7b\x8c\xea\r\n"
    "REPORT=Yes\r\n"
    "CONTENTS=Intro\r\n"
    "TITLE=Doc\r\n"
    "CNT=proj.cnt\r\n"
    "COPYRIGHT=(c) me\r\n"
    "BMROOT=bmp\r\n"
    "ROOT=rtf\r\n"
    "HLP=proj.hlp\r\n"
    "; BackUp=C:\\bk\r\n"
    "\r\n"
    "[FILES]\r\n"
    "Intro.rtf\r\n"
    "HID00000001.rtf\r\n"
    "Chap2.rtf\r\n"
    "\r\n"
    "[MAP]\r\n"
    "#include proj.hm\r\n"
    "\r\n"
    "[WINDOWS]\r\n"
    "main=\"Doc\",,27648,(r14876671),(r12632256),f1\r\n"
    "sub=\"Notes\",(10,20,300,),4,(r14876671),(r12632256),f2\r\n"
    "W1=\"x\"\r\n"
    "\r\n"
    "[CONFIG]\r\n"
    "BrowseButtons()\r\n"
    "CB(\"b\",\"&B\",\"JI(`',`c')\")\r\n";

// Reads lines of a project file into a fresh model.
void ReadHpj(ProjectModel& m, Lines lines, bool* old_layout = nullptr) {
  bool old = false;
  ReadProjectLines(m, lines, old);
  if (old_layout) *old_layout = old;
}

// Builds a project from [FILES] ids and contents lines.
void ReadCnt(ProjectModel& m, std::vector<std::string> files, Lines cnt) {
  for (auto& id : files) m.AddTopic(id, 0);
  CompleteMapNumbers(m);
  ReadContentsLines(m, cnt);
}

std::string Kinds(const ProjectModel& m) {
  std::string s;
  for (ContentsNode* n : m.Contents.Nodes()) {
    s += std::to_string(n->Level()) + ":" + std::to_string(n->Kind) + ":" + n->Text + " ";
  }
  return s;
}

struct RecordingUi : ProjectFileUi {
  int waits = 0, ends = 0, no_contents = 0, read = 0, rebuilt = 0;
  std::string caption, title;
  void BeginWait() override { ++waits; }
  void EndWait() override { ++ends; }
  void SetProjectCaption(const std::string& c, const std::string& t) override {
    caption = c;
    title = t;
  }
  void ProjectRead() override { ++read; }
  void ContentsRebuilt() override { ++rebuilt; }
  void ShowNoContents() override { ++no_contents; }
};

}  // namespace

TEST(WriteProject, WritesTheThreeFilesExactly) {
  std::string dir = TempDir();
  ProjectModel m;
  BuildSample(m, dir);
  RecordingUi ui;
  ASSERT_TRUE(WriteProject(m, &ui));
  EXPECT_EQ(ReadAll(dir + "/proj.cnt"), kSampleCnt);
  EXPECT_EQ(ReadAll(dir + "/proj.hm"), kSampleMap);
  EXPECT_EQ(ReadAll(dir + "/proj.hpj"), kSampleHpj);
  EXPECT_FALSE(m.ProjectModified);
  EXPECT_EQ(ui.waits, 1);
  EXPECT_EQ(ui.ends, 1);
}

TEST(WriteProject, ReadsBackToTheSameModelAndBytes) {
  std::string dir = TempDir();
  ProjectModel m;
  BuildSample(m, dir);
  ASSERT_TRUE(WriteProject(m));
  ProjectModel r;
  r.BackupPath = "old";
  RecordingUi ui;
  ReadProject(r, dir + "/proj.hpj", &ui);
  EXPECT_EQ(Dump(r), Dump(m));
  EXPECT_FALSE(r.ProjectModified);
  EXPECT_EQ(ui.caption, dir + "/proj.hpj - Quillmark");
  EXPECT_EQ(ui.title, "proj.hpj - Quillmark");
  EXPECT_EQ(ui.waits, ui.ends);
  EXPECT_EQ(ui.read, 1);
  EXPECT_EQ(ui.rebuilt, 1);
  ASSERT_TRUE(WriteProject(r));
  EXPECT_EQ(ReadAll(dir + "/proj.cnt"), kSampleCnt);
  EXPECT_EQ(ReadAll(dir + "/proj.hm"), kSampleMap);
  EXPECT_EQ(ReadAll(dir + "/proj.hpj"), kSampleHpj);
}

TEST(WriteProject, EmptyTreeOrNoTopicWritesNothing) {
  std::string dir = TempDir();
  ProjectModel m;
  m.ProjectDir = dir;
  m.ProjectFile = "p.hpj";
  m.MapFile = "p.hm";
  m.ProjectModified = true;
  RecordingUi ui;
  EXPECT_FALSE(WriteProject(m, &ui));
  EXPECT_EQ(ui.no_contents, 1);
  EXPECT_EQ(ui.waits, 0);
  EXPECT_TRUE(m.ProjectModified);
  // Books only: no topic to name as the contents topic.
  m.Contents.AddChild(nullptr, "Book", kBookClosed, 0);
  EXPECT_THROW(WriteProject(m, &ui), ProjectError);
  EXPECT_EQ(ui.waits, ui.ends);
  EXPECT_TRUE(m.ProjectModified);
  EXPECT_TRUE(ListFiles(dir, ".hpj").empty() && ListFiles(dir, ".cnt").empty());
}

// A new project whose last file cannot be written: the files written before
// it go again, and the project stays modified.
TEST(WriteProject, ASaveErrorLeavesTheProjectModifiedAndNoFileWritten) {
  std::string dir = TempDir();
  ProjectModel m;
  BuildSample(m, dir);
  ASSERT_TRUE(CreateDir(dir + "/proj.hpj.~new"));  // the project file cannot be written
  EXPECT_THROW(WriteProject(m), FileError);
  EXPECT_TRUE(m.ProjectModified);
  EXPECT_FALSE(FileExists(dir + "/proj.cnt"));
  EXPECT_FALSE(FileExists(m.MapFilePath()));
  EXPECT_FALSE(FileExists(dir + "/proj.hpj"));
}

TEST(WriteProject, ContentsLineNamesTheFirstTopicWhenABookLeads) {
  ProjectModel m;
  m.ProjectFile = "p.hpj";
  int a = m.AddTopic("a", 1);
  int b = m.AddTopic("b", 2);
  ContentsNode* book = m.Contents.AddChild(nullptr, "B", kBookClosed, 0);
  m.Contents.AddChild(book, "b", kTopicNode, b);
  m.Contents.AddChild(nullptr, "a", kTopicNode, a);
  m.ClearTopicRow(a);  // row 0 deleted: its empty id must not be named
  m.Contents.Delete(m.Contents.Top(1));
  ProjectFileLines f = BuildProjectFiles(m);
  EXPECT_NE(std::find(f.Hpj.begin(), f.Hpj.end(), "CONTENTS=b"), f.Hpj.end());
  // A topic without a title is listed by its id.
  EXPECT_NE(std::find(f.Cnt.begin(), f.Cnt.end(), "2 b =b"), f.Cnt.end());
  EXPECT_EQ(f.Cnt[1], ":Title B");  // no help title: the first node's text
}

TEST(WindowLines, MainAndSecondWindowExamples) {
  ProjectModel m;
  ReadHpj(m, {"[WINDOWS]", "main=\"Doc\",,27648,(r16777215),(r12632256),f3",
              "sub=\"Notes\",(10,20,300,),4,(r1),(r2),f2"});
  EXPECT_EQ(m.MainButtons, "27648");
  EXPECT_EQ(m.TopicColor, 16777215u);
  EXPECT_EQ(m.NonScrollColor, 12632256u);
  EXPECT_TRUE(m.MainWindowOnTop);
  EXPECT_TRUE(m.HasSubWindow);
  EXPECT_EQ(m.SubWindowName, "sub");
  EXPECT_EQ(m.SubWindowCaption, "Notes");
  EXPECT_EQ(m.SubWindowLeft + "|" + m.SubWindowTop + "|" + m.SubWindowWidth + "|" +
                m.SubWindowHeight, "10|20|300|-1");
  EXPECT_TRUE(m.SubWindowAutoHeight);
  EXPECT_FALSE(m.SubWindowOnTop);

  m.AddTopic("t", 1);
  m.Contents.AddChild(nullptr, "t", kTopicNode, 0);
  ProjectFileLines f = BuildProjectFiles(m);
  auto at = std::find(f.Hpj.begin(), f.Hpj.end(), "[WINDOWS]");
  ASSERT_NE(at, f.Hpj.end());
  EXPECT_EQ(at[1], "main=\"\",,27648,(r16777215),(r12632256),f3");
  EXPECT_EQ(at[2], "sub=\"Notes\",(10,20,300,),4,(r16777215),(r12632256),f2");
  EXPECT_EQ(at + 3, f.Hpj.end());
}

// Main window lines of other tools: no quoted caption, a position group,
// colours as red, green and blue, a sizing value and a bare flag digit. A
// save keeps all of them, the colours in the editor's notation, and a
// second save writes the same bytes.
TEST(WindowLines, LinesOfOtherToolsKeepTheirSettingsOverTwoSaves) {
  struct Case {
    const char* line;
    const char* written;
  } cases[] = {
      {"main=,(0,0,1023,1023),1,(255,255,255),(192,192,192),0",
       "main=\"Doc\",(0,0,1023,1023),1,(r16777215),(r12632256),0"},
      {"main=,(59,756,105,123),1,(255,255,255),(192,192,192)",
       "main=\"Doc\",(59,756,105,123),1,(r16777215),(r12632256)"},
      {"Main=Old help,(1,2,3,4),0,(1,2,3),(r5),1", "main=\"Doc\",(1,2,3,4),0,(r197121),(r5),1"},
      {"main=\"\",(595,101,416,656),60416,(r14876671),(r12632256),f3",
       "main=\"Doc\",(595,101,416,656),60416,(r14876671),(r12632256),f3"},
  };
  for (const Case& c : cases) {
    std::string dir = TempDir();
    WriteFileReplacing(dir + "/p.hpj", std::string("[OPTIONS]\r\nTITLE=Doc\r\nROOT=rtf\r\n\r\n"
                                                   "[FILES]\r\na.rtf\r\n\r\n[WINDOWS]\r\n") + c.line + "\r\n");
    ProjectModel m;
    ReadProject(m, dir + "/p.hpj");
    ASSERT_TRUE(WriteProject(m)) << c.line;
    std::string first = ReadAll(dir + "/p.hpj");
    EXPECT_NE(first.find(std::string("\r\n") + c.written + "\r\n"), std::string::npos)
        << c.line << "\n" << first;
    ProjectModel r;
    ReadProject(r, dir + "/p.hpj");
    EXPECT_EQ(Dump(r), Dump(m));
    ASSERT_TRUE(WriteProject(r));
    EXPECT_EQ(ReadAll(dir + "/p.hpj"), first) << c.line;
  }
  // The on-top bit follows the options and the other bits stay.
  ProjectModel m;
  ReadHpj(m, {"[WINDOWS]", "main=,(1,2,3,4),1,(r1),(r2),0"});
  m.MainWindowOnTop = true;
  m.AddTopic("t", 1);
  m.Contents.AddChild(nullptr, "t", kTopicNode, 0);
  ProjectFileLines f = BuildProjectFiles(m);
  EXPECT_NE(std::find(f.Hpj.begin(), f.Hpj.end(), "main=\"\",(1,2,3,4),1,(r1),(r2),1"), f.Hpj.end());
  ProjectModel n;
  ReadHpj(n, {"[WINDOWS]", "main=\"\",,27648,(r1),(r2),f3"});
  n.MainWindowOnTop = false;
  n.AddTopic("t", 1);
  n.Contents.AddChild(nullptr, "t", kTopicNode, 0);
  f = BuildProjectFiles(n);
  EXPECT_NE(std::find(f.Hpj.begin(), f.Hpj.end(), "main=\"\",,27648,(r1),(r2),f2"), f.Hpj.end());
}

TEST(WindowLines, SecondWindowWithoutPositionOrFlags) {
  ProjectModel m;
  ReadHpj(m, {"[WINDOWS]", "before=\"b\"", "Main=\"\"", "w2=\"Cap\",,7", "after=\"a\""});
  EXPECT_EQ(m.WindowLines, (std::vector<std::string>{"before=\"b\"", "after=\"a\""}));
  EXPECT_EQ(m.SubButtons, "7");
  EXPECT_EQ(m.SubWindowLeft, "");
  m.AddTopic("t", 1);
  m.Contents.AddChild(nullptr, "t", kTopicNode, 0);
  ProjectFileLines f = BuildProjectFiles(m);
  auto at = std::find(f.Hpj.begin(), f.Hpj.end(), "[WINDOWS]");
  EXPECT_EQ(at[1], "main=\"\",,27648,(r14876671),(r12632256)");
  EXPECT_EQ(at[2], "w2=\"Cap\",,7,(r14876671),(r12632256),f4");
  EXPECT_EQ(at[3], "before=\"b\"");
  // Without a second window the other lines are written before the main
  // line, so that none of them is read back as the second window.
  m.HasSubWindow = false;
  f = BuildProjectFiles(m);
  at = std::find(f.Hpj.begin(), f.Hpj.end(), "[WINDOWS]");
  EXPECT_EQ(at[1], "before=\"b\"");
  EXPECT_EQ(at[2], "after=\"a\"");
  EXPECT_EQ(at[3], "main=\"\",,27648,(r14876671),(r12632256)");
}

TEST(WindowLines, ShortOrMalformedLinesKeepDefaults) {
  const char* mains[] = {"main=", "main=\"", "main=\"abc", "main=\"\",", "main=\"\",,",
                         "main=\"\",,5,(r9", "main=\"\",,5,(r", "main=\"\",,5,,,"};
  for (const char* line : mains) {
    ProjectModel m;
    ReadHpj(m, {"[WINDOWS]", line});
    EXPECT_EQ(m.TopicColor, 0xE2FFFFu) << line;
    EXPECT_FALSE(m.MainWindowOnTop) << line;
  }
  const char* subs[] = {"x", "x=", "x=\"", "x=\"c", "x=\"c\",(1,2", "x=\"c\",(", "x=\"c\",,,,,",
                        "x=\"c\",(1,2,3,4,5,6)"};
  for (const char* line : subs) {
    ProjectModel m;
    ReadHpj(m, {"[WINDOWS]", "main=\"\"", line});
    EXPECT_TRUE(m.HasSubWindow) << line;
    EXPECT_FALSE(m.SubWindowOnTop) << line;
  }
  // A colour group that is not a number keeps that colour's default and
  // the rest of the line is still read.
  ProjectModel m;
  ReadHpj(m, {"[WINDOWS]", "main=\"\",,9,(rxyz),(r7),f1"});
  EXPECT_EQ(m.MainButtons, "9");
  EXPECT_EQ(m.TopicColor, 0xE2FFFFu);
  EXPECT_EQ(m.NonScrollColor, 7u);
  EXPECT_TRUE(m.MainWindowOnTop);
  // The positions of a line of six values take the first four.
  ProjectModel s;
  ReadHpj(s, {"[WINDOWS]", "main=\"\"", "x=\"c\",(1,2,3,4,5,6),8"});
  EXPECT_EQ(s.SubWindowLeft + s.SubWindowTop + s.SubWindowWidth + s.SubWindowHeight, "1234");
  EXPECT_EQ(s.SubButtons, "8");
}

TEST(ProjectFileSections, HeadersIgnoreCaseAndSectionsRunToTheNextHeader) {
  ProjectModel m;
  bool old = false;
  ReadHpj(m,
          {"[files]", "b.rtf", "a.RTF", "[options]  ", "title=lower", "TITLE =Spaced", "COMPRESS=0",
           "COPYRIGHT =c", "; BackUp=D:\\b", "", "TITLE=after the empty line", "[OPTIONS]",
           "TITLE=second", "[CONFIG]", "BrowseButtons()", "[XYZ]", "k", "", "[MAP]", "a 5"},
          &old);
  EXPECT_EQ(m.HelpTitle, "after the empty line");
  // COMPRESS=0 asks for no compression.
  EXPECT_FALSE(m.CompressHelp);
  EXPECT_EQ(m.HelpCopyright, "c");
  EXPECT_EQ(m.BackupPath, "D:\\b");
  EXPECT_FALSE(old);
  ASSERT_EQ(m.TopicCount(), 2u);
  EXPECT_EQ(m.TopicIds[0], "b");
  EXPECT_EQ(m.TopicIds.MapNumber(1), 5);
  // [CONFIG] ends at the next header like every section.
  EXPECT_TRUE(m.UseBrowseButtons);
  EXPECT_TRUE(m.ConfigLines.empty());
  EXPECT_EQ(m.OtherSections, (std::vector<std::string>{"[XYZ]", "k"}));
}

TEST(ProjectFileSections, RootLineDecidesTheOldLayout) {
  auto old = [](std::vector<std::string> lines) {
    ProjectModel m;
    bool o = false;
    lines.insert(lines.begin(), "[OPTIONS]");
    ReadHpj(m, lines, &o);
    return o;
  };
  // Topic files taken from the project folder itself.
  EXPECT_TRUE(old({"ROOT=."}));
  EXPECT_TRUE(old({"ROOT=..", "ROOT=.\\"}));
  EXPECT_TRUE(old({"root = hlp, ."}));
  // The editor's own lines, also as it writes them for another tool's
  // project, and folders of the project's own.
  EXPECT_FALSE(old({"ROOT=rtf"}));
  EXPECT_FALSE(old({"ROOT=rtf "}));
  EXPECT_FALSE(old({"ROOT=RTF"}));
  EXPECT_FALSE(old({"ROOT=rtf,."}));
  EXPECT_FALSE(old({"ROOT=rtf\\,..,."}));
  EXPECT_FALSE(old({"ROOT=hlp"}));
  EXPECT_FALSE(old({"ROOT=rtfs"}));
  EXPECT_FALSE(old({"BMROOT=."}));
}

TEST(ProjectFileSections, CutsDoNotSplitDoubleByteCharacters) {
  ProjectModel m;
  std::string title = std::string(254, 'a') + "\x82\xa0" + "tail";  // あ across byte 255
  std::string backup = std::string(1023, 'b') + "\x82\xa0";
  ReadHpj(m, {"[OPTIONS]", "TITLE=" + title, "; BackUp=" + backup});
  EXPECT_EQ(m.HelpTitle, std::string(254, 'a'));
  EXPECT_EQ(m.BackupPath, std::string(1023, 'b'));
  ProjectModel n;
  ReadHpj(n, {"[OPTIONS]", "TITLE=" + std::string(300, 'x')});
  EXPECT_EQ(n.HelpTitle.size(), 255u);
}

TEST(ProjectFileSections, KeepsLinesItDoesNotInterpret) {
  ProjectModel m;
  ReadHpj(m, {"[FILES]", "a.rtf", "", "[ALIAS]", "X=a", "", "[MAP]", "#include <first.hm>",
              "other 7", "#define Q", "a 3 //Title A", "#include \"last.hm\"", "", "[BAGGAGE]",
              "f.bin"});
  EXPECT_EQ(m.MapFile, "last.hm");
  EXPECT_EQ(m.MapSectionLines,
            (std::vector<std::string>{"#include <first.hm>", "other 7", "#define Q"}));
  EXPECT_EQ(m.TopicTitles[0], "Title A");
  EXPECT_EQ(m.OtherSections, (std::vector<std::string>{"[ALIAS]", "X=a", "[BAGGAGE]", "f.bin"}));
  m.Contents.AddChild(nullptr, "a", kTopicNode, 0);
  ProjectFileLines f = BuildProjectFiles(m);
  auto at = std::find(f.Hpj.begin(), f.Hpj.end(), "[MAP]");
  std::vector<std::string> tail(at, at + 12);
  EXPECT_EQ(tail, (std::vector<std::string>{"[MAP]", "#include <first.hm>", "other 7", "#define Q",
                                            "#include last.hm", "", "[ALIAS]", "X=a", "",
                                            "[BAGGAGE]", "f.bin", ""}));
}

TEST(MapNumbers, ReadOrderMapThenTrailingDigitsThenAllocated) {
  ProjectModel m;
  ReadHpj(m, {"[FILES]", "HID00000012.rtf", "Intro.rtf", "Chap2.rtf", "Other.rtf", "Two.rtf",
              "", "[MAP]", "Other\t2", "two 2"});
  ReadMapFileLines(m, {"// comment", "", "intro 0", "nosuch 4"});
  CompleteMapNumbers(m);
  EXPECT_EQ(m.TopicIds.MapNumber(0), 12);
  EXPECT_EQ(m.TopicIds.MapNumber(1), 1);  // Intro: allocated
  // Chap2: 2 is taken; with 2 listed twice the walk passes over 3.
  EXPECT_EQ(m.TopicIds.MapNumber(2), 4);
  EXPECT_EQ(m.TopicIds.MapNumber(3), 2);
  EXPECT_EQ(m.TopicIds.MapNumber(4), 2);  // the same number twice from the map
  EXPECT_EQ(m.UsedMapNumbers, (std::vector<int>{1, 2, 2, 4, 12}));
  // Lines of other ids and comments are kept for the next write.
  EXPECT_EQ(m.MapFileLines, (std::vector<std::string>{"// comment", "nosuch 4"}));
}

TEST(MapNumbers, MapLineNumbersAreBounded) {
  EXPECT_EQ(ParseBoundedNumber("42"), 42);
  EXPECT_EQ(ParseBoundedNumber("0x1F"), 31);
  EXPECT_EQ(ParseBoundedNumber("2147483647"), 2147483647);
  EXPECT_EQ(ParseBoundedNumber("2147483648"), 0);
  EXPECT_EQ(ParseBoundedNumber("99999999999999999999999"), 0);
  EXPECT_EQ(ParseBoundedNumber("12a"), 0);
  EXPECT_EQ(ParseBoundedNumber("-3"), 0);
  EXPECT_EQ(ParseBoundedNumber("0x"), 0);
  ProjectModel m;
  for (const char* id : {"a", "b", "c", "d"}) m.AddTopic(id, 0);
  ReadMapFileLines(m, {"a 99999999999 //A", "b\t\t0x10 //", "c 7//C", "d 5 / x"});
  EXPECT_EQ(m.TopicIds.MapNumber(0), 0);
  EXPECT_EQ(m.TopicTitles[0], "A");
  EXPECT_EQ(m.TopicIds.MapNumber(1), 16);
  EXPECT_EQ(m.TopicIds.MapNumber(2), 0);  // "7//C" is not a number
  EXPECT_EQ(m.TopicTitles[2], "C");
  EXPECT_EQ(m.TopicIds.MapNumber(3), 5);
  EXPECT_EQ(m.TopicTitles[3], "");
}

TEST(ContentsFile, BooksLevelsAndJumps) {
  ProjectModel m;
  ReadCnt(m, {}, {"1 Getting started", "3 Deep", "2 Mid", "0 Zero", "99999999999 Big",
                  "; comment", "", "x Bad", "1"});
  EXPECT_EQ(Kinds(m), "0:0:Getting started 1:0:Deep 1:0:Mid 0:0:Zero 0:0:Big 0:0:Bad 0:0: ");
}

TEST(ContentsFile, PassedOverTopicsBecomeHiddenUnderTheTopicBefore) {
  ProjectModel m;
  ReadCnt(m, {"a", "b", "c", "d"}, {"1 A=a", "1 C=c"});
  EXPECT_EQ(Kinds(m), "0:2:A 1:3:b 0:2:C 1:3:d ");
  ProjectModel n;
  ReadCnt(n, {"x", "a", "b"}, {"1 X =x", "1 B =b", "1 A =a"});
  EXPECT_EQ(Kinds(n), "0:2:X 1:3:a 0:2:B 0:4:A ");
  EXPECT_EQ(n.CntTargets, (std::vector<std::string>{"a"}));
  EXPECT_EQ(n.Contents.Last()->Data, 0);
}

TEST(ContentsFile, EntriesTitlesAndTargets) {
  ProjectModel m;
  ReadCnt(m, {"Intro", "win", "Same", "Case", "eq"},
          {":Base x.hlp", ":TITLE t", ":Index a=b.hlp", ":include c.cnt", ":Link d.hlp",
           "1 Intro Text =Intro", "2 W =win>second", "1 Other =ext@other.hlp>w",
           "1 Same=Same", "1 case=Case", "1 a=b =eq"});
  EXPECT_EQ(m.CntCommands, (std::vector<std::string>{":Index a=b.hlp", ":Link d.hlp"}));
  EXPECT_EQ(m.CntIncludes, (std::vector<std::string>{":include c.cnt"}));
  EXPECT_EQ(m.TopicTitles[0], "Intro Text");
  EXPECT_EQ(m.TopicCntSuffixes[1], ">second");
  EXPECT_EQ(m.TopicTitles[2], "");  // equal to the id: no title
  EXPECT_EQ(m.TopicTitles[3], "case");
  EXPECT_EQ(m.TopicTitles[4], "");  // the line is cut at its first "="
  // "eq" is never named: it hangs under the last topic.
  EXPECT_EQ(Kinds(m), "0:2:Intro Text 1:2:W 0:4:Other 0:2:Same 0:2:case 1:3:eq 0:4:a ");
  EXPECT_EQ(m.CntTargets, (std::vector<std::string>{"ext@other.hlp>w", "b =eq"}));
  // Written back: the external entry with its whole target.
  m.ProjectFile = "x.hpj";
  ProjectFileLines f = BuildProjectFiles(m);
  EXPECT_EQ(f.Cnt[5], "2 W =win>second");
  EXPECT_EQ(f.Cnt[6], "1 Other =ext@other.hlp>w");
}

TEST(ContentsFile, TitleFromTheMapIsKeptWhenTheEntryShowsTheId) {
  ProjectModel m;
  m.AddTopic("a", 0);
  m.AddTopic("b", 0);
  ReadMapFileLines(m, {"a\t1 //Alpha", "b\t2 //Beta"});
  CompleteMapNumbers(m);
  ReadContentsLines(m, {"1 a=a", "1 B2=b"});
  EXPECT_EQ(m.TopicTitles[0], "Alpha");
  EXPECT_EQ(m.Contents.First()->Text, "Alpha");
  EXPECT_EQ(m.TopicTitles[1], "B2");
}

TEST(ContentsFile, TopicsReachTheTreeWhenTheFileSkipsTheFirstOnes) {
  // The first topic entry is not the first [FILES] topic.
  ProjectModel m;
  ReadCnt(m, {"a", "b", "c"}, {"1 Book", "2 C=c"});
  EXPECT_EQ(Kinds(m), "0:0:Book 1:2:C 2:3:a 2:3:b ");
  EXPECT_EQ(m.Contents.First()->FirstChild()->Data, 2);
  EXPECT_EQ(m.TopicTitles[2], "C");
  // The file names no topic at all: the first becomes a listed topic ahead
  // of the books and the others hang under it.
  ProjectModel n;
  ReadCnt(n, {"a", "b"}, {"1 Ext=elsewhere", "1 Book", "2 In=nowhere"});
  EXPECT_EQ(Kinds(n), "0:4:Ext 0:2:a 1:3:b 0:0:Book 1:4:In ");
}

TEST(ReadProject, MissingProjectFileStillReadsMapAndContents) {
  std::string dir = TempDir();
  WriteFileReplacing(dir + "/p.hm", "x\t5 //X\r\n");
  WriteFileReplacing(dir + "/p.cnt", "1 Book\n2 X=x\n");
  ProjectModel m;
  ReadProject(m, dir + "/p.hpj");
  EXPECT_EQ(m.ProjectFile, "p.hpj");
  EXPECT_EQ(m.MapFile, "p.hm");
  EXPECT_EQ(m.ProjectDir, dir);
  EXPECT_EQ(m.TopicCount(), 0u);
  EXPECT_EQ(Kinds(m), "0:0:Book 1:4:X ");
}

TEST(ReadProject, WithoutContentsFileListsEveryTopicAtTheTop) {
  std::string dir = TempDir();
  WriteFileReplacing(dir + "/p.hpj", "[OPTIONS]\r\nROOT=rtf\r\n\r\n[FILES]\r\nb.rtf\r\na.rtf\r\n");
  WriteFileReplacing(dir + "/p.hm", "a\t9 //Alpha\r\n");
  ProjectModel m;
  m.OpenTopicNode = m.Contents.AddChild(nullptr, "old", kTopicNode, 0);
  m.TopicId = "old";
  // The view is told before the old nodes go.
  struct ResetUi : ProjectFileUi {
    ProjectModel* model = nullptr;
    std::size_t nodes_when_told = 0;
    void ContentsResetting() override { nodes_when_told = model->Contents.Count(); }
  } ui;
  ui.model = &m;
  ReadProject(m, dir + "/p.hpj", &ui);
  EXPECT_EQ(ui.nodes_when_told, 1u);
  EXPECT_EQ(Kinds(m), "0:2:b 0:2:Alpha ");
  EXPECT_EQ(m.OpenTopicNode, nullptr);
  EXPECT_EQ(m.TopicId, "");
  EXPECT_EQ(m.UsedMapNumbers, (std::vector<int>{1, 9}));
}

TEST(ReadProject, OldLayoutMovesLooseFilesAndMarksModified) {
  std::string dir = TempDir();
  WriteFileReplacing(dir + "/p.hpj", "[OPTIONS]\r\nROOT=.\r\n\r\n[FILES]\r\na.rtf\r\n");
  for (const char* f : {"a.rtf", "P.BMP", "s.shg", "m.mrb", "keep.txt"}) {
    WriteFileReplacing(dir + "/" + f, f);
  }
  ProjectModel m;
  ReadProject(m, dir + "/p.hpj");
  EXPECT_TRUE(m.ProjectModified);
  EXPECT_EQ(ReadAll(dir + "/rtf/a.rtf"), "a.rtf");
  EXPECT_TRUE(FileExists(dir + "/bmp/P.BMP"));
  EXPECT_TRUE(FileExists(dir + "/bmp/s.shg"));
  EXPECT_TRUE(FileExists(dir + "/bmp/m.mrb"));
  EXPECT_TRUE(FileExists(dir + "/keep.txt"));
  EXPECT_FALSE(FileExists(dir + "/a.rtf"));

  // ROOT=rtf: nothing moves, the project is unchanged.
  EXPECT_EQ(ChangesOfReading("[OPTIONS]\r\nROOT=rtf\r\n", "x.bmp", "bmp"), "");
}

TEST(ReadProject, NoRootLineIsTheOldLayoutOnlyWithLooseTopicFiles) {
  std::string dir = TempDir();
  WriteFileReplacing(dir + "/p.hpj", "[OPTIONS]\r\nTITLE=t\r\n");
  WriteFileReplacing(dir + "/x.bmp", "x");
  ProjectModel m;
  ReadProject(m, dir + "/p.hpj");
  EXPECT_FALSE(m.ProjectModified);
  EXPECT_TRUE(FileExists(dir + "/x.bmp"));
  WriteFileReplacing(dir + "/t.rtf", "t");
  ReadProject(m, dir + "/p.hpj");
  EXPECT_TRUE(m.ProjectModified);
  EXPECT_TRUE(FileExists(dir + "/rtf/t.rtf"));
  EXPECT_TRUE(FileExists(dir + "/bmp/x.bmp"));
}

TEST(ReadProject, EnsureProjectFoldersCreatesMissingParents) {
  std::string dir = TempDir();
  ProjectModel m;
  m.ProjectDir = dir + "/new/deeper";
  EnsureProjectFolders(m);
  EXPECT_TRUE(DirectoryExists(dir + "/new/deeper/bmp"));
  EXPECT_TRUE(DirectoryExists(dir + "/new/deeper/rtf"));
}

TEST(NewProject, StartsEmptyUnderTheChosenNameWithoutReadingOrWriting) {
  std::string dir = TempDir();
  ProjectModel m;
  BuildSample(m, dir);
  m.ProjectModified = false;
  m.OpenTopicNode = m.Contents.First();
  m.TopicId = "Intro";
  m.MainButtons = "1";
  m.Program.LastComponentName = "Button1";
  m.Program.RecentFiles = {dir + "/proj.hpj"};
  // A project of the chosen name exists already: it is not read, and it
  // stays as it is until the first save.
  std::string other = TempDir();
  WriteFileReplacing(other + "/Fresh.hpj", "[OPTIONS]\r\nTITLE=Old\r\n");

  // The view hears of the reset before the nodes go, after the new name.
  struct OrderUi : ProjectFileUi {
    ProjectModel* model = nullptr;
    std::vector<std::string> events;
    void SetProjectCaption(const std::string& c, const std::string& t) override {
      events.push_back("caption " + c + " | " + t);
    }
    void ContentsResetting() override {
      events.push_back("resetting " + std::to_string(model->Contents.Count()));
    }
    void ProjectWasReset() override {
      events.push_back("reset " + std::to_string(model->Contents.Count()));
    }
  } ui;
  ui.model = &m;
  NewProject(m, other + "/Fresh.txt", &ui);

  EXPECT_EQ(ui.events, (std::vector<std::string>{
                           "caption " + other + kPathDelim + "Fresh.hpj - Quillmark | Fresh.hpj - Quillmark",
                           "resetting 5", "reset 0"}));
  EXPECT_EQ(m.ProjectFile, "Fresh.hpj");
  EXPECT_EQ(m.MapFile, "Fresh.hm");
  EXPECT_EQ(m.ProjectDir, other);
  EXPECT_TRUE(DirectoryExists(other + "/bmp"));
  EXPECT_TRUE(DirectoryExists(other + "/rtf"));
  EXPECT_EQ(ReadAll(other + "/Fresh.hpj"), "[OPTIONS]\r\nTITLE=Old\r\n");
  EXPECT_FALSE(FileExists(other + "/Fresh.hm"));
  // An empty project with the default settings; what belongs to the program
  // and the backup folder stay.
  EXPECT_TRUE(m.Contents.IsEmpty());
  EXPECT_EQ(m.TopicCount(), 0u);
  EXPECT_TRUE(m.UsedMapNumbers.empty());
  EXPECT_TRUE(m.CntTargets.empty());
  EXPECT_EQ(m.HelpTitle, "");
  EXPECT_EQ(m.MainButtons, "27648");
  EXPECT_EQ(m.SubButtons, "4");
  EXPECT_FALSE(m.HasSubWindow);
  EXPECT_EQ(m.BackupPath, "C:\\bk");
  EXPECT_EQ(m.Program.RecentFiles, (std::vector<std::string>{dir + "/proj.hpj"}));
  EXPECT_EQ(m.Program.LastComponentName, "");
  // No topic open, and modified: the first save writes the project.
  EXPECT_EQ(m.OpenTopicNode, nullptr);
  EXPECT_EQ(m.TopicId, "");
  EXPECT_TRUE(m.ProjectModified);
}
