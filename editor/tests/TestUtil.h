// Helpers shared by the editor core tests.
#pragma once

#include <cstdlib>
#include <string>

#include "core/FileSystem.h"
#include "core/Lines.h"
#include "editor/core/ProjectFiles.h"
#include "editor/core/ProjectModel.h"

namespace qm::editor::test {

inline std::string TempDir() {
  char tmpl[] = "/tmp/qmprjXXXXXX";
  const char* d = ::mkdtemp(tmpl);
  return d ? d : "";
}

inline std::string ReadAll(const std::string& path) {
  std::string s;
  ReadFileBytes(path, s);
  return s;
}

// Reads a project whose p.hpj holds `hpj`, in a new folder with the file
// `loose` beside it, as a project that must be left as it is: what reading
// it changed ("modified", "<loose> moved", "<folder> made"), empty when
// nothing.
inline std::string ChangesOfReading(const std::string& hpj, const std::string& loose, const std::string& folder) {
  const std::string dir = TempDir();
  WriteFileReplacing(dir + "/p.hpj", hpj);
  WriteFileReplacing(dir + "/" + loose, loose);
  ProjectModel m;
  ReadProject(m, dir + "/p.hpj");
  std::string changes;
  if (m.ProjectModified) changes += "modified ";
  if (!FileExists(dir + "/" + loose)) changes += loose + " moved ";
  if (DirectoryExists(dir + "/" + folder)) changes += folder + " made ";
  return changes;
}

// The model as text, independent of topic indexes: the settings, then one
// line per node in tree order with its depth, kind and what it stands for.
inline std::string Dump(const ProjectModel& m) {
  std::string s;
  auto add = [&](const std::string& k, const std::string& v) { s += k + "=" + v + "\n"; };
  add("title", m.HelpTitle);
  add("copyright", m.HelpCopyright);
  add("flags", std::to_string(m.CompressHelp) + std::to_string(m.UseBrowseButtons) +
                   std::to_string(m.MainWindowOnTop) + std::to_string(m.HasSubWindow) +
                   std::to_string(m.SubWindowOnTop) + std::to_string(m.SubWindowAutoHeight));
  add("main", m.MainWindowPosition + " " + m.MainButtons + " " + std::to_string(m.TopicColor) +
                  " " + std::to_string(m.NonScrollColor) + " " +
                  std::to_string(m.MainWindowOtherFlags) + std::to_string(m.MainWindowBareFlag));
  add("sub", m.SubWindowName + "|" + m.SubWindowCaption + "|" + m.SubWindowLeft + "," +
                 m.SubWindowTop + "," + m.SubWindowWidth + "," + m.SubWindowHeight + "|" +
                 m.SubButtons);
  add("backup", m.BackupPath);
  add("mapfile", m.MapFile);
  for (const auto& l : m.WindowLines) add("window", l);
  for (const auto& l : m.ConfigLines) add("config", l);
  for (const auto& l : m.CntCommands) add("cntcmd", l);
  for (const auto& l : m.CntIncludes) add("cntinc", l);
  for (const auto& l : m.MapSectionLines) add("mapsec", l);
  for (const auto& l : m.MapFileLines) add("mapline", l);
  for (const auto& l : m.OtherSections) add("other", l);
  for (const auto& k : m.FilesLines) {
    add("files", (k.BeforeTopic >= 0 ? m.TopicIds[k.BeforeTopic] : std::string("<end>")) + " " + k.Line);
  }
  std::string used;
  for (int n : m.UsedMapNumbers) used += std::to_string(n) + " ";
  add("used", used);
  for (ContentsNode* n : m.Contents.Nodes()) {
    std::string line = std::string(n->Level() * 2, ' ') + std::to_string(n->Kind) + " " + n->Text;
    if (n->Kind == kTopicNode || n->Kind == kHiddenTopicNode) {
      line += " [" + m.TopicIds[n->Data] + " #" + std::to_string(m.TopicIds.MapNumber(n->Data)) +
              " '" + m.TopicTitles[n->Data] + "' " + m.TopicCntSuffixes[n->Data] + "]";
    } else if (n->Kind == kExternalNode) {
      line += " -> " + m.CntTargets[n->Data];
    }
    s += line + "\n";
  }
  return s;
}

}  // namespace qm::editor::test
