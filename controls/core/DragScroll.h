// Where a drag that rests over a tree view scrolls it: bands along the
// edges of the client area.
#pragma once

namespace qm::controls {

struct DragScrollBands {
  bool Up = false;     // within one line height of the top
  bool Down = false;   // within one line height and 5 pixels of the bottom
  bool Left = false;   // within 12 pixels of the left edge
  bool Right = false;  // within 12 pixels of the right edge (never with Left)
};

// Width of the side bands in pixels.
constexpr int kDragScrollSideBand = 12;

// x, y: pointer in client coordinates. font_height: the control's font
// height as the font gives it (negative: the character height in pixels; a
// positive cell height counts as the same number of pixels).
// Up and Down are both reported; the caller tries Up first.
DragScrollBands DragScrollBandsAt(int x, int y, int client_width, int client_height,
                                  int font_height);

}  // namespace qm::controls
