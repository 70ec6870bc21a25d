// The start of a program that runs as one copy at a time.
//
// A second start looks for the first copy's application window (class
// "TApplication" with the application title), brings it back and ends. The
// title is set only after that check, so a program never finds itself.
#pragma once

#include <functional>

#include "classlib/Form.h"

namespace cl {

struct TProgramStart {
  // The named mutex that marks a running copy; null for none (the window
  // search alone decides).
  const char* MutexName = nullptr;
  // The application title searched for and then set.
  const char* Title = "";
  // How a found copy is brought back: WM_SYSCOMMAND / SC_RESTORE posted to
  // its application window, or ShowWindow with SW_RESTORE.
  bool RestoreWithShowWindow = false;
};

// True when another copy runs; its window, when found, has been restored.
// The caller then ends without opening a window.
bool AnotherCopyRuns(const TProgramStart& start);

// Creates the mutex (when named), initialises the common controls and the
// application with its title, makes the main form with create (which may
// return null to end at once), runs the message loop and releases the mutex.
// An exception out of create is shown by the application's handler.
int RunProgram(const TProgramStart& start, const std::function<TForm*()>& create);

}  // namespace cl
