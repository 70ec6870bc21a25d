#include <gtest/gtest.h>

#include "editor/core/CompileRules.h"
#include "editor/core/ProjectModel.h"

namespace qm::editor {
namespace {

TEST(CompileRules, CompilerCommandLineQuotesTheProgramOnly) {
  EXPECT_EQ(CompilerCommandLine("C:\\Program Files\\Help Workshop", "my demo.hpj"),
            "\"C:\\Program Files\\Help Workshop\\Hcrtf.exe\" -x -nga my demo.hpj");
  EXPECT_EQ(CompilerProgram("D:\\hcw"), "D:\\hcw\\Hcrtf.exe");
}

TEST(CompileRules, HelpWorkshopGetsTheProjectOnlyWhenOneIsOpen) {
  EXPECT_EQ(HcwCommandLine("D:\\hcw", "FBD.hpj"), "\"D:\\hcw\\hcw.exe\" FBD.hpj");
  EXPECT_EQ(HcwCommandLine("D:\\hcw", ""), "\"D:\\hcw\\hcw.exe\"");
  EXPECT_EQ(HcwProgram("D:\\hcw"), "D:\\hcw\\hcw.exe");
}

TEST(CompileRules, ZonivexStartsBesideTheEditorInTheBmpFolder) {
  EXPECT_EQ(ZonivexCommandLine("C:\\Quill mark\\"), "\"C:\\Quill mark\\zonivex.exe\"");
  EXPECT_EQ(ZonivexWorkingFolder("C:\\help\\a b"), "C:\\help\\a b\\bmp");
  // No project: no folder of its own.
  EXPECT_EQ(ZonivexWorkingFolder(""), "");
}

TEST(CompileRules, HelpFileAndLogAreNamedAfterTheProjectFile) {
  ProjectModel m;
  m.ProjectFile = "my demo.hpj";
  EXPECT_EQ(FileInProject("C:\\p q", m.HlpFileName()), "C:\\p q\\my demo.hlp");
  EXPECT_EQ(FileInProject("C:\\p q", m.ErrFileName()), "C:\\p q\\my demo.err");
  m.ProjectFile = "FBD.hpj";
  EXPECT_EQ(FileInProject("d", m.HlpFileName()), "d\\FBD.hlp");
  EXPECT_EQ(FileInProject("d", m.ErrFileName()), "d\\FBD.err");
  // A project file that names its own: relative to the folder, or absolute.
  m.OptionsAsRead.HelpFile = "out\\Product.HLP";
  m.OptionsAsRead.ErrorLog = "C:\\logs\\fbd.log";
  EXPECT_EQ(FileInProject("d", m.HlpFileName()), "d\\out\\Product.HLP");
  EXPECT_EQ(FileInProject("d", m.ErrFileName()), "C:\\logs\\fbd.log");
  EXPECT_EQ(FileInProject("d", "\\x.hlp"), "\\x.hlp");
}

TEST(CompileRules, TopicSearchWindowTitleIsTheViewersOwn) {
  EXPECT_EQ(TopicSearchWindowTitle("FBD Help"), "\x83\x67\x83\x73\x83\x62\x83\x4e\x82\xcc\x8c\x9f\x8d\xf5: FBD Help");
}

// A double click in the pane selects a word together with the blank after it
// (under Wine), or the word alone (on Windows); both name the same topic.
TEST(CompileRules, TheSelectedIdLosesTheBlanksAroundIt) {
  ProjectModel m;
  m.AddTopic("Intro", 1);
  m.AddTopic("HID00000002", 2);
  const std::string line = "HC3025: Warning: Popups.rtf : Jump to undefined Topic ID: BadId in topic Intro .";
  std::size_t at = line.find("Intro");
  for (std::string sel : {line.substr(at, 6), line.substr(at, 5), line.substr(at - 1, 7)}) {
    EXPECT_EQ(SelectedTopicId(sel), "Intro") << "[" << sel << "]";
    EXPECT_EQ(m.TopicIds.IndexOf(SelectedTopicId(sel)), 0);
  }
  EXPECT_EQ(SelectedTopicId("\tHID00000002\r\n"), "HID00000002");
  EXPECT_EQ(SelectedTopicId("  \r\n"), "");
  // A double-byte id keeps its bytes (no trail byte is a blank).
  EXPECT_EQ(SelectedTopicId("\x83\x40\x83\x41 "), "\x83\x40\x83\x41");
  // Anything inside stays: a selection of several words is no id.
  EXPECT_EQ(m.TopicIds.IndexOf(SelectedTopicId("topic Intro ")), -1);
}

TEST(CompileRules, AProgramThatCannotStartIsNamed) {
  std::string m = CannotStartMessage("D:\\hcw\\Hcrtf.exe", false);
  EXPECT_EQ(m.rfind("D:\\hcw\\Hcrtf.exe ", 0), 0u) << m;
  EXPECT_EQ(m.find('\n'), std::string::npos);
  std::string unset = CannotStartMessage("Hcrtf.exe", true);
  EXPECT_EQ(unset.rfind("Hcrtf.exe ", 0), 0u);
  EXPECT_NE(unset.find("Help Workshop"), std::string::npos);
}

}  // namespace
}  // namespace qm::editor
