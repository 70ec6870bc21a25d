#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "editor/core/ContentsEditing.h"
#include "TestUtil.h"

using namespace qm;
using namespace qm::editor;
using namespace qm::editor::test;

namespace {

std::string Shape(const ProjectModel& m) {
  std::string s;
  for (ContentsNode* n : m.Contents.Nodes()) {
    if (!s.empty()) s += ' ';
    s += std::string(n->Level(), '.') + n->Text;
  }
  return s;
}

// A level with topics T1, T2 and books B1, B2; B1 holds topic a, B2 is empty.
struct Sample {
  ProjectModel m;
  ContentsNode *t1, *t2, *b1, *b2, *a, *h;
  Sample() {
    ContentsTree& t = m.Contents;
    t1 = t.AddChild(nullptr, "T1", kTopicNode, m.AddTopic("T1", 0));
    h = t.AddChild(t1, "H", kHiddenTopicNode, m.AddTopic("H", 0));
    t2 = t.AddChild(nullptr, "T2", kTopicNode, m.AddTopic("T2", 0));
    b1 = t.AddChild(nullptr, "B1", kBookClosed, 0);
    a = t.AddChild(b1, "a", kTopicNode, m.AddTopic("a", 0));
    b2 = t.AddChild(nullptr, "B2", kBookClosed, 0);
    CompleteNumbers();
  }
  void CompleteNumbers() {
    for (std::size_t i = 0; i < m.TopicCount(); ++i) {
      m.TopicIds.SetMapNumber(i, m.AllocateMapNumber());
    }
  }
};

}  // namespace

TEST(ContentsPlacement, NewTopicGoesBeforeTheLevelsFirstBook) {
  Sample s;
  ContentsNode* n = AddContentsNode(s.m, s.t1, kPlaceDefault);
  EXPECT_EQ(n->Text, "HID00000005");
  EXPECT_EQ(n->Kind, kTopicNode);
  EXPECT_EQ(Shape(s.m), "T1 .H T2 HID00000005 B1 .a B2");
  EXPECT_TRUE(s.m.ProjectModified);
  // A selected book: its first child starts the walk.
  n = AddContentsNode(s.m, s.b1, kPlaceDefault);
  EXPECT_EQ(Shape(s.m), "T1 .H T2 HID00000005 B1 .a .HID00000006 B2");
  // An empty book: the new node is its only child.
  AddContentsNode(s.m, s.b2, kPlaceDefault);
  EXPECT_EQ(s.b2->ChildCount(), 1u);
  // Nothing selected: the end of the top level.
  n = AddContentsNode(s.m, nullptr, kPlaceDefault);
  EXPECT_EQ(s.m.Contents.Top(s.m.Contents.TopCount() - 1), n);
}

TEST(ContentsPlacement, AboveBelowAndTopTags) {
  Sample s;
  AddContentsNode(s.m, s.t2, kPlaceAbove);
  AddContentsNode(s.m, s.t2, kPlaceBelow);
  EXPECT_EQ(Shape(s.m), "T1 .H HID00000005 T2 HID00000006 B1 .a B2");
  ContentsNode* top = AddContentsNode(s.m, s.a, kPlaceThird);  // before node 0, even a topic
  EXPECT_EQ(s.m.Contents.First(), top);
  // The new external entry: "New", an empty target row, same placements + 10.
  ContentsNode* e = AddContentsNode(s.m, s.t1, kExternalTagBase);
  EXPECT_EQ(e->Kind, kExternalNode);
  EXPECT_EQ(e->Text, "New");
  EXPECT_EQ(s.m.CntTargets.size(), 1u);
  EXPECT_EQ(e->NextSibling(), s.b1);
  ContentsNode* e2 = AddContentsNode(s.m, s.b1, kExternalTagBase + kPlaceThird);
  EXPECT_EQ(s.m.Contents.First(), e2);
  EXPECT_EQ(e2->Data, 1);
  EXPECT_EQ(s.m.TopicCount(), 7u);  // external entries take no topic row
}

