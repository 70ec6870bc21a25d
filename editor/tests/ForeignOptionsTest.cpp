// [OPTIONS] of projects that other tools or authors wrote: a save keeps
// every option the author did not change here, puts the editor's folders
// before the project's own, and leaves the editor's own projects exactly as
// it always wrote them.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/Cp932.h"
#include "editor/core/ProjectFiles.h"
#include "TestUtil.h"

using namespace qm;
using namespace qm::editor;
using namespace qm::editor::test;

namespace {

// The lines of [OPTIONS] in a project file's text.
std::vector<std::string> OptionsOf(const std::string& hpj) {
  std::vector<std::string> out;
  bool in = false;
  for (const std::string& line : SplitLines(hpj)) {
    if (!line.empty() && line[0] == '[') in = line == "[OPTIONS]";
    else if (in && !line.empty()) out.push_back(line);
  }
  return out;
}

const char kForeign[] =
    "[OPTIONS]\r\n"
    "; built by hand\r\n"
    "COMPRESS=NONE\r\n"
    "ERRORLOG=build\\errors.log\r\n"
    "LCID=0x409 0x0 0x0 ; English (United States)\r\n"
    "CONTENTS=intro\r\n"
    "TITLE=Product Help\r\n"
    "CITATION=From the product manual\r\n"
    "ICON=product.ico\r\n"
    "WARNING=3\r\n"
    "DEFFONT=Arial,10,0\r\n"
    "OPTCDROM=1\r\n"
    "OLDKEYPHRASE=No\r\n"
    "BMROOT=BITMAPS, SHG\r\n"
    "BMROOT=..\\art\r\n"
    "HLP=Product.HLP\r\n"
    "\r\n"
    "[FILES]\r\n"
    "intro.rtf\r\n"
    "hlp\\ref.rtf\r\n";

}  // namespace

TEST(ForeignOptions, ASaveKeepsWhatTheAuthorDidNotChangeHere) {
  const std::string dir = TempDir();
  WriteFileReplacing(dir + "/guide.hpj", kForeign);
  ProjectModel m;
  ReadProject(m, dir + "/guide.hpj");
  EXPECT_FALSE(m.ProjectModified);
  EXPECT_FALSE(m.CompressHelp);  // NONE is no compression
  // What the editor does with the built help and the log follows the file.
  EXPECT_EQ(m.HlpFileName(), "Product.HLP");
  EXPECT_EQ(m.ErrFileName(), "build\\errors.log");

  m.ProjectModified = true;
  ASSERT_TRUE(WriteProject(m));
  // Only what the editor needs is added, at its place: the contents file it
  // writes, its folders before the project's (the project folder stands for
  // a missing ROOT=); the language stays English.
  const std::vector<std::string> kept = {
      "; built by hand", "COMPRESS=NONE", "ERRORLOG=build\\errors.log",
      "LCID=0x409 0x0 0x0 ; English (United States)", "REPORT=Yes", "CONTENTS=intro",
      "TITLE=Product Help", "CNT=guide.cnt", "CITATION=From the product manual", "ICON=product.ico",
      "WARNING=3", "DEFFONT=Arial,10,0", "OPTCDROM=1", "OLDKEYPHRASE=No",
      "BMROOT=bmp,BITMAPS,SHG,..\\art", "ROOT=rtf,.", "HLP=Product.HLP"};
  const std::string saved = ReadAll(dir + "/guide.hpj");
  EXPECT_EQ(OptionsOf(saved), kept);
  EXPECT_NE(saved.find("[FILES]\r\nintro.rtf\r\nhlp\\ref.rtf\r\n"), std::string::npos) << saved;
  EXPECT_EQ(SplitLines(ReadAll(dir + "/guide.cnt"))[0], ":Base Product.HLP>main");

  // Read back, the editor's own ROOT= and BMROOT= lines are not the old
  // layout and stay as they are.
  ProjectModel again;
  ReadProject(again, dir + "/guide.hpj");
  EXPECT_FALSE(again.ProjectModified);
  again.ProjectModified = true;
  ASSERT_TRUE(WriteProject(again));
  EXPECT_EQ(ReadAll(dir + "/guide.hpj"), saved);

  // What the author changes here is written in place of the line read.
  again.HelpTitle = "Guide";
  again.CompressHelp = true;
  again.ProjectModified = true;
  ASSERT_TRUE(WriteProject(again));
  std::vector<std::string> changed = kept;
  changed[1] = "COMPRESS=12 Hall Zeck";
  changed[6] = "TITLE=Guide";
  EXPECT_EQ(OptionsOf(ReadAll(dir + "/guide.hpj")), changed);
}

TEST(ForeignOptions, AFileWithoutOptionsGetsTheEditorsOwnButNoLanguage) {
  const std::string dir = TempDir();
  WriteFileReplacing(dir + "/p.hpj", "[FILES]\r\na.rtf\r\n\r\n[OPTIONS]\r\nroot = src\r\nroot=..\\shared\r\n");
  ProjectModel m;
  ReadProject(m, dir + "/p.hpj");
  m.ProjectModified = true;
  ASSERT_TRUE(WriteProject(m));
  EXPECT_EQ(OptionsOf(ReadAll(dir + "/p.hpj")),
            (std::vector<std::string>{"ERRORLOG=p.err", "REPORT=Yes", "CONTENTS=a", "CNT=p.cnt",
                                      "BMROOT=bmp,src,..\\shared", "ROOT=rtf,src,..\\shared",
                                      "HLP=p.hlp"}));
}

