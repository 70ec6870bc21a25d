// The about box's lines on the Windows version: the name, version and build
// ("Windows XP 5.01 (Build 2600)") and the service pack ("[Service Pack 3]").
#pragma once

#include <string>

namespace qm::editor {

// The platform ids of the system's version data.
constexpr unsigned kPlatformWin9x = 1;
constexpr unsigned kPlatformNT = 2;

struct WindowsVersion {
  unsigned platformId = 0;
  unsigned major = 0;
  unsigned minor = 0;
  unsigned build = 0;
  std::string servicePack;
};

struct WindowsLabels {
  std::string name;     // "Windows 98SE"
  unsigned build = 0;   // as shown
  std::string version;  // WinVer's text
  std::string service;  // WinSer's text; empty for none
};

// Windows 9x: minor below 10 is "Windows 95"; else the build's low 16 bits
// tell 1998 "Windows 98", 2222 "Windows 98SE", any other "Windows Me", and
// are the build shown. NT: below 5 "Windows NT", 5.0 "Windows 2000", 5.1
// "Windows XP", any later "Windows NT", with the whole build. Any other
// platform: "Windows", build 0, no build in the text and no service pack.
WindowsLabels MakeWindowsLabels(const WindowsVersion& v);

}  // namespace qm::editor