TEST(ContentsPlacement, BookTags) {
  Sample s;
  AddBookNode(s.m, s.t1, kPlaceDefault);
  EXPECT_EQ(Shape(s.m), "T1 .H T2 B1 .a B2 New");
  Sample u;
  AddBookNode(u.m, u.b1, kPlaceAbove);
  AddBookNode(u.m, u.b1, kPlaceBelow);
  ContentsNode* c = AddBookNode(u.m, u.b1, kPlaceThird);
  EXPECT_EQ(Shape(u.m), "T1 .H T2 New B1 .a .New New B2");
  EXPECT_EQ(c->Kind, kBookClosed);
  ContentsNode* n = AddBookNode(u.m, nullptr, kPlaceDefault);
  EXPECT_EQ(u.m.Contents.Top(u.m.Contents.TopCount() - 1), n);
}

TEST(ContentsPlacement, HiddenTopicsHangUnderTheirTopic) {
  Sample s;
  ContentsNode* h2 = AddHiddenTopicNode(s.m, s.t1);
  ContentsNode* h3 = AddHiddenTopicNode(s.m, s.h);
  EXPECT_EQ(Shape(s.m), "T1 .H ." + h2->Text + " ." + h3->Text + " T2 B1 .a B2");
  EXPECT_EQ(h2->Kind, kHiddenTopicNode);
  EXPECT_EQ(AddHiddenTopicNode(s.m, s.b1), nullptr);
}

TEST(ContentsActions, EnablingFollowsTheSelection) {
  Sample s;
  ContentsActionState none = UpdateContentsActions(s.m.Contents, nullptr);
  EXPECT_TRUE(none.AddBook && none.AddCnt);
  EXPECT_FALSE(none.AddHide || none.DelCnt || none.AddHelp || none.LinkList);
  EXPECT_EQ(none.KIdAuto, std::optional<bool>(false));

  ContentsActionState t1 = UpdateContentsActions(s.m.Contents, s.t1);
  EXPECT_FALSE(t1.AddBook);  // followed by topic T2
  EXPECT_TRUE(t1.AddCnt && t1.AddHelp && t1.AddHide && t1.LinkList);
  EXPECT_FALSE(t1.DelCnt);  // has a hidden child
  EXPECT_FALSE(t1.KIdAuto.has_value());

  ContentsActionState t2 = UpdateContentsActions(s.m.Contents, s.t2);
  EXPECT_TRUE(t2.AddBook);  // followed by a book
  EXPECT_TRUE(t2.DelCnt);
  EXPECT_FALSE(t2.LinkList);

  ContentsActionState h = UpdateContentsActions(s.m.Contents, s.h);
  EXPECT_FALSE(h.AddBook || h.AddCnt || h.AddHelp);
  EXPECT_TRUE(h.AddHide && h.DelCnt);

  ContentsActionState b = UpdateContentsActions(s.m.Contents, s.b1);
  EXPECT_TRUE(b.AddBook && b.AddCnt);
  EXPECT_FALSE(b.AddHide || b.DelCnt);

  // The last node of the tree allows a book whatever its kind.
  ContentsNode* last = s.m.Contents.AddChild(s.b2, "x", kHiddenTopicNode, 0);
  EXPECT_TRUE(UpdateContentsActions(s.m.Contents, last).AddBook);

  EXPECT_TRUE(BookPositionItemsEnabled(s.b1));
  EXPECT_FALSE(BookPositionItemsEnabled(s.t1));
  EXPECT_FALSE(BookPositionItemsEnabled(nullptr));
  EXPECT_TRUE(EntryPositionItemsEnabled(s.h));
  EXPECT_FALSE(EntryPositionItemsEnabled(s.b2));
}

