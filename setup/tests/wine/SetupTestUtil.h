// Helpers of the setup's Wine tests: packages built from tiny versioned
// programs, registry reads, and dialogs answered by the test.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "classlib/Dialogs.h"
#include "setup/SetupFlows.h"

namespace qmtest {

// Forward slashes made backslashes.
std::string WinPath(std::string path);
// A new empty folder below the temporary folder; leaf is created inside it.
std::string NewFolder(const std::string& leaf);
bool Exists(const std::string& path);
void WriteFile(const std::string& path, const std::string& bytes);
std::string ReadFile(const std::string& path);

// A tiny program of the given version tag ("108", "115", "119", "none").
std::string TinyProgram(const std::string& tag);
// Fills folder with a package: the two editors of the version tags, the
// setup (a tiny program), the delete-after-exit stand-in, help files and
// readme.
void MakePackage(const std::string& folder, const std::string& editorTag,
                 const std::string& hotspotTag);
// Puts the five installed files into folder as an older installation, the
// two editors of a version tag.
void MakeInstallation(const std::string& folder, const std::string& tag);
// Dates a file long ago.
void MakeOld(const std::string& file);

// What an install may change, as text: the files below folder, the
// delete-after-exit program in the Windows folder and any files the setup
// left there, the given shortcut files, the uninstall and cache entries and
// the editors' old install settings. Names, sizes, dates and a hash of the
// bytes of every file.
std::string MachineState(const std::string& folder, const std::string& windowsFolder,
                         const std::vector<std::string>& shortcuts);

// Registry values: the type and bytes; false when the value is missing.
bool ReadValue(HKEY root, const std::string& key, const std::string& name, DWORD& type,
               std::string& data);
std::string ReadText(HKEY root, const std::string& key, const std::string& name);
bool KeyExists(HKEY root, const std::string& key);
// The value names of a key in the order the registry lists them.
std::vector<std::string> ValueNames(HKEY root, const std::string& key);
void SetText(HKEY root, const std::string& key, const std::string& name, const std::string& value);
void CreateKey(HKEY root, const std::string& key);
void DeleteKey(HKEY root, const std::string& key);

// Records every message box and answers each with answer.
struct MessageRecorder {
  std::vector<cl::MessageBoxCall> calls;
  int answer = IDOK;
  MessageRecorder();
  ~MessageRecorder();
  std::vector<std::string> Texts() const;
};

// The setup's dialogs, answered as the test says.
struct ScriptedDialogs : qm::setup::TSetupDialogs {
  bool readmeOk = true;
  bool folderOk = true;
  std::string folder;
  bool programs = false, desktop = false;
  std::vector<std::string> shown;  // "readme", "folder", "copy", "shortcuts"
  std::vector<int> progress;
  // Called before each step of the progress is shown, with the number of
  // steps shown so far.
  std::function<void(std::size_t)> beforeProgress;

  bool ShowReadme() override;
  bool ChooseInstallFolder() override;
  std::string InstallFolderText() override { return folder; }
  void ShowCopyProgress() override { shown.push_back("copy"); }
  void SetCopyProgress(int percent) override {
    if (beforeProgress) beforeProgress(progress.size());
    progress.push_back(percent);
  }
  void CloseCopyProgress() override {}
  void AskShortcuts(bool& p, bool& d) override;
};

}  // namespace qmtest
