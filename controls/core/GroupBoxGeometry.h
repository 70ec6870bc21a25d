// Where a themed group box draws: the frame, which stops at the caption
// box, and the caption box itself.
#pragma once

namespace qm::controls {

struct TBoxRect {
  int left = 0, top = 0, right = 0, bottom = 0;
  bool operator==(const TBoxRect&) const = default;
};

struct TGroupBoxRects {
  TBoxRect frame;    // the theme's group-box part is drawn into this
  TBoxRect caption;  // clipped out of the frame; the caption is centred in it
};

// width, height: the control's size. lineHeight: the height of a line of
// text ("0" measured); captionWidth: the caption's measured width. A
// caption box is 8 pixels wider than its text (4 on each side) unless the
// caption is empty; it stands 8 pixels from the left, or for right-to-left
// reading 8 pixels from the frame's right edge.
TGroupBoxRects GroupBoxRects(int width, int height, int lineHeight, int captionWidth, bool captionEmpty,
                             bool rightToLeft);

}  // namespace qm::controls
