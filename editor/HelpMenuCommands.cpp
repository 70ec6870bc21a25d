#include "editor/HelpMenuCommands.h"

#include <memory>

#include "classlib/Application.h"
#include "editor/AboutBox.h"
#include "editor/DialogPlace.h"
#include "editor/DialogRun.h"
#include "editor/OptionDlg.h"

namespace qm::editor {

THelpMenuCommands::THelpMenuCommands(TMainForm& form) : TCommandGroup(form) {
  Option1 = Form.ViewPlace.Add("オプション(&O)...", "Option1");
  Option1->OnClick = [this](cl::TMenuItem* m) { Option1Click(m); };

  HelpMenu = Form.MainMenu->Items()->AddItem("ヘルプ(&H)");
  HelpMenu->Name = "HelpMenu";
  HelpContentsItem = HelpMenu->AddItem("トピックの検索(&H)", [this](cl::TMenuItem* m) { HelpContents(m); });
  HelpContentsItem->Name = "HelpContentsItem";
  HelpContentsItem->SetHint("Display the help contents screen");
  HelpSearchItem = HelpMenu->AddItem("Hcw ヘルプ(&W)", [this](cl::TMenuItem* m) { HelpSearch(m); });
  HelpSearchItem->Name = "HelpSearchItem";
  HelpSearchItem->SetHint("Search help file for a topic");
  HelpMenu->AddSeparator();
  HelpAboutItem = HelpMenu->AddItem("バージョン情報(&A)...", [this](cl::TMenuItem* m) { HelpAbout(m); });
  HelpAboutItem->Name = "HelpAboutItem";
  HelpAboutItem->SetHint("Show program information");

  WinHelpCall = [](HWND owner, const std::string& file, UINT command, ULONG_PTR data) {
    return WinHelpA(owner, file.c_str(), command, data);
  };
}

void THelpMenuCommands::Option1Click(cl::TComponent*) {
  auto dlg = std::make_unique<TOptionDlg>();
  PlaceEditorDialog(*dlg, Form.WorkArea);
  ProgramValues& p = Project.Program;
  dlg->HcwEd->SetText(p.HcwFolder);
  dlg->FontDlg->FontName = p.DefaultFontName;
  dlg->FontDlg->FontSize = p.DefaultFontSize;
  dlg->ShowFont();
  dlg->TitleCopy->SetChecked(p.Tcopy);
  if (RunEditorDialog(*dlg) != cl::mrOk) return;
  // The folder as typed: whether it holds the compiler shows later.
  p.HcwFolder = dlg->HcwEd->Text();
  p.DefaultFontName = dlg->FontDlg->FontName;
  p.DefaultFontSize = dlg->FontDlg->FontSize;
  p.Tcopy = dlg->TitleCopy->Checked();
}

void THelpMenuCommands::HelpContents(cl::TComponent*) { cl::Application().HelpCommand(HELP_FINDER, 0); }

void THelpMenuCommands::HelpSearch(cl::TComponent*) {
  WinHelpCall(Form.Handle(), Project.Program.HcwFolder + "\\hcw.hlp", HELP_FINDER, 0);
}

void THelpMenuCommands::HelpAbout(cl::TComponent*) { ShowAboutBox(); }

void THelpMenuCommands::ShowAboutBox() {
  auto box = std::make_unique<TAboutBox>(Project.Program.HcwFolder);
  box->DoCreate();
  box->PlaceAtCursor(-box->Width() / 2, -box->Height() / 2);
  box->KeepInside(Form.WorkArea);
  RunEditorDialog(*box);
}

}  // namespace qm::editor
