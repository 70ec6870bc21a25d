#include "editor/BackupCommands.h"

#include <windows.h>

#include "classlib/Application.h"
#include "classlib/Dialogs.h"
#include "core/FileSystem.h"
#include "editor/CompileCommands.h"
#include "editor/ImageIndexes.h"
#include "editor/ProjectCommands.h"
#include "editor/core/BackupCommand.h"

namespace qm::editor {

namespace {

constexpr char kBackupCaption[] = "Quillmark";

using UnlhaFunction = int(WINAPI*)(HWND, LPCSTR, LPSTR, DWORD);

// Unloads the library when it goes, also when the archiver's call throws.
struct LoadedLibrary {
  HMODULE module = nullptr;
  ~LoadedLibrary() {
    if (module) FreeLibrary(module);
  }
};

// The library by its full path in the first of the folders that holds it;
// null when none does.
HMODULE LoadArchiver(const std::vector<std::string>& folders) {
  for (const std::string& folder : folders) {
    if (folder.empty()) continue;
    std::string path = PathJoin(folder, kArchiverLibrary);
    if (!FileExists(path)) continue;
    // With a full path the library's own dependencies are looked for beside
    // it, not in the current folder.
    if (HMODULE m = LoadLibraryExA(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH)) return m;
  }
  return nullptr;
}

}  // namespace

TBackupCommands::TBackupCommands(TMainForm& form) : TCommandGroup(form) {
  Backup1 = Form.ToolProjectPlace.Add("バックアップ(&B)", "Backup1", kImgBackup);
  Backup1->SetEnabled(false);
  Backup1->OnClick = [this](cl::TMenuItem* m) { Backup1Click(m); };
  Form.ProjectOpenCommands.Items.push_back(Backup1);

  ArchiverFolders = ArchiverFoldersOfThisProcess();
}

std::vector<std::string> ArchiverFoldersOfThisProcess() {
  char module[MAX_PATH] = {};
  DWORD m = GetModuleFileNameA(nullptr, module, MAX_PATH);
  std::string program = m > 0 && m < MAX_PATH ? ExtractFileDir(module) : std::string();
  char system[MAX_PATH] = {};
  UINT s = GetSystemDirectoryA(system, MAX_PATH);
  if (s >= MAX_PATH) system[0] = '\0';
  char windows[MAX_PATH] = {};
  UINT w = GetWindowsDirectoryA(windows, MAX_PATH);
  if (w >= MAX_PATH) windows[0] = '\0';
  std::string path;
  DWORD n = GetEnvironmentVariableA("PATH", nullptr, 0);
  if (n > 0) {
    path.resize(n);
    n = GetEnvironmentVariableA("PATH", path.data(), n);
    path.resize(n < path.size() ? n : 0);
  }
  return ArchiverSearchFolders(program, system, windows, path);
}

void TBackupCommands::Backup1Click(cl::TComponent*) {
  // The archive would miss what the compiler is about to write.
  if (Form.CompileCmds->RefuseWhileCompiling()) return;
  Form.ProjectCmds->SaveAExecute(&Form);
  BackupProject();
}

void TBackupCommands::BackupProject() {
  HWND owner = cl::Application().DialogOwner();
  LoadedLibrary library;
  library.module = LoadArchiver(ArchiverFolders);
  auto unlha = library.module
                   ? reinterpret_cast<UnlhaFunction>(
                         reinterpret_cast<void*>(GetProcAddress(library.module, kArchiverEntry)))
                   : nullptr;
  if (!unlha) {
    cl::ShowMessageBox(owner, kArchiverMissingMessage, kBackupCaption, MB_ICONERROR);
    return;
  }
  std::string line = BackupCommandLine(Project.ProjectDir, Project.ProjectFile, Project.MapFile,
                                       Project.BackupPath);
  // The call blocks the window until the archiver returns; it writes
  // nothing to an output buffer of size 0.
  if (unlha(owner, line.c_str(), nullptr, 0) != 0)
    cl::ShowMessageBox(owner, kBackupFailedMessage, kBackupCaption, MB_ICONERROR);
}

}  // namespace qm::editor
