// The order in which a tree view is filled with the contents tree's items.
//
// A tree view may find an item it is given (a parent, an item to insert
// after) by searching all its items in the order they were made (Wine's
// does), so each insertion costs the place of the items it names in that
// order. Filling the view in tree order names each book after as many items
// as come before it: the whole fill grows with the square of the project.
// The order here makes the nodes that have children first, in tree order,
// and the leaves after them, so that every insertion names only nodes with
// children; the leaves still come about in tree order, which keeps emptying
// the view (that frees the items in tree order) as cheap as before. Any tree
// view ends up holding the tree in its own order.
#pragma once

#include <vector>

#include "editor/core/ContentsTree.h"

namespace qm::editor {

struct ViewInsertion {
  enum class Place { Last, First, After };
  ContentsNode* Node = nullptr;
  // Among the items of its parent's that exist by then.
  Place Where = Place::Last;
  // The sibling whose item the node's item follows, for Place::After.
  ContentsNode* After = nullptr;
};

// Every node once, each after its parent and after the sibling it follows.
std::vector<ViewInsertion> ViewInsertionOrder(const ContentsTree& tree);

}  // namespace qm::editor
