// The program itself, in processes of its own.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "classlib/RegIniFile.h"
#include "classlib/tests/ProgramProcess.h"

namespace {

const std::string kExe = std::string(QM_DIST_DIR) + "/zonivex.exe";
const char kSection[] = "software\\tarvesk\\quillmark\\zonivex";

std::string Setting(const char* name) {
  HKEY k;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kSection, 0, KEY_READ, &k) != ERROR_SUCCESS) return "<no key>";
  char buf[64] = {};
  DWORD size = sizeof buf - 1, type = 0;
  const LONG r = RegQueryValueExA(k, name, nullptr, &type, reinterpret_cast<BYTE*>(buf), &size);
  RegCloseKey(k);
  if (r != ERROR_SUCCESS || type != REG_SZ) return "<missing>";
  return buf;
}

TEST(ZonivexProgram, OneCopyAtATimeAndItsSettings) {
  cl::RegDeleteTree(HKEY_CURRENT_USER, kSection);
  PROCESS_INFORMATION first = qmtest::StartProgram(kExe);
  qmtest::ProgramReaper reapFirst{first};
  HWND main = qmtest::WaitForWindow(first, "TForm1");
  ASSERT_NE(main, nullptr);
  char title[64] = {};
  GetWindowTextA(main, title, sizeof title);
  EXPECT_STREQ(title, "Zonivex");
  ASSERT_NE(FindWindowA("TApplication", "Zonivex"), nullptr);
  RECT r;
  GetWindowRect(main, &r);
  EXPECT_EQ(r.right - r.left, 640);  // the default size
  EXPECT_EQ(r.bottom - r.top, 480);
  PostMessageA(main, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  ASSERT_TRUE(qmtest::WaitUntil("the main window minimized", [&] { return IsIconic(main) != FALSE; }));

  // A second start restores the first and ends without a window.
  PROCESS_INFORMATION second = qmtest::StartProgram(kExe);
  qmtest::ProgramReaper reapSecond{second};
  EXPECT_TRUE(qmtest::Ended(second.hProcess));
  EXPECT_EQ(WaitForSingleObject(first.hProcess, 0), static_cast<DWORD>(WAIT_TIMEOUT));
  EXPECT_TRUE(qmtest::WaitUntil("the main window restored", [&] { return !IsIconic(main); }));

  // Closing without changes asks nothing and writes the ten settings.
  PostMessageA(main, WM_CLOSE, 0, 0);
  ASSERT_TRUE(qmtest::Ended(first.hProcess));
  EXPECT_EQ(Setting("Width"), "640");
  EXPECT_EQ(Setting("Height"), "480");
  EXPECT_EQ(Setting("hotspot"), "70");
  EXPECT_EQ(Setting("mode"), "45");
  EXPECT_EQ(Setting("context"), "80");
  EXPECT_EQ(Setting("List"), "199");
  EXPECT_EQ(Setting("Hot"), "1");
  EXPECT_EQ(Setting("vis"), "0");
  EXPECT_NE(Setting("Top"), "<missing>");
  EXPECT_NE(Setting("Left"), "<missing>");

  // The next start takes them.
  cl::TRegIniFile(HKEY_CURRENT_USER, "software\\tarvesk\\quillmark").Write("zonivex", "Width", "700");
  PROCESS_INFORMATION third = qmtest::StartProgram(kExe);
  qmtest::ProgramReaper reapThird{third};
  main = qmtest::WaitForWindow(third, "TForm1");
  ASSERT_NE(main, nullptr);
  GetWindowRect(main, &r);
  EXPECT_EQ(r.right - r.left, 700);
  PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_TRUE(qmtest::Ended(third.hProcess));
}

}  // namespace
