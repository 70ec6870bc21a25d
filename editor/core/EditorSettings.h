// The editor's settings in the per-user key software\tarvesk\quillmark: the
// window layout, the environment, the recent projects and each toolbar's
// place.
#pragma once

#include <string>
#include <vector>

#include "core/IniSettings.h"

namespace qm::editor {

constexpr int kRecentProjectsKept = 5;

struct EditorSettings {
  // Section Pos.
  int Top = 0, Left = 0, Width = 640, Height = 400;
  int CWidth = 150;   // width of the contents tree
  int EHeight = 50;   // height of the error-log pane
  // Section Env.
  std::string HcwFolder;
  std::string FontName = "ＭＳ Ｐゴシック";
  int FontSize = 12;
  bool Tcopy = false;

  // Reads every value; missing or broken ones take the defaults above.
  // RecentFiles receives the non-empty values of file1 ... file5 in order.
  void Load(IniSettings& ini, std::vector<std::string>& recent_files);
  // Writes every value; file1 ... file5 receive the first rows of
  // recent_files and empty texts for the rest.
  void Save(IniSettings& ini, const std::vector<std::string>& recent_files) const;
};

// A toolbar's place, section "ToolBar\" + the bar's name.
struct ToolBarState {
  bool Docking = true;
  int Top = 0, Left = 0;
  bool Visible = true;

  // defaults: the bar's design position.
  static ToolBarState Load(IniSettings& ini, const std::string& bar_name, int default_top,
                           int default_left);
  void Save(IniSettings& ini, const std::string& bar_name) const;
};

}  // namespace qm::editor
