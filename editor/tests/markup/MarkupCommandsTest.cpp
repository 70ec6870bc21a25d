// The markup commands, line shortcuts, link-list lines and macro links.
#include <gtest/gtest.h>

#include "editor/core/LinkListLines.h"
#include "editor/core/MacroLink.h"
#include "editor/core/MarkupCommands.h"
#include "editor/core/ProjectModel.h"

namespace qm::editor {
namespace {

TEST(MarkupTable, ChoicesAndFallbacks) {
  EXPECT_EQ(LineMarkup(0), "{box}");
  EXPECT_EQ(LineMarkup(2), "{line b}");
  EXPECT_EQ(LineMarkup(4), "{line l}");
  EXPECT_EQ(LineMarkup(5), "{box}");
  EXPECT_EQ(StyleMarkup(2), "{style 2}");
  EXPECT_EQ(StyleMarkup(3), "{style s}");
  EXPECT_EQ(StyleMarkup(-1), "{style n}");
}

TEST(MarkupTable, TopicIdWrapPutsTheCaretAfterTheWord) {
  TopicIdWrap w = WrapTopicId("", 12);
  EXPECT_EQ(w.Text, "{tid }");
  EXPECT_EQ(w.Caret, 17);
  w = WrapTopicId("ABC", 3);
  EXPECT_EQ(w.Text, "{tid ABC}");
  EXPECT_EQ(w.Caret, 8);
}

// Text "ab\r\ncdef" as a control with CR LF breaks counts it.
TEST(LineShortcuts, HardLineEndKeepsTheBreak) {
  CaretLine l{1, 0, 4, 8, HardBreakLength('\r', '\n')};
  EXPECT_EQ(l.BreakLength, 2);
  DeleteRange k = DeleteToLineEndRange(l);
  EXPECT_EQ(k.Start, 1);
  EXPECT_EQ(k.Length, 1);  // "b"
  DeleteRange y = DeleteLineRange(l);
  EXPECT_EQ(y.Start, 0);
  EXPECT_EQ(y.Length, 4);
  DeleteRange u = DeleteToLineStartRange(l);
  EXPECT_EQ(u.Start, 0);
  EXPECT_EQ(u.Length, 1);
  // A control that breaks lines with a lone CR.
  EXPECT_EQ(DeleteToLineEndRange({1, 0, 3, 7, HardBreakLength('b', '\r')}).Length, 1);
}

TEST(LineShortcuts, SoftWrappedLineDeletesToTheWrap) {
  // "abcdefgh" wrapped after "abcd": the next display line starts at 4.
  const CaretLine l{1, 0, 4, 8, HardBreakLength('c', 'd')};
  EXPECT_EQ(l.BreakLength, 0);
  const DeleteRange k = DeleteToLineEndRange(l);
  EXPECT_EQ(k.Start, 1);
  EXPECT_EQ(k.Length, 3);
}

TEST(LineShortcuts, LastLineDeletesToTheTextEnd) {
  const CaretLine l{6, 4, -1, 8, 0};
  DeleteRange k = DeleteToLineEndRange(l);
  EXPECT_EQ(k.Start, 6);
  EXPECT_EQ(k.Length, 2);
  DeleteRange y = DeleteLineRange(l);
  EXPECT_EQ(y.Start, 4);
  EXPECT_EQ(y.Length, 4);
}

TEST(LineShortcuts, NeverNegative) {
  // Caret at the end of its line (on the break), and a caret at the line
  // start for Ctrl+U.
  EXPECT_EQ(DeleteToLineEndRange({2, 0, 4, 8, 2}).Length, 0);
  EXPECT_EQ(DeleteToLineEndRange({3, 0, 4, 8, 2}).Length, 0);
  EXPECT_EQ(DeleteToLineEndRange({8, 8, -1, 8, 0}).Length, 0);
  EXPECT_EQ(DeleteToLineEndRange({0, 0, 1, 1, 2}).Length, 0);
  EXPECT_EQ(DeleteToLineStartRange({4, 4, 8, 10, 2}).Length, 0);
}

TEST(LinkList, PopupsWithBlankLines) {
  const LinkListOptions o;  // the dialog's start values
  const Lines lines = LinkListLines(o, {{"A", "Alpha"}, {"B", "Beta"}});
  EXPECT_EQ(lines, (Lines{"", "{pop Alpha,A}", "", "{pop Beta,B}"}));
}

TEST(LinkList, JumpsToEachWindow) {
  LinkListOptions o;
  o.Type = LinkListType::Jump;
  o.BlankLines = false;
  o.SubWindowName = "pme";
  EXPECT_EQ(LinkListLines(o, {{"A", "Alpha"}}), Lines{"{jmp Alpha,A}"});
  o.Window = LinkListWindow::Main;
  EXPECT_EQ(LinkListLine(o, {"A", "Alpha"}), "{jmp Alpha,A>main}");
  o.Window = LinkListWindow::Second;
  EXPECT_EQ(LinkListLine(o, {"A", "Alpha"}), "{jmp Alpha,A>pme}");
  // The choice is kept when the type turns to pop-up.
  o.Type = LinkListType::Popup;
  EXPECT_EQ(LinkListLine(o, {"A", "Alpha"}), "{pop Alpha,A>pme}");
  o.SubWindowName.clear();
  EXPECT_EQ(LinkListLine(o, {"A", "Alpha"}), "{pop Alpha,A}");
}

TEST(LinkList, Buttons) {
  LinkListOptions o;
  o.Buttons = true;
  o.Type = LinkListType::Jump;
  o.Window = LinkListWindow::Main;
  EXPECT_EQ(LinkListLine(o, {"A", "Alpha"}), "{button ,JI(>main,A)}\x81\x40" "Alpha");
  o.Type = LinkListType::Popup;
  o.Window = LinkListWindow::Current;
  EXPECT_EQ(LinkListLine(o, {"B", "Beta"}), "{button ,PI(B)}\x81\x40" "Beta");
  // A pop-up button keeps the window chosen while the type was a jump.
  o.Window = LinkListWindow::Main;
  EXPECT_EQ(LinkListLine(o, {"B", "Beta"}), "{button ,PI(>main,B)}\x81\x40" "Beta");
}

TEST(LinkList, AwkwardTitles) {
  LinkListOptions o;
  o.BlankLines = false;
  // Empty title: the id is shown; commas and braces become full-width.
  EXPECT_EQ(LinkListLine(o, {"T1", ""}), "{pop T1,T1}");
  EXPECT_EQ(LinkListLine(o, {"T2", "a,b{c}"}), "{pop a\x81\x43" "b\x81\x6F" "c\x81\x70,T2}");
  // A double-byte character whose trail byte is '{' or '}' stays whole.
  EXPECT_EQ(LinkListLine(o, {"T3", "\x83\x7B\x83\x7D"}), "{pop \x83\x7B\x83\x7D,T3}");
  o.Buttons = true;
  EXPECT_EQ(LinkListLine(o, {"T4", ""}), "{button ,PI(T4)}\x81\x40T4");
}

TEST(LinkList, HiddenChildrenUpToTheFirstOther) {
  ProjectModel m;
  ContentsNode* parent = m.Contents.AddChild(nullptr, "p", kTopicNode, m.AddTopic("P", 0));
  EXPECT_FALSE(HasHiddenFirstChild(parent));
  for (const char* id : {"A", "B"}) m.Contents.AddChild(parent, id, kHiddenTopicNode, m.AddTopic(id, 0));
  m.Contents.AddChild(parent, "T", kTopicNode, m.AddTopic("T", 0));
  m.Contents.AddChild(parent, "C", kHiddenTopicNode, m.AddTopic("C", 0));
  m.TopicTitles[1] = "Alpha";
  EXPECT_TRUE(HasHiddenFirstChild(parent));
  const auto topics = HiddenChildTopics(m, parent);
  ASSERT_EQ(topics.size(), 2u);
  EXPECT_EQ(topics[0].Title, "Alpha");
  EXPECT_EQ(topics[1].Id, "B");
  EXPECT_EQ(LinkListLine(LinkListOptions{}, topics[1]), "{pop B,B}");
}

TEST(MacroLink, Forms) {
  EXPECT_EQ(MacroLinkMarkup("閉じる", "CloseWindow(sub)", 2, false), "{jmp 閉じる,%!CloseWindow(sub)}");
  EXPECT_EQ(MacroLinkMarkup("閉じる", "CloseWindow(sub)", 2, true), "{button 閉じる,!CloseWindow(sub)}");
  EXPECT_EQ(MacroLinkMarkup("x", "Back();Next()", 1, false), "{jmp x,*!Back();Next()}");
  EXPECT_EQ(MacroLinkMarkup("x", "Back()", 0, false), "{jmp x,!Back()}");
  EXPECT_FALSE(MacroLinkAccepted("", "Back()"));
  EXPECT_TRUE(MacroOnlyAccepted("Back()"));
  EXPECT_FALSE(MacroOnlyAccepted(""));
}

TEST(MacroLink, TemplatePages) {
  const auto& pages = MacroTemplatePages();
  ASSERT_EQ(pages.size(), 5u);
  EXPECT_EQ(pages[kMacroStartPage].Caption, "ウインドウ");
  EXPECT_EQ(pages[1].Items.size(), 15u);
  EXPECT_EQ(pages[3].Items[7], "KLink(\"keyword[;keyword]\"[,type[,\"topic-ID\"[,window-name]]])");
}

}  // namespace
}  // namespace qm::editor
