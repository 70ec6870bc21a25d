#include "hotspot/core/HotspotText.h"

#include "core/Cp932.h"

namespace qm::hotspot {

const char* ModeName(int mode) {
  switch (mode) {
    case 0: return "Macro";
    case 1: return "Popup";
    default: return "jump";
  }
}

std::string HotspotStatusText(std::string_view name, int mode, std::string_view context, int x, int y,
                              int w, int h) {
  std::string s(name);
  s += " : ";
  s += ModeName(mode);
  s += " : ";
  s += context;
  s += " : (" + IntToStr(x) + "," + IntToStr(y) + ")-(" + IntToStr(static_cast<long long>(x) + w) + "," +
       IntToStr(static_cast<long long>(y) + h) + ")";
  return s;
}

std::string NewHotspotName(int rowCount) { return "Hotspot " + IntToStr(static_cast<long long>(rowCount) + 1); }

std::string ContextTopicId(std::string_view context) {
  const std::size_t gt = FindChar(context, '>');
  if (gt == std::string_view::npos) return std::string(context);
  const std::string_view id = context.substr(0, gt);
  return std::string(id.substr(0, FindChar(id, ' ')));
}

}  // namespace qm::hotspot
