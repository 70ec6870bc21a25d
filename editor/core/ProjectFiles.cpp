#include "editor/core/ProjectFiles.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <unordered_set>

#include "core/Cp932.h"
#include "core/FileErrorTexts.h"
#include "core/FileSystem.h"

namespace qm::editor {

const char kNoContentsMessage[] = "コンテキストがありません.";

namespace {

constexpr std::size_t npos = std::string_view::npos;
constexpr char kMapFileHeader[] = "// Context ID list";

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::size_t SkipBlanks(std::string_view s, std::size_t i) {
  while (i < s.size() && IsBlank(s[i])) ++i;
  return i;
}

// A line of blanks and control characters only.
bool IsEmptyLine(std::string_view line) {
  for (char c : line) {
    if (static_cast<unsigned char>(c) > ' ') return false;
  }
  return true;
}

// A comment: ";" after any blanks. Never an entry of a section.
bool IsCommentLine(std::string_view line) {
  std::size_t i = SkipBlanks(line, 0);
  return i < line.size() && line[i] == ';';
}

// Drops the empty lines at the end of a list of kept lines: in the file
// they only part one section from the next.
void TrimTrailingEmptyLines(std::vector<std::string>& lines) {
  while (!lines.empty() && IsEmptyLine(lines.back())) lines.pop_back();
}


bool LoadLines(const std::string& path, Lines& out) {
  if (!FileExists(path)) return false;
  std::string bytes;
  if (!ReadFileBytes(path, bytes)) throw FileError(CannotReadFileText(path));
  out = SplitLines(bytes);
  return true;
}

// Tells the window that the tree was rebuilt, on every exit path, so that
// its view never keeps items of deleted nodes.
class RebuiltNotice {
 public:
  explicit RebuiltNotice(ProjectFileUi* ui) : ui_(ui) {}
  ~RebuiltNotice() {
    if (ui_) ui_->ContentsRebuilt();
  }
  RebuiltNotice(const RebuiltNotice&) = delete;
  RebuiltNotice& operator=(const RebuiltNotice&) = delete;

 private:
  ProjectFileUi* ui_;
};

class WaitCursor {
 public:
  explicit WaitCursor(ProjectFileUi* ui) : ui_(ui) {
    if (ui_) ui_->BeginWait();
  }
  ~WaitCursor() {
    if (ui_) ui_->EndWait();
  }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;

