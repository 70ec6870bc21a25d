#include "editor/core/ExternalTarget.h"

#include "core/Cp932.h"
#include "editor/core/ProjectModel.h"

namespace qm::editor {

namespace {

constexpr std::size_t kMostWindowBytes = 255;

// The first '@' or '>' at a character start from pos, or npos.
std::size_t FindMark(std::string_view s, std::size_t pos, bool at) {
  for (std::size_t i = pos; i < s.size(); i += CharLength(s, i)) {
    if (s[i] == '>' || (at && s[i] == '@')) return i;
  }
  return std::string_view::npos;
}

}  // namespace

ExternalTarget SplitExternalTarget(std::string_view t) {
  ExternalTarget r;
  std::size_t end = FindMark(t, 0, true);
  std::string_view id = t.substr(0, end);
  if (!id.empty() && id.back() == ' ') id.remove_suffix(1);
  r.TopicId.assign(id);
  if (end == std::string_view::npos) return r;
  if (t[end] == '@') {
    const std::size_t help = end + 1;
    end = FindMark(t, help, false);
    r.HelpFile.assign(t.substr(help, end == std::string_view::npos ? std::string_view::npos : end - help));
    if (end == std::string_view::npos) return r;
  }
  r.Window = CutBytes(t.substr(end + 1), kMostWindowBytes);
  return r;
}

std::string JoinExternalTarget(const ExternalTarget& t) {
  std::string out = t.TopicId + " ";
  if (!t.HelpFile.empty()) out += "@" + t.HelpFile;
  if (!t.Window.empty()) out += ">" + t.Window;
  return out;
}

bool IsNameByte(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

bool IsValidName(std::string_view name) {
  for (char c : name) {
    if (!IsNameByte(c)) return false;
  }
  return true;
}

std::string_view ExternalTopicIdError(std::string_view id) {
  if (id.empty()) return "ﾄﾋﾟｯｸIDがありません.";
  if (!IsValidName(id)) return "ﾄﾋﾟｯｸIDに不正な文字が含まれています.";
  return {};
}

bool ExternalTargetChanged(std::string_view stored, const ExternalTarget& edited, std::string& joined) {
  joined = JoinExternalTarget(edited);
  return joined != stored;
}

bool StoreExternalTarget(ProjectModel& model, int row, const ExternalTarget& edited) {
  if (row < 0 || static_cast<std::size_t>(row) >= model.CntTargets.size()) return false;
  std::string joined;
  if (!ExternalTargetChanged(model.CntTargets[static_cast<std::size_t>(row)], edited, joined)) return false;
  model.CntTargets[static_cast<std::size_t>(row)] = std::move(joined);
  model.ProjectModified = true;
  return true;
}

}  // namespace qm::editor
