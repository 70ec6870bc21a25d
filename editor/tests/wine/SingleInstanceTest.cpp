#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace {

PROCESS_INFORMATION Start(const std::string& exe) {
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi = {};
  std::string cmd = "\"" + exe + "\"";
  EXPECT_TRUE(CreateProcessA(exe.c_str(), &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                             &si, &pi));
  return pi;
}

struct Search {
  DWORD pid;
  const char* cls;
  HWND found;
};

BOOL CALLBACK MatchWindow(HWND h, LPARAM lp) {
  auto* s = reinterpret_cast<Search*>(lp);
  DWORD pid = 0;
  GetWindowThreadProcessId(h, &pid);
  char cls[64] = {};
  GetClassNameA(h, cls, sizeof cls);
  if (pid == s->pid && std::string(cls) == s->cls && IsWindowVisible(h)) {
    s->found = h;
    return FALSE;
  }
  return TRUE;
}

// The visible top-level window of this class that the process owns.
HWND WaitForWindow(DWORD pid, const char* cls, int ms) {
  for (int t = 0; t < ms; t += 100) {
    Search s{pid, cls, nullptr};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&s));
    if (s.found) return s.found;
    Sleep(100);
  }
  return nullptr;
}

// Ends a started process however the test ends.
struct Reaper {
  PROCESS_INFORMATION& pi;
  ~Reaper() {
    if (pi.hProcess && WaitForSingleObject(pi.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(pi.hProcess, 1);
  }
};

TEST(SingleInstance, ASecondStartRestoresTheFirstAndEnds) {
  std::string exe = std::string(QM_DIST_DIR) + "/quillmark.exe";
  PROCESS_INFORMATION first = Start(exe);
  Reaper reap_first{first};
  HWND main = WaitForWindow(first.dwProcessId, "TMainForm", 20000);
  ASSERT_NE(main, nullptr);
  ASSERT_NE(FindWindowA("TApplication", "Quillmerk"), nullptr);  // spelt so on purpose
  PostMessageA(main, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  for (int t = 0; t < 5000 && !IsIconic(main); t += 100) Sleep(100);
  ASSERT_TRUE(IsIconic(main));

  PROCESS_INFORMATION second = Start(exe);
  Reaper reap_second{second};
  EXPECT_EQ(WaitForSingleObject(second.hProcess, 15000), WAIT_OBJECT_0);
  EXPECT_EQ(WaitForSingleObject(first.hProcess, 0), static_cast<DWORD>(WAIT_TIMEOUT));
  for (int t = 0; t < 5000 && IsIconic(main); t += 100) Sleep(100);
  EXPECT_FALSE(IsIconic(main));

  // Closing writes the settings into the per-user key.
  PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(WaitForSingleObject(first.hProcess, 15000), WAIT_OBJECT_0);
  HKEY k;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "software\\tarvesk\\quillmark\\Pos", 0, KEY_READ, &k),
            ERROR_SUCCESS);
  char buf[32] = {};
  DWORD size = sizeof buf, type = 0;
  EXPECT_EQ(RegQueryValueExA(k, "Width", nullptr, &type, reinterpret_cast<BYTE*>(buf), &size),
            ERROR_SUCCESS);
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  RegCloseKey(k);
  for (HANDLE h : {first.hProcess, first.hThread, second.hProcess, second.hThread}) CloseHandle(h);
}

}  // namespace
