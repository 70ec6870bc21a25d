#include <gtest/gtest.h>

#include <richedit.h>

#include <vector>

#include "WineTestUtil.h"
#include "classlib/tests/ModalTest.h"
#include "classlib/tests/RtfControlWord.h"
#include "editor/EditingCommands.h"
#include "editor/TableIndentCommands.h"
#include "editor/core/EditingSurface.h"
#include "editor/TableIndentDialogs.h"

using namespace qm::editor::test;
using namespace qm::editor;

namespace {

struct OpenProject {
  EditorFixture fx;
  std::string dir = CopyProject("andes-fbd");
  TMainForm& f = *fx.form;
  TTableIndentCommands& cmds = f.Group<TTableIndentCommands>();
  OpenProject() {
    fx.dialog_answers = {dir + "\\FBD.hpj"};
    f.ProjectCmds->OpenAExecute(nullptr);
  }
  void OpenFirstTopic() {
    for (ContentsNode* n : f.Project.Contents.Nodes()) {
      if (n->Kind == kTopicNode) {
        fx.ClickTopic(f.Project.TopicIds.Id(static_cast<std::size_t>(n->Data)));
        break;
      }
    }
    ASSERT_FALSE(f.Project.TopicId.empty());
  }
};

TEST(TableDialog, TheGridBecomesTableMarkupAtTheSelection) {
  OpenProject p;
  EXPECT_FALSE(p.cmds.TableA->Enabled());  // no topic open
  p.OpenFirstTopic();
  ASSERT_TRUE(p.cmds.TableA->Enabled());
  p.f.Editor->SetSel(0, 0);
  Answer<TTableDlg>(p.fx, [](TTableDlg& dlg) {
    EXPECT_EQ(dlg.TbGrid->Cells(0, 1), "1");
    EXPECT_EQ(dlg.TbGrid->Cells(2, 0), "2");
    EXPECT_EQ(dlg.TbGrid->ColWidth(0), 20);
    // Three rows: the new one is numbered; lowered and raised again, too.
    dlg.RowUpDown->SetPosition(3);
    dlg.RowEdChange();
    EXPECT_EQ(dlg.TbGrid->RowCount(), 4);
    EXPECT_EQ(dlg.TbGrid->Cells(0, 3), "3");
    dlg.TbGrid->SetCells(0, 3, "");
    dlg.RowUpDown->SetPosition(2);
    dlg.RowEdChange();
    dlg.RowUpDown->SetPosition(3);
    dlg.RowEdChange();
    EXPECT_EQ(dlg.TbGrid->Cells(0, 3), "3");
    const char* texts[3][2] = {{"a", "b"}, {"c", ""}, {"表", "f"}};
    for (int r = 0; r < 3; ++r)
      for (int c = 0; c < 2; ++c) dlg.TbGrid->SetCells(c + 1, r + 1, texts[r][c]);
    // Enter moves on to the next cell and does not close the dialog.
    dlg.TbGrid->SetFocus();
    dlg.TbGrid->SetCurrent(1, 1);
    qmtest::PressKey(VK_RETURN);
    EXPECT_EQ(dlg.TbGrid->Col(), 2);
    EXPECT_EQ(dlg.ModalResult(), cl::mrNone);
  });
  p.cmds.TableA->Execute();
  EXPECT_EQ(p.f.Editor->PlainText().find("{size 1000,2000}{table}a{td}b{td}{tr}c{td}{td}{tr}表{td}f{td}{tr}{end}"),
            0u);

  // Cancelled: nothing inserted.
  const std::string before = p.f.Editor->PlainText();
  Answer<TTableDlg>(p.fx, nullptr, cl::mrCancel);
  p.cmds.TableA->Execute();
  EXPECT_EQ(p.f.Editor->PlainText(), before);
}

TEST(IndentDialog, IndentsInTheAuthorsTermsAndBack) {
  OpenProject p;
  p.OpenFirstTopic();
  HWND edit = p.f.Editor->Handle();
  p.f.Editor->SetSel(0, 0);
  PARAFORMAT2 pf = {};
  pf.cbSize = sizeof pf;
  pf.dwMask = PFM_STARTINDENT | PFM_OFFSET | PFM_RIGHTINDENT;
  pf.dxStartIndent = 10 * 20;
  pf.dxOffset = 20 * 20;
  pf.dxRightIndent = 5 * 20;
  SendMessageA(edit, EM_SETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&pf));
  auto read = [&] {
    PARAFORMAT2 now = {};
    now.cbSize = sizeof now;
    SendMessageA(edit, EM_GETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&now));
    return now;
  };

  // Shown as 30 and -20; OK without changes writes the same back.
  Answer<TIndextDlg>(p.fx, [](TIndextDlg& dlg) {
    EXPECT_EQ(dlg.LeftIndentEd->Text(), "30");
    EXPECT_EQ(dlg.FirstIndentEd->Text(), "-20");
    EXPECT_EQ(dlg.RightIndentEd->Text(), "5");
  });
  // The ruler was not told of the indents set above; the dialog's OK moves
  // its markers.
  TEditingCommands& editing = p.f.Group<TEditingCommands>();
  auto markers = [&] { return std::vector<int>{editing.FirstInd->Left(), editing.LeftInd->Left()}; };
  p.cmds.IndentA->Execute();
  EXPECT_EQ(read().dxStartIndent, 200);
  EXPECT_EQ(read().dxOffset, 400);
  EXPECT_EQ(markers(), (std::vector<int>{FirstIndentMarkerLeft(10), LeftIndentMarkerLeft(20, 10)}));

  // A body at 40, the first line 10 further in; a right indent that is no
  // number, or whose twips would overflow, becomes 0.
  Answer<TIndextDlg>(p.fx, [](TIndextDlg& dlg) {
    dlg.LeftIndentEd->SetText("40");
    dlg.FirstIndentEd->SetText("10");
    dlg.RightIndentEd->SetText("abc");
  });
  p.cmds.IndentA->Execute();
  EXPECT_EQ(read().dxOffset, -10 * 20);
  EXPECT_EQ(read().dxStartIndent, 50 * 20);
  EXPECT_EQ(read().dxRightIndent, 0);
  EXPECT_EQ(markers(), (std::vector<int>{FirstIndentMarkerLeft(50), LeftIndentMarkerLeft(-10, 50)}));

  p.cmds.DelIndextA->Execute();
  EXPECT_EQ(read().dxStartIndent, 0);
  EXPECT_EQ(read().dxOffset, 0);
  EXPECT_EQ(markers(), (std::vector<int>{FirstIndentMarkerLeft(0), LeftIndentMarkerLeft(0, 0)}));
}

