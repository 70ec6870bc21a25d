// zonivex: one running copy at a time; a second start restores the first
// copy's window and ends.
#include <windows.h>

#include <memory>

#include "classlib/ProgramStart.h"
#include "classlib/RegIniFile.h"
#include "exchange/TopicIdExchange.h"
#include "hotspot/ZonivexForm.h"
#include "hotspot/core/ZonivexSettings.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  cl::TProgramStart start;
  start.MutexName = qm::zonivex::kMutexName;
  start.Title = qm::zonivex::kApplicationTitle;
  if (cl::AnotherCopyRuns(start)) return 0;
  // The exchange's message number, before any window exists.
  qm::exchange::RegisterTopicIdMessage();
  std::unique_ptr<cl::TRegIniFile> settings;
  return cl::RunProgram(start, [&settings]() -> cl::TForm* {
    settings = std::make_unique<cl::TRegIniFile>(HKEY_CURRENT_USER, qm::hotspot::kZonivexSettingsKey);
    return new qm::zonivex::TForm1(*settings);
  });
}