TEST(ContentsDrop, TheMatrix) {
  struct Case {
    const char* what;
    ContentsNode* Sample::*d;
    ContentsNode* Sample::*g;
    bool moved;
    const char* shape;
  };
  const Case cases[] = {
      {"topic on book", &Sample::t2, &Sample::b2, true, "T1 .H B1 .a B2 .T2"},
      {"topic on topic", &Sample::a, &Sample::t1, true, "a T1 .H T2 B1 B2"},
      {"topic on hidden", &Sample::t2, &Sample::h, false, nullptr},
      {"hidden on book", &Sample::h, &Sample::b1, false, nullptr},
      {"hidden on topic", &Sample::h, &Sample::a, true, "T1 T2 B1 .a ..H B2"},
      {"book on book", &Sample::b2, &Sample::b1, true, "T1 .H T2 B2 B1 .a"},
      {"book on hidden", &Sample::b2, &Sample::h, false, nullptr},
      {"book on a topic followed by a topic", &Sample::b2, &Sample::t1, false, nullptr},
      {"book on a topic followed by a book", &Sample::b2, &Sample::t2, true, "T1 .H T2 B2 B1 .a"},
      {"book on the last topic of a level", &Sample::b2, &Sample::a, true, "T1 .H T2 B1 .a .B2"},
      {"book on its own child", &Sample::b1, &Sample::a, false, nullptr},
      {"node on itself", &Sample::t1, &Sample::t1, false, nullptr},
  };
  for (const Case& c : cases) {
    Sample s;
    std::string before = Shape(s.m);
    DropOutcome o = DropContentsNode(s.m, s.*c.d, s.*c.g);
    EXPECT_EQ(o.Moved, c.moved) << c.what;
    EXPECT_EQ(s.m.ProjectModified, c.moved) << c.what;
    EXPECT_EQ(Shape(s.m), c.moved ? c.shape : before) << c.what;
    if (c.moved) {
      EXPECT_EQ(o.PlacedAgainst, s.*c.g) << c.what;
    }
  }
  // An external entry behaves as a topic; a book dropped on one that ends
  // its level goes to the end of that level.
  Sample s;
  ContentsNode* e = s.m.Contents.AddChild(s.b2, "E", kExternalNode, 0);
  EXPECT_TRUE(DropContentsNode(s.m, s.b1, e).Moved);
  EXPECT_EQ(Shape(s.m), "T1 .H T2 B2 .E .B1 ..a");
  // A hidden topic cannot go onto an external entry; a book cannot go into
  // its own subtree.
  EXPECT_FALSE(DropContentsNode(s.m, s.h, e).Moved);
  EXPECT_FALSE(DropContentsNode(s.m, s.b2, s.a).Moved);
}

TEST(ContentsDelete, ReleasesTheNumberAndClearsTheOpenTopic) {
  std::string dir = TempDir();
  ProjectModel m;
  m.ProjectDir = dir;
  CreateDir(dir + "/rtf");
  ContentsNode* n = AddContentsNode(m, nullptr, kPlaceDefault);
  EXPECT_EQ(n->Text, "HID00000001");
  WriteFileReplacing(m.TopicFilePath("HID00000001"), "{\\rtf1}");
  m.TopicId = "HID00000001";
  m.OpenTopicNode = n;
  m.ProjectModified = false;
  DeleteOutcome o = DeleteContentsNode(m, n);
  EXPECT_TRUE(o.Deleted);
  EXPECT_TRUE(o.ClearedOpenTopic);
  EXPECT_EQ(m.OpenTopicNode, nullptr);
  EXPECT_EQ(m.TopicId, "");
  EXPECT_TRUE(m.ProjectModified);
  EXPECT_FALSE(FileExists(dir + "/rtf/HID00000001.rtf"));
  EXPECT_EQ(m.TopicCount(), 1u);
  EXPECT_EQ(m.TopicIds[0], "");
  EXPECT_TRUE(m.UsedMapNumbers.empty());
  // The freed number and id are used again; the row index moves on.
  ContentsNode* again = AddContentsNode(m, nullptr, kPlaceDefault);
  EXPECT_EQ(again->Text, "HID00000001");
  EXPECT_EQ(again->Data, 1);
  // A node with children cannot be deleted; a book just loses its node.
  ContentsNode* book = AddBookNode(m, nullptr, kPlaceDefault);
  ContentsNode* inner = AddContentsNode(m, book, kPlaceDefault);
  EXPECT_FALSE(DeleteContentsNode(m, book).Deleted);
  m.OpenTopicNode = inner;
  m.TopicId = "someone else";
  o = DeleteContentsNode(m, inner);  // its file does not exist: no matter
  EXPECT_TRUE(o.Deleted && o.ClearedOpenTopic);
  EXPECT_EQ(m.OpenTopicNode, nullptr);
  // The open node went, whatever its id: no id stays for the emptied editor.
  EXPECT_EQ(m.TopicId, "");
  EXPECT_TRUE(DeleteContentsNode(m, book).Deleted);
  EXPECT_EQ(Shape(m), "HID00000001");
}

TEST(ContentsDelete, ExternalEntryKeepsItsTargetRow) {
  ProjectModel m;
  ContentsNode* e = AddContentsNode(m, nullptr, kExternalTagBase);
  m.CntTargets[0] = "x@y.hlp";
  EXPECT_TRUE(DeleteContentsNode(m, e).Deleted);
  EXPECT_EQ(m.CntTargets, (std::vector<std::string>{"x@y.hlp"}));
  EXPECT_TRUE(m.Contents.IsEmpty());
}

