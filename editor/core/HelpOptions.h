// The help project options dialog's values: filled from the project, checked
// on OK and copied back into the project.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace qm::editor {

class ProjectModel;

struct HelpOptionValues {
  // 基本項目
  std::string Title;
  std::string Copyright;
  bool StayOnTop = false;
  bool Compress = false;
  bool BrowseButtons = false;
  bool SubAdd = false;
  // 色設定 (0x00BBGGRR)
  std::uint32_t ScrollColor = 0;
  std::uint32_t NoScrollColor = 0;
  // サブウインドウ
  std::string SubName;
  std::string SubTitle;
  bool SubStayOnTop = false;
  bool SubAutoHeight = false;
  std::string SubLeft, SubTop, SubWidth, SubHeight;
  // バックアップ
  std::string BackupFolder;
  // Not values but the dialog's state when it opens: the second window's
  // page is enabled while SubAdd is checked; a second window that has a name
  // keeps it (its edit disabled, the preset button hidden).
  bool SubNameLocked = false;
};

HelpOptionValues FillHelpOptions(const ProjectModel& model);

// 初期化 of the colour page.
constexpr std::uint32_t kDefaultScrollColor = 0xE2FFFF;
constexpr std::uint32_t kDefaultNoScrollColor = 0xC0C0C0;
void ResetHelpOptionColors(HelpOptionValues& values);

// The preset of a member-list window for component help.
void ApplyMemberListPreset(HelpOptionValues& values);

// A position field: empty counts as -1; otherwise an optional sign and
// decimal digits only, from -1 to 1024. False for anything else.
bool ParsePositionField(std::string_view text, int& value);

enum class HelpOptionField { None, SubName, Left, Width, Top, Height };

struct HelpOptionCheck {
  HelpOptionField Field = HelpOptionField::None;
  std::string_view Message;  // empty when the values are accepted
  bool Ok() const { return Field == HelpOptionField::None; }
};

// The first failing rule, in this order: nothing is checked while SubAdd is
// unchecked; the second window's name (present, letters, digits and "_"
// only); then Left, Width, Top, Height.
HelpOptionCheck ValidateHelpOptions(const HelpOptionValues& values);

// Copies the values into the project (the position texts exactly as typed;
// name and caption only while SubAdd is checked) and marks it modified.
void ApplyHelpOptions(const HelpOptionValues& values, ProjectModel& model);

}  // namespace qm::editor
