#include "editor/CompileCommands.h"

#include <windows.h>
#include <richedit.h>

#include <algorithm>
#include <vector>

#include "classlib/Application.h"
#include "classlib/Dialogs.h"
#include "core/FileErrorTexts.h"
#include "core/FileSystem.h"
#include "core/Lines.h"
#include "editor/ContentsCommands.h"
#include "editor/ImageIndexes.h"
#include "editor/ProjectCommands.h"
#include "editor/core/CompileRules.h"

namespace qm::editor {

namespace {

// The texts are the program's own as authors know them, half-width katakana,
// ASCII full stops and the lower-case caption of the id search included.
constexpr char kIdNotFound[] = "IDが見つかりません.";
constexpr char kFindIdPrompt[] = "検索するﾄﾋﾟｯｸIDの入力";
constexpr char kFindIdCaption[] = "quillmark";
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
// and closing the window is put off (PutOffClose) until it has ended.
class CompilerWait {
 public:
  explicit CompilerWait(TCompileCommands& f) : f_(f) {
    f_.compiler_running_ = true;
    f_.close_deferred_ = false;
  }
  ~CompilerWait() { f_.compiler_running_ = false; }
  CompilerWait(const CompilerWait&) = delete;
  CompilerWait& operator=(const CompilerWait&) = delete;

