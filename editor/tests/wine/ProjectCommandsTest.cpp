#include <gtest/gtest.h>

#include "WineTestUtil.h"
#include "classlib/Application.h"
#include "core/FileSystem.h"
#include "editor/core/RecentProjects.h"

using namespace qm::editor::test;
using namespace qm::editor;

namespace {

std::string MenuCaption(cl::TMenuItem* m, int i) { return m->Item(i)->Caption(); }

TEST(ProjectCommands, OpenReadsTheProjectIntoTheTreeAndTheCaptions) {
  EditorFixture fx;
  std::string dir = CopyProject("andes-fbd");
  fx.dialog_answers = {dir + "\\FBD.hpj"};
  fx.form->ProjectCmds->OpenAExecute(nullptr);
  TMainForm& f = *fx.form;
  EXPECT_EQ(f.Text(), dir + "\\FBD.hpj - Quillmark");
  EXPECT_EQ(cl::Application().Title(), "FBD.hpj - Quillmark");
  EXPECT_EQ(f.ConTextView->Count(), static_cast<int>(f.Project.Contents.Count()));
  EXPECT_GT(f.ConTextView->Count(), 0);
  EXPECT_TRUE(f.ProjectCmds->SaveA->Enabled());
  EXPECT_TRUE(f.CompileCmds->HelpMakeA->Enabled());
  EXPECT_TRUE(f.CompileCmds->HelpView->Enabled());
  EXPECT_TRUE(f.CompileCmds->FindID->Enabled());
  // The old layout moved into bmp and rtf.
  EXPECT_TRUE(qm::FileExists(dir + "\\rtf\\Andes.rtf"));
  EXPECT_TRUE(qm::FileExists(dir + "\\bmp\\Force.bmp"));
  ASSERT_EQ(f.Project.Program.RecentFiles.size(), 1u);
  EXPECT_EQ(MenuCaption(f.FileMenu, 10).substr(0, 3), "&1 ");
  EXPECT_TRUE(f.Editor->ReadOnly());
  // Save writes the project files (the conversion marked it modified).
  f.ProjectCmds->SaveAExecute(nullptr);
  EXPECT_FALSE(f.Project.ProjectModified);
  EXPECT_NE(ReadFile(dir + "\\FBD.hpj").find("[FILES]\r\n"), std::string::npos);
}

TEST(ProjectCommands, TheRecentMenuHoldsTheLastFiveProjects) {
  EditorFixture fx;
  std::string dir = NewTempDir();
  for (int i = 1; i <= 6; ++i) {
    fx.dialog_answers = {dir + "\\p" + std::to_string(i) + ".hpj"};
    fx.form->ProjectCmds->FileNew(nullptr);
    // A new project with no contents: the save shows its message only.
  }
  TMainForm& f = *fx.form;
  ASSERT_EQ(f.FileMenu->Count(), 11 + 1 + 5);
  EXPECT_EQ(MenuCaption(f.FileMenu, 10), RecentItemCaption(1, dir + "\\p6.hpj"));
  EXPECT_EQ(MenuCaption(f.FileMenu, 14), RecentItemCaption(5, dir + "\\p2.hpj"));
  EXPECT_TRUE(f.FileMenu->Item(15)->IsSeparator());
  EXPECT_EQ(f.FileMenu->Item(16), f.ExitItem);
  // Each New after the first saved an empty project: the message, no file.
  ASSERT_GE(fx.boxes.size(), 1u);
  EXPECT_EQ(fx.boxes[0].text, "コンテキストがありません.");
  EXPECT_FALSE(qm::FileExists(dir + "\\p1.hpj"));
  EXPECT_TRUE(qm::DirectoryExists(dir + "\\rtf"));
  // Choosing the third recent project opens it and moves it to the front.
  fx.boxes.clear();
  f.FileMenu->Item(12)->Click();
  EXPECT_EQ(f.Project.ProjectFile, "p4.hpj");
  EXPECT_EQ(MenuCaption(f.FileMenu, 10), RecentItemCaption(1, dir + "\\p4.hpj"));
  EXPECT_EQ(f.FileMenu->Count(), 17);
}

// The tree view's items point at the contents nodes: New and Open must not
// let the view hold items of freed nodes while the editor is cleared (its
// status and the contents commands read the selected node).
TEST(ProjectCommands, NewAndOpenWithANodeSelectedStartFromTheNewTree) {
  EditorFixture fx;
  TMainForm& f = *fx.form;
  std::string dir = CopyProject("andes-fbd");
  fx.dialog_answers = {dir + "\\FBD.hpj"};
  f.ProjectCmds->OpenAExecute(nullptr);
  fx.ClickTopic("Popups");
  ASSERT_NE(f.ContentsCmds->NodeOfItem(f.ConTextView->Selected()), nullptr);
  ASSERT_EQ(f.StatusBar->PanelText(0), "Popups");

  std::string other = NewTempDir();
  fx.dialog_answers = {other + "\\fresh.hpj"};
  f.ProjectCmds->FileNew(nullptr);
  EXPECT_EQ(f.ConTextView->Count(), 0);
  EXPECT_EQ(f.ConTextView->Selected(), nullptr);
  EXPECT_EQ(f.StatusBar->PanelText(0), "");
  EXPECT_TRUE(f.Editor->ReadOnly());
  EXPECT_TRUE(f.ContentsCmds->AddBookA->Enabled());
  EXPECT_TRUE(f.ContentsCmds->AddCntA->Enabled());
  EXPECT_FALSE(f.ContentsCmds->AddHideA->Enabled());
  EXPECT_FALSE(f.ContentsCmds->DelCntA->Enabled());
  // The new project takes its first topic.
  f.ContentsCmds->AddCntAExecute(f.ContentsCmds->AddCntA);
  EXPECT_EQ(f.StatusBar->PanelText(0), "HID00000001");
  EXPECT_EQ(f.ConTextView->Count(), 1);

  // Open with the new topic selected reads the other project's tree.
  f.ProjectCmds->SaveAExecute(nullptr);
  fx.dialog_answers = {dir + "\\FBD.hpj"};
  f.ProjectCmds->OpenAExecute(nullptr);
  EXPECT_EQ(f.ConTextView->Count(), static_cast<int>(f.Project.Contents.Count()));
  EXPECT_EQ(f.StatusBar->PanelText(0), "");
  EXPECT_FALSE(f.ContentsCmds->DelCntA->Enabled());
}

TEST(ProjectCommands, NewOnAnExistingProjectAsksFirst) {
  EditorFixture fx;
  std::string dir = CopyProject("calques3d");
  fx.box_answer = IDNO;
  fx.dialog_answers = {dir + "\\Calques3D.hpj"};
  fx.form->ProjectCmds->FileNew(nullptr);
  ASSERT_EQ(fx.boxes.size(), 1u);
  EXPECT_NE(fx.boxes[0].flags & MB_YESNO, 0u);
  EXPECT_TRUE(fx.form->Project.ProjectFile.empty());
  EXPECT_FALSE(fx.form->ProjectCmds->SaveA->Enabled());
}

TEST(Topics, ATopicLoadsIntoTheRichEditAndSavesBackWithItsFootnotes) {
  EditorFixture fx;
  std::string dir = CopyProject("andes-fbd");
  fx.dialog_answers = {dir + "\\FBD.hpj"};
  fx.form->ProjectCmds->OpenAExecute(nullptr);
  TMainForm& f = *fx.form;
  fx.ClickTopic("Popups");
  ASSERT_EQ(f.Project.TopicId, "Popups");
  EXPECT_FALSE(f.Editor->ReadOnly());
  EXPECT_EQ(f.StatusBar->PanelText(0), "Popups");
  std::string before = f.Editor->PlainText();
  EXPECT_FALSE(before.empty());

  fx.TypeAtEnd("\r{pop Alpha,A} と {tid extra}");
  ASSERT_TRUE(f.Editor->Modified());
  ASSERT_TRUE(f.IsShortCut('S', cl::ssCtrl));
  EXPECT_FALSE(f.Editor->Modified());
  std::string saved = ReadFile(dir + "\\rtf\\Popups.rtf");
  EXPECT_NE(saved.find("#{\\footnote Popups}"), std::string::npos);
  EXPECT_NE(saved.find("{\\ul Alpha}{\\v A}"), std::string::npos);
  EXPECT_NE(saved.find("#{\\footnote extra}"), std::string::npos);
  int depth = 0;
  for (std::size_t i = 0; i < saved.size(); ++i) {
    if (saved[i] == '\\') { ++i; continue; }
    if (saved[i] == '{') ++depth;
    if (saved[i] == '}') --depth;
    ASSERT_GE(depth, 0);
  }
  EXPECT_EQ(depth, 0);

  // Opening it again shows the same markup.
  fx.ClickTopic("Andes");
  fx.ClickTopic("Popups");
  std::string again = f.Editor->PlainText();
  EXPECT_NE(again.find("{pop Alpha,A}"), std::string::npos);
  EXPECT_NE(again.find("{tid extra}"), std::string::npos);
}

TEST(Topics, ATopicFileThatCannotBeReadLeavesNoTopicOpen) {
  EditorFixture fx;
  std::string dir = CopyProject("andes-fbd");
  fx.dialog_answers = {dir + "\\FBD.hpj"};
  fx.form->ProjectCmds->OpenAExecute(nullptr);
  fx.ClickTopic("Popups");
  ASSERT_EQ(fx.form->Project.TopicId, "Popups");
  HANDLE lock = CreateFileA((dir + "\\rtf\\AfxPrint.rtf").c_str(), GENERIC_READ, 0, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);
  EXPECT_THROW(fx.ClickTopic("AfxPrint"), qm::FileError);
  CloseHandle(lock);
  EXPECT_TRUE(fx.form->Project.TopicId.empty());
  EXPECT_EQ(fx.form->Project.OpenTopicNode, nullptr);
  EXPECT_TRUE(fx.form->Editor->ReadOnly());
}

}  // namespace

