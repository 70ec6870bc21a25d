#include "editor/core/BackupCommand.h"

#include "core/FileSystem.h"

namespace qm::editor {

const char kBackupFailedMessage[] = "ﾊﾞｯｸｱｯﾌﾟの作成に失敗しました.";
const char kArchiverMissingMessage[] = "Unlha32.dllの読み込みに失敗しました.";

namespace {

// "C:\x", "C:/x" or "\\server\share": a folder that does not depend on
// the current folder or drive.
bool IsAbsoluteFolder(std::string_view f) {
  if (f.size() >= 3 && f[1] == ':' && (f[2] == '\\' || f[2] == '/')) return true;
  return f.size() >= 2 && (f[0] == '\\' || f[0] == '/') && f[1] == f[0];
}

}  // namespace

std::vector<std::string> ArchiverSearchFolders(std::string_view programDir,
                                               std::string_view systemDir,
                                               std::string_view windowsDir,
                                               std::string_view pathVariable) {
  std::vector<std::string> folders;
  for (std::string_view f : {programDir, systemDir, windowsDir}) {
    if (!f.empty()) folders.emplace_back(f);
  }
  while (!pathVariable.empty()) {
    std::size_t semi = pathVariable.find(';');
    std::string entry;
    for (char c : pathVariable.substr(0, semi)) {
      if (c != '"') entry += c;
    }
    pathVariable.remove_prefix(semi == std::string_view::npos ? pathVariable.size() : semi + 1);
    if (IsAbsoluteFolder(entry)) folders.push_back(std::move(entry));
  }
  return folders;
}

std::string BackupFolder(std::string_view backupPath, std::string_view projectDir) {
  return std::string(backupPath.empty() ? projectDir : backupPath);
}

std::string BackupCommandLine(std::string_view projectDir, std::string_view projectFile,
                              std::string_view mapFile, std::string_view backupPath) {
  const std::string file(projectFile);
  std::string line = "u -x1 -jm3 -a1 \"";
  line += BackupFolder(backupPath, projectDir) + "\\" + file + ".lzh\" \"";
  line += std::string(projectDir) + "\\\" \"";
  line += file + "\" \"";
  line += ChangeFileExt(file, ".cnt") + "\" \"";
  line += std::string(mapFile) + "\" bmp\\*.* rtf\\*.* *.avi *.wav";
  return line;
}

}  // namespace qm::editor
