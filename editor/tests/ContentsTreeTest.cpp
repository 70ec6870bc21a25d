#include <gtest/gtest.h>

#include "editor/core/ProjectModel.h"

using namespace qm::editor;

namespace {
// Texts of the whole tree in tree order, each prefixed by its depth.
std::string Shape(const ContentsTree& t) {
  std::string s;
  for (ContentsNode* n : t.Nodes()) {
    if (!s.empty()) s += ' ';
    s += std::to_string(n->Level()) + n->Text;
  }
  return s;
}
}  // namespace

TEST(ContentsTree, TreeOrderIsDepthFirstParentBeforeChildren) {
  ContentsTree t;
  ContentsNode* b = t.AddChild(nullptr, "B", kBookClosed, 0);
  ContentsNode* a = t.AddChildFirst(nullptr, "A", kTopicNode, 0);
  t.AddChild(b, "b2", kTopicNode, 2);
  ContentsNode* b1 = t.AddChildFirst(b, "b1", kTopicNode, 1);
  t.AddChild(b1, "h", kHiddenTopicNode, 3);
  t.AddSibling(a, "C", kBookOpen, 0);
  t.Insert(b, "X", kExternalNode, 0);
  EXPECT_EQ(Shape(t), "0A 0X 0B 1b1 2h 1b2 0C");
  EXPECT_EQ(t.Count(), 7u);
  EXPECT_EQ(t.First(), a);
  EXPECT_EQ(t.Last()->Text, "C");
  EXPECT_EQ(b1->Parent(), b);
  EXPECT_EQ(a->Parent(), nullptr);
  EXPECT_EQ(b->PrevSibling()->Text, "X");
  EXPECT_EQ(b->NextSibling()->Text, "C");
  EXPECT_EQ(t.Last()->NextSibling(), nullptr);
}

TEST(ContentsTree, MovesKeepNodeIdentityAndRefuseOwnDescendants) {
  ContentsTree t;
  ContentsNode* a = t.AddChild(nullptr, "A", kBookClosed, 0);
  ContentsNode* a1 = t.AddChild(a, "a1", kTopicNode, 0);
  ContentsNode* a2 = t.AddChild(a1, "a2", kHiddenTopicNode, 0);
  ContentsNode* b = t.AddChild(nullptr, "B", kTopicNode, 0);

  EXPECT_FALSE(t.MoveToFirstChild(a, a2));  // below itself
  EXPECT_FALSE(t.MoveBefore(a, a1));
  EXPECT_FALSE(t.MoveToLastChild(a, a));
  EXPECT_EQ(Shape(t), "0A 1a1 2a2 0B");

  EXPECT_TRUE(t.MoveBefore(b, a));
  EXPECT_EQ(Shape(t), "0B 0A 1a1 2a2");
  EXPECT_TRUE(t.MoveToFirstChild(a, b));
  EXPECT_EQ(Shape(t), "0B 1A 2a1 3a2");
  EXPECT_TRUE(t.MoveToEndOfLevel(a2, b));  // pointer still valid after moves
  EXPECT_EQ(Shape(t), "0B 1A 2a1 0a2");
  EXPECT_TRUE(t.MoveToFirstChild(a1, b));
  EXPECT_EQ(Shape(t), "0B 1a1 1A 0a2");
  EXPECT_EQ(a1->Index(), 0u);
  EXPECT_EQ(a->Index(), 1u);
  EXPECT_EQ(t.Count(), 4u);
}

TEST(ContentsTree, DeletingClearsTheWatchedNodeOnlyWhenItGoes) {
  ProjectModel m;
  ContentsTree& t = m.Contents;
  ContentsNode* book = t.AddChild(nullptr, "Book", kBookClosed, 0);
  ContentsNode* topic = t.AddChild(book, "T", kTopicNode, 0);
  ContentsNode* hidden = t.AddChild(topic, "H", kHiddenTopicNode, 1);
  ContentsNode* other = t.AddChild(nullptr, "O", kTopicNode, 2);

  m.OpenTopicNode = hidden;
  m.DeleteNode(other);
  EXPECT_EQ(m.OpenTopicNode, hidden);
  m.DeleteNode(book);  // contains the open node
  EXPECT_EQ(m.OpenTopicNode, nullptr);
  EXPECT_TRUE(t.IsEmpty());
  EXPECT_EQ(t.Count(), 0u);

  ContentsNode* n = t.AddChild(nullptr, "N", kTopicNode, 0);
  m.OpenTopicNode = n;
  m.ProjectReset();
  EXPECT_EQ(m.OpenTopicNode, nullptr);
  EXPECT_TRUE(t.IsEmpty());
}
