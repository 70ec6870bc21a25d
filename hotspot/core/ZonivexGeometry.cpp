#include "hotspot/core/ZonivexGeometry.h"

#include <algorithm>
#include <cstdlib>

namespace qm::hotspot {

std::optional<THotspotRect> RubberBandRect(int startX, int startY, int upX, int upY, int imageWidth,
                                           int imageHeight) {
  if (upX == startX || upY == startY) return std::nullopt;
  // Clip both edges: a band dragged past the left or top edge loses what
  // lies outside instead of keeping its length from the edge.
  const int left = std::max(std::min(startX, upX), 0);
  const int top = std::max(std::min(startY, upY), 0);
  const int right = std::min(std::max(startX, upX), imageWidth);
  const int bottom = std::min(std::max(startY, upY), imageHeight);
  if (right <= left || bottom <= top) return std::nullopt;
  return THotspotRect{left, top, right - left, bottom - top};
}

THotspotRect ClampImportedHotspot(THotspotRect r, int imageWidth, int imageHeight) {
  if (r.x + r.w > imageWidth) {
    r.x = 0;
    if (r.w > imageWidth) r.w = imageWidth;
  }
  if (r.y + r.h > imageHeight) {
    r.y = 0;
    if (r.h > imageHeight) r.h = imageHeight;
  }
  return r;
}

int ListScrollToShow(int rowTop, int rowHeight, int topRowTop, int clientHeight, int hScrollBarHeight) {
  const int dy = rowTop - topRowTop;
  if (dy < 0) return dy;
  // The row's bottom, not its top, must be inside the visible rows.
  const int room = clientHeight - topRowTop - hScrollBarHeight;
  return dy + rowHeight > room ? dy + rowHeight - room : 0;
}

TPlace AttributeDialogPlace(int cursorX, int cursorY, int width, int height, const TWorkArea& area) {
  TPlace p{cursorX - width / 2, cursorY - 50};
  if (p.left < area.left) p.left = area.left;
  if (p.top < area.top) p.top = area.top;
  if (p.left + width > area.right) p.left = area.right - width;
  if (p.top + height > area.bottom) p.top = area.bottom - height;
  return p;
}

TPlace AboutBoxPlace(int cursorX, int cursorY) { return TPlace{cursorX - 100, cursorY - 30}; }

}  // namespace qm::hotspot
