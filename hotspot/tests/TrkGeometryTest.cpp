#include "hotspot/core/TrkGeometry.h"

#include <gtest/gtest.h>

namespace qm::hotspot {
namespace {

TEST(TrkHover, BandsAndHandles) {
  // A 40 x 20 shape: h2 = 10, w2 = 20.
  struct { int x, y; TTrkCursor cursor; int handle; } cases[] = {
      {0, 0, TTrkCursor::SizeNWSE, 7},  {2, 2, TTrkCursor::SizeNWSE, 7},
      {1, 18, TTrkCursor::SizeNESW, 1}, {0, 8, TTrkCursor::SizeWE, 4},
      {0, 12, TTrkCursor::SizeWE, 4},   {0, 7, TTrkCursor::HandPoint, 5},
      {38, 0, TTrkCursor::SizeNESW, 9}, {39, 19, TTrkCursor::SizeNWSE, 3},
      {38, 10, TTrkCursor::SizeWE, 6},  {37, 10, TTrkCursor::HandPoint, 5},
      {18, 1, TTrkCursor::SizeNS, 8},   {22, 19, TTrkCursor::SizeNS, 2},
      {17, 0, TTrkCursor::HandPoint, 5}, {20, 10, TTrkCursor::HandPoint, 5},
  };
  for (const auto& c : cases) {
    TTrkHover h = TrkHoverAt(c.x, c.y, 40, 20, 5);
    EXPECT_EQ(h.cursor, c.cursor) << c.x << "," << c.y;
    EXPECT_EQ(h.handle, c.handle) << c.x << "," << c.y;
  }
  // In a tiny shape the left band wins over the others.
  EXPECT_EQ(TrkHoverAt(2, 2, 4, 4, 0).handle, 7);
}

TEST(TrkPress, DragModes) {
  EXPECT_EQ(TrkDragModeOnPress(true, TTrkCursor::HandPoint), 1);
  EXPECT_EQ(TrkDragModeOnPress(true, TTrkCursor::SizeNS), 2);
  EXPECT_EQ(TrkDragModeOnPress(false, TTrkCursor::Default), 1);
}

TEST(TrkMoveDrag, FollowsAndClamps) {
  const TTrkBounds image{10, 10, 100, 80};
  TTrkDrag d;
  d.downX = 5;
  d.downY = 5;
  TTrkBounds s{20, 20, 30, 20};
  EXPECT_EQ(TrkMove(s, 15, 8, d, nullptr), (TTrkBounds{30, 23, 30, 20}));
  EXPECT_EQ(TrkMove(s, -50, -50, d, &image), (TTrkBounds{10, 10, 30, 20}));
  EXPECT_EQ(TrkMove(s, 500, 500, d, &image), (TTrkBounds{80, 70, 30, 20}));
  EXPECT_EQ(TrkMove(s, 5, 5, d, &image), s);  // a click without moving
}

TEST(TrkResizeDrag, EdgesFollowTheMouse) {
  TTrkBounds s{20, 20, 30, 20};
  TTrkDrag d{9, 29, 1, 30, 20};  // top-right corner
  TTrkBounds r = TrkResize(s, 39, -4, d, nullptr);
  EXPECT_EQ(r, (TTrkBounds{20, 15, 40, 25}));
  EXPECT_EQ(d.handle, 9);
  TTrkDrag left{4, 1, 10, 30, 20};
  EXPECT_EQ(TrkResize(s, 6, 3, left, nullptr), (TTrkBounds{25, 20, 25, 20}));  // height kept
  TTrkDrag bottom{2, 15, 19, 30, 20};
  EXPECT_EQ(TrkResize(s, 100, 29, bottom, nullptr), (TTrkBounds{20, 20, 30, 30}));  // width kept
}

TEST(TrkResizeDrag, LeftHandleAcrossTheRightEdgeFlips) {
  TTrkBounds s{20, 20, 30, 20};
  TTrkDrag d{4, 1, 10, 30, 20};
  // Mouse to x = 41 in shape coordinates: 10 past the right edge (plus the grab offset).
  s = TrkResize(s, 41, 10, d, nullptr);
  EXPECT_EQ(d.handle, 6);
  EXPECT_EQ(s, (TTrkBounds{50, 20, 10, 20}));
  // The next move: the mouse, 5 pixels further right, is 15 into the new shape.
  s = TrkResize(s, 15, 10, d, nullptr);
  EXPECT_EQ(s, (TTrkBounds{50, 20, 15, 20}));
  EXPECT_EQ(d.handle, 6);
  // Back across the left edge: right-edge handle turns into the left one.
  s = TrkResize(s, -4, 10, d, nullptr);
  EXPECT_EQ(d.handle, 4);
  EXPECT_EQ(s, (TTrkBounds{46, 20, 4, 20}));
  s = TrkResize(s, -2, 10, d, nullptr);
  EXPECT_EQ(s, (TTrkBounds{44, 20, 6, 20}));
}

TEST(TrkResizeDrag, TopAndBottomFlip) {
  TTrkBounds s{20, 20, 30, 20};
  TTrkDrag d{8, 15, 0, 30, 20};
  s = TrkResize(s, 15, 25, d, nullptr);  // 5 below the bottom
  EXPECT_EQ(d.handle, 2);
  EXPECT_EQ(s, (TTrkBounds{20, 40, 30, 5}));
  s = TrkResize(s, 15, 8, d, nullptr);
  EXPECT_EQ(s, (TTrkBounds{20, 40, 30, 8}));
  s = TrkResize(s, 15, -3, d, nullptr);  // above the top again
  EXPECT_EQ(d.handle, 8);
  EXPECT_EQ(s, (TTrkBounds{20, 37, 30, 3}));
  // A corner flips both ways at once: 7 becomes 3.
  TTrkBounds c{20, 20, 10, 10};
  TTrkDrag corner{7, 0, 0, 10, 10};
  c = TrkResize(c, 14, 13, corner, nullptr);
  EXPECT_EQ(corner.handle, 3);
  EXPECT_EQ(c, (TTrkBounds{30, 30, 4, 3}));
}

TEST(TrkResizeDrag, ClampedByTheImage) {
  const TTrkBounds image{10, 10, 100, 80};
  TTrkBounds s{20, 20, 30, 20};
  TTrkDrag tl{7, 0, 0, 30, 20};
  EXPECT_EQ(TrkResize(s, -30, -30, tl, &image), (TTrkBounds{10, 10, 40, 30}));
  TTrkDrag br{3, 29, 19, 30, 20};
  EXPECT_EQ(TrkResize(s, 500, 500, br, &image), (TTrkBounds{20, 20, 90, 70}));
  // Flipped past the image's right edge: the new right edge stops there.
  TTrkDrag l{4, 0, 10, 30, 20};
  s = TrkResize(s, 200, 10, l, &image);
  EXPECT_EQ(l.handle, 6);
  EXPECT_EQ(s, (TTrkBounds{50, 20, 60, 20}));
}

TEST(TrkPaint, Coordinates) {
  TTrkPaint p = TrkPaintGeometry(sktFrame, 40, 20, 1);
  EXPECT_TRUE(p.polyline);
  EXPECT_EQ(p.figure, (TTrkRect{0, 0, 40, 20}));
  EXPECT_EQ(p.points[2][0], 39);
  EXPECT_EQ(p.points[2][1], 19);
  EXPECT_EQ(p.handles[1], (TTrkRect{17, 0, 22, 5}));
  EXPECT_EQ(p.handles[4], (TTrkRect{35, 15, 40, 20}));
  EXPECT_EQ(p.handles[7], (TTrkRect{0, 7, 5, 12}));
  p = TrkPaintGeometry(sktRectangle, 40, 20, 3);  // x0 = 1, w' = 38, h' = 18
  EXPECT_EQ(p.figure, (TTrkRect{1, 1, 39, 19}));
  p = TrkPaintGeometry(sktCircle, 40, 20, 0);  // centred 20 x 20
  EXPECT_EQ(p.figure, (TTrkRect{10, 0, 30, 20}));
  EXPECT_FALSE(p.polyline);
  p = TrkPaintGeometry(sktRoundRect, 40, 20, 1);
  EXPECT_EQ(p.cornerSize, 5);
}

}  // namespace
}  // namespace qm::hotspot
