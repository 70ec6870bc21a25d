// Helpers for the Wine tests that run the programs themselves: start one,
// find its windows, end it whatever the test does.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "classlib/tests/WaitUntil.h"

namespace qmtest {

inline PROCESS_INFORMATION StartProgram(const std::string& exe) {
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi = {};
  std::string cmd = "\"" + exe + "\"";
  EXPECT_TRUE(CreateProcessA(exe.c_str(), &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
  return pi;
}

struct WindowSearch {
  DWORD pid;
  const char* cls;
  HWND found;
};

inline BOOL CALLBACK MatchWindowOfProcess(HWND h, LPARAM lp) {
  auto* s = reinterpret_cast<WindowSearch*>(lp);
  DWORD pid = 0;
  GetWindowThreadProcessId(h, &pid);
  char cls[64] = {};
  GetClassNameA(h, cls, sizeof cls);
  if (pid != s->pid || std::string(cls) != s->cls || !IsWindowVisible(h)) return TRUE;
  s->found = h;
  return FALSE;
}

// The visible top-level window of this class that the process shows, once it
// is there; null (and a failure) when the process ends or a minute passes
// first.
inline HWND WaitForWindow(const PROCESS_INFORMATION& pi, const char* cls) {
  WindowSearch s{pi.dwProcessId, cls, nullptr};
  const bool came = WaitUntil(std::string("a window of class ") + cls, [&] {
    EnumWindows(MatchWindowOfProcess, reinterpret_cast<LPARAM>(&s));
    return s.found || WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0;
  });
  if (came && !s.found) ADD_FAILURE() << "the process ended without a window of class " << cls;
  return s.found;
}

// Ends a started process however the test ends, and closes its handles.
struct ProgramReaper {
  PROCESS_INFORMATION& pi;
  ~ProgramReaper() {
    if (pi.hProcess && WaitForSingleObject(pi.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(pi.hProcess, 1);
    if (pi.hProcess) CloseHandle(pi.hProcess);
    if (pi.hThread) CloseHandle(pi.hThread);
    pi.hProcess = pi.hThread = nullptr;
  }
};

}  // namespace qmtest
