#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "classlib/core/DialogLayout.h"

namespace cl {
namespace {

TEST(LayoutPropsTest, FlagsValuesAndQuotes) {
  TLayoutProps p("default result=2  font='ＭＳ Ｐゴシック' color=0xE2FFFF help=-1");
  EXPECT_TRUE(p.Has("default"));
  EXPECT_EQ(p.Text("default"), "");
  EXPECT_EQ(p.Int("result"), 2);
  EXPECT_EQ(p.Text("font"), "ＭＳ Ｐゴシック");
  EXPECT_EQ(p.Int("color"), 0xE2FFFF);
  EXPECT_EQ(p.Int("help"), -1);
  EXPECT_EQ(p.Int("missing", 7), 7);
  EXPECT_TRUE(TLayoutProps("").Values().empty());

  EXPECT_THROW(TLayoutProps("font='open"), ELayoutError);
  EXPECT_THROW(TLayoutProps("tab=1 tab=2"), ELayoutError);
  EXPECT_THROW(TLayoutProps("=3"), ELayoutError);
  EXPECT_THROW(TLayoutProps("help=12x").Int("help"), ELayoutError);
  EXPECT_THROW(TLayoutProps("help=").Int("help"), ELayoutError);
}

TEST(LayoutPropsTest, CaptionLines) {
  EXPECT_EQ(CaptionLines("a\nb\n"), (std::vector<std::string>{"a", "b", ""}));
  EXPECT_TRUE(CaptionLines("").empty());
  EXPECT_TRUE(CaptionLines(nullptr).empty());
}

// The message of the error a table gives, or "" when it is accepted.
std::string Problem(std::initializer_list<TControlDesc> controls, const char* props = "") {
  std::vector<TControlDesc> v(controls);
  TDialogDesc d = {"TTestDlg", "test", 200, 100, props, v};
  try {
    CheckLayout(d);
  } catch (const ELayoutError& e) {
    return e.what();
  }
  return "";
}

TEST(CheckLayoutTest, AcceptsAWellFormedTable) {
  EXPECT_EQ(Problem({
                {ckPageControl, "Pages", "", 0, 0, 200, 80},
                {ckTabSheet, "Page1", "基本項目", 0, 0, 0, 0, "parent=Pages active"},
                {ckGroupBox, "Group", "表示", 4, 4, 100, 60, "parent=Page1"},
                {ckRadioButton, "R1", "a", 8, 16, 80, 16, "parent=Group checked"},
                {ckEdit, "RowEd", "2", 0, 0, 40, 20, "readonly help=90"},
                {ckUpDown, "RowUpDown", "", 40, 0, 15, 20, "associate=RowEd min=1 max=100 pos=2"},
                {ckListView, "List", "HotSpot:70\nMode:45", 0, 0, 100, 50, "rowselect"},
                {ckButton, "OKBtn", "OK", 0, 80, 75, 25, "default result=ok"},
                {ckButton, "CancelBtn", "キャンセル", 80, 80, 75, 25, "cancel result=2"},
            },
            "border=dialog focus=RowEd position=center"),
            "");
}

TEST(CheckLayoutTest, NamesTheDialogTheControlAndTheFault) {
  EXPECT_EQ(Problem({{ckButton, "OKBtn", "OK", 0, 0, 75, 25, "defualt"}}),
            "TTestDlg: OKBtn: a button has no property defualt");
  EXPECT_EQ(Problem({{ckEdit, "A", "", 0, 0, 1, 1}, {ckEdit, "A", "", 0, 0, 1, 1}}),
            "TTestDlg: A: the name is used twice");
  EXPECT_EQ(Problem({{ckEdit, "", "", 0, 0, 1, 1}}), "TTestDlg: a control has no name");
  EXPECT_EQ(Problem({{ckEdit, "E", "", 0, 0, 1, 1, "help=abc"}}),
            "TTestDlg: E: Property help is not a number: abc");
  EXPECT_EQ(Problem({{ckEdit, "E", "", 0, 0, 1, 1, "parent=G"}, {ckGroupBox, "G", "", 0, 0, 1, 1}}),
            "TTestDlg: E: parent G is not declared before it");
  EXPECT_EQ(Problem({{ckEdit, "E", "", 0, 0, 1, 1}, {ckCheckBox, "C", "", 0, 0, 1, 1, "parent=E"}}),
            "TTestDlg: C: parent E cannot hold controls");
  EXPECT_NE(Problem({{ckTabSheet, "S", "", 0, 0, 1, 1}}), "");
  EXPECT_NE(Problem({{ckPageControl, "P", "", 0, 0, 1, 1}, {ckEdit, "E", "", 0, 0, 1, 1, "parent=P"}}), "");
  EXPECT_EQ(Problem({{ckLabel, "L", "", 0, 0, 1, 1}, {ckUpDown, "U", "", 0, 0, 1, 1, "associate=L"}}),
            "TTestDlg: U: associate must name an edit of the dialog");
  EXPECT_NE(Problem({{ckListView, "V", "HotSpot", 0, 0, 1, 1}}), "");
  EXPECT_NE(Problem({{ckStringGrid, "G", "", 0, 0, 1, 1, "cols=2 fixedcols=2"}}), "");
  EXPECT_EQ(Problem({{ckButton, "A", "", 0, 0, 1, 1, "default"}, {ckButton, "B", "", 0, 0, 1, 1, "default"}}),
            "TTestDlg: more than one default button");
  EXPECT_EQ(Problem({}, "border=thick"), "TTestDlg: border must be dialog, tool, sizeable, single or none");
  EXPECT_EQ(Problem({}, "focus=Nobody"), "TTestDlg: focus names no control: Nobody");
  EXPECT_EQ(Problem({}, "size=3"), "TTestDlg: unknown property size");
  // A custom row names its class and needs a maker; its maker checks its keys.
  EXPECT_EQ(Problem({{ckCustom, "R", "", 0, 0, 1, 1, "columns=3"}}),
            "TTestDlg: R: a custom control needs class=");
  EXPECT_EQ(Problem({{ckCustom, "R", "", 0, 0, 1, 1, "class=TXpRadioGroup columns=3"}}),
            "TTestDlg: R: a custom control needs the dialog's Maker");
}

TEST(CheckLayoutTest, ACustomRowWithAMakerPasses) {
  const TControlDesc controls[] = {{ckCustom, "R", "", 0, 0, 1, 1, "class=TXpRadioGroup columns=3 shade=0"}};
  TDialogDesc d = {"TTestDlg", "test", 200, 100, "", controls,
                   [](TComponent*, TControl*, const TControlDesc&, const TLayoutProps&) -> TComponent* {
                     return nullptr;
                   }};
  EXPECT_NO_THROW(CheckLayout(d));
}

TEST(CreationOrderTest, TabOrderWithinEachParentParentsFirst) {
  const TControlDesc controls[] = {
      {ckButton, "OKBtn", "", 0, 0, 1, 1, "tab=9"},
      {ckGroupBox, "Group", "", 0, 0, 1, 1},
      {ckEdit, "Second", "", 0, 0, 1, 1, "parent=Group tab=1"},
      {ckEdit, "First", "", 0, 0, 1, 1, "parent=Group tab=0"},
      {ckEdit, "Name", "", 0, 0, 1, 1, "tab=0"},
      {ckLabel, "Label", "", 0, 0, 1, 1},  // position 3 among the form's controls
  };
  TDialogDesc d = {"TTestDlg", "", 10, 10, "", controls};
  std::vector<std::string> names;
  for (std::size_t i : CreationOrder(d)) names.push_back(controls[i].Name);
  EXPECT_EQ(names, (std::vector<std::string>{"Name", "Group", "Label", "OKBtn", "First", "Second"}));
}

TEST(FitIntoTest, LeftAndTopFirstThenRightAndBottomWin) {
  auto fit = [](int l, int t, int w, int h) {
    TLayoutRect r = FitInto({l, t, w, h}, 0, 0, 800, 600);
    return std::to_string(r.Left) + "," + std::to_string(r.Top);
  };
  EXPECT_EQ(fit(100, 100, 200, 100), "100,100");
  EXPECT_EQ(fit(-50, -20, 200, 100), "0,0");
  EXPECT_EQ(fit(700, 550, 200, 100), "600,500");
  // Larger than the area: flush with the right and bottom edges.
  EXPECT_EQ(fit(10, 10, 900, 700), "-100,-100");
}

}  // namespace
}  // namespace cl
