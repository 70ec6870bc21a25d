#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "classlib/tests/ProgramProcess.h"

namespace {

using qmtest::Ended;
using qmtest::ProgramReaper;
using qmtest::StartProgram;
using qmtest::WaitForWindow;
using qmtest::WaitUntil;

TEST(SingleInstance, ASecondStartRestoresTheFirstAndEnds) {
  std::string exe = std::string(QM_DIST_DIR) + "/quillmark.exe";
  PROCESS_INFORMATION first = StartProgram(exe);
  ProgramReaper reap_first{first};
  HWND main = WaitForWindow(first, "TMainForm");
  ASSERT_NE(main, nullptr);
  ASSERT_NE(FindWindowA("TApplication", "Quillmerk"), nullptr);  // spelt so on purpose
  PostMessageA(main, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  ASSERT_TRUE(WaitUntil("the main window minimized", [&] { return IsIconic(main) != FALSE; }));

  PROCESS_INFORMATION second = StartProgram(exe);
  ProgramReaper reap_second{second};
  EXPECT_TRUE(Ended(second.hProcess));
  EXPECT_EQ(WaitForSingleObject(first.hProcess, 0), static_cast<DWORD>(WAIT_TIMEOUT));
  EXPECT_TRUE(WaitUntil("the main window restored", [&] { return !IsIconic(main); }));

  // Closing writes the settings into the per-user key.
  PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_TRUE(Ended(first.hProcess));
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
