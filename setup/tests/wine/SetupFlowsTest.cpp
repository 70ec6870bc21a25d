// The install and uninstall flows against the registry, the Windows folder
// and the shortcut folders of a prefix of their own, with the dialogs
// answered by the test.
#include <gtest/gtest.h>
#include <objbase.h>

#include "SetupTestUtil.h"
#include "classlib/tests/UnixPath.h"
#include "classlib/tests/WaitUntil.h"
#include "setup/PackageFiles.h"
#include "setup/PreviousInstall.h"
#include "setup/Shortcuts.h"
#include "setup/core/SetupNames.h"
#include "setup/core/SetupPaths.h"
#include "setup/core/SetupTexts.h"

using namespace qm::setup;
using namespace qmtest;

namespace {

const std::string kSettings = kSettingsKey;

class SetupFlows : public ::testing::Test {
 protected:
  void SetUp() override {
    CoInitialize(nullptr);
    DeleteKey(HKEY_LOCAL_MACHINE, kUninstallKey);
    DeleteKey(HKEY_LOCAL_MACHINE, kCacheKey);
    DeleteKey(HKEY_CURRENT_USER, kSettingsKey);
    // A fresh prefix has no installed-program cache; Windows makes it.
    CreateKey(HKEY_LOCAL_MACHINE, kCacheParentKey);
  }
  void TearDown() override { CoUninitialize(); }

  // A run of the setup from package, as far as its start-up goes.
  TSetupRun Start(const std::string& package) {
    TSetupRun run;
    run.packageFolder = package + "\\";
    std::string missing;
    EXPECT_TRUE(ReadPackageVersions(run, missing));
    ReadSystemState(run);
    proposed = FindPreviousInstallation(run);
    return run;
  }

  std::string proposed;  // the folder the folder dialog starts with
};

std::string Shortcut(int csidl) { return JoinFolder(SpecialFolderPath(csidl), "Quillmark.lnk"); }

}  // namespace

TEST_F(SetupFlows, AFreshInstallIntoAChosenFolder) {
  std::string package = NewFolder("package");
  MakePackage(package, "119", "119");
  TSetupRun run = Start(package);
  EXPECT_EQ(run.packageEditor, 119);
  EXPECT_FALSE(run.skipFolderDialog);
  EXPECT_EQ(proposed, "C:\\Program Files\\quillmark");
  EXPECT_TRUE(run.nt5);

  ScriptedDialogs dialogs;
  // "ソ" ends in the byte 0x5C.
  dialogs.folder = "C:\\ツール\\ソ";
  dialogs.programs = true;
  dialogs.desktop = true;
  MessageRecorder messages;
  RunInstall(run, dialogs);
  EXPECT_EQ(dialogs.shown, (std::vector<std::string>{"readme", "folder", "copy", "shortcuts"}));
  EXPECT_EQ(messages.Texts(), std::vector<std::string>{kInstalled});
  EXPECT_EQ(run.exitCode, 0);
  ASSERT_FALSE(dialogs.progress.empty());
  EXPECT_EQ(dialogs.progress.back(), 100);

  for (const char* name : kInstallFiles) EXPECT_TRUE(Exists(dialogs.folder + "\\" + name)) << name;
  EXPECT_FALSE(Exists(dialogs.folder + "\\Latepurge.exe"));
  EXPECT_TRUE(Exists(run.windowsFolder + "\\Latepurge.exe"));
  EXPECT_TRUE(Exists(Shortcut(23)));
  EXPECT_TRUE(Exists(Shortcut(25)));
  EXPECT_FALSE(Exists(Shortcut(24)));

  // The uninstall entry's values with their types (Wine lists them by name).
  EXPECT_EQ(ValueNames(HKEY_LOCAL_MACHINE, kUninstallKey).size(), 10u);
  const struct {
    const char* name;
    DWORD type;
    std::string data;
  } kValues[] = {
      {"DisplayName", REG_SZ, std::string("Quillmark") + '\0'},
      {"InstallLocation", REG_EXPAND_SZ, dialogs.folder + '\0'},
      {"UninstallString", REG_EXPAND_SZ, dialogs.folder + "\\quillmarkSetup.exe /r" + '\0'},
      {"DisplayVersion", REG_SZ, std::string("1.19") + '\0'},
      {"VersionMajor", REG_DWORD, std::string("\1\0\0\0", 4)},
      {"VersionMinor", REG_DWORD, std::string("\x13\0\0\0", 4)},
      {"ShortCut", REG_DWORD, std::string("\5\0\0\0", 4)},
  };
  for (const auto& v : kValues) {
    DWORD type = 0;
    std::string data;
    ASSERT_TRUE(ReadValue(HKEY_LOCAL_MACHINE, kUninstallKey, v.name, type, data)) << v.name;
    EXPECT_EQ(type, v.type) << v.name;
    EXPECT_EQ(data, v.data) << v.name;
  }
  // The cache entry: the record names the editor in UTF-16.
  DWORD type = 0;
  std::string record;
  ASSERT_TRUE(ReadValue(HKEY_LOCAL_MACHINE, kCacheKey, "SlowInfoCache", type, record));
  EXPECT_EQ(type, static_cast<DWORD>(REG_BINARY));
  ASSERT_EQ(record.size(), 552u);
  std::wstring name(reinterpret_cast<const wchar_t*>(record.data() + 28));
  EXPECT_EQ(name, L"C:\\ツール\\ソ\\quillmark.exe");
  std::uint64_t size = 0;
  memcpy(&size, record.data() + 8, 8);
  EXPECT_EQ(size, run.disk.clusterSize * run.disk.fiveFiles);
  EXPECT_GT(size, 0u);
  ASSERT_TRUE(ReadValue(HKEY_LOCAL_MACHINE, kCacheKey, "Changed", type, record));
  EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(record, std::string("\0\0\0\0", 4));

}

