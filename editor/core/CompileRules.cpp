#include "editor/core/CompileRules.h"

#include "core/Cp932.h"
#include "core/FileSystem.h"

namespace qm::editor {

namespace {
std::string InFolder(std::string_view folder, std::string_view name) {
  std::string s(folder);
  s += '\\';
  s += name;
  return s;
}

std::string Quoted(std::string_view s) {
  std::string q = "\"";
  q += s;
  q += '"';
  return q;
}
}  // namespace

std::string HelpFilePath(std::string_view projectDir, std::string_view projectFile) {
  return InFolder(projectDir, ChangeFileExt(projectFile, ".hlp"));
}

std::string ErrorLogPath(std::string_view projectDir, std::string_view projectFile) {
  return InFolder(projectDir, ChangeFileExt(projectFile, ".err"));
}

std::string CompilerProgram(std::string_view hcwFolder) { return InFolder(hcwFolder, "Hcrtf.exe"); }

std::string CompilerCommandLine(std::string_view hcwFolder, std::string_view projectFile) {
  std::string s = Quoted(CompilerProgram(hcwFolder));
  s += " -x -nga ";
  s += projectFile;
  return s;
}

std::string HcwProgram(std::string_view hcwFolder) { return InFolder(hcwFolder, "hcw.exe"); }

std::string HcwCommandLine(std::string_view hcwFolder, std::string_view projectFile) {
  std::string s = Quoted(HcwProgram(hcwFolder));
  if (!projectFile.empty()) {
    s += ' ';
    s += projectFile;
  }
  return s;
}

std::string ZonivexProgram(std::string_view exeFolder) {
  std::string s(exeFolder);
  s += "zonivex.exe";
  return s;
}

std::string ZonivexCommandLine(std::string_view exeFolder) { return Quoted(ZonivexProgram(exeFolder)); }

std::string ZonivexWorkingFolder(std::string_view projectDir) {
  if (projectDir.empty()) return {};
  return InFolder(projectDir, "bmp");
}

std::string TopicSearchWindowTitle(std::string_view helpTitle) {
  std::string s = "トピックの検索: ";
  s += helpTitle;
  return s;
}

std::string SelectedTopicId(std::string_view selection) { return Trim(selection); }

std::string CannotStartMessage(std::string_view program, bool folderNotSet) {
  std::string s(program);
  s += " を起動できません.";
  if (folderNotSet) s += "\nHelp Workshop のフォルダが設定されていません.";
  return s;
}

}  // namespace qm::editor
