// The editor's window under Wine: creating and showing the main window, and
// opening a large project in it (Open with a file name given, until the
// window has painted the contents tree).
#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "classlib/Application.h"
#include "classlib/Dialogs.h"
#include "classlib/FileDialogs.h"
#include "classlib/tests/TempDir.h"
#include "classlib/tests/WineBenchmark.h"
#include "core/IniSettings.h"
#include "editor/MainForm.h"
#include "editor/ProjectCommands.h"
#include "editor/tests/bench/BigProject.h"

namespace {

using qm::editor::TMainForm;

void Pump() { cl::Application().ProcessMessages(); }

// The open dialog answers with `path`.
void OpenThrough(TMainForm& form, const std::string& path) {
  cl::SetFileDialogHook([path](cl::TFileDialog& d) {
    d.FileName = path;
    return true;
  });
  form.ProjectCmds->OpenAExecute(nullptr);
  cl::SetFileDialogHook(nullptr);
}

void MainWindowStart(qmbench::TimedRun& run) {
  qm::MemoryIniStore store;
  run.Start();
  auto form = std::make_unique<TMainForm>(store);
  form->DoCreate();
  form->Show();
  Pump();
  run.Stop();
  form->DoDestroy();
  form.reset();
  Pump();
}

// The shown window that the open benchmarks open their projects in, and
// the projects' folders.
struct OpenWindow {
  qm::MemoryIniStore store;
  std::unique_ptr<TMainForm> form;
  int topics = 0;
  std::string big, small;
  std::vector<std::string> folders;

  ~OpenWindow() {
    if (form) form->DoDestroy();
    form.reset();
    for (const std::string& dir : folders) RemoveFolder(dir);
  }
  std::string NewProject(int project_topics) {
    folders.push_back(qmtest::NewTempDir());
    return qm::editor::bench::WriteBigProject(folders.back(), project_topics);
  }
  static void RemoveFolder(const std::string& dir) {
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((dir + "\\*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
      do {
        if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) DeleteFileA((dir + "\\" + fd.cFileName).c_str());
      } while (FindNextFileA(h, &fd));
      FindClose(h);
    }
    RemoveDirectoryA(dir.c_str());
  }
};
std::unique_ptr<OpenWindow> open_window;

// Opens a project of `topics` topics in a shown window; each iteration
// first opens a small project, untimed, so that the large one is opened
// into a window that holds little.
void RegisterOpen(const std::string& name, int topics) {
  qmbench::Register(name, [topics](qmbench::TimedRun& run) {
    if (!open_window || open_window->topics != topics) {
      open_window.reset();
      open_window = std::make_unique<OpenWindow>();
      OpenWindow& w = *open_window;
      w.topics = topics;
      w.big = w.NewProject(topics);
      w.small = w.NewProject(10);
      w.form = std::make_unique<TMainForm>(w.store);
      w.form->DoCreate();
      w.form->Show();
      Pump();
    }
    OpenWindow& w = *open_window;
    OpenThrough(*w.form, w.small);
    Pump();
    run.Start();
    OpenThrough(*w.form, w.big);
    Pump();
    run.Stop();
  });
}

}  // namespace

int main(int argc, char** argv) {
  qmbench::StartWindowProgram();
  qmbench::Register("BM_MainWindowStart", MainWindowStart);
  RegisterOpen("BM_OpenProjectWindow10k", 10000);
  RegisterOpen("BM_OpenProjectWindow30k", 30000);
  int result = qmbench::RunBenchmarks(argc, argv);
  open_window.reset();
  Pump();
  return result;
}