 private:
  ProjectFileUi* ui_;
};

// ---- sections of the project file ----

struct Section {
  bool found = false;
  std::size_t begin = 0, end = 0;  // line range
};

// A section header: a line that begins with "[".
bool IsHeaderLine(std::string_view line) { return !line.empty() && line.front() == '['; }

// The header of the section name (in brackets), letter case and trailing
// blanks aside.
bool IsHeaderOf(std::string_view line, std::string_view name) {
  return IsHeaderLine(line) && EqualsNoCase(TrimRight(line), name);
}

// A section runs from the line after its header to the next header or the
// end of the file. Hand-written files have empty lines and comments
// anywhere inside; only the empty lines at its end part it from the next
// section and are not its own.
std::size_t SectionEnd(const Lines& lines, std::size_t begin) {
  std::size_t end = begin;
  while (end < lines.size() && !IsHeaderLine(lines[end])) ++end;
  while (end > begin && IsEmptyLine(lines[end - 1])) --end;
  return end;
}

// The first section of that name.
Section FindSection(const Lines& lines, std::string_view header) {
  Section s;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (IsHeaderOf(lines[i], header)) {
      s.found = true;
      s.begin = i + 1;
      s.end = SectionEnd(lines, s.begin);
      return s;
    }
  }
  return s;
}

// ---- [OPTIONS] ----

// The options the editor writes, in the order it writes them.
enum class Option {
  None,
  Compress,
  ErrorLog,
  Dbcs,
  Lcid,
  Report,
  Contents,
  Title,
  Cnt,
  Copyright,
  BmRoot,
  Root,
  Hlp,
  Backup,
};
constexpr int kFirstOption = static_cast<int>(Option::Compress);
constexpr int kLastOption = static_cast<int>(Option::Backup);

// Which of the editor's options a line of [OPTIONS] sets. Title, copyright
// and compression are taken with the exact beginnings the editor reads them
// by; the other options by name in any letter case, with blanks around "=".
Option ClassifyOption(std::string_view line) {
  if (line.starts_with("COMPRESS=")) return Option::Compress;
  if (line.starts_with("TITLE=") || line.starts_with("TITLE =")) return Option::Title;
  if (line.starts_with("COPYRIGHT=") || line.starts_with("COPYRIGHT =")) return Option::Copyright;
  if (line.starts_with("; BackUp=")) return Option::Backup;
  if (IsCommentLine(line)) return Option::None;
  std::size_t eq = FindChar(line, '=');
  if (eq == npos) return Option::None;
  const std::string key = UpperAscii(Trim(line.substr(0, eq)));
  static const std::pair<const char*, Option> kNames[] = {
      {"ERRORLOG", Option::ErrorLog}, {"DBCS", Option::Dbcs},   {"LCID", Option::Lcid},
      {"REPORT", Option::Report},     {"CONTENTS", Option::Contents}, {"CNT", Option::Cnt},
      {"BMROOT", Option::BmRoot},     {"ROOT", Option::Root},   {"HLP", Option::Hlp}};
  for (const auto& [name, option] : kNames) {
    if (key == name) return option;
  }
  return Option::None;
}

// The value of an option line: after "=", without a ";" comment, trimmed,
// without quotes around it.
std::string OptionValue(std::string_view line) {
  std::size_t eq = FindChar(line, '=');
  if (eq == npos) return {};
  std::string_view v = line.substr(eq + 1);
  std::size_t semi = FindChar(v, ';');
  std::string value = Trim(semi == npos ? v : v.substr(0, semi));
  if (value.size() >= 2 && value.front() == '"' && value.back() == '"') value = value.substr(1, value.size() - 2);
  return value;
}

// COMPRESS= turns compression on unless its value says none.
bool CompressionOn(std::string_view line) {
  const std::string v = UpperAscii(OptionValue(line));
  return !(v == "0" || v == "NO" || v == "NONE" || v == "FALSE" || v == "OFF");
}

// A folder list of ROOT= or BMROOT=, split at its commas.
void AddFolders(std::vector<std::string>& folders, std::string_view value) {
  std::size_t start = 0;
  while (start <= value.size()) {
    std::size_t comma = FindChar(value, ',', start);
    std::size_t end = comma == npos ? value.size() : comma;
    std::string folder = Trim(value.substr(start, end - start));
    if (folder.size() >= 2 && folder.front() == '"' && folder.back() == '"') folder = folder.substr(1, folder.size() - 2);
    if (!folder.empty()) folders.push_back(std::move(folder));
    if (comma == npos) break;
    start = comma + 1;
  }
}

// The folder a list names, for comparing: letter case, "/" for "\" and a
// trailing separator aside; "." and ".\" are the project folder itself.
std::string FolderKey(std::string_view folder) {
  std::string k;
  std::size_t end = 0;  // after the last character that is no separator
  for (std::size_t i = 0; i < folder.size(); i += CharLength(folder, i)) {
    if (CharLength(folder, i) == 1) {
      char c = folder[i];
      k += c == '/' ? '\\' : (c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c);
      if (c != '/' && c != '\\') end = k.size();
    } else {
      k += folder.substr(i, CharLength(folder, i));
      end = k.size();
    }
  }
  if (end > 0) k.resize(end);
  return k;
}

bool SameFolder(std::string_view a, std::string_view b) { return FolderKey(a) == FolderKey(b); }

// The folders the compiler looks in for the topic files of [FILES]: ROOT=,
// else the project folder.
std::vector<std::string> TopicFolders(const ProjectModel::OptionsRead& r) {
  return r.Roots.empty() ? std::vector<std::string>{"."} : r.Roots;
}

// The folders it looks in for pictures: BMROOT=, else ROOT=, else the
// project folder.
std::vector<std::string> PictureFolders(const ProjectModel::OptionsRead& r) {
  return r.BmRoots.empty() ? TopicFolders(r) : r.BmRoots;
}

bool NamesProjectFolder(const std::vector<std::string>& folders) {
  for (const std::string& f : folders) {
    if (SameFolder(f, ".")) return true;
  }
  return false;
}

// The editor's own folder first, then the project's folders as read.
std::string FolderList(std::string_view own, const std::vector<std::string>& folders) {
  std::string list(own);
  for (const std::string& f : folders) {
    if (!SameFolder(f, own)) list += "," + f;
  }
  return list;
}

void ReadOptions(ProjectModel& m, const Lines& lines, Section s, bool& old_layout) {
  ProjectModel::OptionsRead& r = m.OptionsAsRead;
  bool compress_seen = false;
  for (std::size_t i = s.begin; i < s.end; ++i) {
    const std::string& line = lines[i];
    r.Lines.push_back(line);
    switch (ClassifyOption(line)) {
      case Option::Compress:
        m.CompressHelp = CompressionOn(line);
        compress_seen = true;
        break;
      case Option::Title:
        m.HelpTitle = CutBytes(std::string_view(line).substr(line[5] == '=' ? 6 : 7), 255);
        break;
      case Option::Copyright:
        m.HelpCopyright = CutBytes(std::string_view(line).substr(line[9] == '=' ? 10 : 11), 255);
        break;
      case Option::Backup:
        m.BackupPath = CutBytes(std::string_view(line).substr(9), 1024);
        break;
      case Option::Root:
        AddFolders(r.Roots, OptionValue(line));
        break;
      case Option::BmRoot:
        AddFolders(r.BmRoots, OptionValue(line));
        break;
      case Option::Hlp:
        r.HelpFile = OptionValue(line);
        break;
      case Option::ErrorLog:
        r.ErrorLog = OptionValue(line);
        break;
      default:
        break;
    }
  }
  r.Title = m.HelpTitle;
  r.Copyright = m.HelpCopyright;
  r.Backup = m.BackupPath;
  r.Compress = compress_seen && m.CompressHelp;
  if (!r.Roots.empty()) {
    // The old layout: topic files the compiler took from the project folder
    // itself. A list that starts with rtf is the editor's own.
    old_layout = !SameFolder(r.Roots.front(), "rtf") && NamesProjectFolder(r.Roots);
  } else if (!m.ProjectDir.empty() && !ListFiles(m.ProjectDir, ".rtf").empty()) {
    // Without a ROOT= line the compiler takes the topic files from the
    // project folder itself: loose topic files there are the old layout too.
    old_layout = true;
  }
}

// A colour written as red, green and blue, each 0 to 255: "255,255,225".
bool ReadColourTriple(std::string_view text, std::uint32_t& value) {
  std::uint32_t rgb = 0;
  for (int k = 0; k < 3; ++k) {
    std::size_t comma = FindChar(text, ',');
    if ((comma == npos) != (k == 2)) return false;
    int v;
    if (!TryStrToInt(text.substr(0, comma), v) || v < 0 || v > 255) return false;
    rgb |= static_cast<std::uint32_t>(v) << (8 * k);
    if (comma != npos) text.remove_prefix(comma + 1);
  }
  value = rgb;
  return true;
}

// Parses the text of a colour group from just after its "(": an optional
// "r" and a decimal integer (the colour value), or a triple of red, green
// and blue, up to ")". Returns the position of ")" (npos when the line ends
// first); value is set only for a valid colour.
std::size_t ReadColourGroup(std::string_view line, std::size_t i, std::uint32_t& value) {
  std::size_t close = FindChar(line, ')', i);
  if (close == npos) return npos;
  std::size_t start = i;
  if (start < close && (line[start] == 'r' || line[start] == 'R')) ++start;
  int v;
  if (TryStrToInt(line.substr(start, close - start), v)) {
    value = static_cast<std::uint32_t>(v);
  } else {
    ReadColourTriple(line.substr(i, close - i), value);
  }
  return close;
}

// The text from i up to the next comma (or the end of the line).
std::string_view UpToComma(std::string_view line, std::size_t i) {
  std::size_t c = FindChar(line, ',', i);
  return line.substr(i, (c == npos ? line.size() : c) - i);
}

// The digit after the fifth comma (an "f" before it is stepped over);
// -1 when there is none.
int FlagDigit(std::string_view line, std::size_t i) {
  if (i < line.size() && line[i] == 'f') ++i;
  if (i < line.size() && line[i] >= '0' && line[i] <= '9') return line[i] - '0';
  return -1;
}

// Where the field that starts at i ends: at the next comma outside
// parentheses, or at the end of the line.
std::size_t FieldEnd(std::string_view line, std::size_t i) {
  int depth = 0;
  while (i < line.size()) {
    char c = line[i];
    if (c == '(') ++depth;
    else if (c == ')' && depth > 0) --depth;
    else if (c == ',' && depth == 0) break;
    i += CharLength(line, i);
  }
  return i;
}

// Where the walk of a main window line starts: after the quoted caption
// the editor writes, or right after "=" when another tool left the caption
// out or wrote it without quotes. npos for a quote that is never closed.
std::size_t AfterMainCaption(std::string_view line) {
  std::size_t i = 5;
  while (i < line.size() && IsBlank(line[i])) ++i;
  if (i < line.size() && line[i] == '"') {
    std::size_t q = FindChar(line, '"', i + 1);
    return q == npos ? npos : q + 1;
  }
  return 5;
}

void ReadMainWindowLine(ProjectModel& m, std::string_view line) {
  // The caption is not kept: the writer puts HelpTitle there.
  if (line.size() <= 6) return;
  std::size_t start = AfterMainCaption(line);
  if (start == npos) return;
  int commas = 0;
  int depth = 0;
  for (std::size_t i = start; i < line.size();) {
    std::size_t len = CharLength(line, i);
    char c = line[i];
    if (len == 2) {
      i += 2;
      continue;
    }
    if (c == '(') {
      if (commas == 3 || commas == 4) {
        std::uint32_t& target = commas == 3 ? m.TopicColor : m.NonScrollColor;
        std::size_t close = ReadColourGroup(line, i + 1, target);
        if (close == npos) return;
        i = close + 1;
        continue;
      }
      ++depth;
    } else if (c == ')') {
      if (depth > 0) --depth;
    } else if (c == ',' && depth == 0) {
      ++commas;
      if (commas == 1) {
        // The position group of another tool, kept as written.
        std::size_t end = FieldEnd(line, i + 1);
        m.MainWindowPosition = std::string(line.substr(i + 1, end - i - 1));
        i = end;
        continue;
      }
      if (commas == 2) {
        std::string_view b = UpToComma(line, i + 1);
        if (!b.empty()) m.MainButtons = std::string(b);
      } else if (commas == 5) {
        int d = FlagDigit(line, i + 1);
        if (d >= 0) {
          m.MainWindowOnTop = (d & 1) != 0;
          m.MainWindowOtherFlags = d & ~1;
          m.MainWindowBareFlag = line[i + 1] != 'f';
        }
        return;
      }
    }
    i += len;
  }
}

void ReadSubWindowLine(ProjectModel& m, std::string_view line) {
  m.HasSubWindow = true;
  std::size_t eq = FindChar(line, '=');
  m.SubWindowName = std::string(line.substr(0, eq == npos ? line.size() : eq));
  std::size_t q1 = FindChar(line, '"');
  if (q1 == npos) return;
  std::size_t q2 = FindChar(line, '"', q1 + 1);
  if (q2 == npos) return;
  if (q2 > q1 + 1) m.SubWindowCaption = std::string(line.substr(q1 + 1, q2 - q1 - 1));
  int commas = 0;
  for (std::size_t i = q2 + 1; i < line.size();) {
    std::size_t len = CharLength(line, i);
    char c = line[i];
    if (len == 1 && c == '(' && commas == 1) {
      std::size_t close = FindChar(line, ')', i + 1);
      if (close == npos) return;
      std::string* fields[4] = {&m.SubWindowLeft, &m.SubWindowTop, &m.SubWindowWidth,
                                &m.SubWindowHeight};
      std::size_t p = i + 1;
      for (int k = 0; k < 4 && p <= close; ++k) {
        std::size_t c2 = FindChar(line, ',', p);
        std::size_t e = (c2 == npos || c2 > close) ? close : c2;
        if (e > p) *fields[k] = std::string(line.substr(p, e - p));
        p = e + 1;
      }
      i = close + 1;
      continue;
    }
    if (len == 1 && c == '(') {
      // A colour group: a triple's commas are not the line's.
      std::size_t close = FindChar(line, ')', i + 1);
      if (close == npos) return;
      i = close + 1;
      continue;
    }
    if (len == 1 && c == ',') {
      ++commas;
      if (commas == 2) {
        std::string_view b = UpToComma(line, i + 1);
        if (!b.empty()) m.SubButtons = std::string(b);
      } else if (commas == 5) {
        int d = FlagDigit(line, i + 1);
        if (d >= 0) {
          if (d & 1) m.SubWindowOnTop = true;
          if (d & 2) m.SubWindowAutoHeight = true;
          if (!(d & 4)) {
            for (std::string* f : {&m.SubWindowLeft, &m.SubWindowTop, &m.SubWindowWidth,
                                   &m.SubWindowHeight}) {
              if (f->empty()) *f = "-1";
            }
          }
        }
        return;
      }
    }
    i += len;
  }
}

void ReadWindows(ProjectModel& m, const Lines& lines, Section s) {
  enum { kBeforeMain, kAfterMain, kAfterSub } state = kBeforeMain;
  for (std::size_t i = s.begin; i < s.end; ++i) {
    const std::string& line = lines[i];
    if (IsEmptyLine(line) || IsCommentLine(line)) {
      // Never a window (not the second one either): kept as it stands.
      m.WindowLines.push_back(line);
    } else if (StartsWithNoCase(line, "main=")) {
      ReadMainWindowLine(m, line);
      state = kAfterMain;
    } else if (state == kAfterMain) {
      ReadSubWindowLine(m, line);
      state = kAfterSub;
    } else {
      m.WindowLines.push_back(line);
    }
  }
  TrimTrailingEmptyLines(m.WindowLines);
}

// Where the id of a map line ends: at its first tab or blank. The writer
// puts a tab after the id, so when the text before the first tab is the id
// of a topic, the id runs to that tab: an id with a blank reads back whole.
std::size_t MapLineIdEnd(const ProjectModel& m, std::string_view line) {
  std::size_t end = 0;
  while (end < line.size() && !IsBlank(line[end])) end += CharLength(line, end);
  if (end < line.size() && line[end] == ' ') {
    std::size_t tab = FindChar(line, '\t', end);
    while (tab != npos && tab > end && line[tab - 1] == ' ') --tab;
    if (tab != npos && m.TopicIds.IndexOf(line.substr(0, tab)) >= 0) return tab;
  }
  return end;
}

// Reads one map line (map file or [MAP] section). Returns false when the
// line names no topic of the project (the caller may keep it).
bool ReadMapLine(ProjectModel& m, std::string_view line, bool from_section) {
  if (line.empty() || line[0] == '/') return true;
  std::size_t i = MapLineIdEnd(m, line);
  std::string_view id = line.substr(0, i);
  i = SkipBlanks(line, i);
  std::size_t num_end = i;
  while (num_end < line.size() && !IsBlank(line[num_end])) num_end += CharLength(line, num_end);
  int number = ParseBoundedNumber(line.substr(i, num_end - i));
  int idx = id.empty() ? -1 : m.TopicIds.IndexOf(id);
  if (idx < 0) return false;
  if (number != 0) {
    m.TopicIds.SetMapNumber(idx, number);
    m.UsedMapNumbers.push_back(number);
  }
  std::size_t slash = FindChar(line, '/', i);
  if (slash != npos && slash + 1 < line.size() && line[slash + 1] == '/') {
    std::string title = CutBytes(line.substr(slash + 2), 255);
    if (from_section || !title.empty()) m.TopicTitles[idx] = std::move(title);
  }
  return true;
}

// The file name of an include line, without the <> or "" around it.
std::string IncludeName(std::string_view rest) {
  std::string name = TrimRight(rest);
  if (name.size() >= 2 && ((name.front() == '<' && name.back() == '>') ||
                           (name.front() == '"' && name.back() == '"'))) {
    name = name.substr(1, name.size() - 2);
  }
  return CutBytes(name, 255);
}

void ReadMapSection(ProjectModel& m, const Lines& lines, Section s) {
  std::size_t last_include = npos;
  for (std::size_t i = s.begin; i < s.end; ++i) {
    const std::string& line = lines[i];
    if (line.starts_with("#include")) {
      std::string name = IncludeName(std::string_view(line).substr(SkipBlanks(line, 8)));
      if (!name.empty()) {
        m.MapFile = name;
        last_include = i;
      }
    }
  }
  for (std::size_t i = s.begin; i < s.end; ++i) {
    const std::string& line = lines[i];
    if (i == last_include) continue;
    // Empty lines, comments, other "#" lines and the map lines of ids that
    // are no topic stay where they are.
    const bool entry = !IsEmptyLine(line) && !IsCommentLine(line) && line[0] != '#' && line[0] != '/';
    if (!entry || !ReadMapLine(m, line, true)) m.MapSectionLines.push_back(line);
  }
}

void ReadConfig(ProjectModel& m, const Lines& lines, Section s) {
  for (std::size_t i = s.begin; i < s.end; ++i) {
    if (lines[i] == "BrowseButtons()") {
      m.UseBrowseButtons = true;
      m.BrowseButtonsAt = m.ConfigLines.size();
    } else {
      m.ConfigLines.push_back(lines[i]);
    }
  }
  TrimTrailingEmptyLines(m.ConfigLines);
}

// True when a [FILES] entry names its file by a path (a folder, a drive or
// the root). Such a file is not in the project's rtf folder: it is no topic.
bool NamesAPath(std::string_view entry) {
  return FindChar(entry, '\\') != npos || FindChar(entry, '/') != npos || FindChar(entry, ':') != npos;
}

// The parts of a [FILES] path inside the project folder ("hlp\gene.rtf"):
// none for a drive, the root or "..".
std::vector<std::string> PathInsideProject(std::string_view entry) {
  std::vector<std::string> parts;
  if (FindChar(entry, ':') != npos) return {};
  std::string part;
  for (std::size_t i = 0; i <= entry.size(); i += i < entry.size() ? CharLength(entry, i) : 1) {
    if (i == entry.size() || (CharLength(entry, i) == 1 && (entry[i] == '\\' || entry[i] == '/'))) {
      if (part.empty() || part == "..") return {};
      if (part != ".") parts.push_back(part);
      part.clear();
    } else {
      part.append(entry.substr(i, CharLength(entry, i)));
    }
  }
  return parts;
}

void CreateDirs(const std::string& dir);

// A topic file the project keeps in a folder of its own ("hlp\gene.rtf")
// becomes a topic the author can open here: a copy of it goes into the rtf
// folder, where the editor keeps its topics and the compiler, with the
// editor's ROOT, finds it; the author's file stays where it is. Its id, or
// empty when it stays a line kept as written (missing, outside the
// project, or its id or rtf file already taken).
std::string TakeSubfolderTopic(ProjectModel& m, std::string_view entry) {
  const std::vector<std::string> parts = PathInsideProject(entry);
  if (parts.size() < 2 || m.ProjectDir.empty()) return {};
  const std::string id = ChangeFileExt(parts.back(), "");
  if (id.empty() || m.TopicIds.IndexOf(id) >= 0 || FileExists(m.TopicFilePath(id))) return {};
  std::string bytes;
  if (!ReadFileBytes(PathInFolder(m.ProjectDir, entry), bytes)) return {};
  try {
    CreateDirs(m.RtfDir());
    WriteFileReplacing(m.TopicFilePath(id), bytes);
  } catch (const FileError&) {
    return {};
  }
  return id;
}

void ReadFiles(ProjectModel& m, const Lines& lines, Section s) {
  for (std::size_t i = s.begin; i < s.end; ++i) {
    const std::string& line = lines[i];
    if (IsEmptyLine(line)) continue;  // the writer lays the section out anew
    const std::string entry = Trim(line);
    std::string id = ChangeFileExt(entry, "");
    if (!IsCommentLine(line) && NamesAPath(entry)) {
      if (std::string taken = TakeSubfolderTopic(m, entry); !taken.empty()) {
        m.AddTopic(std::move(taken), 0);
        // The compiler builds the copy once the project names it: the next
        // save writes the project.
        m.ProjectModified = true;
        continue;
      }
    }
    if (IsCommentLine(line) || NamesAPath(entry) || id.empty()) {
      // Kept as written, before the topic that follows it.
      m.FilesLines.push_back({static_cast<int>(m.TopicCount()), line});
      continue;
    }
    m.AddTopic(std::move(id), 0);
  }
  for (ProjectModel::KeptFilesLine& k : m.FilesLines) {
    if (k.BeforeTopic >= static_cast<int>(m.TopicCount())) k.BeforeTopic = -1;
  }
}

void ReadOtherSections(ProjectModel& m, const Lines& lines) {
  static const char* const kKnown[] = {"[OPTIONS]", "[WINDOWS]", "[CONFIG]", "[FILES]", "[MAP]"};
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (!IsHeaderLine(lines[i])) continue;
    bool known = false;
    for (const char* k : kKnown) known = known || IsHeaderOf(lines[i], k);
    if (known) continue;
    m.OtherSections.push_back(lines[i]);
    const std::size_t end = SectionEnd(lines, i + 1);
    for (std::size_t j = i + 1; j < end; ++j) m.OtherSections.push_back(lines[j]);
  }
}

