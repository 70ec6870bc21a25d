// The help project file (.hpj), the contents file (.cnt) and the map file
// (.hm): reading them into the project model and writing them back.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

#include "core/Lines.h"
#include "editor/core/ProjectModel.h"

namespace qm::editor {

// The message WriteProject shows for an empty contents tree (error icon, OK).
extern const char kNoContentsMessage[];

// What reading and writing a project shows on the screen; the window
// implements it. Every function has a no-op default.
class ProjectFileUi {
 public:
  virtual ~ProjectFileUi() = default;
  // Hourglass cursor on / back to normal (balanced on every path).
  virtual void BeginWait() {}
  virtual void EndWait() {}
  // ReadProject names the project: window caption ("<dir>\<file> -
  // Quillmark") and application title ("<file> - Quillmark").
  virtual void SetProjectCaption(const std::string& caption, const std::string& app_title) {}
  // The contents tree is about to be emptied: a view whose items point at
  // its nodes lets go of them first.
  virtual void ContentsResetting() {}
  // ProjectReset ran: the Edit menu's ID search item is to be enabled.
  virtual void ProjectWasReset() {}
  // The contents tree was rebuilt: the view rebuilds its items.
  virtual void ContentsRebuilt() {}
  // ReadProject ended: the editor's background takes TopicColor when the
  // display has true colour, and the topic editor is cleared.
  virtual void ProjectRead() {}
  // WriteProject found no node: show kNoContentsMessage.
  virtual void ShowNoContents() {}
};

// A project file that cannot be written as it stands (no topic to name as
// the contents topic).
class ProjectError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Reads the project whose .hpj file is at path (it need not exist), with its
// map file and contents file, into m. Throws FileError when a file exists
// but cannot be read; the model then keeps what was read.
void ReadProject(ProjectModel& m, const std::string& path, ProjectFileUi* ui = nullptr);

// Starts a new, empty project in the folder of path, the file the author
// chose for it (its extension becomes .hpj): names it and shows the name in
// the captions, makes its folders bmp and rtf, resets the model as
// ProjectReset does (the program values and BackupPath stay), leaves no
// topic open and marks the project modified. No file is written: the first
// save writes the project's files, over those of a project of that name.
void NewProject(ProjectModel& m, const std::string& path, ProjectFileUi* ui = nullptr);

// Writes <name>.cnt, the map file and <name>.hpj, making the map file's
// folder when it is missing. Returns false, writing nothing, when the
// contents tree is empty. Throws FileError, the three files then as they
// were, or ProjectError; ProjectModified is cleared only after all three
// were written.
bool WriteProject(ProjectModel& m, ProjectFileUi* ui = nullptr);

// The three files' lines as WriteProject writes them.
struct ProjectFileLines {
  Lines Cnt;
  Lines Map;
  Lines Hpj;
};
ProjectFileLines BuildProjectFiles(const ProjectModel& m);

// Creates the folders bmp and rtf under ProjectDir (and missing parents).
void EnsureProjectFolders(const ProjectModel& m);

// The old layout: moves loose *.bmp, *.shg, *.mrb into bmp and *.rtf into
// rtf (replacing files of the same name there) and marks the project
// modified.
void MoveLooseProjectFiles(ProjectModel& m);

// Pieces of the readers, exposed for the tests.
void ReadProjectLines(ProjectModel& m, const Lines& lines, bool& old_layout);
void ReadMapFileLines(ProjectModel& m, const Lines& lines);
void ReadContentsLines(ProjectModel& m, const Lines& lines);
// Assigns the map numbers still missing after the map data was read.
void CompleteMapNumbers(ProjectModel& m);

// A decimal number of at most 31 bits, or "0x" and hexadecimal digits;
// anything else (empty, other characters, too large) gives 0.
int ParseBoundedNumber(std::string_view s);

}  // namespace qm::editor
