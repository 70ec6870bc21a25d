// Compiling the project, the error pane, the help viewer, finding a topic by
// its id and starting the companion programs.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "editor/CommandGroup.h"

namespace qm::editor {

class TCompileCommands : public TCommandGroup {
 public:
  explicit TCompileCommands(TMainForm& form);

  cl::TAction* HelpMakeA = nullptr;
  cl::TMenuItem* HelpView = nullptr;
  cl::TMenuItem* ErrView = nullptr;
  cl::TMenuItem* FindID = nullptr;
  cl::TMenuItem* HcwH1 = nullptr;
  cl::TMenuItem* ZonivexS1 = nullptr;

  // Saves, runs the help compiler on the project, shows the help file and
  // the error log.
  void HelpMakeAExecute(cl::TComponent* sender);
  // Replaces the error pane's text by the lines of a file.
  void LoadErrorLog(const std::string& path);
  void ErrViewClick(cl::TComponent* sender);
  void HelpViewClick(cl::TComponent* sender);
  // Selects and opens the contents node of a topic id; warn: report a miss.
  void GoToTopicId(const std::string& id, bool warn);
  void FindIDClick(cl::TComponent* sender);
  void ErrEditSelectionChange(cl::TComponent* sender);
  // Starts Help Workshop (sender's Tag 0) or the hotspot graphics editor (1).
  void ProgExecute(cl::TComponent* sender);
  // True while the window waits for the help compiler.
  bool CompilerRunning() const { return compiler_running_; }
  // The commands that would leave the project or start another compile or
  // backup call this first: while the compiler runs it says why they must
  // wait and returns true.
  bool RefuseWhileCompiling();
  // The help viewer call (WinHelpA); tests put another in its place.
  std::function<BOOL(HWND, const std::string&, UINT, ULONG_PTR)> WinHelpCall;

  // While the compiler runs, closing waits for it.
  bool PutOffClose() override;
  // The help viewer's topic-search window of the project goes with the
  // window.
  void FormDestroying() override;

 private:
  friend class CompilerWait;
  bool compiler_running_ = false;
  bool close_deferred_ = false;
  bool loading_error_log_ = false;
  // The layout steps that show the error pane under the editor.
  void ShowErrorPane();
  // Starts a program (flags 0x20, the editor's environment); folder empty:
  // the editor's current folder. Reports a failure naming the program.
  // process receives the handles (to wait for), or they are closed at once.
  bool StartProgram(const std::string& program, const std::string& command_line,
                    const std::string& folder, bool folder_not_set, PROCESS_INFORMATION* process);
};

}  // namespace qm::editor
