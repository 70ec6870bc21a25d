// The contents tree: opening topics from it, adding, deleting, relabelling
// and moving its nodes, the contents commands' enabling and the open
// topic's status. The rules are the contents tree's own (ContentsEditing);
// this file keeps the tree view in step with them.
#include <set>

#include "editor/MainForm.h"
#include "editor/core/ContentsEditing.h"

namespace qm::editor {

namespace {

using cl::TTreeNode;

TTreeNode ItemOf(const ContentsNode* n) { return n ? static_cast<TTreeNode>(n->ViewItem) : nullptr; }

// The placement Tag of a command's sender: a position menu item's own Tag,
// otherwise the Tag of the action behind the item or button (AddHelpA: 10).
int PlacementTag(cl::TComponent* sender) {
  if (auto* m = dynamic_cast<cl::TMenuItem*>(sender))
    return static_cast<int>(m->Action() ? m->Action()->Tag : m->Tag);
  if (auto* b = dynamic_cast<cl::TToolButton*>(sender))
    return static_cast<int>(b->Action() ? b->Action()->Tag : b->Tag);
  return sender ? static_cast<int>(sender->Tag) : 0;
}

}  // namespace

void TMainForm::WireContentsCommands() {
  ConTextView->OnClick = [this](cl::TControl* c) { ConTextViewClick(c); };
  ConTextView->OnChange = [this](cl::TTreeView* t, TTreeNode) { ConTextViewChange(t); };
  ConTextView->OnExpanded = [this](cl::TTreeView*, TTreeNode n) { ConTextViewExpanded(n); };
  ConTextView->OnCollapsed = [this](cl::TTreeView*, TTreeNode n) { ConTextViewCollapsed(n); };
  ConTextView->OnEditing = [this](cl::TTreeView*, TTreeNode n, bool& allow) {
    ConTextViewEditing(n, allow);
  };
  ConTextView->OnEdited = [this](cl::TTreeView*, TTreeNode n, std::string& text) {
    ConTextViewEdited(n, text);
  };
  ConTextView->OnDragOver = [this](controls::TTreeViewEx*, cl::TControl* source, int x, int y,
                                   controls::TDragState, bool& accept) {
    ConTextViewDragOver(source, x, y, accept);
  };
  ConTextView->OnDragDrop = [this](controls::TTreeViewEx*, cl::TControl* source, int x, int y) {
    ConTextViewDragDrop(source, x, y);
  };
  EditorDrop = new controls::TDropHandler(this, Editor);
  EditorDrop->Name = "EditorDrop";
  EditorDrop->OnDragOver = [this](cl::TControl*, cl::TControl* source, int x, int y,
                                  controls::TDragState, bool& accept) {
    EditorDragOver(source, x, y, accept);
  };

  AddBookA->OnExecute = [this](cl::TComponent* s) { AddBookAExecute(s); };
  AddCntA->OnExecute = [this](cl::TComponent* s) { AddCntAExecute(s); };
  AddHelpA->OnExecute = [this](cl::TComponent* s) { AddCntAExecute(s); };
  AddHideA->OnExecute = [this](cl::TComponent* s) { AddHideAExecute(s); };
  DelCntA->OnExecute = [this](cl::TComponent* s) { DelCntAExecute(s); };

  // The drop-down position menus of the toolbar buttons.
  struct ItemDef {
    cl::TMenuItem** item;
    const char* name;
    const char* caption;
    int tag;
  };
  auto make_menu = [this](const char* name, std::initializer_list<ItemDef> items,
                          std::function<void(cl::TComponent*)> handler) {
    auto* menu = new cl::TPopupMenu(this);
    menu->Name = name;
    for (const ItemDef& d : items) {
      cl::TMenuItem* m = menu->Items()->AddItem(d.caption, [handler](cl::TMenuItem* s) { handler(s); });
      m->Name = d.name;
      m->Tag = d.tag;
      *d.item = m;
    }
    return menu;
  };
  auto add_book = [this](cl::TComponent* s) { AddBookAExecute(s); };
  auto add_cnt = [this](cl::TComponent* s) { AddCntAExecute(s); };
  BookMenu = make_menu("BookMenu",
                       {{&BookInsUpMenu, "BookInsUpMenu", "上に挿入", 1},
                        {&BookInsDnMenu, "BookInsDnMenu", "下に挿入", 2},
                        {&BookInsLDnMenu, "BookInsLDnMenu", "１レベル下に挿入", 3}},
                       add_book);
  TopicInsMenu = make_menu("TopicInsMenu",
                           {{&TopicInsUpMenu, "TopicInsUpMenu", "上に挿入", 1},
                            {&TopicInsDnMenu, "TopicInsDnMenu", "下に挿入", 2},
                            {&TopicInsTopMenu, "TopicInsTopMenu", "トップに挿入", 3}},
                           add_cnt);
  OtherInsMenu = make_menu("OtherInsMenu",
                           {{&OtherUpMenu, "OtherUpMenu", "上に挿入", 11},
                            {&OtherDownMenu, "OtherDownMenu", "下に挿入", 12},
                            {&OtherTopMenu, "OtherTopMenu", "トップﾟに挿入", 13}},
                           add_cnt);
  BookMenu->OnPopup = [this](cl::TPopupMenu* m) { BookMenuPopup(m); };
  TopicInsMenu->OnPopup = [this](cl::TPopupMenu* m) { TopicInsMenuPopup(m); };
  OtherInsMenu->OnPopup = [this](cl::TPopupMenu* m) { TopicInsMenuPopup(m); };
  if (AddBookButton) AddBookButton->DropdownMenu = BookMenu;
  if (AddCntButton) AddCntButton->DropdownMenu = TopicInsMenu;
  if (AddHelpButton) AddHelpButton->DropdownMenu = OtherInsMenu;
}

void TMainForm::ShowTopicStatus(const std::string& id) {
  Project.TopicId = id;
  StatusBar->SetPanelText(0, Project.TopicId);
  StatusBar->SetPanelText(1, Project.MapNumberText);
  StatusBar->SetPanelText(2, Project.TopicFootnotes.BrowseId);
  StatusBar->SetPanelText(4, Project.TopicFootnotes.TopicTitle);
  StatusBar->SetPanelText(5, Project.TopicFootnotes.KKeywords);
  StatusBar->SetPanelText(6, Project.TopicFootnotes.AKeywords);
  TopicStatusEnabling st =
      TopicStatusFor(Project.TopicId, TopicCommandsEnabled, NodeOfItem(ConTextView->Selected()));
  Editor->SetReadOnly(st.ReadOnly);
  // st.KIdAuto is worked out before the stop below: the View menu's KId_Auto
  // takes it whether or not the other commands change.
  if (!st.Apply) return;
  TopicCommandsEnabled = *st.Apply;
  for (cl::TAction* a : TopicCommandActions) a->SetEnabled(*st.Apply);
  for (cl::TMenuItem* m : TopicCommandItems) m->SetEnabled(*st.Apply);
}

void TMainForm::UpdateContentsActions() {
  ContentsActionState st =
      qm::editor::UpdateContentsActions(Project.Contents, NodeOfItem(ConTextView->Selected()));
  AddBookA->SetEnabled(st.AddBook);
  AddCntA->SetEnabled(st.AddCnt);
  AddHideA->SetEnabled(st.AddHide);
  AddHelpA->SetEnabled(st.AddHelp);
  DelCntA->SetEnabled(st.DelCnt);
  // st.LinkList (Insert menu) and st.KIdAuto (View menu) go to their items
  // with the commands that own them.
}

void TMainForm::ConTextViewClick(cl::TComponent*) {
  ContentsNode* s = NodeOfItem(ConTextView->Selected());
  // The open topic is saved before OpenTopicNode moves: should the save
  // fail, the tree still points at the topic that is in the editor.
  ContentsClick c = ClickContentsNode(Project, s, [this] {
    if (Editor->Modified() && !Project.TopicId.empty()) SaveTopic();
  });
  if (c == ContentsClick::kOpenTopic) LoadTopic();
  // A click on a book does nothing; external entries are edited in their
  // dialog, which comes with the external-entry commands.
}

void TMainForm::ConTextViewChange(cl::TComponent*) { UpdateContentsActions(); }

void TMainForm::ConTextViewExpanded(TTreeNode item) {
  if (ContentsNode* n = NodeOfItem(item); n && n->Kind == kBookClosed) {
    NodeExpanded(n);
    ConTextView->SetImageIndex(item, n->Kind);
  }
}

void TMainForm::ConTextViewCollapsed(TTreeNode item) {
  if (ContentsNode* n = NodeOfItem(item); n && n->Kind == kBookOpen) {
    NodeCollapsed(n);
    ConTextView->SetImageIndex(item, n->Kind);
  }
}

void TMainForm::ConTextViewEditing(TTreeNode item, bool& allow) {
  allow = CanEditLabel(NodeOfItem(item));
}

void TMainForm::ConTextViewEdited(TTreeNode item, std::string& text) {
  LabelEdited(Project, NodeOfItem(item), text);
}

void TMainForm::BookMenuPopup(cl::TPopupMenu*) {
  bool on = BookPositionItemsEnabled(NodeOfItem(ConTextView->Selected()));
  for (cl::TMenuItem* m : {BookInsUpMenu, BookInsDnMenu, BookInsLDnMenu}) m->SetEnabled(on);
}

void TMainForm::TopicInsMenuPopup(cl::TPopupMenu* sender) {
  bool on = EntryPositionItemsEnabled(NodeOfItem(ConTextView->Selected()));
  cl::TMenuItem* items = sender ? sender->Items() : TopicInsMenu->Items();
  // Above and below need a topic or entry; the "top" item stays enabled.
  items->Item(0)->SetEnabled(on);
  items->Item(1)->SetEnabled(on);
}

void TMainForm::InsertContentsItem(ContentsNode* n) {
  ContentsNode* prev = n->PrevSibling();
  n->ViewItem = ConTextView->Insert(ItemOf(n->Parent()), prev ? ItemOf(prev) : TVI_FIRST, n->Text,
                                    n->Kind, reinterpret_cast<LPARAM>(n));
}

void TMainForm::MoveContentsItems(ContentsNode* node) {
  // The items of the subtree go and come back at the node's new place, each
  // as expanded as it was; the selection stays on its node.
  std::set<ContentsNode*> expanded;
  ContentsNode* selected = NodeOfItem(ConTextView->Selected());
  bool keep_selection = false;
  for (ContentsNode* n = node; n; n = ContentsTree::Next(n)) {
    if (n != node && !node->Contains(n)) break;
    if (ConTextView->Expanded(ItemOf(n))) expanded.insert(n);
    if (n == selected) keep_selection = true;
  }
  ConTextView->Delete(ItemOf(node));
  std::vector<ContentsNode*> subtree;
  for (ContentsNode* n = node; n; n = ContentsTree::Next(n)) {
    if (n != node && !node->Contains(n)) break;
    subtree.push_back(n);
  }
  for (ContentsNode* n : subtree) {
    if (n == node) {
      InsertContentsItem(n);
    } else {
      n->ViewItem = ConTextView->AddChild(ItemOf(n->Parent()), n->Text, n->Kind,
                                          reinterpret_cast<LPARAM>(n));
    }
  }
  for (ContentsNode* n : subtree)
    if (expanded.count(n)) ConTextView->Expand(ItemOf(n), true);
  if (keep_selection) ConTextView->Select(ItemOf(selected));
}

void TMainForm::AddBookAExecute(cl::TComponent* sender) {
  ContentsNode* s = NodeOfItem(ConTextView->Selected());
  ConTextView->BeginUpdate();
  ContentsNode* n = AddBookNode(Project, s, PlacementTag(sender));
  InsertContentsItem(n);
  ConTextView->EndUpdate();
  ConTextView->Select(ItemOf(n));
  UpdateContentsActions();
}

void TMainForm::AddCntAExecute(cl::TComponent* sender) {
  ContentsNode* s = NodeOfItem(ConTextView->Selected());
  ConTextView->BeginUpdate();
  ContentsNode* n = AddContentsNode(Project, s, PlacementTag(sender));
  InsertContentsItem(n);
  ConTextView->EndUpdate();
  ConTextView->Select(ItemOf(n));
  UpdateContentsActions();
  // A new topic opens at once (empty: its file does not exist yet).
  ConTextViewClick(this);
}

void TMainForm::AddHideAExecute(cl::TComponent*) {
  ContentsNode* s = NodeOfItem(ConTextView->Selected());
  ConTextView->BeginUpdate();
  ContentsNode* n = AddHiddenTopicNode(Project, s);
  if (n) InsertContentsItem(n);
  ConTextView->EndUpdate();
  if (!n) return;
  ConTextView->Select(ItemOf(n));
  UpdateContentsActions();
  ConTextViewClick(this);
}

void TMainForm::DelCntAExecute(cl::TComponent*) {
  ContentsNode* s = NodeOfItem(ConTextView->Selected());
  if (!s || s->HasChildren()) return;
  TTreeNode item = ItemOf(s);
  ConTextView->BeginUpdate();
  // The item goes first: the selection moves while its node still exists.
  ConTextView->Delete(item);
  DeleteOutcome out = DeleteContentsNode(Project, s);
  ConTextView->EndUpdate();
  if (out.ClearedOpenTopic) {
    // The emptied editor holds no topic any more (read-only, no id).
    Project.TopicId.clear();
    Project.OpenTopicNode = nullptr;
    ClearTopicEditor();
  }
  UpdateContentsActions();
}

void TMainForm::ConTextViewDragOver(cl::TControl* source, int, int, bool& accept) {
  accept = dynamic_cast<controls::TTreeViewEx*>(source) != nullptr;
}

void TMainForm::ConTextViewDragDrop(cl::TControl* source, int x, int y) {
  // Only this tree's own nodes move within it.
  if (source != ConTextView) return;
  ContentsNode* d = NodeOfItem(ConTextView->DragNode());
  ContentsNode* g = NodeOfItem(ConTextView->NodeAt(x, y));
  if (!d || !g || d == g) return;
  ConTextView->BeginUpdate();
  DropOutcome out = DropContentsNode(Project, d, g);
  if (out.Moved) {
    MoveContentsItems(d);
    if (d->IsBook()) {
      // An open book and the node it was placed against show open again.
      if (out.PlacedAgainst && out.PlacedAgainst->Kind == kBookOpen)
        ConTextView->Expand(ItemOf(out.PlacedAgainst), true);
      if (d->Kind == kBookOpen) ConTextView->Expand(ItemOf(d), true);
    }
  }
  ConTextView->EndUpdate();
  if (out.Moved) UpdateContentsActions();
}

void TMainForm::EditorDragOver(cl::TControl* source, int, int, bool& accept) {
  auto* tree = dynamic_cast<controls::TTreeViewEx*>(source);
  // The dragged node's item holds its contents node (ConTextView's own).
  accept = tree == ConTextView && EditorAcceptsDrag(NodeOfItem(tree->DragNode()));
}

}  // namespace qm::editor
