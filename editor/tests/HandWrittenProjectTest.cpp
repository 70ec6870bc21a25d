// A help project written by hand, as authors write them: comment blocks and
// empty lines inside sections, files outside the project folder, a blank in
// a topic file's name, colours as red, green and blue. It must read whole,
// lose nothing when saved and save twice to the same bytes.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/Cp932.h"
#include "editor/core/ProjectFiles.h"
#include "TestUtil.h"

using namespace qm;
using namespace qm::editor;
using namespace qm::editor::test;

namespace {

const char kHandWritten[] =
    "; The user guide, written by hand.\r\n"
    "\r\n"
    "[OPTIONS]\r\n"
    "; what the compiler needs\r\n"
    "\r\n"
    "ROOT=rtf\r\n"
    "TITLE=User guide\r\n"
    "\r\n"
    "[FILES]\r\n"
    "; Topic files of the guide\r\n"
    "\r\n"
    "intro.rtf\r\n"
    "\r\n"
    "; the reference part\r\n"
    "My Topic.rtf\r\n"
    "..\\..\\shared\\common.rtf\r\n"
    "C:\\elsewhere\\x.rtf\r\n"
    "ref.rtf\r\n"
    "\r\n"
    "[ALIAS]\r\n"
    "; aliases of the dialogs\r\n"
    "HIDD_A=intro\r\n"
    "\r\n"
    "HIDD_B = ref\r\n"
    "HIDD_C=My Topic\r\n"
    "\r\n"
    "[MAP]\r\n"
    "; numbers of the topics\r\n"
    "#include guide.hm\r\n"
    "\r\n"
    "intro 10\r\n"
    "[WINDOWS]\r\n"
    "; the main window\r\n"
    "main=\"Guide\",,27648,(255,255,225),(192,192,192),f1\r\n"
    "\r\n"
    "sub=\"Notes\",(10,20,300,400),4,(255,255,225),(192,192,192),f2\r\n"
    "\r\n"
    "[CONFIG]\r\n"
    "; buttons\r\n"
    "BrowseButtons()\r\n"
    "\r\n"
    "CB(\"b\",\"&B\",\"JI(`',`c')\")\r\n";

class HandWrittenProject : public ::testing::Test {
 protected:
  void SetUp() override {
    base_ = TempDir();
    dir_ = base_ + "/a/b/guide";
    std::filesystem::create_directories(dir_);
    std::filesystem::create_directories(base_ + "/shared");
    WriteFileReplacing(base_ + "/shared/common.rtf", "shared");
    WriteFileReplacing(dir_ + "/guide.hpj", kHandWritten);
    WriteFileReplacing(dir_ + "/guide.hm", "// Context ID list\r\nMy Topic\t7 //Mine\r\n");
    ReadProject(m_, dir_ + "/guide.hpj");
  }
  std::string Hpj() const { return ReadAll(dir_ + "/guide.hpj"); }
  std::string Map() const { return ReadAll(dir_ + "/guide.hm"); }

  std::string base_, dir_;
  ProjectModel m_;
};

}  // namespace

