#include "controls/core/GroupBoxGeometry.h"

namespace qm::controls {

TGroupBoxRects GroupBoxRects(int width, int height, int lineHeight, int captionWidth, bool captionEmpty,
                             bool rightToLeft) {
  TGroupBoxRects r;
  r.frame = TBoxRect{0, lineHeight / 2 - 1, width - 1, height - 1};
  const int extra = captionEmpty ? 0 : 8;
  const int left = rightToLeft ? r.frame.right - captionWidth - 8 : 8;
  r.caption = TBoxRect{left, 0, left + captionWidth + extra, lineHeight};
  return r;
}

}  // namespace qm::controls
