// The real quillmarkSetup.exe in processes of its own, driven through its
// windows as a user would: buttons clicked, the folder typed, message boxes
// read and answered.
#include <gtest/gtest.h>
#include <objbase.h>

#include "SetupTestUtil.h"
#include "classlib/tests/ProgramProcess.h"
#include "setup/Shortcuts.h"
#include "setup/core/SetupNames.h"
#include "setup/SetupRun.h"
#include "setup/core/SetupPaths.h"
#include "setup/core/SetupTexts.h"

using namespace qm::setup;
using namespace qmtest;

namespace {

struct Process {
  PROCESS_INFORMATION pi = {};
  Process(const std::string& exe, const std::string& args) {
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    std::string cmd = "\"" + exe + "\"" + (args.empty() ? "" : " " + args);
    EXPECT_TRUE(CreateProcessA(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, &si, &pi))
        << exe;
  }
  ~Process() {
    if (!pi.hProcess) return;
    if (WaitForSingleObject(pi.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(pi.hProcess, 1);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
  }
  bool Ended(DWORD ms = kWaitLimitMs) const { return WaitForSingleObject(pi.hProcess, ms) == WAIT_OBJECT_0; }
  DWORD ExitCode() const {
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(pi.hProcess, &code);
    return code;
  }
};

// A window of the process's class, once it is up.
HWND WaitForWindow(const Process& p, const char* cls) { return qmtest::WaitForWindow(p.pi, cls); }

// Waits until a dialog that was told to close has gone.
void WaitGone(HWND dialog) {
  WaitUntil("the dialog to close", [=] { return !IsWindow(dialog) || !IsWindowVisible(dialog); });
}

std::string TextOf(HWND h) {
  char buf[4096] = "";
  SendMessageA(h, WM_GETTEXT, sizeof buf, reinterpret_cast<LPARAM>(buf));
  return buf;
}

std::vector<HWND> Children(HWND parent) {
  std::vector<HWND> all;
  EnumChildWindows(
      parent,
      [](HWND h, LPARAM lp) {
        reinterpret_cast<std::vector<HWND>*>(lp)->push_back(h);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&all));
  return all;
}

// The child with this text, or the first one of this window class.
HWND Child(HWND parent, const std::string& text, const char* cls = nullptr) {
  for (HWND h : Children(parent)) {
    char c[64] = "";
    GetClassNameA(h, c, sizeof c);
    if (cls ? lstrcmpiA(c, cls) == 0 : TextOf(h) == text) return h;
  }
  ADD_FAILURE() << "no control " << (cls ? cls : text.c_str());
  return nullptr;
}

void Click(HWND button) { PostMessageA(button, BM_CLICK, 0, 0); }

// Clicks a button that closes its dialog and waits until it has.
void ClickAway(HWND dialog, const std::string& button) {
  Click(Child(dialog, button));
  WaitGone(dialog);
}

// Waits for the process's message box, returns its text and presses button.
std::string AnswerMessageBox(const Process& p, int button = IDOK) {
  HWND box = WaitForWindow(p, "#32770");
  if (!box) return "<no message box>";
  std::string text;
  for (HWND h : Children(box)) {
    char c[64] = "";
    GetClassNameA(h, c, sizeof c);
    if (lstrcmpiA(c, "Static") == 0 && !TextOf(h).empty()) text = TextOf(h);
  }
  PostMessageA(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
  WaitGone(box);  // before the next one is looked for
  return text;
}

class SetupProgram : public ::testing::Test {
 protected:
  void SetUp() override {
    DeleteKey(HKEY_LOCAL_MACHINE, kUninstallKey);
    DeleteKey(HKEY_LOCAL_MACHINE, kCacheKey);
    DeleteKey(HKEY_CURRENT_USER, kSettingsKey);
    CreateKey(HKEY_LOCAL_MACHINE, kCacheParentKey);
    package = NewFolder("package");
    MakePackage(package, "119", "119");
    // The real setup and readme.
    for (const char* name : {"quillmarkSetup.exe", "quillmark.txt"}) {
      ASSERT_TRUE(CopyFileA(WinPath(std::string(QM_DIST_DIR "/package/") + name).c_str(),
                            (package + "\\" + name).c_str(), FALSE));
    }
    setup = package + "\\quillmarkSetup.exe";
  }
  std::string package, setup;
};

}  // namespace

TEST_F(SetupProgram, InstallIntoAChosenFolderThroughItsWindows) {
  std::string folder = "C:\\ヘルプ ツール\\quillmark";
  {
    Process p(setup, "");
    HWND view = WaitForWindow(p, "TViewDlg");
    ASSERT_TRUE(view);
    EXPECT_EQ(TextOf(view), "概要/著作権");
    // The readme beside the setup, though the setup's current folder is another.
    EXPECT_NE(TextOf(Child(view, "", "Edit")).find("Quillmark ヘルプ作成エディタ"), std::string::npos);
    ClickAway(view, "次へ");

    HWND dir = WaitForWindow(p, "TSetDirDlg");
    ASSERT_TRUE(dir);
    HWND edit = Child(dir, "", "Edit");
    EXPECT_EQ(TextOf(edit), "C:\\Program Files\\quillmark");
    SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(folder.c_str()));
    bool figures = false;
    for (HWND h : Children(dir)) figures |= TextOf(h).find(" Mバイト") != std::string::npos;
    EXPECT_TRUE(figures);
    ClickAway(dir, "次へ");

    HWND cut = WaitForWindow(p, "TSCutDlg");
    ASSERT_TRUE(cut);
    Click(Child(cut, "スタートメニューに登録"));
    Click(Child(cut, "デスクトップに作成"));
    ClickAway(cut, "次へ");
    EXPECT_EQ(AnswerMessageBox(p), kInstalled);
    EXPECT_TRUE(p.Ended());
    EXPECT_EQ(p.ExitCode(), 0u);
  }
  for (const char* name : kInstallFiles) EXPECT_TRUE(Exists(folder + "\\" + name)) << name;
  EXPECT_TRUE(Exists(JoinFolder(SpecialFolderPath(23), "Quillmark.lnk")));
  EXPECT_TRUE(Exists(JoinFolder(SpecialFolderPath(25), "Quillmark.lnk")));
  EXPECT_EQ(ReadText(HKEY_LOCAL_MACHINE, kUninstallKey, "UninstallString"),
            folder + "\\quillmarkSetup.exe /r");

  {  // A second run finds the installation up to date.
    Process p(setup, "");
    EXPECT_EQ(AnswerMessageBox(p), kUpToDate);
    EXPECT_TRUE(p.Ended());
  }
}

TEST_F(SetupProgram, RefusesToRunBesideTheEditorOrItself) {
  {  // Both editors' mutexes: the hotspot graphics editor is named.
    HANDLE hotspot = CreateMutexA(nullptr, FALSE, kHotspotMutex);
    HANDLE editor = CreateMutexA(nullptr, FALSE, kEditorMutex);
    Process p(setup, "");
    EXPECT_EQ(AnswerMessageBox(p), std::string("Zonivex") + kRunningSuffix);
    EXPECT_TRUE(p.Ended());
    EXPECT_EQ(p.ExitCode(), static_cast<DWORD>(kExitFailed));
    CloseHandle(hotspot);
    CloseHandle(editor);
  }
  {
    Process editor(WinPath(QM_DIST_DIR "/quillmark.exe"), "");
    ASSERT_TRUE(WaitForWindow(editor, "TMainForm"));
    Process p(setup, "");
    EXPECT_EQ(AnswerMessageBox(p), std::string("Quillmark") + kRunningSuffix);
    EXPECT_TRUE(p.Ended());
  }
  // A second setup brings back the first and ends.
  Process first(setup, "");
  HWND view = WaitForWindow(first, "TViewDlg");
  ASSERT_TRUE(view);
  Process second(setup, "");
  EXPECT_TRUE(second.Ended());
  EXPECT_EQ(second.ExitCode(), 0u);
  EXPECT_FALSE(first.Ended(0));
  Click(Child(view, "中止"));
  EXPECT_TRUE(first.Ended());
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
}

// The package's last file cannot be read while the setup copies: the run
// names it, fails, and leaves folders, files, shortcuts and registry as they
// were, on a fresh install and on an upgrade.
TEST_F(SetupProgram, ACopyThatFailsLeavesTheMachineAsItWas) {
  CoInitialize(nullptr);
  char windows[MAX_PATH];
  GetWindowsDirectoryA(windows, MAX_PATH);
  const std::string latepurge = std::string(windows) + "\\Latepurge.exe";
  const std::vector<std::string> links = {JoinFolder(SpecialFolderPath(23), "Quillmark.lnk"),
                                          JoinFolder(SpecialFolderPath(25), "Quillmark.lnk")};
  for (bool upgrade : {false, true}) {
    SCOPED_TRACE(upgrade ? "upgrade" : "fresh install");
    std::string top, folder;
    if (upgrade) {
      // An earlier installation with its entry, a shortcut, the settings an
      // upgrade erases, and an older delete-after-exit program.
      top = folder = NewFolder("old");
      MakeInstallation(folder, "115");
      SetText(HKEY_LOCAL_MACHINE, kUninstallKey, "InstallLocation", folder);
      SetText(HKEY_CURRENT_USER, std::string(kSettingsKey) + "\\Install", "Dir", folder);
      ASSERT_TRUE(CreateShortcut(folder, kEditorExe, kShortcutName, 25));
      ASSERT_TRUE(CopyFileA(TinyProgram("none").c_str(), latepurge.c_str(), FALSE));
      MakeOld(latepurge);
    } else {
      // Two folders to make.
      top = NewFolder("x") + "\\新しい";
      folder = top + "\\ソフト";
      DeleteFileA(latepurge.c_str());
      for (const std::string& link : links) DeleteFileA(link.c_str());
    }
    const std::string before = MachineState(top, windows, links);
    HANDLE locked = CreateFileA((package + "\\quillmark.cnt").c_str(), GENERIC_READ, 0, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(locked, INVALID_HANDLE_VALUE);
    {
      Process p(setup, "");
      HWND view = WaitForWindow(p, "TViewDlg");
      ASSERT_TRUE(view);
      ClickAway(view, "次へ");
      if (!upgrade) {
        HWND dir = WaitForWindow(p, "TSetDirDlg");
        ASSERT_TRUE(dir);
        SendMessageA(Child(dir, "", "Edit"), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(folder.c_str()));
        ClickAway(dir, "次へ");
      }
      EXPECT_EQ(AnswerMessageBox(p), CannotCopyText(package + "\\quillmark.cnt", folder));
      ASSERT_TRUE(p.Ended());
      EXPECT_EQ(p.ExitCode(), static_cast<DWORD>(kExitFailed));
    }
    CloseHandle(locked);
    EXPECT_EQ(MachineState(top, windows, links), before);
  }
  CoUninitialize();
}
