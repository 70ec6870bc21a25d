// quillmark: one running copy at a time; a second start restores the first
// copy's window (while it shows no project) and ends.
#include <windows.h>

#include "classlib/Application.h"
#include "classlib/RegIniFile.h"
#include "editor/MainForm.h"

namespace {
const char kMutexName[] = "Tarvesk_Quillmarkor";
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  if (HANDLE other = OpenMutexA(0x1F0001, FALSE, kMutexName)) {
    CloseHandle(other);
    if (HWND app = FindWindowA("TApplication", qm::editor::kApplicationTitle))
      PostMessageA(app, WM_SYSCOMMAND, SC_RESTORE, 0);
    return 0;
  }
  HANDLE mutex = CreateMutexA(nullptr, FALSE, kMutexName);
  INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_WIN95_CLASSES | ICC_BAR_CLASSES | ICC_COOL_CLASSES};
  InitCommonControlsEx(&icc);
  cl::TApplication& app = cl::Application();
  app.Initialize();
  app.SetTitle(qm::editor::kApplicationTitle);
  try {
    cl::TRegIniFile settings(HKEY_CURRENT_USER, qm::editor::kSettingsKey);
    auto* form = new qm::editor::TMainForm(settings);
    app.SetMainForm(form);
    form->DoCreate();
    app.Run();
  } catch (const std::exception& e) {
    app.HandleException(e);
  }
  if (mutex) {
    ReleaseMutex(mutex);
    CloseHandle(mutex);
  }
  return 0;
}
