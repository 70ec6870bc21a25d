// Helpers for the editor's tests under Wine: temporary folders, copies of
// the test projects, the main form with its message boxes seen.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "classlib/Dialogs.h"
#include "classlib/FileDialogs.h"
#include "classlib/tests/ModalTest.h"
#include "classlib/tests/TempDir.h"
#include "core/IniSettings.h"
#include "editor/DialogRun.h"
#include "editor/CompileCommands.h"
#include "editor/ContentsCommands.h"
#include "editor/MainForm.h"
#include "editor/ProjectCommands.h"
#include "editor/TopicCommands.h"

namespace qm::editor::test {

// A new temporary folder (the class library's test helper).
using qmtest::NewTempDir;

// Copies every file of a test project (testdata/projects) into a new
// temporary folder.
std::string CopyProject(const std::string& name);
std::string ReadFile(const std::string& path);
// A folder of the built programs (dist/win64), as a Windows path:
// "helpworkshop" holds the help compiler stand-ins, "archiver" the archiver.
std::string DistFolder(const std::string& name);
// Ends the "compiler" the editor started: the process of that name that this
// process started. True when there was one.
bool EndCompiler(const char* exe);

// The main form over an in-memory settings store, message boxes and file
// dialogs answered by the test.
struct EditorFixture {
  qm::MemoryIniStore store;
  std::vector<cl::MessageBoxCall> boxes;
  int box_answer = IDOK;
  std::vector<std::string> dialog_answers;  // file names the dialogs return, in turn
  // Answers the editor's own dialogs (DialogRun.h); without it they are
  // cancelled unseen.
  qm::editor::EditorDialogHook editor_dialogs;
  std::unique_ptr<qm::editor::TMainForm> form;

  EditorFixture();
  ~EditorFixture();
  void Pump();
  // Selects the tree node of a topic id and clicks it.
  void ClickTopic(const std::string& id);
  // Types text at the end of the editor.
  void TypeAtEnd(const std::string& text);
  // The key vk with `held` (VK_CONTROL, VK_SHIFT) down, posted to the editor
  // and run by the message loop.
  void EditorKey(int held, int vk);
};

// Answers the next editor dialog of type D: `step` works in it while it is
// shown, and the dialog ends with `result` unless the step ended it.
template <class D>
void Answer(EditorFixture& fx, std::function<void(D&)> step, int result = cl::mrOk) {
  fx.editor_dialogs = [step, result](cl::TDialogForm& d) {
    auto& dlg = dynamic_cast<D&>(d);
    return qmtest::RunModal(dlg, [&] {
      if (step) step(dlg);
      if (dlg.ModalResult() == cl::mrNone) dlg.SetModalResult(result);
    });
  };
}

}  // namespace qm::editor::test