namespace {

TEST(Topics, DeletingASetAsidePictureAsksBeforeTheSave) {
  EditorFixture fx;
  std::string dir = CopyProject("andes-fbd");
  fx.dialog_answers = {dir + "\\FBD.hpj"};
  fx.form->ProjectCmds->OpenAExecute(nullptr);
  TMainForm& f = *fx.form;
  fx.ClickTopic("Equation");
  ASSERT_EQ(f.Project.TopicId, "Equation");
  ASSERT_FALSE(f.TopicCmds->OpenTopicStash.Items.empty());
  std::string before = ReadFile(dir + "\\rtf\\Equation.rtf");
  // Select the whole text and type over it: every placeholder goes.
  f.Editor->SetSel(0, -1);
  f.Editor->SetSelText("x");
  fx.boxes.clear();
  fx.box_answer = IDNO;
  EXPECT_THROW(f.TopicCmds->SaveTopic(), std::runtime_error);
  ASSERT_EQ(fx.boxes.size(), 1u);
  EXPECT_NE(fx.boxes[0].text.find("{pict "), std::string::npos);
  EXPECT_EQ(ReadFile(dir + "\\rtf\\Equation.rtf"), before);
  EXPECT_TRUE(f.Editor->Modified());
  fx.box_answer = IDYES;
  f.TopicCmds->SaveTopic();
  EXPECT_NE(ReadFile(dir + "\\rtf\\Equation.rtf"), before);
}

}  // namespace
