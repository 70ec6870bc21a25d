// Runs the built delete-after-exit stand-in as the run-once key would:
// Latepurge -n "<folder>" <file>.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "classlib/tests/TempDir.h"
#include "classlib/tests/WaitUntil.h"

namespace {

std::string LatepurgeExe() {
  std::string exe = QM_DIST_DIR "/standins/Latepurge.exe";
  for (char& c : exe)
    if (c == '/') c = '\\';
  return exe;
}

void Touch(const std::string& path) {
  HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE) << path;
  DWORD n = 0;
  WriteFile(h, "MZ", 2, &n, nullptr);
  CloseHandle(h);
}

bool Exists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

struct PurgeRun {
  PROCESS_INFORMATION pi = {};
  bool started = false;
  explicit PurgeRun(const std::string& args) {
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    std::string cmd = "\"" + LatepurgeExe() + "\" " + args;
    std::vector<char> buf(cmd.begin(), cmd.end());
    buf.push_back('\0');
    started = CreateProcessA(nullptr, buf.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                             &si, &pi) != 0;
  }
  // The exit code, or 999 when it did not end in time.
  DWORD Wait(DWORD ms = qmtest::kWaitLimitMs) {
    if (!started || WaitForSingleObject(pi.hProcess, ms) != WAIT_OBJECT_0) return 999;
    DWORD code = 998;
    GetExitCodeProcess(pi.hProcess, &code);
    return code;
  }
  ~PurgeRun() {
    if (!started) return;
    if (WaitForSingleObject(pi.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(pi.hProcess, 1);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
  }
};

}  // namespace

TEST(LatepurgeStandIn, WaitsForTheFileThenRemovesItAndTheEmptyFolder) {
  std::string dir = qmtest::NewTempDir("quill mark");
  std::string file = dir + "\\quillmarkSetup.exe";
  Touch(file);
  // Held open as a running program holds its file.
  HANDLE busy = CreateFileA(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(busy, INVALID_HANDLE_VALUE);
  PurgeRun run("-n \"" + dir + "\" quillmarkSetup.exe");
  ASSERT_TRUE(run.started) << GetLastError();
  EXPECT_EQ(run.Wait(1500), 999u) << "it did not wait for the file";
  EXPECT_TRUE(Exists(file));
  CloseHandle(busy);
  EXPECT_EQ(run.Wait(), 0u);
  EXPECT_FALSE(Exists(file));
  EXPECT_FALSE(Exists(dir));
}

TEST(LatepurgeStandIn, AFolderEndingInABackslashOrHoldingOtherFiles) {
  // "ソ" ends in the byte 0x5C; the folder is given with a trailing backslash.
  std::string dir = qmtest::NewTempDir("ソフト");
  Touch(dir + "\\quillmarkSetup.exe");
  PurgeRun run("-n \"" + dir + "\\\" quillmarkSetup.exe");
  EXPECT_EQ(run.Wait(), 0u);
  EXPECT_FALSE(Exists(dir));

  std::string kept = qmtest::NewTempDir("kept");
  Touch(kept + "\\quillmarkSetup.exe");
  Touch(kept + "\\mine.txt");
  PurgeRun second("-n \"" + kept + "\" quillmarkSetup.exe");
  EXPECT_EQ(second.Wait(), 0u);
  EXPECT_FALSE(Exists(kept + "\\quillmarkSetup.exe"));
  EXPECT_TRUE(Exists(kept + "\\mine.txt"));
  // A broken command line is an error.
  PurgeRun broken("-n");
  EXPECT_EQ(broken.Wait(), 1u);
}
