// The File menu's project commands: New, Open, Save and the recent projects.
#include "classlib/Application.h"
#include "classlib/Dialogs.h"
#include "core/FileSystem.h"
#include "editor/MainForm.h"
#include "editor/core/RecentProjects.h"

namespace qm::editor {

namespace {
// Fixed items of the File menu before the recent projects: New, Open, Save,
// a separator, five contents commands, a separator; Exit follows them.
constexpr int kRecentPosition = 10;
constexpr int kFixedFileItems = 11;
}  // namespace

void TMainForm::SaveAExecute(cl::TComponent*) {
  if (Editor->Modified() && !Project.TopicId.empty()) SaveTopic();
  if (Project.ProjectModified) WriteProject(Project, this);
}

void TMainForm::EnableProjectActions() {
  HelpOptionA->SetEnabled(true);
  SaveA->SetEnabled(true);
  HelpMakeA->SetEnabled(true);
  ErrView->SetEnabled(true);
  Backup1->SetEnabled(true);
  HelpView->SetEnabled(true);
}

void TMainForm::FileNew(cl::TComponent*) {
  if (RefuseWhileCompiling()) return;
  SaveDialog->FileName.clear();
  SaveDialog->InitialDir = Project.ProjectDir;
  if (!SaveDialog->Execute(Handle())) return;
  std::string hpj = ChangeFileExt(SaveDialog->FileName, ".hpj");
  // A project of that name would be overwritten by the first save.
  if (FileExists(hpj) &&
      cl::MessageDlg(hpj + " は既に存在します.\n新しいプロジェクトで置き換えますか?",
                     cl::TMsgDlgType::Confirmation, MB_YESNO) != IDYES)
    return;
  SaveAExecute(this);
  Project.OpenTopicNode = nullptr;
  Project.Program.LastComponentName.clear();
  Project.ProjectFile = ExtractFileName(hpj);
  Project.MapFile = ChangeFileExt(Project.ProjectFile, ".hm");
  Project.ProjectDir = ExtractFileDir(SaveDialog->FileName);
  SetProjectCaption(Project.ProjectDir + "\\" + Project.ProjectFile + " - Quillmark",
                    Project.ProjectFile + " - Quillmark");
  EnsureProjectFolders(Project);
  ContentsResetting();
  Project.ProjectReset();
  ProjectWasReset();
  if (Project.Program.TrueColorDisplay) Editor->SetBackgroundColor(0xE2FFFF);
  Project.TopicId.clear();
  ClearTopicEditor();
  EnableProjectActions();
  Project.ProjectModified = true;
  RebuildContentsView();
  UpdateContentsActions();
  PushRecentProject();
}

void TMainForm::OpenAExecute(cl::TComponent*) {
  if (RefuseWhileCompiling()) return;
  OpenDialog->InitialDir = Project.ProjectDir;
  OpenDialog->FileName.clear();
  if (!OpenDialog->Execute(Handle())) return;
  SaveAExecute(this);
  Project.ProjectModified = false;
  ReadProject(Project, OpenDialog->FileName, this);
  Project.OpenTopicNode = nullptr;
  EnableProjectActions();
  PushRecentProject();
  Project.Program.LastComponentName.clear();
}

void TMainForm::RecentProjectClick(cl::TComponent* sender) {
  if (RefuseWhileCompiling()) return;
  // The item may be freed by the menu rebuild below: read it first.
  auto row = static_cast<std::size_t>(sender->Tag);
  if (row >= Project.Program.RecentFiles.size()) return;
  std::string path = Project.Program.RecentFiles[row];
  SaveAExecute(this);
  Project.ProjectModified = false;
  ReadProject(Project, path, this);
  Project.OpenTopicNode = nullptr;
  EnableProjectActions();
  if (row != 0) PushRecentProject();
}

void TMainForm::PushRecentProject() {
  std::string path = Project.ProjectDir + "\\" + Project.ProjectFile;
  if (PushRecentPath(Project.Program.RecentFiles, path)) RebuildRecentMenu();
}

void TMainForm::RebuildRecentMenu() {
  const auto& recent = Project.Program.RecentFiles;
  if (FileMenu->Count() < kFixedFileItems + 1) {
    if (!recent.empty()) {
      auto* sep = new cl::TMenuItem(FileMenu);
      sep->SetCaption("-");
      FileMenu->Insert(kRecentPosition, sep);
    }
  }
  for (int i = FileMenu->Count() - (kFixedFileItems + 1); i > 0; --i)
    delete FileMenu->Item(kRecentPosition);
  int shown = std::min<int>(static_cast<int>(recent.size()), kRecentProjectsKept);
  for (int n = 1; n <= shown; ++n) {
    auto* item = new cl::TMenuItem(FileMenu);
    item->SetCaption(RecentItemCaption(n, recent[static_cast<std::size_t>(n - 1)]));
    item->Tag = n - 1;
    item->OnClick = [this](cl::TMenuItem* m) { RecentProjectClick(m); };
    FileMenu->Insert(kRecentPosition - 1 + n, item);
  }
}

}  // namespace qm::editor
