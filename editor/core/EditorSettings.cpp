#include "editor/core/EditorSettings.h"

#include <algorithm>

namespace qm::editor {

namespace {
std::string RecentIdent(int n) { return "file" + std::to_string(n); }
std::string BarSection(const std::string& name) { return "ToolBar\\" + name; }
}  // namespace

void EditorSettings::Load(IniSettings& ini, std::vector<std::string>& recent_files) {
  EditorSettings d;
  Top = ini.ReadInteger("Pos", "Top", d.Top);
  Left = ini.ReadInteger("Pos", "Left", d.Left);
  Width = ini.ReadInteger("Pos", "Width", d.Width);
  Height = ini.ReadInteger("Pos", "Height", d.Height);
  CWidth = ini.ReadInteger("Pos", "CWidth", d.CWidth);
  EHeight = ini.ReadInteger("Pos", "EHeight", d.EHeight);
  HcwFolder = ini.ReadString("Env", "Hcw", d.HcwFolder);
  FontName = ini.ReadString("Env", "FontName", d.FontName);
  FontSize = ini.ReadInteger("Env", "FontSize", d.FontSize);
  Tcopy = ini.ReadBool("Env", "Tcopy", d.Tcopy);
  for (int n = 1; n <= kRecentProjectsKept; ++n) {
    std::string f = ini.ReadString("Old", RecentIdent(n), "");
    if (!f.empty()) recent_files.push_back(f);
  }
}

void EditorSettings::Save(IniSettings& ini, const std::vector<std::string>& recent_files) const {
  ini.WriteInteger("Pos", "Top", Top);
  ini.WriteInteger("Pos", "Left", Left);
  ini.WriteInteger("Pos", "Width", Width);
  ini.WriteInteger("Pos", "Height", Height);
  ini.WriteInteger("Pos", "CWidth", CWidth);
  ini.WriteInteger("Pos", "EHeight", EHeight);
  ini.WriteString("Env", "Hcw", HcwFolder);
  ini.WriteString("Env", "FontName", FontName);
  ini.WriteInteger("Env", "FontSize", FontSize);
  ini.WriteBool("Env", "Tcopy", Tcopy);
  int k = std::min<int>(static_cast<int>(recent_files.size()), kRecentProjectsKept);
  for (int n = 1; n <= kRecentProjectsKept; ++n)
    ini.WriteString("Old", RecentIdent(n), n <= k ? recent_files[static_cast<std::size_t>(n - 1)] : "");
}

ToolBarState ToolBarState::Load(IniSettings& ini, const std::string& bar_name, int default_top,
                                int default_left) {
  ToolBarState s;
  std::string sec = BarSection(bar_name);
  s.Docking = ini.ReadBool(sec, "Docking", true);
  s.Top = ini.ReadInteger(sec, "Top", default_top);
  s.Left = ini.ReadInteger(sec, "Left", default_left);
  s.Visible = ini.ReadBool(sec, "Visible", true);
  return s;
}

void ToolBarState::Save(IniSettings& ini, const std::string& bar_name) const {
  std::string sec = BarSection(bar_name);
  ini.WriteBool(sec, "Docking", Docking);
  ini.WriteBool(sec, "Visible", Visible);
  ini.WriteInteger(sec, "Top", Top);
  ini.WriteInteger(sec, "Left", Left);
}

}  // namespace qm::editor