 private:
  TCompileCommands& f_;
};

TCompileCommands::TCompileCommands(TMainForm& form) : TCommandGroup(form) {
  HelpMakeA = Form.ActionList1->Add("HelpMakeA", "コンパイル(&C)", VK_F11, kImgCompile);
  HelpMakeA->SetEnabled(false);
  Form.ToolCompilePlace.Add(HelpMakeA);
  HelpView = Form.ToolCompilePlace.Add("ヘルプ表示(&V)", "HelpView", kImgViewHelp, VK_F12);
  HelpView->SetEnabled(false);
  ErrView = Form.ToolCompilePlace.Add("エラーログ(&E)", "ErrView", kImgErrorLog);
  ErrView->SetEnabled(false);
  Form.ProjectOpenCommands.Actions.push_back(HelpMakeA);
  Form.ProjectOpenCommands.Items.push_back(ErrView);
  Form.ProjectOpenCommands.Items.push_back(HelpView);
  Form.PrjBar->AddSeparator();
  Form.PrjBar->AddButton(HelpMakeA);
  // Enabled once a project has been reset (created or read).
  FindID = Form.EditFindPlace.Add("ID検索(&I)...", "FindID", kImgFindId);
  FindID->SetEnabled(false);
  HcwH1 = Form.ToolProgramPlace.Add("Hcwの起動(&H)", "HcwH1", kImgHcw);
  HcwH1->Tag = 0;
  ZonivexS1 = Form.ToolProgramPlace.Add("Zonivexの起動(&S)", "ZonivexS1", kImgZonivex);
  ZonivexS1->Tag = 1;

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
  SendMessageA(Form.ErrEdit->Handle(), EM_EXLIMITTEXT, 0, kErrorPaneLimit);
  SendMessageA(Form.ErrEdit->Handle(), EM_SETTARGETDEVICE, 0, 1);
  Form.ErrEdit->OnSelectionChange = [this](cl::TRichEdit* e) { ErrEditSelectionChange(e); };
}

bool TCompileCommands::PutOffClose() {
  if (!compiler_running_) return false;
  // The session does not end while the compiler writes the help file, and
  // the author is told why; the window is not closed later either.
  if (cl::Application().EndingSession()) return RefuseWhileCompiling();
  // Closed once the compiler has ended, with the usual save.
  close_deferred_ = true;
  return true;
}

void TCompileCommands::FormDestroying() {
  if (HWND w = FindWindowA(nullptr, TopicSearchWindowTitle(Project.HelpTitle).c_str()))
    PostMessageA(w, WM_CLOSE, 0, 0);
}

bool TCompileCommands::RefuseWhileCompiling() {
  if (!compiler_running_) return false;
  cl::ShowMessageBox(Form.Handle(), kCompilerBusy, kWarningCaption, MB_OK | MB_ICONWARNING);
  return true;
}

bool TCompileCommands::StartProgram(const std::string& program, const std::string& command_line,
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
    cl::ShowMessageBox(Form.Handle(), CannotStartMessage(name, folder_not_set), kWarningCaption,
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

void TCompileCommands::HelpMakeAExecute(cl::TComponent*) {
  if (RefuseWhileCompiling()) return;
  // The compile belongs to the project open now.
  const std::string dir = Project.ProjectDir;
  // The help file and the log the project file names.
  const std::string help_file = FileInProject(dir, Project.HlpFileName());
  const std::string error_log = FileInProject(dir, Project.ErrFileName());
  const std::string& hcw = Project.Program.HcwFolder;

  // The viewer lets go of the help file, and its topic-search window of
  // this help file closes, so that the compiler can write the file.
  WinHelpCall(Form.Handle(), help_file, HELP_QUIT, 0);
  if (HWND w = FindWindowA(nullptr, TopicSearchWindowTitle(Project.HelpTitle).c_str()))
    PostMessageA(w, WM_CLOSE, 0, 0);
  // The compiler reads the files as they are in the editor.
  Form.ProjectCmds->SaveAExecute(&Form);
  // The handles are closed when `compiler` goes.
  ProcessHandles compiler;
  if (!StartProgram(CompilerProgram(hcw), CompilerCommandLine(hcw, Project.ProjectFile), dir,
                    hcw.empty(), &compiler.pi))
    return;

  cl::TWaitCursor hourglass;  // until the end of the command
  bool close_requested = false;
  // A close asked for during the wait is carried out now, whatever follows.
  AtExit post_close{[&] {
    if (close_requested) PostMessageA(Form.Handle(), WM_CLOSE, 0, 0);
  }};
  {
    // The window stays responsive while it waits for the compiler to end.
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
  // The built help file in the viewer, but not for a window that is about
  // to close.
  if (!close_requested && FileExists(help_file)) HelpViewClick(&Form);
  // The compiler's log, shown in its pane under the editor and scrolled to
  // the caret at the start of its last line.
  LoadErrorLog(error_log);
  if (!ErrView->Checked()) {
    ErrView->SetChecked(true);
    ShowErrorPane();
  }
  SendMessageA(Form.ErrEdit->Handle(), EM_SCROLLCARET, 0, 0);
}

void TCompileCommands::ShowErrorPane() {
  // This order puts the splitter directly above the pane.
  Form.Splitter2->SetAlign(cl::TAlign::Top);
  Form.ErrEdit->SetVisible(true);
  Form.Splitter2->SetAlign(cl::TAlign::Bottom);
  Form.Splitter2->SetHeight(3);
  Form.Realign();
}

void TCompileCommands::LoadErrorLog(const std::string& path) {
  loading_error_log_ = true;
  SendMessageA(Form.ErrEdit->Handle(), WM_SETREDRAW, FALSE, 0);
  AtExit end_update{[this] {
    SendMessageA(Form.ErrEdit->Handle(), WM_SETREDRAW, TRUE, 0);
    Form.ErrEdit->Invalidate();
    loading_error_log_ = false;
  }};
  Form.ErrEdit->Clear();
  if (!FileExists(path)) return;
  std::string bytes;
  if (!ReadFileBytes(path, bytes)) throw FileError(CannotOpenFileText(path));
  Form.ErrEdit->LoadText(JoinLines(SplitLines(bytes)));
  // The caret at the start of the last line.
  int last = std::max(Form.ErrEdit->LineCount() - 1, 0);
  int at = static_cast<int>(SendMessageA(Form.ErrEdit->Handle(), EM_LINEINDEX, static_cast<WPARAM>(last), 0));
  Form.ErrEdit->SetSel(std::max(at, 0), 0);
}

void TCompileCommands::ErrViewClick(cl::TComponent*) {
  ErrView->SetChecked(!ErrView->Checked());
  if (ErrView->Checked()) {
    LoadErrorLog(FileInProject(Project.ProjectDir, Project.ErrFileName()));
    ShowErrorPane();
  } else {
    Form.ErrEdit->SetVisible(false);
    Form.Splitter2->SetHeight(0);
    Form.Realign();
  }
}

void TCompileCommands::HelpViewClick(cl::TComponent*) {
  WinHelpCall(Form.Handle(), FileInProject(Project.ProjectDir, Project.HlpFileName()), HELP_FINDER, 0);
}

void TCompileCommands::GoToTopicId(const std::string& id, bool warn) {
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
      Form.ConTextView->Select(static_cast<cl::TTreeNode>(target->ViewItem));
      // The open topic stays as it is in the editor.
      if (target != Project.OpenTopicNode) Form.ContentsCmds->ConTextViewClick(Form.ConTextView);
    }
  }
  if (warn && !target) cl::ShowMessageBox(Form.Handle(), kIdNotFound, kFindIdCaption, MB_ICONWARNING);
}

void TCompileCommands::FindIDClick(cl::TComponent*) {
  std::string id = Form.Editor->SelText();
  if (cl::InputQuery(kFindIdCaption, kFindIdPrompt, id)) GoToTopicId(id, true);
}

void TCompileCommands::ErrEditSelectionChange(cl::TComponent*) {
  if (loading_error_log_) return;
  // A double click selects the id with the blank after it.
  std::string id = SelectedTopicId(Form.ErrEdit->SelText());
  if (!id.empty()) GoToTopicId(id, false);
}

void TCompileCommands::ProgExecute(cl::TComponent* sender) {
  if (!sender) return;
  const std::string& hcw = Project.Program.HcwFolder;
  if (sender->Tag == 0) {
    if (!Project.ProjectFile.empty()) Form.ProjectCmds->SaveAExecute(&Form);
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
