#include <gtest/gtest.h>

#include "controls/core/MarginSelect.h"

using namespace qm::controls;

TEST(MarginSelectTest, FormatRectangle) {
  FormatRect r = FormatRectFor(6, 0, 400, 300);
  EXPECT_EQ(r.Left, 6);
  EXPECT_EQ(r.Right, 394);
  EXPECT_EQ(r.Bottom, 300);
  EXPECT_EQ(FormatRectFor(6, 6, 400, 300).Right, 394);
  r = FormatRectFor(6, 7, 400, 300);
  EXPECT_EQ(r.Left, 6);
  EXPECT_EQ(r.Right, 13);
}

TEST(MarginSelectTest, WordWrapParam) {
  EXPECT_EQ(WordWrapModeParam(kAllWordWrapFlags), 0x170u);
  EXPECT_EQ(WordWrapModeParam(0), 0x100u);
  EXPECT_EQ(WordWrapModeParam(wbfWordBreak), 0x120u);
}

TEST(MarginSelectTest, LineRuleAndShiftClick) {
  // Anchor: the line 10..20. A line below: anchor start through its end.
  CharSpan s = MarginLineSpan(10, 20, 30, 5);
  EXPECT_EQ(s.Min, 10);
  EXPECT_EQ(s.Max, 35);
  // A line above: from the anchor's end back to the line's start.
  s = MarginLineSpan(10, 20, 0, 9);
  EXPECT_EQ(s.Min, 20);
  EXPECT_EQ(s.Max, 0);
  SelRange r = MarginShiftClick(10, 5, 30, 4);
  EXPECT_EQ(r.Start, 10);
  EXPECT_EQ(r.Length, 24);
  r = MarginShiftClick(10, 5, 2, 4);
  EXPECT_EQ(r.Start, 2);
  EXPECT_EQ(r.Length, 13);
}

TEST(MarginSelectTest, AutoScrollBandsAndStops) {
  EXPECT_EQ(ScrollDirAt(5, 300, 12), kScrollUp);
  EXPECT_EQ(ScrollDirAt(12, 300, 12), kScrollNone);
  EXPECT_EQ(ScrollDirAt(288, 300, 12), kScrollNone);
  EXPECT_EQ(ScrollDirAt(289, 300, 12), kScrollDown);
  EXPECT_EQ(NextScrollLine(kScrollUp, 3, 10), 2);
  EXPECT_EQ(NextScrollLine(kScrollUp, 0, 10), -1);
  EXPECT_EQ(NextScrollLine(kScrollDown, 8, 10), 9);
  EXPECT_EQ(NextScrollLine(kScrollDown, 9, 10), -1);
  // An empty control (one empty line) and a text ending in an empty line:
  // there is no next line to go to.
  EXPECT_EQ(NextScrollLine(kScrollDown, 0, 1), -1);
  EXPECT_EQ(NextScrollLine(kScrollDown, 0, 0), -1);
  EXPECT_EQ(NextScrollLine(kScrollNone, 3, 10), -1);
}

TEST(MarginSelectTest, PageScrollSettingScrollsOnePage) {
  EXPECT_EQ(WheelScrollFor(3).Lines, 3u);
  EXPECT_FALSE(WheelScrollFor(3).Page);
  EXPECT_EQ(WheelScrollFor(0).Lines, 0u);
  EXPECT_FALSE(WheelScrollFor(0).Page);
  EXPECT_TRUE(WheelScrollFor(0xFFFFFFFFu).Page);
  EXPECT_EQ(WheelScrollFor(0xFFFFFFFFu).Lines, 0u);
}
