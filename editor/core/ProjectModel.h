// The one help project that the editor holds: its identity, the topic
// table, the map numbers, the contents tree, the project settings kept in the
// help project file and the state of the open topic.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "editor/core/ContentsTree.h"
#include "editor/core/TopicFootnotes.h"

namespace qm::editor {

// The topic ids, each row with the topic's map number (0 = none yet).
// Rows are found by id without regard to ASCII letter case.
class TopicIdList {
 public:
  std::size_t Count() const { return ids_.size(); }
  bool Empty() const { return ids_.empty(); }
  const std::string& operator[](std::size_t i) const { return ids_[i]; }
  const std::string& Id(std::size_t i) const { return ids_[i]; }
  int MapNumber(std::size_t i) const { return numbers_[i]; }
  void SetMapNumber(std::size_t i, int n) { numbers_[i] = n; }
  void SetId(std::size_t i, std::string id);
  // Appends a row; returns its index.
  int Add(std::string id, int map_number = 0);
  // The first row whose id equals id (ASCII case-insensitive), or -1; an
  // empty id finds nothing.
  int IndexOf(std::string_view id) const;
  void Clear();

  static std::string Key(std::string_view id);
  std::vector<std::string> ids_;
  std::vector<int> numbers_;
  // Folded id -> rows holding it, ascending.
  std::unordered_map<std::string, std::vector<int>> index_;
};

// Values taken at start and kept across projects.
struct ProgramValues {
  std::string HcwFolder;
  std::string DefaultFontName;
  int DefaultFontSize = 0;
  bool Tcopy = false;
  std::vector<std::string> RecentFiles;
  bool TrueColorDisplay = false;
  std::string LastComponentName;  // not touched by ProjectReset
};

// The value of the run of decimal digits at the end of id; 0 when id ends in
// another character or the value does not fit in 31 bits.
int TrailingDigitValue(std::string_view id);

// Plain integer order of map numbers: negative, zero or positive.
int CompareMapNumbers(int a, int b);

// "HID" and n as eight decimal digits with leading zeros.
std::string MakeTopicId(int n);

class ProjectModel {
 public:
  ProjectModel();
  ProjectModel(const ProjectModel&) = delete;
  ProjectModel& operator=(const ProjectModel&) = delete;

  // Identity.
  std::string ProjectDir;   // no trailing separator; empty before any project
  std::string ProjectFile;  // <name>.hpj, no folder
  std::string MapFile;      // relative to ProjectDir

  // Topic table: TopicIds, TopicTitles and TopicCntSuffixes share one index.
  TopicIdList TopicIds;
  std::vector<std::string> TopicTitles;
  std::vector<std::string> TopicCntSuffixes;
  std::vector<std::string> CntTargets;  // one row per external entry
  std::vector<int> UsedMapNumbers;      // ascending after a read

  ContentsTree Contents;