// ---- contents file ----

struct ContentsReader {
  ProjectModel& m;
  std::size_t next_files_index = 0;
  ContentsNode* hidden_anchor = nullptr;
  ContentsNode* last_placed = nullptr;

  ContentsNode* PlaceByLevel(int level, std::string text, ContentsNodeKind kind, int data) {
    ContentsTree& t = m.Contents;
    if (last_placed == nullptr) return t.AddChild(nullptr, std::move(text), kind, data);
    int last = last_placed->Level() + 1;
    if (level > last) return t.AddChild(last_placed, std::move(text), kind, data);
    ContentsNode* n = last_placed;
    for (int l = last; l > level; --l) n = n->Parent();
    return t.AddSibling(n, std::move(text), kind, data);
  }

  // Topics first..last-1 as hidden children of under.
  void AddHidden(ContentsNode* under, std::size_t first, std::size_t last) {
    for (std::size_t k = first; k < last; ++k) {
      m.Contents.AddChild(under, m.TopicLabel(static_cast<int>(k)), kHiddenTopicNode,
                          static_cast<int>(k));
    }
  }

  void Entry(std::string_view line) {
    std::size_t blank = FindChar(line, ' ');
    std::size_t level_end = blank == npos ? line.size() : blank;
    int level = ParseBoundedNumber(line.substr(0, level_end));
    if (level <= 0) level = 1;
    std::size_t i = SkipBlanks(line, level_end);
    std::size_t text_end = line.size();
    std::size_t after = line.size();
    for (std::size_t p = i; p < line.size(); p += CharLength(line, p)) {
      if (CharLength(line, p) != 1) continue;
      if (line[p] == ' ' && p + 1 < line.size() && line[p + 1] == '=') {
        text_end = p;
        after = p + 2;
        break;
      }
      if (line[p] == '=') {
        text_end = p;
        after = p + 1;
        break;
      }
    }
    std::string text(line.substr(i, text_end - i));
    std::size_t ts = SkipBlanks(line, after);
    if (ts >= line.size()) {
      last_placed = PlaceByLevel(level, std::move(text), kBookClosed, 0);
      return;
    }
    std::string target = CutBytes(line.substr(ts), 255);
    std::size_t cut = std::min(FindChar(target, '@'), FindChar(target, '>'));
    std::string id = target.substr(0, cut == npos ? target.size() : cut);
    std::string suffix = cut == npos ? std::string() : target.substr(cut);
    int idx = m.TopicIds.IndexOf(id);

    if (idx < 0 || static_cast<std::size_t>(idx) < next_files_index) {
      // Not a topic of the project, or one already placed.
      int row = static_cast<int>(m.CntTargets.size());
      m.CntTargets.push_back(target);
      last_placed = PlaceByLevel(level, std::move(text), kExternalNode, row);
      return;
    }
    std::size_t passed_from = next_files_index;
    if (hidden_anchor != nullptr) {
      // The topics the contents file passed over hang under the topic before.
      AddHidden(hidden_anchor, next_files_index, static_cast<std::size_t>(idx));
      passed_from = static_cast<std::size_t>(idx);
    }
    if (text != id) m.TopicTitles[idx] = text;
    m.TopicCntSuffixes[idx] = suffix;
    ContentsNode* node = PlaceByLevel(level, m.TopicLabel(idx), kTopicNode, idx);
    last_placed = node;
    // Without a topic before it (the first topic entry is not the first
    // [FILES] topic), the topics passed over hang under this one.
    AddHidden(node, passed_from, static_cast<std::size_t>(idx));
    next_files_index = static_cast<std::size_t>(idx) + 1;
    hidden_anchor = node;
  }

