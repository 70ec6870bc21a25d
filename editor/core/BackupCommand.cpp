#include "editor/core/BackupCommand.h"

#include "core/FileSystem.h"

namespace qm::editor {

const char kBackupFailedMessage[] = "ﾊﾞｯｸｱｯﾌﾟの作成に失敗しました.";
const char kArchiverMissingMessage[] = "Unlha32.dllの読み込みに失敗しました.";

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
