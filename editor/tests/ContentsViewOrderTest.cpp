#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <set>

#include "editor/core/ContentsViewOrder.h"

using namespace qm::editor;

namespace {

// Plays the insertions into a stand-in for a tree view (each item's
// children in order) as a tree view would take them, and checks that the
// view ends up holding the tree, and that each insertion names (as parent
// or as the item to follow) nodes already inserted that have children.
void ExpectFillsTree(const ContentsTree& tree) {
  std::map<const ContentsNode*, std::vector<const ContentsNode*>> view;  // nullptr: the top
  std::set<const ContentsNode*> inserted;
  const std::vector<ViewInsertion> order = ViewInsertionOrder(tree);
  ASSERT_EQ(order.size(), tree.Count());
  for (const ViewInsertion& in : order) {
    const ContentsNode* parent = in.Node->Parent();
    ASSERT_TRUE(inserted.insert(in.Node).second) << in.Node->Text << " twice";
    if (parent) {
      ASSERT_TRUE(inserted.count(parent)) << in.Node->Text << " before its parent";
      EXPECT_TRUE(parent->HasChildren());
    }
    std::vector<const ContentsNode*>& children = view[parent];
    switch (in.Where) {
      case ViewInsertion::Place::Last:
        children.push_back(in.Node);
        break;
      case ViewInsertion::Place::First:
        children.insert(children.begin(), in.Node);
        break;
      case ViewInsertion::Place::After: {
        ASSERT_NE(in.After, nullptr);
        EXPECT_TRUE(in.After->HasChildren()) << in.Node->Text << " follows leaf " << in.After->Text;
        auto it = std::find(children.begin(), children.end(), in.After);
        ASSERT_NE(it, children.end()) << in.Node->Text << " follows " << in.After->Text
                                      << ", not in the view under the same parent";
        children.insert(it + 1, in.Node);
        break;
      }
    }
  }
  for (const ContentsNode* n : tree.Nodes()) {
    std::vector<const ContentsNode*> expected;
    for (std::size_t i = 0; i < n->ChildCount(); ++i) expected.push_back(n->Child(i));
    EXPECT_EQ(view[n], expected) << "children of " << n->Text;
  }
  std::vector<const ContentsNode*> top;
  for (std::size_t i = 0; i < tree.TopCount(); ++i) top.push_back(tree.Top(i));
  EXPECT_EQ(view[nullptr], top) << "top level";
}

}  // namespace

TEST(ContentsViewOrder, LeafRunsBeforeBetweenAndAfterBooksKeepTheirPlaces) {
  ContentsTree t;
  EXPECT_TRUE(ViewInsertionOrder(t).empty());
  // Top: a run of leaves, a book, a run, a book, an empty book, a run.
  t.AddChild(nullptr, "t1", kTopicNode, 0);
  t.AddChild(nullptr, "t2", kTopicNode, 1);
  ContentsNode* b1 = t.AddChild(nullptr, "B1", kBookOpen, 0);
  t.AddChild(nullptr, "t3", kTopicNode, 2);
  ContentsNode* b2 = t.AddChild(nullptr, "B2", kBookClosed, 0);
  t.AddChild(nullptr, "empty", kBookClosed, 0);
  t.AddChild(nullptr, "t4", kTopicNode, 3);
  // B1: topics with hidden topics under some of them; B2: one sub-book
  // between topics.
  for (int i = 0; i < 6; ++i) {
    ContentsNode* topic = t.AddChild(b1, "b1t" + std::to_string(i), kTopicNode, i);
    if (i % 3 == 1) t.AddChild(topic, "h" + std::to_string(i), kHiddenTopicNode, i);
  }
  t.AddChild(b2, "b2t0", kTopicNode, 0);
  ContentsNode* sub = t.AddChild(b2, "Sub", kBookClosed, 0);
  t.AddChild(b2, "b2t1", kTopicNode, 1);
  t.AddChild(sub, "s0", kTopicNode, 0);
  ExpectFillsTree(t);

  // Nodes with children come first, in tree order; the leaves keep tree
  // order between runs.
  const std::vector<ViewInsertion> order = ViewInsertionOrder(t);
  std::vector<std::string> texts;
  for (const ViewInsertion& in : order) texts.push_back(in.Node->Text);
  EXPECT_EQ(std::vector<std::string>(texts.begin(), texts.begin() + 5),
            (std::vector<std::string>{"B1", "b1t1", "b1t4", "B2", "Sub"}));
  auto at = [&texts](const char* text) { return std::find(texts.begin(), texts.end(), text) - texts.begin(); };
  EXPECT_LT(at("t1"), at("b1t0"));
  EXPECT_LT(at("b1t0"), at("t3"));
  EXPECT_LT(at("t3"), at("b2t0"));
}

TEST(ContentsViewOrder, RandomTreesFillInTheirOwnOrder) {
  std::mt19937 rng(26);
  for (int round = 0; round < 200; ++round) {
    ContentsTree t;
    std::vector<ContentsNode*> nodes{nullptr};
    const int count = 1 + static_cast<int>(rng() % 60);
    for (int i = 0; i < count; ++i) {
      ContentsNode* parent = nodes[rng() % nodes.size()];
      ContentsNode* n = t.AddChild(parent, "n" + std::to_string(i), rng() % 3 ? kTopicNode : kBookClosed, i);
      nodes.push_back(n);
    }
    SCOPED_TRACE("round " + std::to_string(round));
    ExpectFillsTree(t);
    if (HasFailure()) break;
  }
}
