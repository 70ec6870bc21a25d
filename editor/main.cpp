// quillmark: one running copy at a time; a second start restores the first
// copy's window (while it shows no project) and ends.
#include <windows.h>

#include "classlib/ComApartment.h"
#include "classlib/ProgramStart.h"
#include "classlib/RegIniFile.h"
#include "editor/MainForm.h"
#include "exchange/TopicIdExchange.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  // The options' new-style folder browser needs COM on this thread.
  const cl::TComApartment com;
  cl::TProgramStart start;
  // The setup program looks for this name, spelling and all: keep it.
  start.MutexName = "Tarvesk_Quillmarkor";
  start.Title = qm::editor::kApplicationTitle;
  if (cl::AnotherCopyRuns(start)) return 0;
  // The message of the topic-id exchange, before any window exists.
  qm::exchange::RegisterTopicIdMessage();
  std::unique_ptr<cl::TRegIniFile> settings;
  return cl::RunProgram(start, [&settings]() -> cl::TForm* {
    settings = std::make_unique<cl::TRegIniFile>(HKEY_CURRENT_USER, qm::editor::kSettingsKey);
    return new qm::editor::TMainForm(*settings);
  });
}