TEST_F(SetupFlows, AnUpgradeUsesTheOldFolderAndErasesTheOldSettings) {
  const struct {
    const char* tag;
    bool toolBarKept;
  } kCases[] = {{"108", false}, {"115", true}};
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.tag);
    DeleteKey(HKEY_LOCAL_MACHINE, kUninstallKey);
    std::string old = NewFolder("old");
    MakeInstallation(old, c.tag);
    // Older setups kept the folder in the editors' own settings.
    SetText(HKEY_CURRENT_USER, kSettings + "\\Install", "Dir", old);
    SetText(HKEY_CURRENT_USER, kSettings + "\\Install", "ShortCut", "2");
    SetText(HKEY_CURRENT_USER, kSettings + "\\ToolBar", "PrjBar", "1");
    std::string package = NewFolder("package");
    MakePackage(package, "119", "119");
    TSetupRun run = Start(package);
    EXPECT_TRUE(run.skipFolderDialog);
    EXPECT_EQ(proposed, old);

    ScriptedDialogs dialogs;
    dialogs.folder = proposed;  // the folder dialog holds it, unseen
    MessageRecorder messages;
    RunInstall(run, dialogs);
    EXPECT_EQ(dialogs.shown, (std::vector<std::string>{"readme", "copy"}));
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{kInstalled});
    EXPECT_EQ(ReadProductVersion(old + "\\quillmark.exe"), "1.19");
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kSettings + "\\Install"));
    EXPECT_EQ(KeyExists(HKEY_CURRENT_USER, kSettings + "\\ToolBar"), c.toolBarKept);
    // The stored flags are written back; an upgrade makes no shortcut.
    DWORD type = 0;
    std::string flags;
    ASSERT_TRUE(ReadValue(HKEY_LOCAL_MACHINE, kUninstallKey, "ShortCut", type, flags));
    EXPECT_EQ(flags, std::string("\2\0\0\0", 4));
    EXPECT_FALSE(Exists(Shortcut(24)));
  }
}

TEST_F(SetupFlows, AFolderWithoutVersionsIsNoInstallationAndCancelStopsEarly) {
  std::string old = NewFolder("old");
  MakeInstallation(old, "none");
  SetText(HKEY_CURRENT_USER, kSettings + "\\Install", "Dir", old);
  std::string package = NewFolder("package");
  MakePackage(package, "119", "119");
  TSetupRun run = Start(package);
  EXPECT_FALSE(run.skipFolderDialog);
  EXPECT_EQ(run.previousFolder, "");
  EXPECT_EQ(proposed, "C:\\Program Files\\quillmark");

  ScriptedDialogs dialogs;
  dialogs.folder = "C:\\never";
  dialogs.folderOk = false;
  MessageRecorder messages;
  RunInstall(run, dialogs);
  EXPECT_EQ(dialogs.shown, (std::vector<std::string>{"readme", "folder"}));
  EXPECT_TRUE(messages.calls.empty());
  EXPECT_FALSE(Exists("C:\\never"));
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));

  EXPECT_EQ(run.exitCode, 0);

  // A folder that is no full path cannot be made.
  dialogs.folderOk = true;
  dialogs.folder = "relative\\folder";
  RunInstall(run, dialogs);
  EXPECT_EQ(messages.Texts(), std::vector<std::string>{kNoFolder});
  EXPECT_EQ(run.exitCode, kExitFailed);
  // Nor one with a name Windows refuses; the folders above it that were
  // made go again.
  std::string base = NewFolder("base");
  dialogs.folder = base + "\\新規\\a?b";
  RunInstall(run, dialogs);
  EXPECT_EQ(messages.Texts(), (std::vector<std::string>{kNoFolder, kNoFolder}));
  EXPECT_TRUE(Exists(base));
  EXPECT_FALSE(Exists(base + "\\新規"));
}

