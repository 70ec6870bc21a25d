#include <gtest/gtest.h>

#include "FakeFolderBrowser.h"
#include "WineTestUtil.h"
#include "classlib/ColorDialog.h"
#include "classlib/tests/ModalTest.h"
#include "editor/HelpOptionCommands.h"
#include "editor/HelpOptionDialog.h"

using namespace qm::editor::test;
using namespace qm::editor;

namespace {

// Runs the options dialog of the open project: `step` works in it, then its
// OK button is clicked (a refusal leaves it open, and the step's guard
// cancels it).
void RunOptions(EditorFixture& fx, std::function<void(THelpOptionDlg&)> step) {
  fx.editor_dialogs = [step](cl::TDialogForm& d) {
    auto& dlg = dynamic_cast<THelpOptionDlg&>(d);
    return qmtest::RunModal(dlg, [&] {
      if (step) step(dlg);
      dlg.OKBtn->Command(BN_CLICKED);
      if (dlg.ModalResult() == cl::mrNone) dlg.SetModalResult(cl::mrCancel);
    });
  };
  fx.form->Group<THelpOptionCommands>().HelpOptionAExecute();
  fx.editor_dialogs = nullptr;
}

std::string OpenAndSave(EditorFixture& fx, const std::string& project, const std::string& hpj,
                        bool with_options) {
  std::string dir = CopyProject(project);
  fx.dialog_answers = {dir + "\\" + hpj};
  fx.form->ProjectCmds->OpenAExecute(nullptr);
  fx.form->ProjectCmds->SaveAExecute(nullptr);
  if (with_options) {
    RunOptions(fx, nullptr);
    EXPECT_TRUE(fx.form->Project.ProjectModified);
    fx.form->ProjectCmds->SaveAExecute(nullptr);
  }
  return ReadFile(dir + "\\" + hpj);
}

TEST(HelpOptionDialog, ConfirmedUnchangedOnRealProjectsTheSavedProjectIsTheSame) {
  for (auto [project, hpj] : {std::pair{"andes-fbd", "FBD.hpj"}, std::pair{"calques3d", "Calques3D.hpj"}}) {
    // One main form at a time: the fixtures' hooks are global.
    std::string alone;
    {
      EditorFixture plain;
      alone = OpenAndSave(plain, project, hpj, false);
    }
    ASSERT_NE(alone.find("\r\n[WINDOWS]"), std::string::npos) << project;  // rewritten
    EditorFixture options;
    EXPECT_EQ(OpenAndSave(options, project, hpj, true), alone) << project;
    EXPECT_TRUE(options.boxes.empty());
  }
}

TEST(HelpOptionDialog, SecondWindowAndColoursReachTheProjectFile) {
  EditorFixture fx;
  std::string dir = CopyProject("calques3d");
  fx.dialog_answers = {dir + "\\Calques3D.hpj"};
  fx.form->ProjectCmds->OpenAExecute(nullptr);
  TMainForm& f = *fx.form;
  f.Project.HasSubWindow = false;
  f.Project.SubWindowName.clear();
  cl::SetColorDialogHook([](cl::TColorDialog& d) {
    d.Color = RGB(0x10, 0x20, 0x30);
    return true;
  });
  RunOptions(fx, [](THelpOptionDlg& dlg) {
    // The second window's page follows the check box.
    EXPECT_FALSE(dlg.TabSheet2->Enabled());
    dlg.SubAdd->SetChecked(true);
    EXPECT_TRUE(dlg.TabSheet2->Enabled());
    EXPECT_TRUE(dlg.DelphiBtn->Visible());
    // A picture, not a letter.
    EXPECT_EQ(dlg.DelphiBtn->Text(), "");
    EXPECT_EQ(dlg.DelphiBtn->Glyph().Width(), 16);
    dlg.DelphiBtnClick();
    dlg.SubTitle->SetText("一覧");
    dlg.SubTop->SetText("005");
    dlg.ColorPanelClick(dlg.ColorScroll);
    dlg.Button2Click();  // resets both panels ...
    dlg.ColorPanelClick(dlg.ColorNoScroll);  // ... then one is chosen again
    dlg.TitleName->SetText("タイトル");
  });
  cl::SetColorDialogHook(nullptr);
  EXPECT_TRUE(f.Project.HasSubWindow);
  EXPECT_EQ(f.Project.SubWindowName, "pme");
  EXPECT_EQ(f.Project.SubWindowCaption, "一覧");
  EXPECT_EQ(f.Project.SubWindowTop, "005");  // stored as typed
  EXPECT_TRUE(f.Project.SubWindowAutoHeight);
  EXPECT_EQ(f.Project.TopicColor, 0xE2FFFFu);
  EXPECT_EQ(f.Project.NonScrollColor, 0x302010u);
  f.ProjectCmds->SaveAExecute(nullptr);
  const std::string hpj = ReadFile(dir + "\\Calques3D.hpj");
  EXPECT_NE(hpj.find("pme=\"一覧\",(5,005,280,750),"), std::string::npos) << hpj;
  EXPECT_NE(hpj.find("(r14876671),(r3153936)"), std::string::npos);
  EXPECT_NE(hpj.find("タイトル"), std::string::npos);

  // Now the second window has a name: it keeps it; the preset is gone.
  RunOptions(fx, [](THelpOptionDlg& dlg) {
    EXPECT_FALSE(dlg.SubName->Enabled());
    EXPECT_FALSE(dlg.DelphiBtn->Visible());
    dlg.SubAdd->SetChecked(false);
  });
  EXPECT_FALSE(f.Project.HasSubWindow);
  EXPECT_EQ(f.Project.SubWindowName, "pme");
}

TEST(HelpOptionDialog, TheSecondWindowIsCheckedInOrderAndTheDialogStaysOpen) {
  EditorFixture fx;
  auto dlg = std::make_unique<THelpOptionDlg>();
  HelpOptionValues v;
  v.SubAdd = true;
  v.SubLeft = "abc";
  v.SubWidth = "1025";
  dlg->Fill(v);
  std::vector<std::string> seen;
  int result = qmtest::RunModal(*dlg, [&] {
    dlg->OKBtn->Command(BN_CLICKED);  // no name
    dlg->SubName->SetText("a-b");
    dlg->OKBtn->Command(BN_CLICKED);
    dlg->SubName->SetText("win_2");
    dlg->OKBtn->Command(BN_CLICKED);  // Left before Width
    dlg->SubLeft->SetText("-1");
    dlg->OKBtn->Command(BN_CLICKED);
    dlg->SubWidth->SetText("1024");
    dlg->SubHeight->SetText("-2");
    dlg->OKBtn->Command(BN_CLICKED);
    EXPECT_EQ(dlg->ModalResult(), cl::mrNone);
    dlg->SubHeight->SetText("");
    dlg->OKBtn->Command(BN_CLICKED);
  });
  EXPECT_EQ(result, cl::mrOk);
  for (const auto& b : fx.boxes) {
    seen.push_back(b.text);
    EXPECT_EQ(b.caption, "Quillmark");
    EXPECT_EQ(b.flags & MB_ICONWARNING, static_cast<UINT>(MB_ICONWARNING));
  }
  EXPECT_EQ(seen, (std::vector<std::string>{"ｻﾌﾞｳｲﾝﾄﾞｳ名がありません.", "ｻﾌﾞｳｲﾝﾄﾞｳ名に不正な文字が含まれています.",
                                            "Leftに指定できるのは-1～1024です.", "Widthに指定できるのは-1～1024です.",
                                            "Heightに指定できるのは-1～1024です."}));
  // The folder button asks the shell's browser, titled "保存先の指定" and
  // starting at the edit's folder; the folder picked fills the edit.
  FakeFolderBrowser browser("C:\\backup");
  dlg->edBakFolder->SetText("C:\\old");
  dlg->UpDnButton1->Command(BN_CLICKED);
  EXPECT_EQ(browser.title, "保存先の指定");
  EXPECT_EQ(browser.flags, static_cast<UINT>(BIF_RETURNONLYFSDIRS));
  EXPECT_EQ(browser.selected, "C:\\old");
  EXPECT_EQ(dlg->edBakFolder->Text(), "C:\\backup");
  browser.cancel = true;
  dlg->UpDnButton1->Command(BN_CLICKED);
  EXPECT_EQ(dlg->edBakFolder->Text(), "C:\\backup");
}

}  // namespace
