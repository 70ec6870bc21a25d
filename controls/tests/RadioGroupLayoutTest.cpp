#include <gtest/gtest.h>

#include "controls/core/GroupBoxGeometry.h"
#include "controls/core/RadioGroupLayout.h"

namespace qm::controls {
namespace {

TEST(GroupBoxRects, FrameStopsAtTheCaptionBox) {
  // A 12-pixel text line: the frame's top at 5, one pixel short of the
  // right and bottom edges.
  TGroupBoxRects r = GroupBoxRects(200, 100, 12, 30, false, false);
  EXPECT_EQ(r.frame, (TBoxRect{0, 5, 199, 99}));
  EXPECT_EQ(r.caption, (TBoxRect{8, 0, 46, 12}));
  // An empty caption: no extra room.
  EXPECT_EQ(GroupBoxRects(200, 100, 12, 0, true, false).caption, (TBoxRect{8, 0, 8, 12}));
  // Right to left: 8 pixels from the frame's right edge.
  EXPECT_EQ(GroupBoxRects(200, 100, 12, 30, false, true).caption, (TBoxRect{161, 0, 199, 12}));
}

TEST(RadioGroupArrangement, ColumnsFillTopToBottom) {
  // 249 x 77, text 12 high, 6 items in 2 columns.
  auto p = ArrangeRadioButtons(6, 2, 249, 77, 12, 245, false);
  ASSERT_EQ(p.size(), 6u);
  EXPECT_EQ(p[0], (TButtonPlace{8, 13, 119, 20}));
  EXPECT_EQ(p[1], (TButtonPlace{8, 33, 119, 20}));
  EXPECT_EQ(p[2], (TButtonPlace{8, 53, 119, 20}));
  EXPECT_EQ(p[3], (TButtonPlace{127, 13, 119, 20}));
  EXPECT_EQ(p[5], (TButtonPlace{127, 53, 119, 20}));
  // The spare pixels of the height go half above the first line.
  // (80 - 12 - 5 = 63 pixels for 4 lines: 15 each, 3 spare.)
  auto q = ArrangeRadioButtons(4, 1, 100, 80, 12, 96, false);
  EXPECT_EQ(q[0], (TButtonPlace{8, 14, 90, 15}));
  EXPECT_EQ(q[3].top, 14 + 45);
  // Right to left: mirrored in the client area.
  auto r = ArrangeRadioButtons(6, 2, 249, 77, 12, 245, true);
  EXPECT_EQ(r[0].left, 245 - 8 - 119);
  EXPECT_EQ(r[3].left, 245 - 127 - 119);
  // Too small a group gives empty buttons, never negative sizes.
  for (const TButtonPlace& b : ArrangeRadioButtons(3, 2, 5, 10, 12, 1, false)) {
    EXPECT_GE(b.width, 0);
    EXPECT_GE(b.height, 0);
  }
  EXPECT_TRUE(ArrangeRadioButtons(0, 1, 100, 100, 12, 96, false).empty());
}

TEST(RadioGroupSelection, ItemIndexClampsAndChecks) {
  EXPECT_EQ(ClampRadioColumns(0), 1);
  EXPECT_EQ(ClampRadioColumns(17), 16);
  EXPECT_EQ(ClampRadioColumns(3), 3);

  TItemIndexChange c = SetItemIndex(0, 10, 3, false);
  EXPECT_TRUE(c.changed);
  EXPECT_EQ(c.itemIndex, 2);
  EXPECT_EQ(c.uncheck, 0);
  EXPECT_EQ(c.check, 2);
  c = SetItemIndex(2, -5, 3, false);  // unchecks the old button, checks none
  EXPECT_EQ(c.itemIndex, -1);
  EXPECT_EQ(c.uncheck, 2);
  EXPECT_EQ(c.check, -1);
  EXPECT_FALSE(SetItemIndex(1, 1, 3, false).changed);
  EXPECT_FALSE(SetItemIndex(2, 7, 3, false).changed);  // clamps onto the current one
  // While reading, stored as it is.
  c = SetItemIndex(-1, 7, 0, true);
  EXPECT_EQ(c.itemIndex, 7);
  EXPECT_EQ(c.check, -1);

  EXPECT_EQ(ItemIndexAfterItemsChanged(4, 3), 2);
  EXPECT_EQ(ItemIndexAfterItemsChanged(1, 3), 1);
  EXPECT_EQ(ItemIndexAfterItemsChanged(0, 0), -1);
}

TEST(RadioGroupSelection, ClicksAndKeys) {
  EXPECT_EQ(GroupButtonAction(0, false, true), TButtonAction::Click);
  EXPECT_EQ(GroupButtonAction(0, true, true), TButtonAction::None);  // already checked
  EXPECT_EQ(GroupButtonAction(5, true, true), TButtonAction::DoubleClick);
  EXPECT_EQ(GroupButtonAction(0, false, false), TButtonAction::None);
  EXPECT_EQ(GroupButtonAction(5, false, false), TButtonAction::None);
  EXPECT_EQ(GroupButtonAction(6, false, true), TButtonAction::None);  // focus notices
  EXPECT_TRUE(SwallowGroupKey(' ', false));
  EXPECT_TRUE(SwallowGroupKey('\b', false));
  EXPECT_FALSE(SwallowGroupKey(' ', true));
  EXPECT_FALSE(SwallowGroupKey('a', false));
}

}  // namespace
}  // namespace qm::controls
