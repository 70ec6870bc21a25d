#include "editor/core/ProjectModel.h"

#include <algorithm>
#include <climits>
#include <cstdio>

#include "core/Cp932.h"
#include "core/FileSystem.h"

#ifndef _WIN32
#include <dirent.h>
#endif

namespace qm::editor {

// ---- TopicIdList ----

std::string TopicIdList::Key(std::string_view id) { return UpperAscii(id); }

int TopicIdList::Add(std::string id, int map_number) {
  int row = static_cast<int>(ids_.size());
  index_[Key(id)].push_back(row);  // rows are appended, so the list stays ascending
  ids_.push_back(std::move(id));
  numbers_.push_back(map_number);
  return row;
}

void TopicIdList::SetId(std::size_t i, std::string id) {
  auto it = index_.find(Key(ids_[i]));
  if (it != index_.end()) {
    auto& rows = it->second;
    rows.erase(std::remove(rows.begin(), rows.end(), static_cast<int>(i)), rows.end());
    if (rows.empty()) index_.erase(it);
  }
  auto& rows = index_[Key(id)];
  rows.insert(std::lower_bound(rows.begin(), rows.end(), static_cast<int>(i)),
              static_cast<int>(i));
  ids_[i] = std::move(id);
}

int TopicIdList::IndexOf(std::string_view id) const {
  if (id.empty()) return -1;  // the rows of deleted topics are no match
  auto it = index_.find(Key(id));
  if (it == index_.end() || it->second.empty()) return -1;
  return it->second.front();
}

void TopicIdList::Clear() {
  ids_.clear();
  numbers_.clear();
  index_.clear();
}

// ---- free functions ----

int TrailingDigitValue(std::string_view id) {
  // 64 bits, saturating above the 31-bit range, so that a long run of digits
  // cannot overflow; such a value counts as none.
  std::int64_t v = 0;
  for (std::size_t i = 0; i < id.size(); i += CharLength(id, i)) {
    char c = id[i];
    if (CharLength(id, i) == 1 && c >= '0' && c <= '9') {
      if (v <= INT_MAX) v = v * 10 + (c - '0');
    } else {
      v = 0;
    }
  }
  return v > INT_MAX ? 0 : static_cast<int>(v);
}

int CompareMapNumbers(int a, int b) { return a < b ? -1 : (a > b ? 1 : 0); }

std::string MakeTopicId(int n) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "HID%.8d", n);
  return buf;
}

// ---- ProjectModel ----

ProjectModel::ProjectModel() { Contents.WatchNode(&OpenTopicNode); }

std::string ProjectModel::ProjectName() const {
  return ChangeFileExt(ProjectFile, "");
}

std::string ProjectModel::HlpFileName() const {
  return OptionsAsRead.HelpFile.empty() ? ProjectName() + ".hlp" : OptionsAsRead.HelpFile;
}
std::string ProjectModel::ErrFileName() const {
  return OptionsAsRead.ErrorLog.empty() ? ProjectName() + ".err" : OptionsAsRead.ErrorLog;
}

std::string ProjectModel::ProjectPath() const { return PathJoin(ProjectDir, ProjectFile); }
std::string ProjectModel::MapFilePath() const {
  std::string rel = MapFile;
  if (kPathDelim != '\\') {
    // On POSIX a single-byte backslash of the file is a separator too.
    for (std::size_t i = 0; i < rel.size(); i += CharLength(rel, i)) {
      if (CharLength(rel, i) == 1 && rel[i] == '\\') rel[i] = kPathDelim;
    }
  }
  return IsAbsolutePath(rel) ? rel : PathInFolder(ProjectDir, rel);
}

std::string PathInFolder(const std::string& dir, std::string_view rel) {
  std::string path = dir, part;
  for (std::size_t i = 0; i <= rel.size(); i += i < rel.size() ? CharLength(rel, i) : 1) {
    if (i < rel.size() && !(CharLength(rel, i) == 1 && (rel[i] == '\\' || rel[i] == '/'))) {
      part.append(rel.substr(i, CharLength(rel, i)));
      continue;
    }
    if (part.empty() || part == ".") {
      part.clear();
      continue;
    }
    std::string next = PathJoin(path, part);
#ifndef _WIN32
    // Names of a project file are matched without regard to case, as on
    // Windows where the project was written.
    if (!FileExists(next) && !DirectoryExists(next)) {
      if (DIR* d = ::opendir(path.empty() ? "." : path.c_str())) {
        while (dirent* e = ::readdir(d)) {
          if (EqualsNoCase(e->d_name, part)) {
            next = PathJoin(path, e->d_name);
            break;
          }
        }
        ::closedir(d);
      }
    }
#endif
    path = std::move(next);
    part.clear();
  }
  return path;
}