// The editor's own project, read and changed here, is written exactly as
// the editor writes a project it never read.
TEST(ForeignOptions, OwnProjectsAreWrittenAsTheEditorAlwaysWroteThem) {
  const std::string dir = TempDir();
  auto make = [&](ProjectModel& m) {
    m.ProjectDir = dir;
    m.ProjectFile = "own.hpj";
    m.MapFile = "own.hm";
    for (const char* id : {"Intro", "Next", "Last"}) {
      m.Contents.AddChild(nullptr, id, kTopicNode, m.AddTopic(id, 0));
    }
    CompleteMapNumbers(m);
    m.HelpTitle = "Doc";
    m.CompressHelp = true;
    m.BackupPath = "C:\\bk";
  };
  using Change = void (*)(ProjectModel&);
  const Change changes[] = {
      [](ProjectModel&) {},
      [](ProjectModel& m) { m.HelpTitle = "Other"; },
      [](ProjectModel& m) { m.HelpTitle.clear(); },
      [](ProjectModel& m) { m.HelpCopyright = "(c) me"; },
      [](ProjectModel& m) { m.CompressHelp = false; },
      [](ProjectModel& m) { m.BackupPath.clear(); },
      [](ProjectModel& m) { m.Contents.MoveBefore(m.Contents.Top(2), m.Contents.Top(0)); },
  };
  for (int round = 0; round < 2; ++round) {
    for (std::size_t k = 0; k < std::size(changes); ++k) {
      ProjectModel first;
      make(first);
      if (round == 1) {
        // Without compression, title and backup folder to begin with.
        first.CompressHelp = false;
        first.HelpTitle.clear();
        first.BackupPath.clear();
      }
      ASSERT_TRUE(WriteProject(first));
      ProjectModel read;
      ReadProject(read, dir + "/own.hpj");
      changes[k](read);
      const std::string expected = JoinLines([&] {
        ProjectModel::OptionsRead as_read = read.OptionsAsRead;
        read.OptionsAsRead = {};
        Lines h = BuildProjectFiles(read).Hpj;
        read.OptionsAsRead = as_read;
        return h;
      }());
      read.ProjectModified = true;
      ASSERT_TRUE(WriteProject(read));
      EXPECT_EQ(ReadAll(dir + "/own.hpj"), expected) << "round " << round << ", change " << k;
    }
  }
}

// A foreign project's files stay in its own folders; from the project folder
// only what the compiler took from there moves into the editor's folders.
TEST(ForeignOptions, OldLayoutMovesOnlyWhatTheCompilerFoundInTheProjectFolder) {
  namespace fs = std::filesystem;
  const std::string dir = TempDir();
  WriteFileReplacing(dir + "/p.hpj",
                     "[OPTIONS]\r\nROOT=sub,.\r\nBMROOT=BITMAPS\r\n\r\n[FILES]\r\na.rtf\r\nb.rtf\r\n");
  fs::create_directories(dir + "/sub");
  fs::create_directories(dir + "/BITMAPS");
  WriteFileReplacing(dir + "/sub/a.rtf", "sub a");
  WriteFileReplacing(dir + "/a.rtf", "loose a");
  WriteFileReplacing(dir + "/b.rtf", "loose b");
  WriteFileReplacing(dir + "/loose.bmp", "not a picture of the help");
  WriteFileReplacing(dir + "/BITMAPS/x.bmp", "x");
  ProjectModel m;
  ReadProject(m, dir + "/p.hpj");
  EXPECT_TRUE(m.ProjectModified);
  EXPECT_EQ(ReadAll(dir + "/rtf/b.rtf"), "loose b");
  // sub\a.rtf came before the loose a.rtf: moved into rtf, the loose one
  // would have been found first.
  EXPECT_EQ(ReadAll(dir + "/a.rtf"), "loose a");
  EXPECT_FALSE(FileExists(dir + "/rtf/a.rtf"));
  EXPECT_TRUE(FileExists(dir + "/loose.bmp"));
  EXPECT_TRUE(FileExists(dir + "/BITMAPS/x.bmp"));
  EXPECT_EQ(ReadAll(dir + "/sub/a.rtf"), "sub a");
  ASSERT_TRUE(WriteProject(m));
  const std::vector<std::string> options = OptionsOf(ReadAll(dir + "/p.hpj"));
  EXPECT_NE(std::find(options.begin(), options.end(), "ROOT=rtf,sub,."), options.end());
  EXPECT_NE(std::find(options.begin(), options.end(), "BMROOT=bmp,BITMAPS"), options.end());

  // Topic files in a folder of the project's own are not the old layout.
  EXPECT_EQ(ChangesOfReading("[OPTIONS]\r\nROOT=hlp\r\n\r\n[FILES]\r\na.rtf\r\n", "stray.rtf", "rtf"), "");
}
