// Helpers for the editor's tests under Wine: temporary folders, copies of
// the test projects, the main form with its message boxes seen.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "classlib/Dialogs.h"
#include "classlib/FileDialogs.h"
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
};

}  // namespace qm::editor::test
