#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "classlib/tests/ProgramProcess.h"

namespace {

using qmtest::ProgramReaper;
using qmtest::StartProgram;
using qmtest::WaitForWindow;

TEST(SingleInstance, ASecondStartRestoresTheFirstAndEnds) {
  std::string exe = std::string(QM_DIST_DIR) + "/quillmark.exe";
  PROCESS_INFORMATION first = StartProgram(exe);
  ProgramReaper reap_first{first};
  HWND main = WaitForWindow(first.dwProcessId, "TMainForm", 20000);
  ASSERT_NE(main, nullptr);
  ASSERT_NE(FindWindowA("TApplication", "Quillmerk"), nullptr);  // spelt so on purpose
  PostMessageA(main, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  for (int t = 0; t < 5000 && !IsIconic(main); t += 100) Sleep(100);
  ASSERT_TRUE(IsIconic(main));

  PROCESS_INFORMATION second = StartProgram(exe);
  ProgramReaper reap_second{second};
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
}

}  // namespace