TEST_F(HandWrittenProject, ReadsEveryTopicAndSetting) {
  ASSERT_EQ(m_.TopicCount(), 3u);
  EXPECT_EQ(m_.TopicIds[0], "intro");
  EXPECT_EQ(m_.TopicIds[1], "My Topic");
  EXPECT_EQ(m_.TopicIds[2], "ref");
  EXPECT_EQ(m_.TopicIds.MapNumber(0), 10);
  EXPECT_EQ(m_.TopicIds.MapNumber(1), 7);
  EXPECT_EQ(m_.TopicTitles[1], "Mine");
  EXPECT_TRUE(m_.MapFileLines.empty());
  EXPECT_EQ(m_.HelpTitle, "User guide");
  EXPECT_EQ(m_.TopicColor, 0xE1FFFFu);
  EXPECT_EQ(m_.NonScrollColor, 0xC0C0C0u);
  EXPECT_TRUE(m_.MainWindowOnTop);
  // The empty line after the main window is no second window.
  EXPECT_EQ(m_.SubWindowName, "sub");
  EXPECT_EQ(m_.SubWindowHeight, "400");
  EXPECT_TRUE(m_.SubWindowAutoHeight);
  EXPECT_FALSE(m_.SubWindowOnTop);
  EXPECT_EQ(m_.WindowLines, (std::vector<std::string>{"; the main window"}));
  EXPECT_TRUE(m_.UseBrowseButtons);
  EXPECT_EQ(m_.ConfigLines, (std::vector<std::string>{"; buttons", "", "CB(\"b\",\"&B\",\"JI(`',`c')\")"}));
  EXPECT_EQ(m_.OtherSections, (std::vector<std::string>{"[ALIAS]", "; aliases of the dialogs", "HIDD_A=intro",
                                                        "", "HIDD_B = ref", "HIDD_C=My Topic"}));
  EXPECT_EQ(m_.MapSectionLines, (std::vector<std::string>{"; numbers of the topics", ""}));
  EXPECT_EQ(m_.MapFile, "guide.hm");
}

TEST_F(HandWrittenProject, FilesOutsideTheFolderAndCommentsAreNoTopics) {
  for (std::size_t i = 0; i < m_.TopicCount(); ++i) {
    EXPECT_EQ(FindChar(m_.TopicIds[i], '\\'), std::string::npos) << m_.TopicIds[i];
    EXPECT_EQ(FindChar(m_.TopicIds[i], ':'), std::string::npos) << m_.TopicIds[i];
    EXPECT_NE(m_.TopicIds[i][0], ';');
  }
  ASSERT_EQ(m_.FilesLines.size(), 4u);
  EXPECT_EQ(m_.FilesLines[2].Line, "..\\..\\shared\\common.rtf");
  EXPECT_EQ(m_.FilesLines[2].BeforeTopic, 2);
  // The shared file is neither written nor deleted by a save; it is named
  // where it stood.
  m_.ProjectModified = true;
  ASSERT_TRUE(WriteProject(m_));
  EXPECT_EQ(ReadAll(base_ + "/shared/common.rtf"), "shared");
  const std::string hpj = Hpj();
  EXPECT_NE(hpj.find("[FILES]\r\n; Topic files of the guide\r\nintro.rtf\r\n; the reference part\r\n"
                     "My Topic.rtf\r\n..\\..\\shared\\common.rtf\r\nC:\\elsewhere\\x.rtf\r\nref.rtf\r\n\r\n"),
            std::string::npos)
      << hpj;
}

TEST_F(HandWrittenProject, SavesTwiceToTheSameBytesAndLosesNothing) {
  m_.ProjectModified = true;
  ASSERT_TRUE(WriteProject(m_));
  const std::string hpj = Hpj(), map = Map();
  // Every alias line, in its place; the colours as read.
  EXPECT_NE(hpj.find("[ALIAS]\r\n; aliases of the dialogs\r\nHIDD_A=intro\r\n\r\nHIDD_B = ref\r\n"
                     "HIDD_C=My Topic\r\n"),
            std::string::npos)
      << hpj;
  EXPECT_NE(hpj.find("main=\"User guide\",,27648,(r14811135),(r12632256),f1\r\n"), std::string::npos) << hpj;
  // The topic whose id holds a blank has one map line.
  EXPECT_EQ(map, "// Context ID list\r\nintro\t10 //\r\nMy Topic\t7 //Mine\r\nref\t1 //\r\n");

  for (int round = 0; round < 2; ++round) {
    ProjectModel again;
    ReadProject(again, dir_ + "/guide.hpj");
    EXPECT_EQ(Dump(again), Dump(m_));
    again.ProjectModified = true;
    ASSERT_TRUE(WriteProject(again));
    EXPECT_EQ(Hpj(), hpj);
    EXPECT_EQ(Map(), map);
  }
}
