#include "editor/core/WindowsLabel.h"

#include <cstdio>

namespace qm::editor {

WindowsLabels MakeWindowsLabels(const WindowsVersion& v) {
  WindowsLabels l;
  const bool known = v.platformId == kPlatformWin9x || v.platformId == kPlatformNT;
  if (v.platformId == kPlatformWin9x) {
    l.build = v.build & 0xFFFF;
    if (v.minor < 10) l.name = "Windows 95";
    else if (l.build == 1998) l.name = "Windows 98";
    else if (l.build == 2222) l.name = "Windows 98SE";
    else l.name = "Windows Me";
  } else if (v.platformId == kPlatformNT) {
    l.build = v.build;
    if (v.major < 5) l.name = "Windows NT";
    else if (v.major == 5 && v.minor == 0) l.name = "Windows 2000";
    else if (v.major == 5 && v.minor == 1) l.name = "Windows XP";
    else l.name = "Windows NT";
  } else {
    l.name = "Windows";
    l.build = 0;
  }
  char buf[128];
  if (known)
    std::snprintf(buf, sizeof buf, "%s %u.%.2u (Build %u)", l.name.c_str(), v.major, v.minor, l.build);
  else
    std::snprintf(buf, sizeof buf, "%s %u.%.2u", l.name.c_str(), v.major, v.minor);
  l.version = buf;
  if (known && !v.servicePack.empty() && v.servicePack != " " && v.servicePack != "  ")
    l.service = "[" + v.servicePack + "]";
  return l;
}

}  // namespace qm::editor
