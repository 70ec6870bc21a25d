// Geometry of the shape tracker: where the grab handles are, how a move or
// a resize drag changes a shape's bounds, and where a shape paints. Pure
// functions, so the controls only apply their results.
#pragma once

namespace qm::hotspot {

enum TTrkShapeType { sktFrame, sktRectangle, sktSquare, sktRoundRect, sktRoundSquare, sktEllipse, sktCircle };

enum class TTrkCursor { Default, HandPoint, SizeNWSE, SizeNESW, SizeWE, SizeNS };

// Bounds in the parent's coordinates.
struct TTrkBounds {
  int left = 0, top = 0, width = 0, height = 0;
  bool operator==(const TTrkBounds&) const = default;
};

struct TTrkHover {
  TTrkCursor cursor;
  int handle;  // keypad numbering: 7 8 9 / 4 6 / 1 2 3
};

// The cursor and grab handle for a mouse position (shape coordinates) over a
// selected shape of the given size; the handle is kept outside the bands.
TTrkHover TrkHoverAt(int x, int y, int width, int height, int currentHandle);

// What a press starts: 1 move, 2 resize. A press on a shape that was not
// selected moves it (its handle is stale); on a selected one the hand
// cursor moves and a sizing cursor resizes.
int TrkDragModeOnPress(bool wasSelected, TTrkCursor cursor);

// State of a resize drag, recorded at the press and updated on handle flips.
struct TTrkDrag {
  int handle = 0;
  int downX = 0, downY = 0;           // shape coordinates of the press
  int downWidth = 0, downHeight = 0;  // size at the press
};

// New bounds of a move drag to (x, y) (shape coordinates), kept inside the
// fixed image when one is given.
TTrkBounds TrkMove(const TTrkBounds& shape, int x, int y, const TTrkDrag& drag, const TTrkBounds* fixed);

// New bounds of a resize drag to (x, y) (shape coordinates). A handle
// dragged across the opposite edge becomes the opposite handle (drag is
// updated) and the rectangle grows the other way; with a fixed image the
// dragged edges stop at its edges.
TTrkBounds TrkResize(const TTrkBounds& shape, int x, int y, TTrkDrag& drag, const TTrkBounds* fixed);

struct TTrkRect {
  int left, top, right, bottom;
  bool operator==(const TTrkRect&) const = default;
};

struct TTrkPaint {
  TTrkRect figure;      // corners for Rectangle, RoundRect, Ellipse, or the frame
  int cornerSize;       // RoundRect corner ellipse (m div 4)
  bool polyline;        // sktFrame: a closed polyline through the 5 points
  int points[5][2];     // the frame's polyline
  TTrkRect handles[8];  // 5 x 5 handles (drawn only when selected and idle)
};

TTrkPaint TrkPaintGeometry(TTrkShapeType kind, int width, int height, int penWidth);

}  // namespace qm::hotspot
