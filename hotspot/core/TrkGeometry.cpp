#include "hotspot/core/TrkGeometry.h"

#include <algorithm>
#include <iterator>

namespace qm::hotspot {

TTrkHover TrkHoverAt(int x, int y, int width, int height, int currentHandle) {
  const int h2 = height / 2, w2 = width / 2;
  const bool top = y <= 2, bottom = y > height - 3, middleY = h2 - 3 < y && y < h2 + 3;
  if (x <= 2) {
    if (top) return {TTrkCursor::SizeNWSE, 7};
    if (bottom) return {TTrkCursor::SizeNESW, 1};
    if (middleY) return {TTrkCursor::SizeWE, 4};
  }
  if (x > width - 3) {
    if (top) return {TTrkCursor::SizeNESW, 9};
    if (bottom) return {TTrkCursor::SizeNWSE, 3};
    if (middleY) return {TTrkCursor::SizeWE, 6};
  }
  if (w2 - 3 < x && x < w2 + 3) {
    if (top) return {TTrkCursor::SizeNS, 8};
    if (bottom) return {TTrkCursor::SizeNS, 2};
  }
  return {TTrkCursor::HandPoint, currentHandle};
}

int TrkDragModeOnPress(bool wasSelected, TTrkCursor cursor) {
  if (!wasSelected) return 1;
  return cursor == TTrkCursor::HandPoint ? 1 : 2;
}

TTrkBounds TrkMove(const TTrkBounds& shape, int x, int y, const TTrkDrag& drag, const TTrkBounds* fixed) {
  TTrkBounds r = shape;
  r.left = shape.left + x - drag.downX;
  r.top = shape.top + y - drag.downY;
  if (fixed) {
    if (r.left < fixed->left)
      r.left = fixed->left;
    else if (r.left + r.width > fixed->left + fixed->width)
      r.left = fixed->left + fixed->width - r.width;
    if (r.top < fixed->top)
      r.top = fixed->top;
    else if (r.top + r.height > fixed->top + fixed->height)
      r.top = fixed->top + fixed->height - r.height;
  }
  return r;
}

namespace {
bool LeftEdge(int h) { return h == 7 || h == 4 || h == 1; }
bool RightEdge(int h) { return h == 9 || h == 6 || h == 3; }
bool TopEdge(int h) { return h == 7 || h == 8 || h == 9; }
bool BottomEdge(int h) { return h == 1 || h == 2 || h == 3; }
}  // namespace

TTrkBounds TrkResize(const TTrkBounds& shape, int x, int y, TTrkDrag& d, const TTrkBounds* fixed) {
  TTrkBounds r = shape;
  if (LeftEdge(d.handle)) {
    r.left = shape.left + x - d.downX;
    r.width = shape.width - x + d.downX;
    if (r.width < 0) {
      // Across the right edge: the old right edge stays, the new right edge
      // follows the mouse. From now on the mouse stands at the right edge,
      // so the press point is taken there.
      r.width = -r.width;
      r.left = shape.left + shape.width;
      d.handle += 2;
      d.downWidth = r.width;
      d.downX = r.width;
    }
  } else if (RightEdge(d.handle)) {
    r.width = x + d.downWidth - d.downX;
    if (r.width < 0) {
      r.width = -r.width;
      r.left = shape.left - r.width;
      d.handle -= 2;
      d.downX = 0;
    }
  }
  if (BottomEdge(d.handle)) {
    r.height = y + d.downHeight - d.downY;
    if (r.height < 0) {
      r.height = -r.height;
      r.top = shape.top - r.height;
      d.handle += 6;
      d.downY = 0;
    }
  } else if (TopEdge(d.handle)) {
    r.top = shape.top + y - d.downY;
    r.height = shape.height - y + d.downY;
    if (r.height < 0) {
      r.height = -r.height;
      r.top = shape.top + shape.height;
      d.handle -= 6;
      d.downHeight = r.height;
      d.downY = r.height;
    }
  }
  if (fixed) {
    if (LeftEdge(d.handle) && r.left < fixed->left) {
      r.width -= fixed->left - r.left;
      r.left = fixed->left;
    }
    if (RightEdge(d.handle) && r.left + r.width > fixed->left + fixed->width)
      r.width = fixed->left + fixed->width - r.left;
    if (BottomEdge(d.handle) && r.top + r.height > fixed->top + fixed->height)
      r.height = fixed->top + fixed->height - r.top;
    if (TopEdge(d.handle) && r.top < fixed->top) {
      r.height -= fixed->top - r.top;
      r.top = fixed->top;
    }
    r.width = std::max(r.width, 0);
    r.height = std::max(r.height, 0);
  }
  return r;
}

TTrkPaint TrkPaintGeometry(TTrkShapeType kind, int width, int height, int penWidth) {
  TTrkPaint p{};
  int x0 = penWidth / 2, y0 = penWidth / 2;
  int w = penWidth == 0 ? width : width - penWidth + 1;
  int h = penWidth == 0 ? height : height - penWidth + 1;
  const int m = std::min(w, h);
  if (kind == sktSquare || kind == sktRoundSquare || kind == sktCircle) {
    x0 += (w - m) / 2;
    y0 += (h - m) / 2;
    w = h = m;
  }
  p.figure = {x0, y0, x0 + w, y0 + h};
  p.cornerSize = m / 4;
  p.polyline = kind == sktFrame;
  const int pts[5][2] = {{x0, y0}, {x0 + w - 1, y0}, {x0 + w - 1, y0 + h - 1}, {x0, y0 + h - 1}, {x0, y0}};
  for (int i = 0; i < 5; ++i) {
    p.points[i][0] = pts[i][0];
    p.points[i][1] = pts[i][1];
  }
  const int c = (w - 5) / 2, d = (h - 5) / 2;
  const TTrkRect handles[8] = {{0, 0, 5, 5},         {c, 0, c + 5, 5},     {w - 5, 0, w, 5},
                               {w - 5, d, w, d + 5}, {w - 5, h - 5, w, h}, {c, h - 5, c + 5, h},
                               {0, h - 5, 5, h},     {0, d, 5, d + 5}};
  std::copy(std::begin(handles), std::end(handles), p.handles);
  return p;
}

}  // namespace qm::hotspot