  // Settings of the help project file.
  std::string HelpTitle;
  std::string HelpCopyright;
  bool CompressHelp = false;
  bool UseBrowseButtons = false;
  bool MainWindowOnTop = false;
  // A main window line of another tool: its position group as written
  // ("(0,0,1023,1023)"; empty for none), the bits of its flag other than
  // on-top, and whether the flag stood as a bare digit (",0", the older
  // notation) rather than ",f3".
  std::string MainWindowPosition;
  int MainWindowOtherFlags = 0;
  bool MainWindowBareFlag = false;
  std::string MainButtons = "27648";
  std::uint32_t TopicColor = 0xE2FFFF;
  std::uint32_t NonScrollColor = 0xC0C0C0;
  bool HasSubWindow = false;
  std::string SubWindowName;
  std::string SubWindowCaption;
  std::string SubWindowLeft, SubWindowTop, SubWindowWidth, SubWindowHeight;
  std::string SubButtons = "4";
  bool SubWindowOnTop = false;
  bool SubWindowAutoHeight = false;
  std::vector<std::string> WindowLines;
  std::vector<std::string> ConfigLines;
  // Where BrowseButtons() stood among ConfigLines as read: the buttons of a
  // help window come in the order of [CONFIG]. 0 for the editor's own.
  std::size_t BrowseButtonsAt = 0;
  std::vector<std::string> CntCommands;
  std::vector<std::string> CntIncludes;
  // Lines of the project and map files that name no topic of the project
  // (other includes, other sections, map lines of other ids), kept verbatim
  // so that a save does not lose them.
  std::vector<std::string> MapSectionLines;  // [MAP] lines before the last include
  std::vector<std::string> MapFileLines;     // map-file lines of ids that are no topic
  std::vector<std::string> OtherSections;    // other sections: header and lines
  // [FILES] lines that are no topic: comments, and files named by a path
  // (outside the project's rtf folder, which the program never writes or
  // deletes). Each keeps the topic index it stood before (-1: the end).
  struct KeptFilesLine {
    int BeforeTopic = -1;
    std::string Line;
  };
  std::vector<KeptFilesLine> FilesLines;
  // The [OPTIONS] of the project file as read, so that a save keeps every
  // option the author did not change here (the values the editor has fields
  // for are those read, before any change). Read is false for a new project
  // and one whose file did not exist: its [OPTIONS] are the editor's own.
  struct OptionsRead {
    bool Read = false;
    std::vector<std::string> Lines;
    std::string Title, Copyright, Backup;
    bool Compress = false;
    int ContentsTopic = -1;            // the topic CONTENTS= would name then
    std::vector<std::string> Roots;    // ROOT= folders, every line, in order
    std::vector<std::string> BmRoots;  // BMROOT= folders
    std::string HelpFile;              // HLP=, empty when absent
    std::string ErrorLog;              // ERRORLOG=, empty when absent
  };
  OptionsRead OptionsAsRead;
  std::string BackupPath;  // kept by ProjectReset
  bool ProjectModified = false;

  // Open topic.
  std::string TopicId;
  ContentsNode* OpenTopicNode = nullptr;  // cleared when its node goes
  // The footnote fields and NoScroll (the topic opens with a non-scrolling
  // region).
  TopicFields TopicFootnotes;
  std::string MapNumberText;

  // Program-wide values.
  ProgramValues Program;

  // The project's other file names, all in ProjectDir.
  std::string ProjectName() const;  // ProjectFile without its extension
  std::string CntFileName() const { return ProjectName() + ".cnt"; }
  // The built help file and the compiler's log: those the project file
  // names (relative to ProjectDir, or absolute), else <name>.hlp and .err.
  std::string HlpFileName() const;
  std::string ErrFileName() const;
  std::string ProjectPath() const;  // ProjectDir + separator + ProjectFile
  // Where MapFile is: relative to ProjectDir unless it is an absolute path.
  std::string MapFilePath() const;
  std::string RtfDir() const;
  std::string BmpDir() const;
  // Full path of a topic's file: <rtf folder>/<id>.rtf.
  std::string TopicFilePath(std::string_view id) const;

  std::size_t TopicCount() const { return TopicIds.Count(); }
  // Appends a topic row (id, map number, empty title and suffix); returns
  // its index.
  int AddTopic(std::string id, int map_number);
  // Empties row i (id, title, suffix) and releases its map number.
  void ClearTopicRow(int i);
  // The title of topic i, or its id when it has none (its node text).
  std::string TopicLabel(int i) const;

  // A positive number not in UsedMapNumbers (the smallest free one when the
  // numbers are distinct) whose "HID%.8d" id is not already a topic id;
  // inserted at its sorted place.
  int AllocateMapNumber();
  // Removes the first occurrence of n from UsedMapNumbers.
  void ReleaseMapNumber(int n);
  bool MapNumberUsed(int n) const;

  // Back to an empty project with default settings (BackupPath, identity
  // and program values stay).
  void ProjectReset();
  // Clears the open topic's state (TopicId, OpenTopicNode, fields).
  void ClearOpenTopic();

  // Deletes a node of the contents tree (clears OpenTopicNode when needed).
  void DeleteNode(ContentsNode* node) { Contents.Delete(node); }

};

// AllocateMapNumber resumed where an earlier call of this function left pos
// and skipped (start both at 0): hands out many numbers in one pass while
// nothing else changes UsedMapNumbers or the ids.
int AllocateMapNumberFrom(ProjectModel& m, std::size_t& pos, int& skipped);

// rel (a path of a project file, "\\" or "/" between its parts) under dir;
// each part names what is there whatever its case, as Windows finds it.
std::string PathInFolder(const std::string& dir, std::string_view rel);

}  // namespace qm::editor
