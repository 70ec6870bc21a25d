#include "classlib/ProgramStart.h"

#include <windows.h>
#include <commctrl.h>

#include <exception>

#include "classlib/Application.h"

namespace cl {

bool AnotherCopyRuns(const TProgramStart& start) {
  bool runs = false;
  if (start.MutexName) {
    // MUTEX_ALL_ACCESS, not inherited.
    if (HANDLE other = OpenMutexA(0x1F0001, FALSE, start.MutexName)) {
      CloseHandle(other);
      runs = true;
    }
  }
  HWND app = (runs || !start.MutexName) ? FindWindowA("TApplication", start.Title) : nullptr;
  if (app) {
    runs = true;
    if (start.RestoreWithShowWindow) {
      ShowWindow(app, SW_RESTORE);
    } else {
      PostMessageA(app, WM_SYSCOMMAND, SC_RESTORE, 0);
    }
  }
  return runs;
}

int RunProgram(const TProgramStart& start, const std::function<TForm*()>& create) {
  HANDLE mutex = start.MutexName ? CreateMutexA(nullptr, FALSE, start.MutexName) : nullptr;
  INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_WIN95_CLASSES | ICC_BAR_CLASSES | ICC_COOL_CLASSES};
  InitCommonControlsEx(&icc);
  TApplication& app = Application();
  app.Initialize();
  app.SetTitle(start.Title);
  try {
    if (TForm* form = create()) {
      app.SetMainForm(form);
      form->DoCreate();
      app.Run();
    }
  } catch (const std::exception& e) {
    app.HandleException(e);
  }
  if (mutex) {
    ReleaseMutex(mutex);
    CloseHandle(mutex);
  }
  return 0;
}

}  // namespace cl