  void Finish() {
    std::size_t count = m.TopicCount();
    if (next_files_index >= count) return;
    if (hidden_anchor == nullptr) {
      // The contents file names no topic: the first one becomes a listed
      // topic ahead of the top level's books, the rest hang under it.
      ContentsNode* first_book = nullptr;
      for (std::size_t k = 0; k < m.Contents.TopCount() && !first_book; ++k) {
        if (m.Contents.Top(k)->IsBook()) first_book = m.Contents.Top(k);
      }
      int first = static_cast<int>(next_files_index);
      hidden_anchor = first_book ? m.Contents.Insert(first_book, m.TopicLabel(first), kTopicNode, first)
                               : m.Contents.AddChild(nullptr, m.TopicLabel(first), kTopicNode, first);
      ++next_files_index;
    }
    AddHidden(hidden_anchor, next_files_index, count);
    next_files_index = count;
  }
};

std::string ColourGroup(std::uint32_t c) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "(r%d)", static_cast<int>(static_cast<std::int32_t>(c)));
  return buf;
}

std::string MainWindowLine(const ProjectModel& m) {
  std::string s = "main=\"" + m.HelpTitle + "\"," + m.MainWindowPosition + "," + m.MainButtons +
                  "," + ColourGroup(m.TopicColor) + "," + ColourGroup(m.NonScrollColor);
  // The flag keeps its other bits and its notation as read; the editor's
  // own lines have ",f1" or nothing.
  int flag = m.MainWindowOtherFlags | (m.MainWindowOnTop ? 1 : 0);
  if (m.MainWindowBareFlag) s += "," + std::to_string(flag);
  else if (flag != 0) s += ",f" + std::to_string(flag);
  return s;
}