std::string ProjectModel::RtfDir() const { return PathJoin(ProjectDir, "rtf"); }
std::string ProjectModel::BmpDir() const { return PathJoin(ProjectDir, "bmp"); }

std::string ProjectModel::TopicFilePath(std::string_view id) const {
  return PathJoin(RtfDir(), std::string(id) + ".rtf");
}

int ProjectModel::AddTopic(std::string id, int map_number) {
  int row = TopicIds.Add(std::move(id), map_number);
  TopicTitles.emplace_back();
  TopicCntSuffixes.emplace_back();
  return row;
}

void ProjectModel::ClearTopicRow(int i) {
  if (i < 0 || static_cast<std::size_t>(i) >= TopicIds.Count()) return;
  TopicIds.SetId(i, std::string());
  TopicTitles[i].clear();
  TopicCntSuffixes[i].clear();
  ReleaseMapNumber(TopicIds.MapNumber(i));
}

std::string ProjectModel::TopicLabel(int i) const {
  if (i < 0 || static_cast<std::size_t>(i) >= TopicIds.Count()) return {};
  return TopicTitles[i].empty() ? TopicIds[i] : TopicTitles[i];
}

int AllocateMapNumberFrom(ProjectModel& m, std::size_t& pos, int& skipped) {
  // The walk over the ascending list: at list position i the candidate is
  // i + 1, taken when it is smaller than the number there. Numbers whose
  // "HID%.8d" id already names a topic are passed over as if they stood in
  // the list (skipped counts them), so that no two topics share an id.
  auto& used = m.UsedMapNumbers;
  for (;;) {
    long long c = static_cast<long long>(pos) + skipped + 1;
    if (c > INT_MAX) return 0;  // no number left; cannot happen in practice
    if (pos < used.size() && c >= used[pos]) {
      ++pos;
      continue;
    }
    int n = static_cast<int>(c);
    if (m.TopicIds.IndexOf(MakeTopicId(n)) >= 0) {
      ++skipped;
      continue;
    }
    used.insert(used.begin() + static_cast<std::ptrdiff_t>(pos), n);
    ++pos;
    return n;
  }
}

int ProjectModel::AllocateMapNumber() {
  std::size_t pos = 0;
  int skipped = 0;
  return AllocateMapNumberFrom(*this, pos, skipped);
}

void ProjectModel::ReleaseMapNumber(int n) {
  auto it = std::find(UsedMapNumbers.begin(), UsedMapNumbers.end(), n);
  if (it != UsedMapNumbers.end()) UsedMapNumbers.erase(it);
}

bool ProjectModel::MapNumberUsed(int n) const {
  return std::find(UsedMapNumbers.begin(), UsedMapNumbers.end(), n) != UsedMapNumbers.end();
}

void ProjectModel::ProjectReset() {
  HelpTitle.clear();
  HelpCopyright.clear();
  MainWindowOnTop = false;
  MainWindowPosition.clear();
  MainWindowOtherFlags = 0;
  MainWindowBareFlag = false;
  CompressHelp = false;
  UseBrowseButtons = false;
  HasSubWindow = false;
  SubWindowAutoHeight = false;

  SubWindowLeft.clear();
  SubWindowTop.clear();
  SubWindowWidth.clear();
  SubWindowHeight.clear();
  SubWindowName.clear();
  SubWindowCaption.clear();
  SubWindowOnTop = false;
  NonScrollColor = 0xC0C0C0;
  TopicColor = 0xE2FFFF;
  MainButtons = "27648";
  SubButtons = std::string(1, '4');  // (a literal here trips a false -Wrestrict of GCC 12)

  ConfigLines.clear();
  BrowseButtonsAt = 0;
  WindowLines.clear();
  OptionsAsRead = OptionsRead();
  TopicIds.Clear();
  TopicCntSuffixes.clear();
  CntTargets.clear();
  TopicTitles.clear();
  UsedMapNumbers.clear();
  CntIncludes.clear();
  CntCommands.clear();
  MapSectionLines.clear();
  MapFileLines.clear();
  OtherSections.clear();
  FilesLines.clear();
  Contents.Clear();  // clears OpenTopicNode too
}

void ProjectModel::ClearOpenTopic() {
  TopicId.clear();
  OpenTopicNode = nullptr;
  TopicFootnotes = TopicFields{};
  MapNumberText.clear();
}

}  // namespace qm::editor
