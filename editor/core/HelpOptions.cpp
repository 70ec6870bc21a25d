#include "editor/core/HelpOptions.h"

#include "editor/core/ExternalTarget.h"
#include "editor/core/ProjectModel.h"

namespace qm::editor {

HelpOptionValues FillHelpOptions(const ProjectModel& m) {
  HelpOptionValues v;
  v.Title = m.HelpTitle;
  v.Copyright = m.HelpCopyright;
  v.StayOnTop = m.MainWindowOnTop;
  v.Compress = m.CompressHelp;
  v.BrowseButtons = m.UseBrowseButtons;
  v.SubAdd = m.HasSubWindow;
  v.ScrollColor = m.TopicColor;
  v.NoScrollColor = m.NonScrollColor;
  v.SubName = m.SubWindowName;
  v.SubTitle = m.SubWindowCaption;
  v.SubStayOnTop = m.SubWindowOnTop;
  v.SubAutoHeight = m.SubWindowAutoHeight;
  v.SubLeft = m.SubWindowLeft;
  v.SubTop = m.SubWindowTop;
  v.SubWidth = m.SubWindowWidth;
  v.SubHeight = m.SubWindowHeight;
  v.BackupFolder = m.BackupPath;
  v.SubNameLocked = !m.SubWindowName.empty();
  return v;
}

void ResetHelpOptionColors(HelpOptionValues& v) {
  v.ScrollColor = kDefaultScrollColor;
  v.NoScrollColor = kDefaultNoScrollColor;
}

void ApplyMemberListPreset(HelpOptionValues& v) {
  v.SubName = "pme";
  v.SubTitle = "メンバー一覧";
  v.SubLeft = "5";
  v.SubTop = "5";
  v.SubWidth = "280";
  v.SubHeight = "750";
  v.SubAutoHeight = true;
}

bool ParsePositionField(std::string_view text, int& value) {
  if (text.empty()) {
    value = -1;
    return true;
  }
  std::size_t i = 0;
  const bool negative = text[0] == '-';
  if (text[0] == '+' || text[0] == '-') i = 1;
  if (i >= text.size()) return false;
  long long v = 0;
  for (; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
    v = v * 10 + (text[i] - '0');
    if (v > 100000) return false;  // far out of range already
  }
  if (negative) v = -v;
  if (v < -1 || v > 1024) return false;
  value = static_cast<int>(v);
  return true;
}

HelpOptionCheck ValidateHelpOptions(const HelpOptionValues& v) {
  if (!v.SubAdd) return {};
  if (v.SubName.empty()) return {HelpOptionField::SubName, "ｻﾌﾞｳｲﾝﾄﾞｳ名がありません."};
  if (!IsValidName(v.SubName)) return {HelpOptionField::SubName, "ｻﾌﾞｳｲﾝﾄﾞｳ名に不正な文字が含まれています."};
  const struct {
    const std::string* text;
    HelpOptionField field;
    std::string_view message;
  } positions[] = {
      {&v.SubLeft, HelpOptionField::Left, "Leftに指定できるのは-1～1024です."},
      {&v.SubWidth, HelpOptionField::Width, "Widthに指定できるのは-1～1024です."},
      {&v.SubTop, HelpOptionField::Top, "Topに指定できるのは-1～1024です."},
      {&v.SubHeight, HelpOptionField::Height, "Heightに指定できるのは-1～1024です."},
  };
  for (const auto& p : positions) {
    int value;
    if (!ParsePositionField(*p.text, value)) return {p.field, p.message};
  }
  return {};
}

void ApplyHelpOptions(const HelpOptionValues& v, ProjectModel& m) {
  m.HelpTitle = v.Title;
  m.HelpCopyright = v.Copyright;
  m.MainWindowOnTop = v.StayOnTop;
  m.UseBrowseButtons = v.BrowseButtons;
  m.CompressHelp = v.Compress;
  m.HasSubWindow = v.SubAdd;
  if (v.SubAdd) {
    m.SubWindowName = v.SubName;
    m.SubWindowCaption = v.SubTitle;
  }
  m.SubWindowOnTop = v.SubStayOnTop;
  m.SubWindowAutoHeight = v.SubAutoHeight;
  m.SubWindowLeft = v.SubLeft;
  m.SubWindowTop = v.SubTop;
  m.SubWindowWidth = v.SubWidth;
  m.SubWindowHeight = v.SubHeight;
  m.TopicColor = v.ScrollColor;
  m.NonScrollColor = v.NoScrollColor;
  m.BackupPath = v.BackupFolder;
  m.ProjectModified = true;
}

}  // namespace qm::editor
