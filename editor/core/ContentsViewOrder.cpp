#include "editor/core/ContentsViewOrder.h"

namespace qm::editor {

std::vector<ViewInsertion> ViewInsertionOrder(const ContentsTree& tree) {
  std::vector<ViewInsertion> order;
  order.reserve(tree.Count());
  const std::vector<ContentsNode*> nodes = tree.Nodes();
  // The nodes with children in tree order: a node's earlier siblings with
  // children are in the view before it, its later ones after it, so it goes
  // last.
  for (ContentsNode* n : nodes)
    if (n->HasChildren()) order.push_back({n, ViewInsertion::Place::Last, nullptr});
  // Then the leaves in tree order, a run of leaf siblings at a time. A run
  // that ends its level goes last, leaf by leaf. A run that a sibling with
  // children follows goes from its last leaf to its first, each after the
  // sibling with children before the run (or first): so every insertion
  // names a node with children only.
  for (ContentsNode* n : nodes) {
    if (n->HasChildren()) continue;
    ContentsNode* before = n->PrevSibling();
    if (before && !before->HasChildren()) continue;  // inside a run, placed with its first leaf
    ContentsNode* last = n;
    while (last->NextSibling() && !last->NextSibling()->HasChildren()) last = last->NextSibling();
    if (!last->NextSibling()) {
      for (ContentsNode* x = n;; x = x->NextSibling()) {
        order.push_back({x, ViewInsertion::Place::Last, nullptr});
        if (x == last) break;
      }
    } else {
      const ViewInsertion::Place where = before ? ViewInsertion::Place::After : ViewInsertion::Place::First;
      for (ContentsNode* x = last;; x = x->PrevSibling()) {
        order.push_back({x, where, before});
        if (x == n) break;
      }
    }
  }
  return order;
}

}  // namespace qm::editor