TEST_F(SetupFlows, UninstallRemovesFilesKeysAndShortcutsAndSchedulesTheFolder) {
  std::string package = NewFolder("package");
  MakePackage(package, "119", "119");
  TSetupRun run = Start(package);
  ScriptedDialogs dialogs;
  dialogs.folder = NewFolder("インストール先") + "\\";
  dialogs.programs = true;
  dialogs.desktop = true;
  {
    MessageRecorder messages;
    RunInstall(run, dialogs);
    ASSERT_EQ(messages.Texts(), std::vector<std::string>{kInstalled});
  }
  std::string folder = dialogs.folder;
  folder.pop_back();
  WriteFile(folder + "\\quillmark.gid", "gid");
  SetText(HKEY_CURRENT_USER, kSettings + "\\Pos", "Left", "10");
  ASSERT_TRUE(Exists(Shortcut(25)));

  // The setup in the install folder, started with "/r". Cancel first.
  TSetupRun un = Start(folder);
  EXPECT_EQ(un.previousFolder, dialogs.folder);
  MessageRecorder messages;
  messages.answer = IDCANCEL;
  RunUninstall(un);
  EXPECT_TRUE(Exists(folder + "\\quillmark.exe"));
  messages.answer = IDOK;
  RunUninstall(un);
  EXPECT_EQ(messages.Texts(),
            (std::vector<std::string>{kConfirmUninstall, kConfirmUninstall, kUninstalled}));
  for (const char* name : kUninstallFiles) EXPECT_FALSE(Exists(folder + "\\" + name)) << name;
  EXPECT_TRUE(Exists(folder + "\\quillmarkSetup.exe"));
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kSettings));
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kCacheKey));
  EXPECT_FALSE(Exists(Shortcut(23)));
  EXPECT_FALSE(Exists(Shortcut(25)));
  std::string command = ReadText(HKEY_LOCAL_MACHINE, kRunOnceKey, "Tarvesk_quillmark");
  EXPECT_EQ(command, "Latepurge -n \"" + folder + "\" quillmarkSetup.exe");

  // What Windows does at the next log-on: the stand-in in the Windows folder
  // removes the setup and the folder.
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi = {};
  ASSERT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                             nullptr, &si, &pi));
  EXPECT_TRUE(Ended(pi.hProcess));
  CloseHandle(pi.hProcess);
  CloseHandle(pi.hThread);
  EXPECT_FALSE(Exists(folder));

  // Nothing installed any more.
  TSetupRun gone = Start(package);
  MessageRecorder last;
  RunUninstall(gone);
  EXPECT_EQ(last.Texts(), std::vector<std::string>{kNotInstalled});
}

