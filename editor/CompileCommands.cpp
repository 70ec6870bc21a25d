// Compiling the project, the error pane, the help viewer and the outside
// programs.
#include <windows.h>
#include <richedit.h>

#include <algorithm>
#include <vector>

#include "classlib/Application.h"
#include "classlib/Dialogs.h"
#include "core/FileSystem.h"
#include "core/Lines.h"
#include "editor/MainForm.h"
#include "editor/core/CompileRules.h"

namespace qm::editor {

namespace {

constexpr char kIdNotFound[] = "IDが見つかりません.";
constexpr char kFindIdPrompt[] = "検索するﾄﾋﾟｯｸIDの入力";
constexpr char kCompilerBusy[] =
    "ヘルプコンパイラの実行中です.\nコンパイルが終わってからもう一度実行してください.";
// Caption of the editor's warnings.
constexpr char kWarningCaption[] = "Quillmark";
// Largest error log the pane holds, in characters.
constexpr LPARAM kErrorPaneLimit = 1048576;
constexpr DWORD kWaitSlice = 3000;

// Closes both handles of a started process when it goes.
struct ProcessHandles {
  PROCESS_INFORMATION pi{};
  ~ProcessHandles() {
    if (pi.hProcess) CloseHandle(pi.hProcess);
    if (pi.hThread) CloseHandle(pi.hThread);
  }
};

// Runs a function when it goes (also when an exception passes).
template <typename F>
struct AtExit {
  F f;
  ~AtExit() { f(); }
};
template <typename F>
AtExit(F) -> AtExit<F>;

}  // namespace

// While the compiler runs the window keeps working; the commands that would
// leave the project or start another compile refuse (RefuseWhileCompiling)
// and closing the window is put off (FormCloseQuery) until it has ended.
class CompilerWait {
 public:
  explicit CompilerWait(TMainForm& f) : f_(f) {
    f_.compiler_running_ = true;
    f_.close_deferred_ = false;
  }
  ~CompilerWait() { f_.compiler_running_ = false; }
  CompilerWait(const CompilerWait&) = delete;
  CompilerWait& operator=(const CompilerWait&) = delete;

 private:
  TMainForm& f_;
};

void TMainForm::WireCompileCommands() {
  WinHelpCall = [](HWND owner, const std::string& file, UINT command, ULONG_PTR data) {
    return WinHelpA(owner, file.c_str(), command, data);
  };
  HelpMakeA->OnExecute = [this](cl::TComponent* s) { HelpMakeAExecute(s); };
  ErrView->OnClick = [this](cl::TMenuItem* m) { ErrViewClick(m); };
  HelpView->OnClick = [this](cl::TMenuItem* m) { HelpViewClick(m); };
  FindID->OnClick = [this](cl::TMenuItem* m) { FindIDClick(m); };
  HcwH1->OnClick = [this](cl::TMenuItem* m) { ProgExecute(m); };
  ZonivexS1->OnClick = [this](cl::TMenuItem* m) { ProgExecute(m); };
  // The error pane: plain text up to 1 MB characters, no word wrap.
  SendMessageA(ErrEdit->Handle(), EM_EXLIMITTEXT, 0, kErrorPaneLimit);
  SendMessageA(ErrEdit->Handle(), EM_SETTARGETDEVICE, 0, 1);
  ErrEdit->OnSelectionChange = [this](cl::TRichEdit* e) { ErrEditSelectionChange(e); };
}

bool TMainForm::RefuseWhileCompiling() {
  if (!compiler_running_) return false;
  cl::ShowMessageBox(Handle(), kCompilerBusy, kWarningCaption, MB_OK | MB_ICONWARNING);
  return true;
}

bool TMainForm::StartProgram(const std::string& program, const std::string& command_line,
                             const std::string& folder, bool folder_not_set,
                             PROCESS_INFORMATION* process) {
  PROCESS_INFORMATION pi{};
  bool started = false;
  // With no folder set the program would be looked for in the drive's root.
  if (!folder_not_set) {
    STARTUPINFOA si{};
    si.cb = sizeof si;
    std::vector<char> line(command_line.begin(), command_line.end());
    line.push_back('\0');
    started = CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS,
                             nullptr, folder.empty() ? nullptr : folder.c_str(), &si, &pi) != FALSE;
  }
  if (!started) {
    std::string name = folder_not_set ? ExtractFileName(program) : program;
    cl::ShowMessageBox(Handle(), CannotStartMessage(name, folder_not_set), kWarningCaption,
                       MB_OK | MB_ICONWARNING);
    return false;
  }
  if (process) {
    *process = pi;
  } else {
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
  }
  return true;
}