std::string SubWindowLine(const ProjectModel& m) {
  const std::string* pos[4] = {&m.SubWindowLeft, &m.SubWindowTop, &m.SubWindowWidth,
                               &m.SubWindowHeight};
  bool all_empty = true;
  for (const std::string* p : pos) all_empty = all_empty && p->empty();
  std::string group;
  if (!all_empty) {
    group = "(";
    for (int k = 0; k < 4; ++k) {
      if (k > 0) group += ",";
      if (*pos[k] != "-1") group += *pos[k];
    }
    group += ")";
    if (group == "(,,,)") group.clear();
  }
  int n = (m.SubWindowOnTop ? 1 : 0) + (m.SubWindowAutoHeight ? 2 : 0) + (all_empty ? 4 : 0);
  std::string s = m.SubWindowName + "=\"" + m.SubWindowCaption + "\"," + group + "," +
                  m.SubButtons + "," + ColourGroup(m.TopicColor) + "," +
                  ColourGroup(m.NonScrollColor);
  if (n != 0) s += ",f" + std::to_string(n);
  return s;
}

bool ValidTopic(const ProjectModel& m, int i) {
  return i >= 0 && static_cast<std::size_t>(i) < m.TopicCount();
}

// The topic that CONTENTS= names: the first node's when it is a topic, else
// the first topic in tree order.
int ContentsTopic(const ProjectModel& m) {
  for (ContentsNode* n = m.Contents.First(); n != nullptr; n = ContentsTree::Next(n)) {
    if ((n->Kind == kTopicNode || n->Kind == kHiddenTopicNode) && ValidTopic(m, n->Data)) {
      return n->Data;
    }
  }
  return -1;
}

// The editor's own line of an option; empty when it writes none.
std::string OwnOptionLine(const ProjectModel& m, Option o, int contents_topic) {
  const std::string name = m.ProjectName();
  switch (o) {
    case Option::Compress: return m.CompressHelp ? "COMPRESS=12 Hall Zeck" : "";
    case Option::ErrorLog: return "ERRORLOG=" + name + ".err";
    case Option::Dbcs: return "DBCS=Yes";
    case Option::Lcid: return "LCID=0x411 0x0 0x0 ; 日本語";
    case Option::Report: return "REPORT=Yes";
    case Option::Contents: return "CONTENTS=" + m.TopicIds[contents_topic];
    case Option::Title: return m.HelpTitle.empty() ? "" : "TITLE=" + m.HelpTitle;
    case Option::Cnt: return "CNT=" + name + ".cnt";
    case Option::Copyright: return m.HelpCopyright.empty() ? "" : "COPYRIGHT=" + m.HelpCopyright;
    case Option::BmRoot: return "BMROOT=bmp";
    case Option::Root: return "ROOT=rtf";
    case Option::Hlp: return "HLP=" + name + ".hlp";
    case Option::Backup: return m.BackupPath.empty() ? "" : "; BackUp=" + m.BackupPath;
    case Option::None: break;
  }
  return "";
}