// A copy fails at the package's last file; an earlier file of the upgraded
// installation cannot be put back, because the new one in its place is in
// use. The message names both and where the earlier file is kept.
TEST_F(SetupFlows, AnEarlierFileThatCannotBePutBackIsNamedWithWhereItIsKept) {
  std::string old = NewFolder("old");
  MakeInstallation(old, "115");
  SetText(HKEY_LOCAL_MACHINE, kUninstallKey, "InstallLocation", old);
  std::string package = NewFolder("package");
  MakePackage(package, "119", "119");
  TSetupRun run = Start(package);
  ASSERT_TRUE(run.skipFolderDialog);
  const std::string editor = old + "\\quillmark.exe";
  HANDLE source = CreateFileA((package + "\\quillmark.cnt").c_str(), GENERIC_READ, 0, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  HANDLE inUse = INVALID_HANDLE_VALUE;
  ScriptedDialogs dialogs;
  dialogs.folder = proposed;
  dialogs.beforeProgress = [&](std::size_t shown) {
    // The new editor is in place from the third step on.
    if (shown == 2)
      inUse = CreateFileA(editor.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL, nullptr);
  };
  MessageRecorder messages;
  RunInstall(run, dialogs);
  CloseHandle(source);
  ASSERT_NE(inUse, INVALID_HANDLE_VALUE);
  CloseHandle(inUse);
  // The one earlier file left under a temporary name.
  WIN32_FIND_DATAA found;
  HANDLE find = FindFirstFileA((old + "\\qms*.tmp").c_str(), &found);
  ASSERT_NE(find, INVALID_HANDLE_VALUE);
  const std::string kept = old + "\\" + found.cFileName;
  EXPECT_FALSE(FindNextFileA(find, &found));
  FindClose(find);
  const std::string text =
      CannotCopyText(package + "\\quillmark.cnt", old) + "\r\n" + CannotPutBackText(editor, kept);
  EXPECT_EQ(messages.Texts(), std::vector<std::string>{text});
  EXPECT_EQ(ReadFile(kept), ReadFile(TinyProgram("115")));
}

// An uninstall leaves the removal of its folder for the next log-on. An
// install into that folder before then cancels it; one into another folder
// leaves it. An installation whose removal is pending, or that lost a file,
// is installed again rather than taken for up to date: one in its folder
// or the one it put into the Windows folder.
TEST_F(SetupFlows, AnInstallCancelsThePendingRemovalOfItsFolder) {
  std::string package = NewFolder("package");
  MakePackage(package, "119", "119");
  const std::string folder = NewFolder("awaiting");
  auto install = [&](const std::string& into, std::vector<std::string> shown) {
    TSetupRun run = Start(package);
    ScriptedDialogs dialogs;
    dialogs.folder = into;
    MessageRecorder messages;
    RunInstall(run, dialogs);
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{kInstalled});
    EXPECT_EQ(dialogs.shown, shown);
  };
  const std::vector<std::string> fresh = {"readme", "folder", "copy", "shortcuts"};
  install(folder, fresh);
  {
    TSetupRun un = Start(folder);
    MessageRecorder messages;
    RunUninstall(un);
  }
  const std::string pending = RunOnceCommand(folder);
  ASSERT_EQ(ReadText(HKEY_LOCAL_MACHINE, kRunOnceKey, kUninstallName), pending);

  install(NewFolder("other"), fresh);
  EXPECT_EQ(ReadText(HKEY_LOCAL_MACHINE, kRunOnceKey, kUninstallName), pending);
  DeleteKey(HKEY_LOCAL_MACHINE, kUninstallKey);
  // The same folder through drive Z:, in other letters, with a trailing
  // backslash.
  std::string same = UnixPath(folder);
  ASSERT_FALSE(same.empty());
  same = "Z:" + WinPath(same.substr(0, same.size() - 8)) + "AWAITING\\";
  install(same, fresh);
  EXPECT_EQ(ReadText(HKEY_LOCAL_MACHINE, kRunOnceKey, kUninstallName), "<missing>");
  for (const char* name : kInstallFiles) EXPECT_TRUE(Exists(folder + "\\" + name)) << name;

  // Up to date, but awaiting removal (as an earlier setup left it), or
  // without its setup (as such a removal left it): installed again.
  SetText(HKEY_LOCAL_MACHINE, kRunOnceKey, kUninstallName, pending);
  install(same, {"readme", "copy"});
  EXPECT_EQ(ReadText(HKEY_LOCAL_MACHINE, kRunOnceKey, kUninstallName), "<missing>");
  ASSERT_TRUE(DeleteFileA((folder + "\\quillmarkSetup.exe").c_str()));
  install(same, {"readme", "copy"});
  EXPECT_TRUE(Exists(folder + "\\quillmarkSetup.exe"));
  // Without the delete-after-exit program in the Windows folder.
  const std::string latepurge = Start(package).windowsFolder + "\\Latepurge.exe";
  ASSERT_TRUE(DeleteFileA(latepurge.c_str()));
  install(same, {"readme", "copy"});
  EXPECT_TRUE(Exists(latepurge));
}

TEST_F(SetupFlows, AShortcutWithoutItsSpecialFolderIsNotMade) {
  char current[MAX_PATH];
  GetCurrentDirectoryA(sizeof current, current);
  std::string strayLink = std::string(current, 2) + "\\Quillmark.lnk";
  // No special folder has this number.
  EXPECT_FALSE(CreateShortcut("C:\\q", "quillmark.exe", "Quillmark", 0xFE));
  EXPECT_FALSE(Exists(strayLink));
  EXPECT_TRUE(CreateShortcut("C:\\q", "quillmark.exe", "Quillmark", 16));
  EXPECT_TRUE(Exists(JoinFolder(SpecialFolderPath(16), "Quillmark.lnk")));
  DeleteShortcut("Quillmark", 16);
  EXPECT_FALSE(Exists(JoinFolder(SpecialFolderPath(16), "Quillmark.lnk")));
}
