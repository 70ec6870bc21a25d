#include "editor/core/TopicInfo.h"

#include "core/FileSystem.h"

namespace qm::editor {

const char kNoTopicIdMessage[] = "ﾄﾋﾟｯｸIDがありません.";
const char kBadTopicIdMessage[] = "ﾄﾋﾟｯｸIDに不正な文字が含まれています.";
const char kTopicIdExistsMessage[] = "ﾄﾋﾟｯｸIDはすでに存在しています.";
const char kNoBrowseNumberMessage[] = "観覧IDに連番がありません.";
const char kBadBrowseIdMessage[] = "観覧IDに不正な文字が含まれています.";
const char kKeywordsNeedTitleMessage[] = "ｷｰﾜｰﾄﾞ指定時にはﾀｲﾄﾙを指定してください.";

namespace {

int TopicIndex(const ProjectModel& m) { return m.OpenTopicNode ? m.OpenTopicNode->Data : -1; }

bool ValidRow(const ProjectModel& m, int t) {
  return t >= 0 && static_cast<std::size_t>(t) < m.TopicCount();
}

bool IsNameChar(unsigned char c) { return IsIdLetterOrDigit(c) || c == '_'; }

}  // namespace

bool IsIdLetterOrDigit(unsigned char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
         (c >= 0xA6 && c <= 0xDF);
}

TopicInfoStart OpenTopicInfo(ProjectModel& m) {
  TopicInfoStart s;
  TopicFields& f = m.TopicFootnotes;
  s.Values = {m.TopicId, f.BrowseId, f.TopicTitle, f.BKeywords, f.KKeywords, f.AKeywords, f.TopicMacros, 0};
  s.SubWindow = m.SubWindowName;
  s.SubWindowEnabled = m.HasSubWindow;
  const std::string& n = m.SubWindowName;
  if (!m.HasSubWindow && !n.empty() && f.TopicWindow == n) {
    f.TopicWindow.clear();
    s.EditorModified = true;
  }
  s.OpenedWindow = f.TopicWindow.empty() ? 0 : f.TopicWindow == "main" ? 1 : 2;
  s.Values.Window = s.OpenedWindow;
  const int t = TopicIndex(m);
  if (ValidRow(m, t) && !n.empty() && s.OpenedWindow == 2 && m.TopicCntSuffixes[t].empty()) {
    m.TopicCntSuffixes[t] = ">" + n;
    m.ProjectModified = true;
  }
  return s;
}

std::string CheckBrowseId(std::string_view b) {
  if (b.empty()) return {};
  std::size_t i = 0;
  while (i < b.size() && IsNameChar(static_cast<unsigned char>(b[i]))) ++i;
  if (i == b.size()) return kNoBrowseNumberMessage;
  if (b[i] != ':' || i == 0) return kBadBrowseIdMessage;
  ++i;
  if (i == b.size()) return kNoBrowseNumberMessage;
  for (; i < b.size(); ++i)
    if (!IsIdLetterOrDigit(static_cast<unsigned char>(b[i]))) return kBadBrowseIdMessage;
  return {};
}

std::string CheckTopicInfo(const ProjectModel& m, const TopicInfoValues& v) {
  if (v.Id.empty()) return kNoTopicIdMessage;
  if (v.Id != m.TopicId) {
    for (unsigned char c : v.Id)
      if (!IsNameChar(c)) return kBadTopicIdMessage;
    if (m.TopicIds.IndexOf(v.Id) >= 0) return kTopicIdExistsMessage;
  }
  std::string browse = CheckBrowseId(v.BrowseId);
  if (!browse.empty()) return browse;
  if ((!v.KKeywords.empty() || !v.AKeywords.empty()) && v.Title.empty()) return kKeywordsNeedTitleMessage;
  return {};
}

TopicInfoApplied ApplyTopicInfo(ProjectModel& m, const TopicInfoValues& v, int opened_window,
                                bool editor_empty) {
  TopicInfoApplied r;
  TopicFields& f = m.TopicFootnotes;
  const int t = TopicIndex(m);
  const bool row = ValidRow(m, t);
  auto store = [&](std::string& field, const std::string& value, bool changes) {
    if (field == value) return false;
    field = value;
    r.EditorModified = true;
    if (changes) r.Changed = true;
    return true;
  };
  if (v.Id != m.TopicId) {
    if (!m.TopicId.empty()) MoveFileTo(m.TopicFilePath(m.TopicId), m.TopicFilePath(v.Id));
    m.TopicId = v.Id;
    if (v.Title.empty() && m.OpenTopicNode) {
      m.OpenTopicNode->Text = v.Id;
      r.NodeTextChanged = true;
    }
    if (row) m.TopicIds.SetId(t, v.Id);
    m.ProjectModified = true;
    r.EditorModified = r.Changed = true;
  }
  store(f.BrowseId, v.BrowseId, true);
  if (store(f.TopicTitle, v.Title, true)) {
    if (row) m.TopicTitles[t] = v.Title;
    if (m.OpenTopicNode) {
      m.OpenTopicNode->Text = v.Title;
      r.NodeTextChanged = true;
    }
    m.ProjectModified = true;
  }
  store(f.BKeywords, v.BKeywords, true);
  store(f.KKeywords, v.KKeywords, true);
  store(f.AKeywords, v.AKeywords, true);
  store(f.TopicMacros, v.Macros, false);
  if (v.Window != opened_window) {
    std::string suffix;
    if (v.Window == 1) {
      f.TopicWindow = "main";
    } else if (v.Window == 2) {
      f.TopicWindow = m.SubWindowName;
      // A nameless second window gets no bare ">" in the contents file.
      if (!m.SubWindowName.empty()) suffix = ">" + m.SubWindowName;
    } else {
      f.TopicWindow.clear();
    }
    if (row) m.TopicCntSuffixes[t] = suffix;
    r.EditorModified = true;
    m.ProjectModified = true;
  }
  if (m.Program.Tcopy && !f.TopicTitle.empty() && m.OpenTopicNode &&
      m.OpenTopicNode->Kind == kTopicNode && editor_empty) {
    f.NoScroll = true;
    r.AddTitleCopy = true;
    r.EditorModified = r.Changed = true;
  }
  return r;
}

std::string MacroTemplate(int tag, std::string_view sub_window) {
  switch (tag) {
    case 0: return "CloseSecondarys()";
    case 1: return "CloseWindow(" + std::string(sub_window) + ")";
    case 2: return "SetPopupColor(r,g,b)";
    default: return "PositionWindow(x,y,width,height,display-state,window-name)";
  }
}

std::string AppendMacro(std::string_view macros, std::string_view template_text) {
  if (macros.empty()) return std::string(template_text);
  return std::string(macros) + ";" + std::string(template_text);
}

}  // namespace qm::editor
