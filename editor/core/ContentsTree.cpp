#include "editor/core/ContentsTree.h"

#include <utility>

namespace qm::editor {

ContentsNode* ContentsNode::Parent() const {
  // The hidden root is the only node without a parent of its own.
  if (parent_ == nullptr || parent_->parent_ == nullptr) return nullptr;
  return parent_;
}

ContentsNode* ContentsNode::NextSibling() const {
  if (parent_ == nullptr || index_ + 1 >= parent_->children_.size()) return nullptr;
  return parent_->children_[index_ + 1].get();
}

ContentsNode* ContentsNode::PrevSibling() const {
  if (parent_ == nullptr || index_ == 0) return nullptr;
  return parent_->children_[index_ - 1].get();
}

int ContentsNode::Level() const {
  int level = 0;
  for (const ContentsNode* p = Parent(); p != nullptr; p = p->Parent()) ++level;
  return level;
}

bool ContentsNode::Contains(const ContentsNode* other) const {
  for (const ContentsNode* p = other; p != nullptr; p = p->parent_) {
    if (p == this) return true;
  }
  return false;
}

ContentsTree::ContentsTree() = default;

ContentsNode* ContentsTree::First() const {
  return root_.children_.empty() ? nullptr : root_.children_.front().get();
}

ContentsNode* ContentsTree::Last() const {
  ContentsNode* n = root_.children_.empty() ? nullptr : root_.children_.back().get();
  while (n != nullptr && n->HasChildren()) n = n->LastChild();
  return n;
}

ContentsNode* ContentsTree::Next(const ContentsNode* n) {
  if (n->HasChildren()) return n->FirstChild();
  for (const ContentsNode* p = n; p != nullptr; p = p->Parent()) {
    if (ContentsNode* s = p->NextSibling()) return s;
  }
  return nullptr;
}

std::vector<ContentsNode*> ContentsTree::Nodes() const {
  std::vector<ContentsNode*> out;
  out.reserve(count_);
  for (ContentsNode* n = First(); n != nullptr; n = Next(n)) out.push_back(n);
  return out;
}

ContentsNode* ContentsTree::Place(ContentsNode* parent, std::size_t pos,
                                  std::unique_ptr<ContentsNode> node) {
  auto& kids = parent->children_;
  if (pos > kids.size()) pos = kids.size();
  node->parent_ = parent;
  ContentsNode* raw = node.get();
  kids.insert(kids.begin() + static_cast<std::ptrdiff_t>(pos), std::move(node));
  for (std::size_t i = pos; i < kids.size(); ++i) kids[i]->index_ = i;
  count_ += SubtreeCount(raw);
  return raw;
}

std::unique_ptr<ContentsNode> ContentsTree::Detach(ContentsNode* node) {
  ContentsNode* parent = node->parent_;
  auto& kids = parent->children_;
  std::size_t pos = node->index_;
  std::unique_ptr<ContentsNode> owned = std::move(kids[pos]);
  kids.erase(kids.begin() + static_cast<std::ptrdiff_t>(pos));
  for (std::size_t i = pos; i < kids.size(); ++i) kids[i]->index_ = i;
  owned->parent_ = nullptr;
  count_ -= SubtreeCount(owned.get());
  return owned;
}

std::size_t ContentsTree::SubtreeCount(const ContentsNode* n) {
  std::size_t c = 1;
  for (const auto& k : n->children_) c += SubtreeCount(k.get());
  return c;
}

namespace {
std::unique_ptr<ContentsNode> MakeNode(std::string text, ContentsNodeKind kind, int data) {
  auto n = std::make_unique<ContentsNode>();
  n->Text = std::move(text);
  n->Kind = kind;
  n->Data = data;
  return n;
}
}  // namespace

ContentsNode* ContentsTree::AddChild(ContentsNode* parent, std::string text,
                                     ContentsNodeKind kind, int data) {
  ContentsNode* p = ParentOrRoot(parent);
  return Place(p, p->children_.size(), MakeNode(std::move(text), kind, data));
}

ContentsNode* ContentsTree::AddChildFirst(ContentsNode* parent, std::string text,
                                          ContentsNodeKind kind, int data) {
  return Place(ParentOrRoot(parent), 0, MakeNode(std::move(text), kind, data));
}

ContentsNode* ContentsTree::AddSibling(ContentsNode* sibling, std::string text,
                                       ContentsNodeKind kind, int data) {
  ContentsNode* p = sibling->parent_;
  return Place(p, p->children_.size(), MakeNode(std::move(text), kind, data));
}

ContentsNode* ContentsTree::Insert(ContentsNode* sibling, std::string text,
                                   ContentsNodeKind kind, int data) {
  return Place(sibling->parent_, sibling->index_, MakeNode(std::move(text), kind, data));
}

bool ContentsTree::Move(ContentsNode* node, ContentsNode* parent, ContentsNode* before) {
  ContentsNode* p = ParentOrRoot(parent);
  if (node == nullptr || node->Contains(p) || before == node) return false;
  if (before != nullptr && before->parent_ != p) return false;
  std::unique_ptr<ContentsNode> owned = Detach(node);
  std::size_t pos = before != nullptr ? before->index_ : p->children_.size();
  Place(p, pos, std::move(owned));
  return true;
}

bool ContentsTree::MoveBefore(ContentsNode* node, ContentsNode* target) {
  if (target == nullptr) return false;
  return Move(node, target->Parent(), target);
}

bool ContentsTree::MoveToFirstChild(ContentsNode* node, ContentsNode* parent) {
  ContentsNode* p = ParentOrRoot(parent);
  ContentsNode* first = p->children_.empty() ? nullptr : p->children_.front().get();
  if (first == node) return !node->Contains(p);  // already there
  return Move(node, parent, first);
}

bool ContentsTree::MoveToLastChild(ContentsNode* node, ContentsNode* parent) {
  return Move(node, parent, nullptr);
}

bool ContentsTree::MoveToEndOfLevel(ContentsNode* node, ContentsNode* level_node) {
  if (level_node == nullptr) return false;
  return Move(node, level_node->Parent(), nullptr);
}

void ContentsTree::Delete(ContentsNode* node) {
  if (node == nullptr) return;
  if (watched_ != nullptr && *watched_ != nullptr && node->Contains(*watched_)) {
    *watched_ = nullptr;
  }
  Detach(node);
}

void ContentsTree::Clear() {
  if (watched_ != nullptr) *watched_ = nullptr;
  root_.children_.clear();
  count_ = 0;
}

}  // namespace qm::editor
