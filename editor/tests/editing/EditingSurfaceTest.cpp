#include <gtest/gtest.h>

#include "editor/core/EditingSurface.h"

using namespace qm::editor;

TEST(RulerTest, MarkersShowIndentsAndGiveThemBack) {
  EXPECT_EQ(FirstIndentMarkerLeft(15), 22);
  EXPECT_EQ(FirstIndentFromMarker(22, MarkerGrabOffset(9)), 15);
  // An indent that falls on a whole pixel (a multiple of 3 points) comes
  // back when its marker is dropped where it stood, hanging (negative) first
  // indents included; the conversion never rounds away from zero.
  for (int first = -30; first <= 300; first += 3) {
    ASSERT_EQ(FirstIndentFromMarker(FirstIndentMarkerLeft(first), 4), first) << first;
    for (int left : {0, 3, 6, 36}) {
      ASSERT_EQ(LeftIndentFromMarker(LeftIndentMarkerLeft(left, first), 4, first), left) << first << " " << left;
    }
  }
  EXPECT_EQ(FirstIndentFromMarker(FirstIndentMarkerLeft(1), 4), 0);
  for (int right = 0; right <= 200; right += 3) {
    const int left = RightIndentMarkerLeft(right, 500);
    ASSERT_EQ(RightIndentFromMarker(left, MarkerGrabOffset(11), 500), right) << right;
  }
  EXPECT_EQ(RightIndentMarkerLeft(0, 500), 500 - 8 - 6);
  EXPECT_EQ(RulerTicks().size(), 200u);
  EXPECT_EQ(RulerTicks().substr(0, 4), "\t|\t|");
}

TEST(ColorTableTest, MenuListsGreyBeforeSilver) {
  EXPECT_EQ(kColorTable[1].Color, 0x000080u);
  EXPECT_STREQ(kColorTable[7].Caption, "銀色");
  EXPECT_EQ(kColorTable[7].Color, 0xC0C0C0u);
  EXPECT_EQ(kColorTable[9].Color, 0x0000FFu);
  EXPECT_EQ(kColorTable[12].Color, 0xFF0000u);
  EXPECT_EQ(kColorMenuOrder[7], 8);
  EXPECT_EQ(kColorMenuOrder[8], 7);
  int seen = 0;
  for (int i : kColorMenuOrder) seen |= 1 << i;
  EXPECT_EQ(seen, 0xFFFF);
}

TEST(FontSizeTest, AppliesIgnoresOrRestores) {
  EXPECT_EQ(ParseFontSize("12").Action, FontSizeAction::Apply);
  EXPECT_EQ(ParseFontSize("12").Points, 12);
  EXPECT_EQ(ParseFontSize("0").Action, FontSizeAction::Ignore);
  EXPECT_EQ(ParseFontSize("-4").Action, FontSizeAction::Ignore);
  EXPECT_EQ(ParseFontSize("abc").Action, FontSizeAction::Restore);
  EXPECT_EQ(ParseFontSize("").Action, FontSizeAction::Ignore);
  EXPECT_EQ(ParseFontSize("1638").Action, FontSizeAction::Apply);
  EXPECT_EQ(ParseFontSize("1639").Action, FontSizeAction::Restore);
  EXPECT_EQ(ParseFontSize("99999999999").Action, FontSizeAction::Restore);
}

TEST(BulletsTest, ToggleSetsOrClearsIndents) {
  const BulletsState on = ToggleBullets(false);
  EXPECT_TRUE(on.On);
  EXPECT_EQ(on.FirstIndent, 30);
  EXPECT_EQ(on.LeftIndent, 6);
  const BulletsState off = ToggleBullets(true);
  EXPECT_FALSE(off.On);
  EXPECT_EQ(off.FirstIndent, 0);
  EXPECT_EQ(off.LeftIndent, 0);
}

TEST(StatusTextTest, InsertModeAndModifiedMark) {
  EXPECT_STREQ(InsertModeText(true), "挿入");
  EXPECT_STREQ(InsertModeText(false), "上書");
  EXPECT_STREQ(ModifiedText(true), "変更");
  EXPECT_STREQ(ModifiedText(false), "");
}