// The [OPTIONS] lines. A new project gets the editor's own. A project read
// from a file keeps its lines in their order: an option the editor has a
// field for is written anew only when that field changed (the contents
// topic: when another topic came first); ROOT= and BMROOT= put the editor's
// folders rtf and bmp before the folders the compiler looked in until now;
// every other option stays as written. Options the file lacks are added at
// the editor's place for them, but for the language (DBCS=, LCID=).
Lines OptionLines(const ProjectModel& m, int contents_topic) {
  Lines out;
  const ProjectModel::OptionsRead& r = m.OptionsAsRead;
  if (!r.Read) {
    for (int k = kFirstOption; k <= kLastOption; ++k) {
      std::string line = OwnOptionLine(m, static_cast<Option>(k), contents_topic);
      if (!line.empty()) out.push_back(std::move(line));
    }
    return out;
  }
  const std::string roots = FolderList("rtf", TopicFolders(r));
  const std::string bm_roots = FolderList("bmp", PictureFolders(r));
  int root_lines = 0, bm_root_lines = 0;
  for (const std::string& line : r.Lines) {
    root_lines += ClassifyOption(line) == Option::Root;
    bm_root_lines += ClassifyOption(line) == Option::BmRoot;
  }
  // The editor's line of an option; ROOT= and BMROOT= with the folder lists.
  auto own_line = [&](Option o) {
    return o == Option::Root     ? "ROOT=" + roots
           : o == Option::BmRoot ? "BMROOT=" + bm_roots
                                 : OwnOptionLine(m, o, contents_topic);
  };
  // The line to write for a line read: itself, or the editor's (empty:
  // none), and whether it is the line read.
  auto decide = [&](Option o, const std::string& line) -> std::pair<std::string, bool> {
    bool keep = true;
    switch (o) {
      case Option::Compress: keep = m.CompressHelp == r.Compress; break;
      case Option::Title: keep = m.HelpTitle == r.Title; break;
      case Option::Copyright: keep = m.HelpCopyright == r.Copyright; break;
      case Option::Backup: keep = m.BackupPath == r.Backup; break;
      case Option::Contents: keep = contents_topic == r.ContentsTopic; break;
      case Option::Cnt: keep = EqualsNoCase(OptionValue(line), m.CntFileName()); break;
      // One line (the lines of the project merge into it).
      case Option::Root: keep = root_lines == 1 && OptionValue(line) == roots; break;
      case Option::BmRoot: keep = bm_root_lines == 1 && OptionValue(line) == bm_roots; break;
      default: break;
    }
    return {keep ? line : own_line(o), keep};
  };

  std::vector<Option> keys;  // parallel to out
  bool seen[kLastOption + 1] = {};
  for (const std::string& line : r.Lines) {
    const Option o = ClassifyOption(line);
    if (o == Option::None) {
      out.push_back(line);
      keys.push_back(o);
      continue;
    }
    auto [text, kept] = decide(o, line);
    const bool repeat = seen[static_cast<int>(o)];
    seen[static_cast<int>(o)] = true;
    // A repeated option stays only as written; changed, it is written once.
    if (text.empty() || (repeat && !kept)) continue;
    out.push_back(std::move(text));
    keys.push_back(o);
  }
  for (int k = kFirstOption; k <= kLastOption; ++k) {
    const Option o = static_cast<Option>(k);
    // The language stays the file's: without one the compiler takes the
    // system's, as it did before.
    if (seen[k] || o == Option::Dbcs || o == Option::Lcid) continue;
    std::string line = own_line(o);
    if (line.empty()) continue;
    // After the nearest option that the editor writes before it; else
    // before the first option of the file, else at the end.
    std::size_t at = out.size();
    bool placed = false;
    for (int before = k - 1; before >= kFirstOption && !placed; --before) {
      for (std::size_t i = keys.size(); i-- > 0;) {
        if (keys[i] == static_cast<Option>(before)) {
          at = i + 1;
          placed = true;
          break;
        }
      }
    }
    if (!placed) {
      for (std::size_t i = 0; i < keys.size(); ++i) {
        if (keys[i] != Option::None) {
          at = i;
          break;
        }
      }
    }
    out.insert(out.begin() + static_cast<std::ptrdiff_t>(at), std::move(line));
    keys.insert(keys.begin() + static_cast<std::ptrdiff_t>(at), o);
  }
  return out;
}

void CreateDirs(const std::string& dir) {
  if (dir.empty() || DirectoryExists(dir)) return;
  std::string parent = ExtractFileDir(dir);
  if (!parent.empty() && parent != dir) CreateDirs(parent);
  CreateDir(dir);
}

// Writes the files one after another. When one cannot be written, those
// written before it get their earlier bytes back (or go again, when they
// were new), so that the files never disagree; then the failure is thrown.
void WriteFilesTogether(const std::vector<std::pair<std::string, std::string>>& files) {
  struct Earlier {
    const std::string* path;
    bool existed;
    bool read;
    std::string bytes;
  };
  std::vector<Earlier> written;
  try {
    for (const auto& [path, bytes] : files) {
      Earlier e{&path, FileExists(path), false, {}};
      e.read = e.existed && ReadFileBytes(path, e.bytes);
      WriteFileReplacing(path, bytes);
      written.push_back(std::move(e));
    }
  } catch (const FileError&) {
    for (auto e = written.rbegin(); e != written.rend(); ++e) {
      try {
        if (e->read) WriteFileReplacing(*e->path, e->bytes);
        else if (!e->existed) DeleteFileAt(*e->path);
      } catch (const FileError&) {
        // The earlier failure is the one to report.
      }
    }
    throw;
  }
}

}  // namespace

int ParseBoundedNumber(std::string_view s) {
  if (s.empty()) return 0;
  std::int64_t v = 0;
  if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
    for (std::size_t i = 2; i < s.size(); ++i) {
      char c = s[i];
      int d = (c >= '0' && c <= '9') ? c - '0'
              : (c >= 'a' && c <= 'f') ? c - 'a' + 10
              : (c >= 'A' && c <= 'F') ? c - 'A' + 10
                                       : -1;
      if (d < 0) return 0;
      v = v * 16 + d;
      if (v > INT_MAX) return 0;
    }
    return static_cast<int>(v);
  }
  for (char c : s) {
    if (c < '0' || c > '9') return 0;
    v = v * 10 + (c - '0');
    if (v > INT_MAX) return 0;
  }
  return static_cast<int>(v);
}

