#include <gtest/gtest.h>

#include "hotspot/core/HotspotText.h"
#include "hotspot/core/ZonivexGeometry.h"
#include "hotspot/core/ZonivexSettings.h"

namespace qm::hotspot {
namespace {

TEST(HotspotText, StatusLineAndNames) {
  EXPECT_EQ(HotspotStatusText("Hotspot 1", 1, "Topic1>Main", 10, 20, 30, 5),
            "Hotspot 1 : Popup : Topic1>Main : (10,20)-(40,25)");
  EXPECT_EQ(HotspotStatusText("", 0, "JI(`x',`y')", 0, 0, 1, 1), " : Macro : JI(`x',`y') : (0,0)-(1,1)");
  EXPECT_STREQ(ModeName(2), "jump");
  EXPECT_STREQ(ModeName(9), "jump");
  EXPECT_EQ(NewHotspotName(2), "Hotspot 3");
  EXPECT_EQ(NewHotspotName(0), "Hotspot 1");
}

TEST(HotspotText, TopicIdCutBeforeTheWindow) {
  EXPECT_EQ(ContextTopicId("Topic1>Main"), "Topic1");
  EXPECT_EQ(ContextTopicId("Topic1 >Main"), "Topic1");
  EXPECT_EQ(ContextTopicId("Topic1 Main"), "Topic1 Main");  // no ">": unchanged
  EXPECT_EQ(ContextTopicId(">Main"), "");
  EXPECT_EQ(ContextTopicId(""), "");
  // A double-byte character whose trail byte is 0x3E-like never cuts.
  EXPECT_EQ(ContextTopicId("目次>win"), "目次");
}

TEST(RubberBand, NormalisedAndClipped) {
  EXPECT_EQ(RubberBandRect(50, 40, 10, 10, 200, 100), (THotspotRect{10, 10, 40, 30}));
  EXPECT_EQ(RubberBandRect(10, 10, 50, 40, 200, 100), (THotspotRect{10, 10, 40, 30}));
  // Released at the start column or row: nothing.
  EXPECT_FALSE(RubberBandRect(10, 10, 10, 40, 200, 100));
  EXPECT_FALSE(RubberBandRect(10, 10, 50, 10, 200, 100));
  // Dragged beyond the picture: clipped to it on every side.
  EXPECT_EQ(RubberBandRect(150, 80, 300, 300, 200, 100), (THotspotRect{150, 80, 50, 20}));
  EXPECT_EQ(RubberBandRect(30, 20, -10, -5, 200, 100), (THotspotRect{0, 0, 30, 20}));
  // Nothing of it on the picture.
  EXPECT_FALSE(RubberBandRect(200, 10, 250, 40, 200, 100));
}

TEST(ImportClamp, MovedThenShrunk) {
  EXPECT_EQ(ClampImportedHotspot({10, 10, 20, 20}, 100, 50), (THotspotRect{10, 10, 20, 20}));
  EXPECT_EQ(ClampImportedHotspot({90, 40, 20, 20}, 100, 50), (THotspotRect{0, 0, 20, 20}));
  EXPECT_EQ(ClampImportedHotspot({5, 5, 300, 80}, 100, 50), (THotspotRect{0, 0, 100, 50}));
  EXPECT_EQ(ClampImportedHotspot({80, 30, 20, 20}, 100, 50), (THotspotRect{80, 30, 20, 20}));  // just fits
}

TEST(ListScroll, RowShownWhole) {
  // Rows 17 high, the first visible at 20, a client area of 200, no bar.
  EXPECT_EQ(ListScrollToShow(3, 17, 20, 200, 0), -17);
  EXPECT_EQ(ListScrollToShow(54, 17, 20, 200, 0), 0);
  EXPECT_EQ(ListScrollToShow(20 + 17 * 9, 17, 20, 200, 0), 0);    // bottom at 190
  EXPECT_EQ(ListScrollToShow(20 + 17 * 10, 17, 20, 200, 0), 7);   // bottom at 207
  EXPECT_EQ(ListScrollToShow(20 + 17 * 9, 17, 20, 200, 16), 6);   // under the scroll bar
}

TEST(DialogPlace, AboveThePointerAndInsideTheWorkArea) {
  const TWorkArea area{0, 0, 800, 600};
  EXPECT_EQ(AttributeDialogPlace(400, 300, 200, 100, area), (TPlace{300, 250}));
  EXPECT_EQ(AttributeDialogPlace(10, 10, 200, 100, area), (TPlace{0, 0}));
  EXPECT_EQ(AttributeDialogPlace(790, 590, 200, 100, area), (TPlace{600, 500}));
  // Larger than the area: flush with its right and bottom edges.
  EXPECT_EQ(AttributeDialogPlace(400, 300, 1000, 700, area), (TPlace{-200, -100}));
  // A work area that does not start at 0 (a task bar on the left).
  EXPECT_EQ(AttributeDialogPlace(10, 300, 200, 100, TWorkArea{40, 0, 800, 600}), (TPlace{40, 250}));
  EXPECT_EQ(AboutBoxPlace(400, 300), (TPlace{300, 270}));
}

TEST(Settings, DefaultsRoundTripAndBadValues) {
  MemoryIniStore store;
  IniSettings ini(store);
  ZonivexSettings s;
  s.Load(ini);
  EXPECT_EQ(s.Width, 640);
  EXPECT_EQ(s.Height, 480);
  EXPECT_EQ(s.HotspotColumn, 70);
  EXPECT_EQ(s.ModeColumn, 45);
  EXPECT_EQ(s.ContextColumn, 80);
  EXPECT_EQ(s.ListWidth, 199);
  EXPECT_EQ(s.DefaultMode, 1);
  EXPECT_FALSE(s.DefaultFrameShown);

  s.Top = 12;
  s.Left = -4;
  s.ListWidth = 250;
  s.DefaultMode = 2;
  s.DefaultFrameShown = true;
  s.Save(ini);
  EXPECT_EQ(store.Values().size(), 10u);
  EXPECT_EQ(*store.Read("zonivex", "Hot"), "2");
  EXPECT_EQ(*store.Read("zonivex", "vis"), "1");
  EXPECT_EQ(*store.Read("zonivex", "List"), "250");
  ZonivexSettings back;
  back.Load(ini);
  EXPECT_EQ(back.Top, 12);
  EXPECT_EQ(back.Left, -4);
  EXPECT_EQ(back.ListWidth, 250);
  EXPECT_EQ(back.DefaultMode, 2);
  EXPECT_TRUE(back.DefaultFrameShown);

  store.Write("zonivex", "Hot", "7");
  store.Write("zonivex", "Width", "wide");
  back.Load(ini);
  EXPECT_EQ(back.DefaultMode, 1);
  EXPECT_EQ(back.Width, 640);
}

}  // namespace
}  // namespace qm::hotspot
