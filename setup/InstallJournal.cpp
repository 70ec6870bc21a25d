#include "setup/InstallJournal.h"

#include <windows.h>

#include "core/Cp932.h"
#include "core/FileSystem.h"
#include "setup/PackageFiles.h"
#include "setup/core/SetupPaths.h"

namespace qm::setup {

namespace {

bool IsFullPath(const std::string& s) {
  bool drive = s.size() >= 3 && s[1] == ':' && s[2] == '\\';
  bool server = s.size() >= 3 && s[0] == '\\' && s[1] == '\\';
  return drive || server;
}

// The folder part of a file's path, without the last backslash.
std::string FolderOf(const std::string& file) {
  std::size_t cut = FindLastChar(file, '\\');
  return cut == std::string::npos ? std::string(".") : file.substr(0, cut);
}

// Deletes a file even when it is read-only (as a copy from a read-only
// package is).
bool RemoveFile(const std::string& file) {
  SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
  return DeleteFileA(file.c_str()) != FALSE;
}

}  // namespace

TInstallJournal::~TInstallJournal() { Undo(); }

bool TInstallJournal::ForceDirectories(const std::string& folder) {
  std::string path = WithoutTrailingBackslash(folder);
  if (!IsFullPath(folder)) return false;
  if (DirectoryExists(path) || path.size() <= 2) return DirectoryExists(path + "\\");
  std::size_t cut = FindLastChar(path, '\\');
  if (cut != std::string::npos && cut > 2) {
    std::string parent = path.substr(0, cut);
    if (!DirectoryExists(parent) && !ForceDirectories(parent)) return false;
  }
  if (CreateDirectoryA(path.c_str(), nullptr)) folders_.push_back(path);
  return DirectoryExists(path);
}

bool TInstallJournal::PutAside(const std::string& file) {
  if (GetFileAttributesA(file.c_str()) == INVALID_FILE_ATTRIBUTES) return true;
  char aside[MAX_PATH + 16];
  if (!GetTempFileNameA(FolderOf(file).c_str(), "qms", 0, aside)) return false;
  if (!MoveFileExA(file.c_str(), aside, MOVEFILE_REPLACE_EXISTING)) {
    DeleteFileA(aside);
    return false;
  }
  asides_.push_back({file, aside});
  return true;
}

bool TInstallJournal::CopyIfNewer(const std::string& source, const std::string& target) {
  switch (CopyNeedOf(source, target)) {
    case CopyNeed::SourceMissing: return false;
    case CopyNeed::UpToDate: return true;
    case CopyNeed::Copy: break;
  }
  if (!PutAside(target)) return false;
  // Before the copy: a copy that fails may leave part of the file.
  written_.push_back(target);
  return CopyFileA(source.c_str(), target.c_str(), FALSE) != FALSE;
}

void TInstallJournal::Delete(const std::string& file) { PutAside(file); }

void TInstallJournal::Keep() {
  for (const TAside& a : asides_) {
    // An earlier program still running cannot go now; it goes at the next
    // start of Windows.
    if (!RemoveFile(a.aside)) MoveFileExA(a.aside.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
  }
  folders_.clear();
  written_.clear();
  asides_.clear();
}

std::vector<TInstallJournal::TAside> TInstallJournal::Undo() {
  std::vector<TAside> stranded;
  for (auto it = written_.rbegin(); it != written_.rend(); ++it) RemoveFile(*it);
  for (auto it = asides_.rbegin(); it != asides_.rend(); ++it) {
    if (!MoveFileExA(it->aside.c_str(), it->file.c_str(), MOVEFILE_REPLACE_EXISTING))
      stranded.push_back(*it);
  }
  for (auto it = folders_.rbegin(); it != folders_.rend(); ++it) RemoveDirectoryA(it->c_str());
  folders_.clear();
  written_.clear();
  asides_.clear();
  return stranded;
}

}  // namespace qm::setup