void ReadProjectLines(ProjectModel& m, const Lines& lines, bool& old_layout) {
  m.OptionsAsRead.Read = true;
  if (Section s = FindSection(lines, "[OPTIONS]"); s.found) ReadOptions(m, lines, s, old_layout);
  if (Section s = FindSection(lines, "[WINDOWS]"); s.found) ReadWindows(m, lines, s);
  if (Section s = FindSection(lines, "[CONFIG]"); s.found) ReadConfig(m, lines, s);
  if (Section s = FindSection(lines, "[FILES]"); s.found) ReadFiles(m, lines, s);
  if (Section s = FindSection(lines, "[MAP]"); s.found) ReadMapSection(m, lines, s);
  ReadOtherSections(m, lines);
}

void ReadMapFileLines(ProjectModel& m, const Lines& lines) {
  for (const std::string& line : lines) {
    // Lines of other ids and comments stay; the writer's own first line is
    // made anew.
    if (line == kMapFileHeader) continue;
    if (!ReadMapLine(m, line, false) || (!line.empty() && line[0] == '/')) {
      m.MapFileLines.push_back(line);
    }
  }
}

void CompleteMapNumbers(ProjectModel& m) {
  std::unordered_set<int> used(m.UsedMapNumbers.begin(), m.UsedMapNumbers.end());
  const std::size_t count = m.TopicCount();
  for (std::size_t i = 0; i < count; ++i) {
    if (m.TopicIds.MapNumber(i) != 0) continue;
    int v = TrailingDigitValue(m.TopicIds[i]);
    if (v != 0 && used.insert(v).second) {
      m.TopicIds.SetMapNumber(i, v);
      m.UsedMapNumbers.push_back(v);
    }
  }
  if (m.UsedMapNumbers.size() > 1) {
    std::sort(m.UsedMapNumbers.begin(), m.UsedMapNumbers.end(),
              [](int a, int b) { return CompareMapNumbers(a, b) < 0; });
  }
  std::size_t pos = 0;
  int skipped = 0;
  for (std::size_t i = 0; i < count; ++i) {
    if (m.TopicIds.MapNumber(i) == 0) m.TopicIds.SetMapNumber(i, AllocateMapNumberFrom(m, pos, skipped));
  }
}

void ReadContentsLines(ProjectModel& m, const Lines& lines) {
  ContentsReader r{m};
  for (const std::string& line : lines) {
    if (line.empty() || line[0] == ';') continue;
    if (line[0] == ':') {
      std::string key = LowerAscii(std::string_view(line).substr(1, 5));
      if (key == "base " || key == "title") continue;
      if (key == "inclu") {
        m.CntIncludes.push_back(line);
      } else {
        m.CntCommands.push_back(line);
      }
      continue;
    }
    r.Entry(line);
  }
  r.Finish();
}

namespace {
void ReadProjectFiles(ProjectModel& m, const std::string& path);
}  // namespace

void ReadProject(ProjectModel& m, const std::string& path, ProjectFileUi* ui) {
  m.ProjectFile = ExtractFileName(path);
  m.MapFile = ChangeFileExt(m.ProjectFile, ".hm");
  m.ProjectDir = ExtractFileDir(path);
  if (ui) {
    ui->SetProjectCaption(m.ProjectDir + kPathDelim + m.ProjectFile + " - Quillmark",
                          m.ProjectFile + " - Quillmark");
  }
  if (ui) ui->ContentsResetting();
  m.ProjectReset();
  m.ProjectModified = false;
  m.ClearOpenTopic();
  if (ui) ui->ProjectWasReset();
  WaitCursor wait(ui);
  {
    RebuiltNotice rebuilt(ui);
    ReadProjectFiles(m, path);
  }
  m.ClearOpenTopic();
  if (ui) ui->ProjectRead();
}

void NewProject(ProjectModel& m, const std::string& path, ProjectFileUi* ui) {
  m.OpenTopicNode = nullptr;
  m.Program.LastComponentName.clear();
  m.ProjectFile = ExtractFileName(ChangeFileExt(path, ".hpj"));
  m.MapFile = ChangeFileExt(m.ProjectFile, ".hm");
  m.ProjectDir = ExtractFileDir(path);
  if (ui) {
    ui->SetProjectCaption(m.ProjectDir + kPathDelim + m.ProjectFile + " - Quillmark",
                          m.ProjectFile + " - Quillmark");
  }
  EnsureProjectFolders(m);
  if (ui) ui->ContentsResetting();
  m.ProjectReset();
  if (ui) ui->ProjectWasReset();
  m.TopicId.clear();
  m.ProjectModified = true;
}

namespace {
void ReadProjectFiles(ProjectModel& m, const std::string& path) {
  bool old_layout = false;
  Lines lines;
  if (LoadLines(path, lines)) ReadProjectLines(m, lines, old_layout);
  if (LoadLines(m.MapFilePath(), lines)) {
    ReadMapFileLines(m, lines);
  }
  CompleteMapNumbers(m);
  if (LoadLines(ChangeFileExt(path, ".cnt"), lines)) {
    ReadContentsLines(m, lines);
  } else {
    for (std::size_t i = 0; i < m.TopicCount(); ++i) {
      m.Contents.AddChild(nullptr, m.TopicLabel(static_cast<int>(i)), kTopicNode,
                          static_cast<int>(i));
    }
  }
  m.OptionsAsRead.ContentsTopic = ContentsTopic(m);
  if (old_layout) MoveLooseProjectFiles(m);
}
}  // namespace

