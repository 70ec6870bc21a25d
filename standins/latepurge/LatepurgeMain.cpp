// Latepurge.exe: the delete-after-exit program the setup's uninstall leaves
// in the run-once key. No window: it waits until the file can be deleted
// (the program that named it may still be running), deletes it, and removes
// the folder when nothing else is left in it.
#include <windows.h>

#include "standins/latepurge/core/PurgeCommand.h"

namespace {

// How long the file may stay in use before the program gives up on it.
constexpr DWORD kGiveUpMs = 5 * 60 * 1000;
constexpr DWORD kRetryMs = 250;

void DeleteWhenFree(const std::string& path) {
  DWORD attr = GetFileAttributesA(path.c_str());
  if (attr == INVALID_FILE_ATTRIBUTES || (attr & FILE_ATTRIBUTE_DIRECTORY)) return;
  if (attr & FILE_ATTRIBUTE_READONLY)
    SetFileAttributesA(path.c_str(), attr & ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));
  for (DWORD waited = 0; waited < kGiveUpMs; waited += kRetryMs) {
    if (DeleteFileA(path.c_str())) return;
    DWORD err = GetLastError();
    if (err == ERROR_FILE_NOT_FOUND || err == ERROR_PATH_NOT_FOUND) return;
    Sleep(kRetryMs);
  }
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  auto command = qm::latepurge::ParsePurgeCommand(
      qm::latepurge::SkipProgramName(GetCommandLineA()));
  if (!command) return 1;
  DeleteWhenFree(qm::latepurge::PurgedFilePath(*command));
  // Fails, as it should, while anything is left in the folder.
  std::string folder = qm::latepurge::FolderToRemove(command->folder);
  if (!folder.empty()) RemoveDirectoryA(folder.c_str());
  return 0;
}