TEST(ContentsLabels, ClicksEditingAndExpansion) {
  Sample s;
  EXPECT_FALSE(CanEditLabel(s.t1));
  EXPECT_FALSE(CanEditLabel(s.h));
  EXPECT_TRUE(CanEditLabel(s.b1));
  LabelEdited(s.m, s.b1, "Chapter");
  EXPECT_EQ(s.b1->Text, "Chapter");
  EXPECT_TRUE(s.m.ProjectModified);

  EXPECT_EQ(ClickContentsNode(s.m, s.b1), ContentsClick::kNothing);
  EXPECT_EQ(ClickContentsNode(s.m, s.h), ContentsClick::kOpenTopic);
  EXPECT_EQ(s.m.OpenTopicNode, s.h);
  EXPECT_EQ(ClickContentsNode(s.m, s.h), ContentsClick::kNothing);  // already open
  ContentsNode* e = AddContentsNode(s.m, s.t1, kExternalTagBase);
  EXPECT_EQ(ClickContentsNode(s.m, e), ContentsClick::kEditExternal);
  EXPECT_EQ(s.m.OpenTopicNode, s.h);

  EXPECT_FALSE(EditorAcceptsDrag(e));  // an external entry names no topic
  EXPECT_TRUE(EditorAcceptsDrag(s.t1));
  EXPECT_TRUE(EditorAcceptsDrag(s.h));
  EXPECT_FALSE(EditorAcceptsDrag(s.b1));
  NodeExpanded(s.b1);
  EXPECT_EQ(s.b1->Kind, kBookOpen);
  NodeExpanded(s.t1);
  EXPECT_EQ(s.t1->Kind, kTopicNode);
  NodeCollapsed(s.b1);
  EXPECT_EQ(s.b1->Kind, kBookClosed);
}

TEST(ContentsClicks, TheOpenTopicIsSavedBeforeTheNodeChanges) {
  Sample s;
  std::vector<std::string> calls;
  auto save = [&] { calls.push_back(s.m.OpenTopicNode ? s.m.OpenTopicNode->Text : "none"); };
  EXPECT_EQ(ClickContentsNode(s.m, s.t1, save), ContentsClick::kOpenTopic);
  EXPECT_EQ(s.m.OpenTopicNode, s.t1);
  EXPECT_EQ(ClickContentsNode(s.m, s.h, save), ContentsClick::kOpenTopic);
  // The save ran while the node was still the one in the editor.
  EXPECT_EQ(calls, (std::vector<std::string>{"none", "T1"}));
  // A save that throws leaves the node as it was.
  auto failing = [] { throw std::runtime_error("disk full"); };
  EXPECT_THROW(ClickContentsNode(s.m, s.t2, failing), std::runtime_error);
  EXPECT_EQ(s.m.OpenTopicNode, s.h);
  // Books, external entries and the open node ask for no save.
  calls.clear();
  ClickContentsNode(s.m, s.b1, save);
  ClickContentsNode(s.m, s.h, save);
  EXPECT_TRUE(calls.empty());
}

TEST(ContentsClicks, TopicStatusWorksOutKIdAutoEvenWhenNothingElseChanges) {
  Sample s;
  // First call: always applied.
  TopicStatusEnabling e = TopicStatusFor("", std::nullopt, nullptr);
  EXPECT_TRUE(e.ReadOnly);
  ASSERT_TRUE(e.Apply.has_value());
  EXPECT_FALSE(*e.Apply);
  EXPECT_FALSE(e.KIdAuto);
  e = TopicStatusFor("T1", false, s.t1);
  EXPECT_FALSE(e.ReadOnly);
  EXPECT_EQ(e.Apply, std::optional<bool>(true));
  EXPECT_TRUE(e.KIdAuto);
  // Another topic while the commands are on: nothing to apply, but
  // KId_Auto follows the selection (a hidden topic, a book: off).
  e = TopicStatusFor("H", true, s.h);
  EXPECT_FALSE(e.Apply.has_value());
  EXPECT_FALSE(e.KIdAuto);
  e = TopicStatusFor("T2", true, s.t2);
  EXPECT_FALSE(e.Apply.has_value());
  EXPECT_TRUE(e.KIdAuto);
  e = TopicStatusFor("", true, s.t2);
  EXPECT_EQ(e.Apply, std::optional<bool>(false));
  EXPECT_FALSE(e.KIdAuto);
}
