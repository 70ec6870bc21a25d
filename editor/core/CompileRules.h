// What the editor hands to the help compiler, Help Workshop and the hotspot
// graphics editor (command lines, folders, window titles), and how it reads a
// topic id out of a selection in the compiler's error log.
#pragma once

#include <string>
#include <string_view>

namespace qm::editor {

// A file of the project (the help file, the error log; by default
// "<name>.hlp" and "<name>.err", else as HLP= and ERRORLOG= name them):
// relative to the project folder, or absolute ("C:\x", "\x") as it stands.
std::string FileInProject(std::string_view project_dir, std::string_view name);

// The help compiler's program file: "<HcwFolder>\Hcrtf.exe".
std::string CompilerProgram(std::string_view hcw_folder);
// "\"<HcwFolder>\Hcrtf.exe\" -x -nga <project file>" (the project file
// name is passed unquoted).
std::string CompilerCommandLine(std::string_view hcw_folder, std::string_view project_file);

// Help Workshop's program file: "<HcwFolder>\hcw.exe".
std::string HcwProgram(std::string_view hcw_folder);
// "\"<HcwFolder>\hcw.exe\"", followed by a blank and the project file when
// one is open.
std::string HcwCommandLine(std::string_view hcw_folder, std::string_view project_file);

// The hotspot graphics editor beside the editor's own program:
// exe_folder keeps its trailing backslash.
std::string ZonivexProgram(std::string_view exe_folder);
std::string ZonivexCommandLine(std::string_view exe_folder);
// Where the hotspot graphics editor starts: the project's bmp folder, or
// empty (the editor's own current folder) when no project is open.
std::string ZonivexWorkingFolder(std::string_view project_dir);

// Title of the help viewer's topic-search window of a help file.
std::string TopicSearchWindowTitle(std::string_view help_title);

// The topic id that a selection in the error log stands for: the selected
// text without the blanks, tabs and line ends around it (a double click
// selects a word together with the blank after it). Empty when nothing is
// left.
std::string SelectedTopicId(std::string_view selection);

// The message telling the author that a program could not be started.
// folder_not_set: the Help Workshop folder is not set, so program is only the
// program's file name.
std::string CannotStartMessage(std::string_view program, bool folder_not_set);

}  // namespace qm::editor
