#include "hotspot/bench/ManyHotspots.h"

#include <algorithm>
#include <cmath>

#include "hotspot/core/Shg.h"

namespace qm::hotspot::bench {

std::string ManyHotspotsShg(const std::string& source, int count) {
  TShg shg;
  shg.LoadFromFile(source);
  shg.HotSpotArray().clear();
  const int w = static_cast<int>(shg.width), h = static_cast<int>(shg.height);
  // Square cells that hold them all; where the picture is too small for
  // that, the rows start again at the top.
  const int cell = std::max(4, static_cast<int>(std::sqrt(static_cast<double>(w) * h / std::max(count, 1))));
  const int columns = std::max(1, w / cell), rows = std::max(1, h / cell);
  for (int i = 0; i < count; ++i) {
    THotSpot& s = shg.AddHotSpot();
    const int at = i % (columns * rows);
    s.x = static_cast<std::uint16_t>(at % columns * cell);
    s.y = static_cast<std::uint16_t>(at / columns * cell);
    s.width = static_cast<std::uint16_t>(std::min(cell - 1, w - s.x));
    s.height = static_cast<std::uint16_t>(std::min(cell - 1, h - s.y));
    s.mode = static_cast<std::uint8_t>(i % 3);
    s.visible = i % 4 == 0 ? 1 : 0;
    const std::string n = std::to_string(i + 1);
    s.name = i % 2 ? "Hotspot " + n : "ホットスポット" + n;
    s.context = s.mode == hsMacro ? "JumpId(`other.hlp', `Topic" + n + "')" : "Topic" + n;
  }
  return shg.SaveToBytes();
}

}  // namespace qm::hotspot::bench
