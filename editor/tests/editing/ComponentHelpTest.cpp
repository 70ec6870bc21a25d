#include <gtest/gtest.h>

#include "editor/core/ComponentHelp.h"

using namespace qm::editor;

TEST(ComponentHelpTest, PropertyRowAndBack) {
  const ComponentHelpFields f = FillComponentHelp({"Gauge", "Caption", "", ""});
  EXPECT_EQ(f.Id, "Gauge_Caption");
  EXPECT_EQ(f.BrowseId, "Gauge_prop:Caption");
  EXPECT_EQ(f.Title, "Gauge.Caption");
  EXPECT_EQ(f.Kind, "prop_GaugeCaption");
  EXPECT_EQ(f.KKeywords, "Caption,;Caption,Gauge");
  EXPECT_EQ(f.AKeywords, "Gauge_Caption;Caption_Property;Caption");
  const ComponentNames n = ComponentNamesFromKind(f.Kind, f.Id, "Last");
  EXPECT_EQ(n.Component, "Gauge");
  EXPECT_EQ(n.Property, "Caption");
}

TEST(ComponentHelpTest, EveryRowRoundTrips) {
  const ComponentNames cases[] = {
      {"Gauge", "", "", ""}, {"Gauge", "", "Refresh", ""}, {"Gauge", "", "", "OnChange"}, {"Ab", "Ab", "", ""}};
  for (const ComponentNames& c : cases) {
    const ComponentHelpFields f = FillComponentHelp(c);
    const ComponentNames n = ComponentNamesFromKind(f.Kind, f.Id, "");
    EXPECT_EQ(n.Component, c.Component) << f.Kind;
    EXPECT_EQ(n.Property, c.Property) << f.Kind;
    EXPECT_EQ(n.Method, c.Method) << f.Kind;
    EXPECT_EQ(n.Event, c.Event) << f.Kind;
  }
  const ComponentHelpFields c = FillComponentHelp({"Gauge", "", "", ""});
  EXPECT_EQ(c.Id, "Gauge");
  EXPECT_EQ(c.BrowseId, "class:Gauge");
  EXPECT_EQ(c.Kind, "class_Gauge");
  EXPECT_EQ(c.KKeywords, "Gauge");
  EXPECT_EQ(c.AKeywords, "Gauge_Object;Gauge");
  const ComponentHelpFields m = FillComponentHelp({"Gauge", "", "Refresh", ""});
  EXPECT_EQ(m.BrowseId, "Gauge_method:Refresh");
  EXPECT_EQ(m.AKeywords, "");
  const ComponentHelpFields e = FillComponentHelp({"Gauge", "", "", "OnChange"});
  EXPECT_EQ(e.AKeywords, "Gauge_OnChange;OnChange_Event;OnChange");
}

TEST(ComponentHelpTest, ShortOrForeignKinds) {
  EXPECT_EQ(ComponentNamesFromKind("", "x", "Last").Component, "Last");
  // Kinds shorter than their prefix read no further than their end.
  for (const char* k : {"prop", "prop_", "even", "event", "meth", "method", "c", "class"}) {
    const ComponentNames n = ComponentNamesFromKind(k, "T", "");
    EXPECT_TRUE(n.Property.empty() && n.Method.empty() && n.Event.empty()) << k;
  }
  EXPECT_EQ(ComponentNamesFromKind("prop", "T", "").Component, "T");
  EXPECT_EQ(ComponentNamesFromKind("class", "T", "").Component, "");
  EXPECT_EQ(ComponentNamesFromKind("class_", "T", "").Component, "");
  EXPECT_EQ(ComponentNamesFromKind("other_kind", "T", "").Component, "kind");
  // A topic id that does not match the kind: the id is the component.
  const ComponentNames n = ComponentNamesFromKind("prop_GaugeCaption", "Renamed", "");
  EXPECT_EQ(n.Component, "Renamed");
  EXPECT_EQ(n.Property, "");
}

TEST(ComponentHelpTest, ChecksInOrder) {
  EXPECT_EQ(CheckComponentNames({"", "a-b", "", ""}), kNoComponentMessage);
  EXPECT_EQ(CheckComponentNames({"G.x", "P", "M", ""}), kBadComponentMessage);
  EXPECT_EQ(CheckComponentNames({"G", "p-", "M", ""}), kSeveralMembersMessage);
  EXPECT_EQ(CheckComponentNames({"G", "", "M", "E"}), kSeveralMembersMessage);
  EXPECT_EQ(CheckComponentNames({"G", "p-", "", ""}), kBadPropertyMessage);
  EXPECT_EQ(CheckComponentNames({"G", "", "m ", ""}), kBadMethodMessage);
  EXPECT_EQ(CheckComponentNames({"G", "", "", "e("}), kBadEventMessage);
  EXPECT_EQ(CheckComponentNames({"My_G", "My_Prop", "", ""}), "");
}
