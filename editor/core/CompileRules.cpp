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

std::string FileInProject(std::string_view project_dir, std::string_view name) {
  return IsAbsolutePath(name) ? std::string(name) : InFolder(project_dir, name);
}

std::string CompilerProgram(std::string_view hcw_folder) { return InFolder(hcw_folder, "Hcrtf.exe"); }

std::string CompilerCommandLine(std::string_view hcw_folder, std::string_view project_file) {
  std::string s = Quoted(CompilerProgram(hcw_folder));
  s += " -x -nga ";
  s += project_file;
  return s;
}

std::string HcwProgram(std::string_view hcw_folder) { return InFolder(hcw_folder, "hcw.exe"); }

std::string HcwCommandLine(std::string_view hcw_folder, std::string_view project_file) {
  std::string s = Quoted(HcwProgram(hcw_folder));
  if (!project_file.empty()) {
    s += ' ';
    s += project_file;
  }
  return s;
}

std::string ZonivexProgram(std::string_view exe_folder) {
  std::string s(exe_folder);
  s += "zonivex.exe";
  return s;
}

std::string ZonivexCommandLine(std::string_view exe_folder) { return Quoted(ZonivexProgram(exe_folder)); }

std::string ZonivexWorkingFolder(std::string_view project_dir) {
  if (project_dir.empty()) return {};
  return InFolder(project_dir, "bmp");
}

std::string TopicSearchWindowTitle(std::string_view help_title) {
  std::string s = "トピックの検索: ";
  s += help_title;
  return s;
}

std::string SelectedTopicId(std::string_view selection) { return Trim(selection); }

std::string CannotStartMessage(std::string_view program, bool folder_not_set) {
  std::string s(program);
  s += " を起動できません.";
  if (folder_not_set) s += "\nHelp Workshop のフォルダが設定されていません.";
  return s;
}

}  // namespace qm::editor
