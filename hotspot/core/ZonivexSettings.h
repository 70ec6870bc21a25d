// The hotspot editor's settings: section "zonivex" of the per-user key that
// the help editor also uses. The window's place and size, the list's
// column widths and width, and the defaults of newly drawn hotspots.
#pragma once

#include "core/IniSettings.h"

namespace qm::hotspot {

constexpr char kZonivexSettingsKey[] = "software\\tarvesk\\quillmark";
constexpr char kZonivexSection[] = "zonivex";

struct ZonivexSettings {
  int Top = 0, Left = 0, Width = 640, Height = 480;
  int HotspotColumn = 70;   // "hotspot": width of the column "HotSpot"
  int ModeColumn = 45;      // "mode"
  int ContextColumn = 80;   // "context"
  int ListWidth = 199;      // "List"
  int DefaultMode = 1;      // "Hot": 0 macro, 1 pop-up, 2 jump
  bool DefaultFrameShown = false;  // "vis"

  // Reads the ten values; missing or broken ones, and a mode other than 0,
  // 1 or 2, take the defaults above.
  void Load(IniSettings& ini);
  void Save(IniSettings& ini) const;
};

}  // namespace qm::hotspot
