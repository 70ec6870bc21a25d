#include "controls/core/DragScroll.h"

namespace qm::controls {

DragScrollBands DragScrollBandsAt(int x, int y, int client_width, int client_height,
                                  int font_height) {
  const int h = font_height > 0 ? -font_height : font_height;  // -h: pixels
  DragScrollBands b;
  b.Up = y < -h;
  b.Down = y > client_height + h - 5;
  b.Left = x < kDragScrollSideBand;
  b.Right = !b.Left && x > client_width - kDragScrollSideBand;
  return b;
}

}  // namespace qm::controls
