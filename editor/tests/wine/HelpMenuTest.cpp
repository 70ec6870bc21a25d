// The about box, the program options and the Help menu.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FakeFolderBrowser.h"
#include "WineTestUtil.h"
#include "classlib/Application.h"
#include "classlib/tests/ModalTest.h"
#include "editor/AboutBox.h"
#include "editor/HelpMenuCommands.h"
#include "editor/OptionDlg.h"

using namespace qm::editor::test;
using namespace qm::editor;

namespace {

TEST(AboutBox, ShowsTheProgramsAndTheCompilersVersions) {
  EditorFixture fx;
  THelpMenuCommands& h = fx.form->Group<THelpMenuCommands>();
  std::vector<std::string> seen;
  fx.editor_dialogs = [&](cl::TDialogForm& d) {
    auto& box = dynamic_cast<TAboutBox&>(d);
    seen = {box.Text(), box.Version->Text(), box.WinVer->Text(), box.HcwVer->Text()};
    // A click on any label closes the box.
    box.WinSer->OnClick(box.WinSer);
    return box.ModalResult();
  };
  fx.form->Project.Program.HcwFolder = DistFolder("helpworkshop");
  h.HelpAboutItem->Click();
  ASSERT_EQ(seen.size(), 4u);
  EXPECT_EQ(seen[0], "バージョン情報");
  EXPECT_EQ(seen[1], "Version 1.00");  // the test program carries the editor's resource
  EXPECT_EQ(seen[2].rfind("Windows", 0), 0u) << seen[2];
  EXPECT_EQ(seen[3], "Help Workshop : ver.1.00");

  fx.form->Project.Program.HcwFolder = NewTempDir();
  h.ShowAboutBox();
  EXPECT_EQ(seen[3], "Help Workshop : not installed.");
  fx.form->Project.Program.HcwFolder.clear();
  h.ShowAboutBox();
  EXPECT_EQ(seen[3], "Help Workshop : not installed.");
}

TEST(AboutBox, AClickOnTheBoxClosesIt) {
  EditorFixture fx;
  TAboutBox box("");
  box.DoCreate();
  // The title: black on a white shadow.
  EXPECT_EQ(box.Label3D1->Text(), "Quillmark");
  EXPECT_EQ(box.Label3D1->ShadeColor(), RGB(255, 255, 255));
  EXPECT_EQ(box.Label3D1->FontColor(), RGB(0, 0, 0));
  EXPECT_EQ(qmtest::RunModal(box,
                             [&] {
                               SendMessageA(box.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(180, 5));
                               SendMessageA(box.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(180, 5));
                             }),
            cl::mrOk);
}

TEST(ProgramOptions, OkTakesTheSettingsAndCancelKeepsThem) {
  EditorFixture fx;
  THelpMenuCommands& h = fx.form->Group<THelpMenuCommands>();
  qm::editor::ProgramValues& p = fx.form->Project.Program;
  p.HcwFolder = "C:\\old";
  p.DefaultFontName = "ＭＳ Ｐゴシック";
  p.DefaultFontSize = 12;
  p.Tcopy = false;
  std::vector<std::string> seen;
  int answer = cl::mrCancel;
  cl::SetFontDialogHook([](cl::TFontDialog& d) {
    d.FontName = "ＭＳ 明朝";
    d.FontSize = 10;
    return true;
  });
  fx.editor_dialogs = [&](cl::TDialogForm& d) {
    auto& dlg = dynamic_cast<TOptionDlg&>(d);
    seen = {dlg.Text(), dlg.HcwEd->Text(), dlg.FontLabel->Text(), dlg.TitleCopy->Checked() ? "1" : "0"};
    dlg.HcwEd->SetText("D:\\新しい");
    dlg.Button1Click(dlg.Button1);
    seen.push_back(dlg.FontLabel->Text());
    dlg.TitleCopy->SetChecked(true);
    return answer;
  };
  h.Option1Click(nullptr);
  ASSERT_EQ(seen.size(), 5u);
  EXPECT_EQ(seen[0], "Quillmark オプション設定");
  EXPECT_EQ(seen[1], "C:\\old");
  EXPECT_EQ(seen[2], "ＭＳ Ｐゴシック,12");
  EXPECT_EQ(seen[3], "0");
  EXPECT_EQ(seen[4], "ＭＳ 明朝,10");
  // Cancel, after the font dialog was used: nothing changes.
  EXPECT_EQ(p.HcwFolder, "C:\\old");
  EXPECT_EQ(p.DefaultFontName, "ＭＳ Ｐゴシック");
  EXPECT_EQ(p.DefaultFontSize, 12);
  EXPECT_FALSE(p.Tcopy);

  answer = cl::mrOk;
  h.Option1Click(nullptr);
  EXPECT_EQ(p.HcwFolder, "D:\\新しい");
  EXPECT_EQ(p.DefaultFontName, "ＭＳ 明朝");
  EXPECT_EQ(p.DefaultFontSize, 10);
  EXPECT_TRUE(p.Tcopy);
  cl::SetFontDialogHook(nullptr);
}

TEST(ProgramOptions, TheArrowButtonPicksTheFolderWithTheBrowser) {
  EditorFixture fx;
  THelpMenuCommands& h = fx.form->Group<THelpMenuCommands>();
  fx.form->Project.Program.HcwFolder = "C:\\hcw\\";
  FakeFolderBrowser browser("D:\\Help Workshop");
  fx.editor_dialogs = [&](cl::TDialogForm& d) {
    auto& dlg = dynamic_cast<TOptionDlg&>(d);
    // Glued to the box's right end.
    EXPECT_EQ(dlg.UpDnButton1->Left(), dlg.HcwEd->Left() + dlg.HcwEd->Width() - 1);
    SendMessageA(dlg.UpDnButton1->Handle(), BM_CLICK, 0, 0);
    return cl::mrOk;
  };
  h.Option1Click(nullptr);
  EXPECT_EQ(browser.title, "Hcrtfのフォルダ指定");
  EXPECT_EQ(browser.flags, static_cast<UINT>(BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE));
  EXPECT_EQ(browser.selected, "C:\\hcw");
  EXPECT_EQ(fx.form->Project.Program.HcwFolder, "D:\\Help Workshop");
}

TEST(HelpMenu, TheHighlightedItemsHintShowsInTheStatusBar) {
  EditorFixture fx;
  THelpMenuCommands& h = fx.form->Group<THelpMenuCommands>();
  cl::TStatusBar* bar = fx.form->StatusBar;
  const std::string insert = bar->PanelText(8);
  HMENU help = h.HelpMenu->SubMenuHandle();
  SendMessageA(fx.form->Handle(), WM_ENTERMENULOOP, FALSE, 0);
  SendMessageA(fx.form->Handle(), WM_MENUSELECT, MAKEWPARAM(h.HelpAboutItem->CommandId(), MF_HILITE),
               reinterpret_cast<LPARAM>(help));
  EXPECT_TRUE(bar->SimplePanel());
  EXPECT_TRUE(SendMessageA(bar->Handle(), SB_ISSIMPLE, 0, 0));
  EXPECT_EQ(bar->SimpleText(), "Show program information");
  SendMessageA(fx.form->Handle(), WM_MENUSELECT, MAKEWPARAM(h.HelpContentsItem->CommandId(), MF_HILITE),
               reinterpret_cast<LPARAM>(help));
  EXPECT_EQ(bar->SimpleText(), "Display the help contents screen");
  // The menu closes: the panels come back as they were.
  SendMessageA(fx.form->Handle(), WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
  SendMessageA(fx.form->Handle(), WM_EXITMENULOOP, FALSE, 0);
  EXPECT_FALSE(bar->SimplePanel());
  EXPECT_FALSE(SendMessageA(bar->Handle(), SB_ISSIMPLE, 0, 0));
  EXPECT_EQ(bar->PanelText(8), insert);
  EXPECT_EQ(h.HelpSearchItem->Hint(), "Search help file for a topic");
}

TEST(HelpMenu, HelpWorkshopsHelpIsAskedForInItsFolder) {
  EditorFixture fx;
  THelpMenuCommands& h = fx.form->Group<THelpMenuCommands>();
  std::vector<std::string> files;
  std::vector<UINT> commands;
  h.WinHelpCall = [&](HWND, const std::string& file, UINT command, ULONG_PTR) {
    files.push_back(file);
    commands.push_back(command);
    return TRUE;
  };
  fx.form->Project.Program.HcwFolder = "C:\\hcw";
  h.HelpSearchItem->Click();
  ASSERT_EQ(files.size(), 1u);
  EXPECT_EQ(files[0], "C:\\hcw\\hcw.hlp");
  EXPECT_EQ(commands[0], static_cast<UINT>(HELP_FINDER));
  EXPECT_EQ(fx.form->MainMenu->Items()->Item(fx.form->MainMenu->Items()->Count() - 1), h.HelpMenu);
}

}  // namespace