ProjectFileLines BuildProjectFiles(const ProjectModel& m) {
  ProjectFileLines f;
  const std::string name = m.ProjectName();
  int contents_topic = ContentsTopic(m);
  if (contents_topic < 0) {
    // The text authors know from this failure: keep it as it is.
    throw ProjectError("List index out of bounds (" +
                       std::to_string(m.Contents.IsEmpty() ? 0 : m.Contents.First()->Data) + ")");
  }

  f.Cnt.push_back(":Base " + m.HlpFileName() + ">main");
  f.Cnt.push_back(":Title " + (m.HelpTitle.empty() ? m.Contents.First()->Text : m.HelpTitle));
  f.Cnt.insert(f.Cnt.end(), m.CntCommands.begin(), m.CntCommands.end());
  f.Map.push_back(kMapFileHeader);
  Lines files;
  // The kept [FILES] lines go before the topic they stood before; those of
  // topics no longer in the tree, and those of the end, after the last one.
  std::vector<std::vector<const std::string*>> kept_before(m.TopicCount());
  std::vector<const std::string*> kept_at_end;
  for (const ProjectModel::KeptFilesLine& k : m.FilesLines) {
    if (ValidTopic(m, k.BeforeTopic)) {
      kept_before[static_cast<std::size_t>(k.BeforeTopic)].push_back(&k.Line);
    } else {
      kept_at_end.push_back(&k.Line);
    }
  }

  std::unordered_set<std::string> map_ids;
  for (ContentsNode* n = m.Contents.First(); n != nullptr; n = ContentsTree::Next(n)) {
    std::string level = std::to_string(n->Level() + 1);
    switch (n->Kind) {
      case kBookClosed:
      case kBookOpen:
        f.Cnt.push_back(level + " " + n->Text);
        break;
      case kTopicNode:
      case kHiddenTopicNode: {
        if (!ValidTopic(m, n->Data)) break;
        const std::string& id = m.TopicIds[n->Data];
        if (n->Kind == kTopicNode) {
          f.Cnt.push_back(level + " " + m.TopicLabel(n->Data) + " =" + id +
                          m.TopicCntSuffixes[n->Data]);
        }
        auto& kept = kept_before[static_cast<std::size_t>(n->Data)];
        for (const std::string* line : kept) files.push_back(*line);
        kept.clear();
        files.push_back(id + ".rtf");
        f.Map.push_back(id + "\t" + std::to_string(m.TopicIds.MapNumber(n->Data)) + " //" +
                        m.TopicTitles[n->Data]);
        map_ids.insert(UpperAscii(id));
        break;
      }
      case kExternalNode:
        if (n->Data >= 0 && static_cast<std::size_t>(n->Data) < m.CntTargets.size() &&
            !m.CntTargets[n->Data].empty()) {
          f.Cnt.push_back(level + " " + n->Text + " =" + m.CntTargets[n->Data]);
        }
        break;
    }
  }
  for (const auto& kept : kept_before) {
    for (const std::string* line : kept) files.push_back(*line);
  }
  for (const std::string* line : kept_at_end) files.push_back(*line);
  f.Cnt.insert(f.Cnt.end(), m.CntIncludes.begin(), m.CntIncludes.end());
  for (const std::string& line : m.MapFileLines) {
    // A kept line of an id that has become a topic meanwhile is replaced
    // by the topic's own line.
    const std::size_t e = MapLineIdEnd(m, line);
    if (!map_ids.count(UpperAscii(std::string_view(line).substr(0, e)))) f.Map.push_back(line);
  }

  Lines& h = f.Hpj;
  h.push_back("; This file is maintained by HCW. Do not modify this file directly.");
  h.push_back("");
  h.push_back("[OPTIONS]");
  Lines options = OptionLines(m, contents_topic);
  h.insert(h.end(), options.begin(), options.end());
  h.push_back("");
  h.push_back("[FILES]");
  h.insert(h.end(), files.begin(), files.end());
  h.push_back("");
  h.push_back("[MAP]");
  h.insert(h.end(), m.MapSectionLines.begin(), m.MapSectionLines.end());
  h.push_back("#include " + m.MapFile);
  for (const std::string& line : m.OtherSections) {
    if (IsHeaderLine(line)) h.push_back("");
    h.push_back(line);
  }
  h.push_back("");
  h.push_back("[WINDOWS]");
  if (m.HasSubWindow) {
    h.push_back(MainWindowLine(m));
    h.push_back(SubWindowLine(m));
    h.insert(h.end(), m.WindowLines.begin(), m.WindowLines.end());
  } else {
    // Without a second window a line after the main one would be read back
    // as the second window: the other lines go before the main line.
    h.insert(h.end(), m.WindowLines.begin(), m.WindowLines.end());
    h.push_back(MainWindowLine(m));
  }
  if (!m.ConfigLines.empty() || m.UseBrowseButtons) {
    h.push_back("");
    h.push_back("[CONFIG]");
    const std::size_t at = std::min(m.BrowseButtonsAt, m.ConfigLines.size());
    h.insert(h.end(), m.ConfigLines.begin(), m.ConfigLines.begin() + static_cast<std::ptrdiff_t>(at));
    if (m.UseBrowseButtons) h.push_back("BrowseButtons()");
    h.insert(h.end(), m.ConfigLines.begin() + static_cast<std::ptrdiff_t>(at), m.ConfigLines.end());
  }
  return f;
}

bool WriteProject(ProjectModel& m, ProjectFileUi* ui) {
  if (m.Contents.IsEmpty()) {
    if (ui) ui->ShowNoContents();
    return false;
  }
  WaitCursor wait(ui);
  ProjectFileLines f = BuildProjectFiles(m);
  // The [MAP] section may name the map file in a folder that is not there
  // yet ("#include <hlp\\name.hm>"): made in a folder that is there.
  CreateDir(ExtractFileDir(m.MapFilePath()));
  WriteFilesTogether({{PathJoin(m.ProjectDir, m.CntFileName()), JoinLines(f.Cnt)},
                      {m.MapFilePath(), JoinLines(f.Map)},
                      {PathJoin(m.ProjectDir, m.ProjectFile), JoinLines(f.Hpj)}});
  m.ProjectModified = false;
  return true;
}

void EnsureProjectFolders(const ProjectModel& m) {
  CreateDirs(m.BmpDir());
  CreateDirs(m.RtfDir());
}

namespace {
// True when the compiler took the file name from the project folder itself:
// the folder is in the list and no folder before it holds a file of that
// name.
bool FoundInProjectFolder(const ProjectModel& m, const std::vector<std::string>& folders,
                          const std::string& name) {
  for (const std::string& f : folders) {
    if (SameFolder(f, ".")) return true;
    std::string dir = f;
    if (kPathDelim != '\\') std::replace(dir.begin(), dir.end(), '\\', kPathDelim);
    if (FileExists(PathJoin(IsAbsolutePath(dir) ? dir : PathJoin(m.ProjectDir, dir), name))) return false;
  }
  return false;
}

}  // namespace

void MoveLooseProjectFiles(ProjectModel& m) {
  EnsureProjectFolders(m);
  const std::string bmp = m.BmpDir(), rtf = m.RtfDir();
  // Only what the compiler found in the project folder moves: a file of the
  // same name in a folder it looked in first stays the one it finds, and
  // files in the project's own folders stay where they are.
  const std::vector<std::string> pictures = PictureFolders(m.OptionsAsRead);
  const std::vector<std::string> topics = TopicFolders(m.OptionsAsRead);
  for (const char* ext : {".bmp", ".shg", ".mrb"}) {
    for (const std::string& f : ListFiles(m.ProjectDir, ext)) {
      if (FoundInProjectFolder(m, pictures, f)) MoveFileTo(PathJoin(m.ProjectDir, f), PathJoin(bmp, f), true);
    }
  }
  for (const std::string& f : ListFiles(m.ProjectDir, ".rtf")) {
    if (FoundInProjectFolder(m, topics, f)) MoveFileTo(PathJoin(m.ProjectDir, f), PathJoin(rtf, f), true);
  }
  m.ProjectModified = true;
}

}  // namespace qm::editor
