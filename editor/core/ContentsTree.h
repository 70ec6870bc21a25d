// The contents tree of a help project: books, topics, hidden topics and
// external entries. The window's tree view mirrors it; every node keeps its
// identity (its address) from creation to deletion, whatever moves happen.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace qm::editor {

// Kind of a contents node; it is also the node's image index in the view.
enum ContentsNodeKind : int {
  kBookClosed = 0,
  kBookOpen = 1,
  kTopicNode = 2,
  kHiddenTopicNode = 3,
  kExternalNode = 4,
};

inline bool IsBookKind(int kind) { return kind < kTopicNode; }

class ContentsTree;

class ContentsNode {
 public:
  std::string Text;
  ContentsNodeKind Kind = kBookClosed;
  // Topic index for kinds 2 and 3, row of CntTargets for kind 4, 0 for books.
  int Data = 0;
  // Free for the view that mirrors the tree (its item handle); the tree
  // never looks at it.
  void* ViewItem = nullptr;

  bool IsBook() const { return IsBookKind(Kind); }
  // Parent node; nullptr on the top level.
  ContentsNode* Parent() const;
  std::size_t ChildCount() const { return children_.size(); }
  bool HasChildren() const { return !children_.empty(); }
  ContentsNode* Child(std::size_t i) const { return children_[i].get(); }
  ContentsNode* FirstChild() const { return children_.empty() ? nullptr : children_.front().get(); }
  ContentsNode* LastChild() const { return children_.empty() ? nullptr : children_.back().get(); }
  ContentsNode* NextSibling() const;
  ContentsNode* PrevSibling() const;
  // Position among the siblings.
  std::size_t Index() const { return index_; }
  // Depth: 0 on the top level.
  int Level() const;
  // True when this node is other or one of other's ancestors.
  bool Contains(const ContentsNode* other) const;

 private:
  friend class ContentsTree;
  ContentsNode* parent_ = nullptr;  // the tree's hidden root on the top level
  std::size_t index_ = 0;
  std::vector<std::unique_ptr<ContentsNode>> children_;
};

class ContentsTree {
 public:
  ContentsTree();
  ContentsTree(const ContentsTree&) = delete;
  ContentsTree& operator=(const ContentsTree&) = delete;

  bool IsEmpty() const { return root_.children_.empty(); }
  // Number of nodes in the whole tree.
  std::size_t Count() const { return count_; }
  std::size_t TopCount() const { return root_.children_.size(); }
  ContentsNode* Top(std::size_t i) const { return root_.children_[i].get(); }
  // The first node in tree order (node 0), or nullptr.
  ContentsNode* First() const;
  // The last node in tree order, or nullptr.
  ContentsNode* Last() const;
  // The node after n in tree order (depth first, parent before children).
  static ContentsNode* Next(const ContentsNode* n);
  // All nodes in tree order.
  std::vector<ContentsNode*> Nodes() const;

  // Appends a node as the last child of parent (nullptr: top level).
  ContentsNode* AddChild(ContentsNode* parent, std::string text, ContentsNodeKind kind, int data);
  // Adds a node as the first child of parent (nullptr: top level).
  ContentsNode* AddChildFirst(ContentsNode* parent, std::string text, ContentsNodeKind kind,
                              int data);
  // Appends a node as the last node of sibling's level (same parent).
  ContentsNode* AddSibling(ContentsNode* sibling, std::string text, ContentsNodeKind kind, int data);
  // Inserts a node just before sibling.
  ContentsNode* Insert(ContentsNode* sibling, std::string text, ContentsNodeKind kind, int data);

  // Moves node (with its subtree) under parent (nullptr: top level), before
  // `before` (a child of parent) or at the end when before is nullptr.
  // Refused (false, nothing changes) when parent is node or lies below it,
  // or when before is node itself.
  bool Move(ContentsNode* node, ContentsNode* parent, ContentsNode* before);
  bool MoveBefore(ContentsNode* node, ContentsNode* target);
  bool MoveToFirstChild(ContentsNode* node, ContentsNode* parent);
  bool MoveToLastChild(ContentsNode* node, ContentsNode* parent);
  // Moves node to the end of the level of level_node.
  bool MoveToEndOfLevel(ContentsNode* node, ContentsNode* level_node);

  // Deletes node with its subtree. Clears the watched node reference (the
  // open topic's node) when it is one of the deleted nodes.
  void Delete(ContentsNode* node);
  // Deletes every node; clears the watched node reference.
  void Clear();

  // The reference that Delete and Clear set to nullptr when its node goes.
  void WatchNode(ContentsNode** ref) { watched_ = ref; }

 private:
  ContentsNode* ParentOrRoot(ContentsNode* parent) { return parent ? parent : &root_; }
  ContentsNode* Place(ContentsNode* parent, std::size_t pos, std::unique_ptr<ContentsNode> node);
  std::unique_ptr<ContentsNode> Detach(ContentsNode* node);
  static std::size_t SubtreeCount(const ContentsNode* n);

  ContentsNode root_;
  std::size_t count_ = 0;
  ContentsNode** watched_ = nullptr;
  friend class ContentsNode;
};

}  // namespace qm::editor
