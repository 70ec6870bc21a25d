// The texts the hotspot editor's window makes of a hotspot: the name of its
// mode in the list, the status-bar line, the name of a newly drawn hotspot
// and the id it hands to the help editor.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace qm::hotspot {

// "Macro", "Popup", "jump" by mode (0 macro, 1 pop-up, 2 jump); an unknown
// mode is named as a jump, the mode the file reader gives unknown types.
const char* ModeName(int mode);

// name " : " mode " : " context " : (x,y)-(x+w,y+h)".
std::string HotspotStatusText(std::string_view name, int mode, std::string_view context, int x, int y,
                              int w, int h);

// The name of a hotspot drawn while the list has rowCount rows:
// "Hotspot " and rowCount + 1. Names are not kept unique.
std::string NewHotspotName(int rowCount);

// The topic id in a context: the text before its first ">" and, when there
// was one, before the first blank of that ("Topic1 >Main" gives "Topic1");
// a context without ">" stands as it is.
std::string ContextTopicId(std::string_view context);

}  // namespace qm::hotspot
