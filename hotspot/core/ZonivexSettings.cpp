#include "hotspot/core/ZonivexSettings.h"

namespace qm::hotspot {

void ZonivexSettings::Load(IniSettings& ini) {
  const ZonivexSettings d;
  const std::string s = kZonivexSection;
  Top = ini.ReadInteger(s, "Top", d.Top);
  Left = ini.ReadInteger(s, "Left", d.Left);
  Width = ini.ReadInteger(s, "Width", d.Width);
  Height = ini.ReadInteger(s, "Height", d.Height);
  HotspotColumn = ini.ReadInteger(s, "hotspot", d.HotspotColumn);
  ModeColumn = ini.ReadInteger(s, "mode", d.ModeColumn);
  ContextColumn = ini.ReadInteger(s, "context", d.ContextColumn);
  ListWidth = ini.ReadInteger(s, "List", d.ListWidth);
  DefaultMode = ini.ReadInteger(s, "Hot", d.DefaultMode);
  // A mode the file format has no type byte for would be written as a jump
  // but shown as something else.
  if (DefaultMode < 0 || DefaultMode > 2) DefaultMode = d.DefaultMode;
  DefaultFrameShown = ini.ReadBool(s, "vis", d.DefaultFrameShown);
}

void ZonivexSettings::Save(IniSettings& ini) const {
  const std::string s = kZonivexSection;
  ini.WriteInteger(s, "Top", Top);
  ini.WriteInteger(s, "Left", Left);
  ini.WriteInteger(s, "Width", Width);
  ini.WriteInteger(s, "Height", Height);
  ini.WriteInteger(s, "hotspot", HotspotColumn);
  ini.WriteInteger(s, "mode", ModeColumn);
  ini.WriteInteger(s, "context", ContextColumn);
  ini.WriteInteger(s, "List", ListWidth);
  ini.WriteInteger(s, "Hot", DefaultMode);
  ini.WriteBool(s, "vis", DefaultFrameShown);
}

}  // namespace qm::hotspot
