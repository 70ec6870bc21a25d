#include <gtest/gtest.h>

#include "controls/core/DragScroll.h"

using qm::controls::DragScrollBandsAt;

TEST(DragScrollBands, VerticalBandsFollowTheFontHeight) {
  // A 12-pixel font over a client height of 199.
  EXPECT_TRUE(DragScrollBandsAt(50, 11, 150, 199, -12).Up);
  EXPECT_FALSE(DragScrollBandsAt(50, 12, 150, 199, -12).Up);
  EXPECT_TRUE(DragScrollBandsAt(50, 183, 150, 199, -12).Down);
  EXPECT_FALSE(DragScrollBandsAt(50, 182, 150, 199, -12).Down);
  auto mid = DragScrollBandsAt(50, 100, 150, 199, -12);
  EXPECT_FALSE(mid.Up || mid.Down || mid.Left || mid.Right);
  // A cell height given as a positive number means the same pixels.
  EXPECT_TRUE(DragScrollBandsAt(50, 11, 150, 199, 12).Up);
  EXPECT_FALSE(DragScrollBandsAt(50, 182, 150, 199, 12).Down);
  // Above the control (negative y) is still the up band.
  EXPECT_TRUE(DragScrollBandsAt(50, -3, 150, 199, -12).Up);
}

TEST(DragScrollBands, SideBandsAreTwelvePixels) {
  EXPECT_TRUE(DragScrollBandsAt(11, 100, 150, 199, -12).Left);
  EXPECT_FALSE(DragScrollBandsAt(12, 100, 150, 199, -12).Left);
  EXPECT_TRUE(DragScrollBandsAt(150 - 11, 100, 150, 199, -12).Right);
  EXPECT_FALSE(DragScrollBandsAt(150 - 12, 100, 150, 199, -12).Right);
  // A control narrower than both bands scrolls left only.
  auto narrow = DragScrollBandsAt(5, 100, 10, 199, -12);
  EXPECT_TRUE(narrow.Left);
  EXPECT_FALSE(narrow.Right);
  // A corner: both directions.
  auto corner = DragScrollBandsAt(3, 3, 150, 199, -12);
  EXPECT_TRUE(corner.Up && corner.Left);
}
