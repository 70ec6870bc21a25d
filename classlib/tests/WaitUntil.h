// Waiting in the Wine tests: for a condition (a window, a file, a value),
// never for a fixed time, and by the clock, since a loaded machine stretches
// every pause unevenly.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>

namespace qmtest {

// How long a test waits for anything: long enough that only a condition that
// never comes fails, not a slow machine.
constexpr DWORD kWaitLimitMs = 60000;

enum class Pump { No, Messages };

// Polls `done` until it holds; fails the test, naming what it waited for,
// when it still does not a minute later. With Pump::Messages the thread's
// messages are dispatched meanwhile (for windows of this thread).
inline bool WaitUntil(const std::string& what, const std::function<bool()>& done, Pump pump = Pump::No) {
  const ULONGLONG until = GetTickCount64() + kWaitLimitMs;
  for (;;) {
    if (pump == Pump::Messages) {
      MSG m;
      while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&m);
        DispatchMessageA(&m);
      }
    }
    if (done()) return true;
    if (GetTickCount64() >= until) break;
    if (pump == Pump::Messages) MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    else Sleep(10);
  }
  ADD_FAILURE() << "waited " << kWaitLimitMs / 1000 << " s in vain for " << what;
  return false;
}

// Whether the process ended within the limit.
inline bool Ended(HANDLE process) { return WaitForSingleObject(process, kWaitLimitMs) == WAIT_OBJECT_0; }

}  // namespace qmtest
