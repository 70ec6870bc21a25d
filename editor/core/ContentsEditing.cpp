#include "editor/core/ContentsEditing.h"

#include "core/FileSystem.h"
#include "editor/core/LinkMarkup.h"

namespace qm::editor {

namespace {

bool IsTopicKind(const ContentsNode* n) {
  return n != nullptr && (n->Kind == kTopicNode || n->Kind == kHiddenTopicNode);
}

// Inserts a new node before s, then moves s before it: the node follows s.
ContentsNode* InsertAfter(ContentsTree& t, ContentsNode* s, std::string text,
                          ContentsNodeKind kind, int data) {
  ContentsNode* n = t.Insert(s, std::move(text), kind, data);
  t.MoveBefore(s, n);
  return n;
}

}  // namespace

ContentsActionState UpdateContentsActions(const ContentsTree& tree, const ContentsNode* s) {
  ContentsActionState a;
  if (s == nullptr) {
    a.AddBook = a.AddCnt = true;
    a.KIdAuto = false;
    return a;
  }
  const int k = s->Kind;
  const bool last = tree.Last() == s;
  const ContentsNode* next = s->NextSibling();
  a.AddBook = !(k >= 2 && !last && (k == 3 || (next != nullptr && !next->IsBook())));
  a.AddCnt = a.AddHelp = k != 3;
  a.AddHide = k == 2 || k == 3;
  a.DelCnt = !s->HasChildren();
  a.LinkList = s->FirstChild() != nullptr && s->FirstChild()->Kind == kHiddenTopicNode;
  return a;
}

bool BookPositionItemsEnabled(const ContentsNode* s) { return s != nullptr && s->IsBook(); }

bool EntryPositionItemsEnabled(const ContentsNode* s) { return s != nullptr && s->Kind >= 2; }

ContentsNode* AddBookNode(ProjectModel& m, ContentsNode* s, int tag) {
  ContentsTree& t = m.Contents;
  ContentsNode* n;
  if (s == nullptr) {
    n = t.AddChild(nullptr, "New", kBookClosed, 0);
  } else if (tag == kPlaceAbove) {
    n = t.Insert(s, "New", kBookClosed, 0);
  } else if (tag == kPlaceBelow) {
    n = InsertAfter(t, s, "New", kBookClosed, 0);
  } else if (tag == kPlaceThird) {
    n = t.AddChild(s, "New", kBookClosed, 0);
  } else {
    n = t.AddSibling(s, "New", kBookClosed, 0);
  }
  m.ProjectModified = true;
  return n;
}

ContentsNode* AddContentsNode(ProjectModel& m, ContentsNode* s, int tag) {
  const bool external = tag > 9;
  std::string text;
  int data;
  ContentsNodeKind kind;
  if (external) {
    text = "New";
    data = static_cast<int>(m.CntTargets.size());
    m.CntTargets.emplace_back();
    kind = kExternalNode;
  } else {
    int n = m.AllocateMapNumber();
    text = MakeTopicId(n);
    data = m.AddTopic(text, n);
    kind = kTopicNode;
  }
  const int place = external ? tag - kExternalTagBase : tag;
  ContentsTree& t = m.Contents;
  ContentsNode* node;
  if (s == nullptr) {
    node = t.AddChild(nullptr, std::move(text), kind, data);
  } else if (place == kPlaceAbove) {
    node = t.Insert(s, std::move(text), kind, data);
  } else if (place == kPlaceBelow) {
    node = InsertAfter(t, s, std::move(text), kind, data);
  } else if (place == kPlaceThird) {
    node = t.Insert(t.First(), std::move(text), kind, data);
  } else {
    // Entries come before the books of their level.
    ContentsNode* start = s->Kind >= 2 ? s : s->FirstChild();
    if (start == nullptr) {
      node = t.AddChild(s, std::move(text), kind, data);
    } else {
      ContentsNode* book = start;
      while (book != nullptr && !book->IsBook()) book = book->NextSibling();
      node = book ? t.Insert(book, std::move(text), kind, data)
                  : t.AddSibling(start, std::move(text), kind, data);
    }
  }
  m.ProjectModified = true;
  return node;
}

ContentsNode* AddHiddenTopicNode(ProjectModel& m, ContentsNode* s) {
  if (!IsTopicKind(s)) return nullptr;
  int n = m.AllocateMapNumber();
  std::string id = MakeTopicId(n);
  int row = m.AddTopic(id, n);
  ContentsNode* node = s->Kind == kTopicNode
                           ? m.Contents.AddChild(s, std::move(id), kHiddenTopicNode, row)
                           : m.Contents.AddSibling(s, std::move(id), kHiddenTopicNode, row);
  m.ProjectModified = true;
  return node;
}

DeleteOutcome DeleteContentsNode(ProjectModel& m, ContentsNode* node) {
  DeleteOutcome out;
  if (node == nullptr || node->HasChildren()) return out;
  if (IsTopicKind(node) && node->Data >= 0 &&
      static_cast<std::size_t>(node->Data) < m.TopicCount()) {
    const int i = node->Data;
    const std::string id = m.TopicIds[i];
    if (!id.empty()) DeleteFileAt(m.TopicFilePath(id));
    if (!m.TopicId.empty() && m.TopicId == id) {
      m.ClearOpenTopic();
      out.ClearedOpenTopic = true;
    }
    m.ClearTopicRow(i);
  }
  if (m.OpenTopicNode == node) {
    m.ClearOpenTopic();
    out.ClearedOpenTopic = true;
  }
  m.DeleteNode(node);
  m.ProjectModified = true;
  out.Deleted = true;
  return out;
}

DropOutcome DropContentsNode(ProjectModel& m, ContentsNode* d, ContentsNode* g) {
  DropOutcome out;
  if (d == nullptr || g == nullptr || d == g || d->Contains(g)) return out;
  ContentsTree& t = m.Contents;
  const bool g_is_book = g->IsBook();
  bool moved = false;
  switch (d->Kind) {
    case kTopicNode:
    case kExternalNode:
      if (g_is_book) moved = t.MoveToFirstChild(d, g);
      else if (g->Kind != kHiddenTopicNode) moved = t.MoveBefore(d, g);
      break;
    case kHiddenTopicNode:
      if (g->Kind == kTopicNode) moved = t.MoveToFirstChild(d, g);
      else if (g->Kind == kHiddenTopicNode) moved = t.MoveBefore(d, g);
      break;
    default:  // books
      if (g_is_book) {
        moved = t.MoveBefore(d, g);
      } else if (g->Kind != kHiddenTopicNode) {
        ContentsNode* next = g->NextSibling();
        if (next == nullptr) {
          moved = t.MoveToEndOfLevel(d, g);
        } else if (next == d) {
          return out;  // already there
        } else if (next->IsBook()) {
          moved = t.MoveBefore(d, next);
        }
      }
      break;
  }
  if (moved) {
    m.ProjectModified = true;
    out.Moved = true;
    out.PlacedAgainst = g;
  }
  return out;
}

bool EditorAcceptsDrag(const ContentsNode* d) { return d != nullptr && CanDropNodeOnEditor(d->Kind); }

bool CanEditLabel(const ContentsNode* node) { return node != nullptr && !IsTopicKind(node); }

void LabelEdited(ProjectModel& m, ContentsNode* node, std::string text) {
  if (node != nullptr) node->Text = std::move(text);
  m.ProjectModified = true;
}

void NodeExpanded(ContentsNode* node) {
  if (node != nullptr && node->Kind == kBookClosed) node->Kind = kBookOpen;
}

void NodeCollapsed(ContentsNode* node) {
  if (node != nullptr && node->Kind == kBookOpen) node->Kind = kBookClosed;
}

ContentsClick ClickContentsNode(ProjectModel& m, ContentsNode* s,
                                const std::function<void()>& save_open_topic) {
  if (s == nullptr || s == m.OpenTopicNode) return ContentsClick::kNothing;
  if (s->Kind == kExternalNode) return ContentsClick::kEditExternal;
  if (IsTopicKind(s)) {
    if (save_open_topic) save_open_topic();
    m.OpenTopicNode = s;
    return ContentsClick::kOpenTopic;
  }
  return ContentsClick::kNothing;
}

TopicStatusEnabling TopicStatusFor(const std::string& topic_id, std::optional<bool> enabled_now,
                                   const ContentsNode* selected) {
  TopicStatusEnabling e;
  e.ReadOnly = topic_id.empty();
  const bool en = !e.ReadOnly;
  e.KIdAuto = en && selected != nullptr && selected->Kind == kTopicNode;
  if (!enabled_now || *enabled_now != en) e.Apply = en;
  return e;
}

}  // namespace qm::editor