void TMainForm::HelpMakeAExecute(cl::TComponent*) {
  if (RefuseWhileCompiling()) return;
  // The compile belongs to the project open now.
  const std::string dir = Project.ProjectDir;
  const std::string help_file = HelpFilePath(dir, Project.ProjectFile);
  const std::string error_log = ErrorLogPath(dir, Project.ProjectFile);
  const std::string& hcw = Project.Program.HcwFolder;

  // 1, 2. The viewer lets go of the help file.
  WinHelpCall(Handle(), help_file, HELP_QUIT, 0);
  if (HWND w = FindWindowA(nullptr, TopicSearchWindowTitle(Project.HelpTitle).c_str()))
    PostMessageA(w, WM_CLOSE, 0, 0);
  // 3.
  SaveAExecute(this);
  // 4.
  ProcessHandles compiler;
  if (!StartProgram(CompilerProgram(hcw), CompilerCommandLine(hcw, Project.ProjectFile), dir,
                    hcw.empty(), &compiler.pi))
    return;

  cl::TWaitCursor hourglass;
  bool close_requested = false;
  // A close asked for during the wait is carried out now, whatever follows.
  AtExit post_close{[&] {
    if (close_requested) PostMessageA(Handle(), WM_CLOSE, 0, 0);
  }};
  {
    // 5. The window stays responsive between the slices.
    CompilerWait waiting(*this);
    AtExit note_close{[&] { close_requested = close_deferred_; }};
    // Each slice also ends as soon as a message arrives, so the window
    // answers at once rather than every three seconds.
    for (;;) {
      DWORD r = MsgWaitForMultipleObjects(1, &compiler.pi.hProcess, FALSE, kWaitSlice, QS_ALLINPUT);
      if (r != WAIT_TIMEOUT && r != WAIT_OBJECT_0 + 1) break;  // ended, or the wait failed
      cl::Application().ProcessMessages();
    }
  }
  // 6. The handles go with `compiler`.
  // 7. Not for a window that is about to close.
  if (!close_requested && FileExists(help_file)) HelpViewClick(this);
  // 8.
  LoadErrorLog(error_log);
  // 9.
  if (!ErrView->Checked()) {
    ErrView->SetChecked(true);
    ShowErrorPane();
  }
  // 10.
  SendMessageA(ErrEdit->Handle(), EM_SCROLLCARET, 0, 0);
  // 11. The hourglass goes with `hourglass`.
}

void TMainForm::ShowErrorPane() {
  // This order puts the splitter directly above the pane.
  Splitter2->SetAlign(cl::TAlign::Top);
  ErrEdit->SetVisible(true);
  Splitter2->SetAlign(cl::TAlign::Bottom);
  Splitter2->SetHeight(3);
  Realign();
}

void TMainForm::LoadErrorLog(const std::string& path) {
  loading_error_log_ = true;
  SendMessageA(ErrEdit->Handle(), WM_SETREDRAW, FALSE, 0);
  AtExit end_update{[this] {
    SendMessageA(ErrEdit->Handle(), WM_SETREDRAW, TRUE, 0);
    ErrEdit->Invalidate();
    loading_error_log_ = false;
  }};
  ErrEdit->Clear();
  if (!FileExists(path)) return;
  std::string bytes;
  if (!ReadFileBytes(path, bytes)) throw FileError("Cannot open file " + path);
  ErrEdit->LoadText(JoinLines(SplitLines(bytes)));
  // The caret at the start of the last line.
  int last = std::max(ErrEdit->LineCount() - 1, 0);
  int at = static_cast<int>(SendMessageA(ErrEdit->Handle(), EM_LINEINDEX, static_cast<WPARAM>(last), 0));
  ErrEdit->SetSel(std::max(at, 0), 0);
}

void TMainForm::ErrViewClick(cl::TComponent*) {
  ErrView->SetChecked(!ErrView->Checked());
  if (ErrView->Checked()) {
    LoadErrorLog(ErrorLogPath(Project.ProjectDir, Project.ProjectFile));
    ShowErrorPane();
  } else {
    ErrEdit->SetVisible(false);
    Splitter2->SetHeight(0);
    Realign();
  }
}

void TMainForm::HelpViewClick(cl::TComponent*) {
  WinHelpCall(Handle(), HelpFilePath(Project.ProjectDir, Project.ProjectFile), HELP_FINDER, 0);
}

void TMainForm::GoToTopicId(const std::string& id, bool warn) {
  ContentsNode* target = nullptr;
  int index = Project.TopicIds.IndexOf(id);
  if (index >= 0) {
    cl::TWaitCursor hourglass;
    // Books and external entries may carry the same number: topics only.
    for (ContentsNode* n : Project.Contents.Nodes()) {
      if ((n->Kind == kTopicNode || n->Kind == kHiddenTopicNode) && n->Data == index) {
        target = n;
        break;
      }
    }
    if (target) {
      ConTextView->Select(static_cast<cl::TTreeNode>(target->ViewItem));
      // The open topic stays as it is in the editor.
      if (target != Project.OpenTopicNode) ConTextViewClick(ConTextView);
    }
  }
  if (warn && !target) cl::ShowMessageBox(Handle(), kIdNotFound, "quillmark", MB_ICONWARNING);
}

void TMainForm::FindIDClick(cl::TComponent*) {
  std::string id = Editor->SelText();
  if (cl::InputQuery("quillmark", kFindIdPrompt, id)) GoToTopicId(id, true);
}

void TMainForm::ErrEditSelectionChange(cl::TComponent*) {
  if (loading_error_log_) return;
  // A double click selects the id with the blank after it.
  std::string id = SelectedTopicId(ErrEdit->SelText());
  if (!id.empty()) GoToTopicId(id, false);
}

void TMainForm::ProgExecute(cl::TComponent* sender) {
  if (!sender) return;
  const std::string& hcw = Project.Program.HcwFolder;
  if (sender->Tag == 0) {
    if (!Project.ProjectFile.empty()) SaveAExecute(this);
    StartProgram(HcwProgram(hcw), HcwCommandLine(hcw, Project.ProjectFile), Project.ProjectDir,
                 hcw.empty(), nullptr);
  } else if (sender->Tag == 1) {
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string folder = ExtractFileDir(self) + "\\";
    StartProgram(ZonivexProgram(folder), ZonivexCommandLine(folder),
                 ZonivexWorkingFolder(Project.ProjectDir), false, nullptr);
  }
}

}  // namespace qm::editor