// Nothing typed: the indent alone makes the topic a changed one, which the
// status bar shows and which going to another topic saves.
TEST(IndentDialog, AnIndentAloneOnAFreshTopicShowsAsAChangeAndIsSaved) {
  OpenProject p;
  p.fx.ClickTopic("Popups");
  ASSERT_EQ(p.f.Project.TopicId, "Popups");
  ASSERT_EQ(p.f.StatusBar->PanelText(9), "");
  p.f.Editor->SetSel(0, 0);
  // 左インデント 37, １行目 11 further in: \li740\fi220.
  Answer<TIndextDlg>(p.fx, [](TIndextDlg& dlg) {
    dlg.LeftIndentEd->SetText("37");
    dlg.FirstIndentEd->SetText("11");
  });
  p.cmds.IndentA->Execute();
  EXPECT_EQ(p.f.StatusBar->PanelText(9), "変更");

  p.fx.ClickTopic("Andes");
  const std::string saved = ReadFile(p.dir + "\\rtf\\Popups.rtf");
  EXPECT_TRUE(qmtest::HasControlWord(saved, "\\li740")) << saved;
  EXPECT_TRUE(qmtest::HasControlWord(saved, "\\fi220")) << saved;
}

TEST(ExternalEntryDialog, TheTargetIsEditedOnAClickAndRightAfterAdding) {
  OpenProject p;
  p.OpenFirstTopic();  // a selected topic: the entry goes after it
  p.f.Project.ProjectModified = false;
  // A new external entry opens its target at once.
  Answer<TChgOtherDlg>(p.fx, [](TChgOtherDlg& dlg) {
    EXPECT_EQ(dlg.TIDEd->Text(), "");
    dlg.OKBtn->Command(BN_CLICKED);  // refused: no id
    dlg.TIDEd->SetText("a b");
    dlg.OKBtn->Command(BN_CLICKED);  // refused: a blank
    EXPECT_EQ(dlg.ModalResult(), cl::mrNone);
    dlg.TIDEd->SetText("Intro_1");
    dlg.HelpEd->SetText("other.hlp");
    dlg.WinEd->SetText("win2");
    dlg.OKBtn->Command(BN_CLICKED);
  }, cl::mrCancel);
  p.f.ContentsCmds->AddHelpA->Execute();
  qm::editor::ContentsNode* ext = p.f.ContentsCmds->NodeOfItem(p.f.ConTextView->Selected());
  ASSERT_NE(ext, nullptr);
  ASSERT_EQ(ext->Kind, kExternalNode);
  EXPECT_EQ(p.f.Project.CntTargets[ext->Data], "Intro_1 @other.hlp>win2");
  EXPECT_TRUE(p.f.Project.ProjectModified);
  ASSERT_EQ(p.fx.boxes.size(), 2u);
  EXPECT_EQ(p.fx.boxes[0].text, "ﾄﾋﾟｯｸIDがありません.");
  EXPECT_EQ(p.fx.boxes[1].text, "ﾄﾋﾟｯｸIDに不正な文字が含まれています.");
  EXPECT_EQ(p.fx.boxes[1].caption, "Quillmark");

  // A click opens it split; OK without changes stores nothing new.
  p.f.Project.ProjectModified = false;
  Answer<TChgOtherDlg>(p.fx, [](TChgOtherDlg& dlg) {
    EXPECT_EQ(dlg.TIDEd->Text(), "Intro_1");
    EXPECT_EQ(dlg.HelpEd->Text(), "other.hlp");
    EXPECT_EQ(dlg.WinEd->Text(), "win2");
    dlg.OKBtn->Command(BN_CLICKED);
  });
  p.f.ContentsCmds->ConTextViewClick(p.f.ConTextView);
  EXPECT_FALSE(p.f.Project.ProjectModified);

  // Saved into the contents file (the save writes a modified project).
  p.f.Project.ProjectModified = true;
  p.f.ProjectCmds->SaveAExecute(nullptr);
  EXPECT_NE(ReadFile(p.dir + "\\FBD.cnt").find("=Intro_1 @other.hlp>win2"), std::string::npos);
}

}  // namespace
