#include "editor/ProjectCommands.h"

#include <algorithm>

#include "classlib/Application.h"
#include "classlib/Dialogs.h"
#include "core/FileSystem.h"
#include "editor/CompileCommands.h"
#include "editor/ContentsCommands.h"
#include "editor/ImageIndexes.h"
#include "editor/TopicCommands.h"
#include "editor/core/RecentProjects.h"

namespace qm::editor {

TProjectCommands::TProjectCommands(TMainForm& form) : TCommandGroup(form) {
  cl::TActionList* actions = Form.ActionList1;
  FileNewItem = Form.FileProjectPlace.Add("新規作成(&N)...", "", kImgNew);
  FileNewItem->OnClick = [this](cl::TMenuItem* m) { FileNew(m); };
  OpenA = actions->Add("OpenA", "開く(&O)...", cl::scCtrl | 'O', kImgOpen);
  OpenA->OnExecute = [this](cl::TComponent* s) { OpenAExecute(s); };
  SaveA = actions->Add("SaveA", "保存(&S)", cl::scCtrl | 'S', kImgSave);
  SaveA->OnExecute = [this](cl::TComponent* s) { SaveAExecute(s); };
  SaveA->SetEnabled(false);
  Form.ProjectOpenCommands.Actions.push_back(SaveA);
  Form.FileProjectPlace.Add(OpenA);
  Form.FileProjectPlace.Add(SaveA);

  cl::TToolButton* new_button = Form.PrjBar->AddButton(nullptr);
  new_button->SetImageIndex(kImgNew);
  new_button->SetHint("新規作成");
  new_button->OnClick = [this](cl::TToolButton*) { FileNewItem->Click(); };
  Form.PrjBar->AddButton(OpenA);
  Form.PrjBar->AddButton(SaveA);

  OpenDialog = new cl::TOpenDialog(&Form);
  OpenDialog->Name = "OpenDialog";
  SaveDialog = new cl::TSaveDialog(&Form);
  SaveDialog->Name = "SaveDialog";
  for (cl::TFileDialog* d :
       {static_cast<cl::TFileDialog*>(OpenDialog), static_cast<cl::TFileDialog*>(SaveDialog)}) {
    d->Filter = "Help Project Files (*.hpj)|*.hpj";
    d->DefaultExt = "hpj";
  }
  OpenDialog->FileMustExist = true;
}

void TProjectCommands::FormCreated() { RebuildRecentMenu(); }

void TProjectCommands::SaveBeforeClose() { SaveAExecute(&Form); }

void TProjectCommands::SaveAExecute(cl::TComponent*) {
  if (Form.Editor->Modified() && !Project.TopicId.empty()) Form.TopicCmds->SaveTopic();
  if (Project.ProjectModified) WriteProject(Project, this);
}

void TProjectCommands::EnableProjectActions() { Form.ProjectOpenCommands.SetEnabled(true); }

void TProjectCommands::FileNew(cl::TComponent*) {
  if (Form.CompileCmds->RefuseWhileCompiling()) return;
  SaveDialog->FileName.clear();
  SaveDialog->InitialDir = Project.ProjectDir;
  if (!SaveDialog->Execute(Form.Handle())) return;
  std::string hpj = ChangeFileExt(SaveDialog->FileName, ".hpj");
  // A project of that name would be overwritten by the first save.
  if (FileExists(hpj) &&
      cl::MessageDlg(hpj + " は既に存在します.\n新しいプロジェクトで置き換えますか?",
                     cl::TMsgDlgType::Confirmation, MB_YESNO) != IDYES)
    return;
  SaveAExecute(&Form);
  NewProject(Project, SaveDialog->FileName, this);
  if (Project.Program.TrueColorDisplay) Form.Editor->SetBackgroundColor(0xE2FFFF);
  Form.TopicCmds->ClearTopicEditor();
  EnableProjectActions();
  Form.ContentsCmds->RebuildContentsView();
  Form.ContentsCmds->UpdateContentsActions();
  PushRecentProject();
}

void TProjectCommands::OpenProject(const std::string& path) {
  SaveAExecute(&Form);
  // A project that is read only in part is not written back unless the
  // author changes it.
  Project.ProjectModified = false;
  ReadProject(Project, path, this);
  Project.OpenTopicNode = nullptr;
  EnableProjectActions();
  // The author goes on in the contents: Tab and F6 lead on to the editor.
  Form.ConTextView->SetFocus();
}

void TProjectCommands::OpenAExecute(cl::TComponent*) {
  if (Form.CompileCmds->RefuseWhileCompiling()) return;
  OpenDialog->InitialDir = Project.ProjectDir;
  OpenDialog->FileName.clear();
  if (!OpenDialog->Execute(Form.Handle())) return;
  OpenProject(OpenDialog->FileName);
  PushRecentProject();
  Project.Program.LastComponentName.clear();
}

void TProjectCommands::RecentProjectClick(cl::TComponent* sender) {
  if (Form.CompileCmds->RefuseWhileCompiling()) return;
  // The item may be freed by the menu rebuild below: read it first.
  auto row = static_cast<std::size_t>(sender->Tag);
  if (row >= Project.Program.RecentFiles.size()) return;
  std::string path = Project.Program.RecentFiles[row];
  OpenProject(path);
  // The first row is in front already.
  if (row != 0) PushRecentProject();
}

void TProjectCommands::PushRecentProject() {
  std::string path = Project.ProjectDir + "\\" + Project.ProjectFile;
  if (PushRecentPath(Project.Program.RecentFiles, path)) RebuildRecentMenu();
}

void TProjectCommands::RebuildRecentMenu() {
  // The recent projects stand between the File menu's second separator and
  // Exit, followed by a separator of their own.
  cl::TMenuItem* file_menu = Form.FileMenu;
  const int recent_position = file_menu->IndexOf(Form.FileContentsPlace.End) + 1;
  const int fixed_items = recent_position + 1;
  const auto& recent = Project.Program.RecentFiles;
  if (file_menu->Count() < fixed_items + 1) {
    if (!recent.empty()) {
      auto* sep = new cl::TMenuItem(file_menu);
      sep->SetCaption("-");
      file_menu->Insert(recent_position, sep);
    }
  }
  for (int i = file_menu->Count() - (fixed_items + 1); i > 0; --i)
    delete file_menu->Item(recent_position);
  int shown = std::min<int>(static_cast<int>(recent.size()), kRecentProjectsKept);
  for (int n = 1; n <= shown; ++n) {
    auto* item = new cl::TMenuItem(file_menu);
    item->SetCaption(RecentItemCaption(n, recent[static_cast<std::size_t>(n - 1)]));
    item->Tag = n - 1;
    item->OnClick = [this](cl::TMenuItem* m) { RecentProjectClick(m); };
    file_menu->Insert(recent_position - 1 + n, item);
  }
}

void TProjectCommands::BeginWait() {
  if (!wait_) wait_ = std::make_unique<cl::TWaitCursor>();
}

void TProjectCommands::EndWait() { wait_.reset(); }

void TProjectCommands::SetProjectCaption(const std::string& caption, const std::string& app_title) {
  Form.SetText(caption);
  cl::Application().SetTitle(app_title);
}

void TProjectCommands::ContentsResetting() {
  // The tree view's items hold the nodes that the reset frees: they go
  // while their nodes still exist, and with them the selection (the
  // selection change reads its node).
  Form.ConTextView->Clear();
}

void TProjectCommands::ProjectWasReset() { Form.CompileCmds->FindID->SetEnabled(true); }

void TProjectCommands::ContentsRebuilt() { Form.ContentsCmds->RebuildContentsView(); }

void TProjectCommands::ProjectRead() {
  if (Project.Program.TrueColorDisplay) Form.Editor->SetBackgroundColor(Project.TopicColor);
  Form.TopicCmds->ClearTopicEditor();
}

void TProjectCommands::ShowNoContents() {
  cl::ShowMessageBox(Form.Handle(), kNoContentsMessage, cl::Application().Title(), MB_OK | MB_ICONERROR);
}

}  // namespace qm::editor
