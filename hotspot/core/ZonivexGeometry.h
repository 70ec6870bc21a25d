// Geometry of the hotspot editor's window: the rectangle a rubber band
// leaves, hotspots imported onto a smaller picture, scrolling the list to a
// row, and where its dialogs stand.
#pragma once

#include <optional>

namespace qm::hotspot {

struct THotspotRect {
  int x = 0, y = 0, w = 0, h = 0;
  bool operator==(const THotspotRect&) const = default;
};

// The hotspot a rubber band from (startX, startY) released at (upX, upY)
// leaves on a picture of imageWidth x imageHeight pixels: the rectangle
// between the two points, clipped to the picture. None when the band was
// released at its start column or start row, or nothing of it lies on the
// picture.
std::optional<THotspotRect> RubberBandRect(int startX, int startY, int upX, int upY, int imageWidth,
                                           int imageHeight);

// A hotspot of another file placed on this picture: one that runs past the
// right edge moves to x 0 and, when still too wide, takes the picture's
// width; the same for y and the height.
THotspotRect ClampImportedHotspot(THotspotRect r, int imageWidth, int imageHeight);

// How far to scroll the hotspot list (pixels, negative up) so that the
// selected row shows whole: rowTop and rowHeight of the selected row,
// topRowTop of the first visible row, all in client pixels.
int ListScrollToShow(int rowTop, int rowHeight, int topRowTop, int clientHeight, int hScrollBarHeight);

struct TWorkArea {
  int left = 0, top = 0, right = 0, bottom = 0;
};

struct TPlace {
  int left = 0, top = 0;
  bool operator==(const TPlace&) const = default;
};

// The attribute and defaults dialogs: top 50 pixels above the mouse
// pointer, centred on it, then moved into the work area (left edge first,
// then top, right and bottom: a dialog larger than the area ends flush
// with its right and bottom edges).
TPlace AttributeDialogPlace(int cursorX, int cursorY, int width, int height, const TWorkArea& area);

// The about box: top 30 and left 100 pixels above and left of the pointer.
TPlace AboutBoxPlace(int cursorX, int cursorY);

}  // namespace qm::hotspot
