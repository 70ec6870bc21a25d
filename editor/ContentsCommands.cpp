#include "editor/ContentsCommands.h"

#include <set>

#include "editor/EditingCommands.h"
#include "editor/ImageIndexes.h"
#include "editor/MarkupCommands.h"
#include "editor/TopicCommands.h"
#include "editor/core/ContentsEditing.h"
#include "editor/core/ContentsViewOrder.h"

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

TContentsCommands::TContentsCommands(TMainForm& form)
    : TCommandGroup(form), view_(form.ConTextView) {
  // The commands, disabled until a node allows them.
  cl::TActionList* actions = Form.ActionList1;
  AddBookA = actions->Add("AddBookA", "新規ヘッダ(&E)", 0, kImgAddBook);
  AddCntA = actions->Add("AddCntA", "新規トピック(&T)", 0, kImgAddTopic);
  AddHideA = actions->Add("AddHideA", "新規非表示トピック(&H)", 0, kImgAddHidden);
  AddHelpA = actions->Add("AddHelpA", "新規参照トピック(&B)", 0, kImgAddExternal);
  AddHelpA->Tag = 10;
  DelCntA = actions->Add("DelCntA", "コンテキスト削除(&D)", 0, kImgDelete);
  for (cl::TAction* a : {AddBookA, AddCntA, AddHideA, AddHelpA, DelCntA}) {
    a->SetEnabled(false);
    Form.FileContentsPlace.Add(a);
  }
  AddBookButton = Form.ContextBar->AddButton(AddBookA, cl::TToolButtonStyle::DropDown);
  AddCntButton = Form.ContextBar->AddButton(AddCntA, cl::TToolButtonStyle::DropDown);
  Form.ContextBar->AddButton(AddHideA);
  AddHelpButton = Form.ContextBar->AddButton(AddHelpA, cl::TToolButtonStyle::DropDown);
  Form.ContextBar->AddButton(DelCntA);

  view_->OnClick = [this](cl::TControl* c) { ConTextViewClick(c); };
  view_->OnChange = [this](cl::TTreeView* t, TTreeNode) { ConTextViewChange(t); };
  view_->OnExpanded = [this](cl::TTreeView*, TTreeNode n) { ConTextViewExpanded(n); };
  view_->OnCollapsed = [this](cl::TTreeView*, TTreeNode n) { ConTextViewCollapsed(n); };
  view_->OnEditing = [this](cl::TTreeView*, TTreeNode n, bool& allow) { ConTextViewEditing(n, allow); };
  view_->OnEdited = [this](cl::TTreeView*, TTreeNode n, std::string& text) { ConTextViewEdited(n, text); };
  view_->OnDragOver = [this](controls::TTreeViewEx*, cl::TControl* source, int x, int y, controls::TDragState,
                             bool& accept) { ConTextViewDragOver(source, x, y, accept); };
  view_->OnDragDrop = [this](controls::TTreeViewEx*, cl::TControl* source, int x, int y) {
    ConTextViewDragDrop(source, x, y);
  };
  EditorDrop = new controls::TDropHandler(&Form, Form.Editor);
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
    auto* menu = new cl::TPopupMenu(&Form);
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
  // "トップﾟ" with its stray half-width sound mark is the item's text as
  // authors know it: keep it.
  OtherInsMenu = make_menu("OtherInsMenu",
                           {{&OtherUpMenu, "OtherUpMenu", "上に挿入", 11},
                            {&OtherDownMenu, "OtherDownMenu", "下に挿入", 12},
                            {&OtherTopMenu, "OtherTopMenu", "トップﾟに挿入", 13}},
                           add_cnt);
  BookMenu->OnPopup = [this](cl::TPopupMenu* m) { BookMenuPopup(m); };
  TopicInsMenu->OnPopup = [this](cl::TPopupMenu* m) { TopicInsMenuPopup(m); };
  OtherInsMenu->OnPopup = [this](cl::TPopupMenu* m) { TopicInsMenuPopup(m); };
  AddBookButton->DropdownMenu = BookMenu;
  AddCntButton->DropdownMenu = TopicInsMenu;
  AddHelpButton->DropdownMenu = OtherInsMenu;
}

void TContentsCommands::FormCreated() { ShowTopicStatus(""); }

void TContentsCommands::ShowTopicStatus(const std::string& id) {
  Project.TopicId = id;
  Form.StatusBar->SetPanelText(0, Project.TopicId);
  Form.StatusBar->SetPanelText(1, Project.MapNumberText);
  Form.StatusBar->SetPanelText(2, Project.TopicFootnotes.BrowseId);
  Form.StatusBar->SetPanelText(4, Project.TopicFootnotes.TopicTitle);
  Form.StatusBar->SetPanelText(5, Project.TopicFootnotes.KKeywords);
  Form.StatusBar->SetPanelText(6, Project.TopicFootnotes.AKeywords);
  TopicStatusEnabling st =
      TopicStatusFor(Project.TopicId, TopicCommandsEnabled, NodeOfItem(view_->Selected()));
  Form.Editor->SetReadOnly(st.ReadOnly);
  Form.Group<TEditingCommands>().EditEnabling();
  Form.Group<TMarkupCommands>().ShowNoScroll();
  // The View menu's KId_Auto follows the open topic whether or not the
  // other commands change.
  for (const auto& shown : TopicStatusShown) shown(st);
  if (!st.Apply) return;
  TopicCommandsEnabled = *st.Apply;
  Form.TopicOpenCommands.SetEnabled(*st.Apply);
}

void TContentsCommands::UpdateContentsActions() {
  ContentsActionState st =
      qm::editor::UpdateContentsActions(Project.Contents, NodeOfItem(view_->Selected()));
  AddBookA->SetEnabled(st.AddBook);
  AddCntA->SetEnabled(st.AddCnt);
  AddHideA->SetEnabled(st.AddHide);
  AddHelpA->SetEnabled(st.AddHelp);
  DelCntA->SetEnabled(st.DelCnt);
  // st.LinkList (Insert menu) and st.KIdAuto (View menu) go to their items
  // with the commands that own them.
  for (const auto& shown : ContentsActionsShown) shown(st);
}

void TContentsCommands::ConTextViewClick(cl::TComponent*) {
  ContentsNode* s = NodeOfItem(view_->Selected());
  // The open topic is saved before OpenTopicNode moves: should the save
  // fail, the tree still points at the topic that is in the editor.
  ContentsClick c = ClickContentsNode(Project, s, [this] {
    if (Form.Editor->Modified() && !Project.TopicId.empty()) Form.TopicCmds->SaveTopic();
  });
  if (c == ContentsClick::kOpenTopic) Form.TopicCmds->LoadTopic();
  if (c == ContentsClick::kEditExternal && OnEditExternalEntry) OnEditExternalEntry(s);
}

void TContentsCommands::ConTextViewChange(cl::TComponent*) { UpdateContentsActions(); }

void TContentsCommands::ConTextViewExpanded(TTreeNode item) {
  if (ContentsNode* n = NodeOfItem(item); n && n->Kind == kBookClosed) {
    NodeExpanded(n);
    view_->SetImageIndex(item, n->Kind);
  }
}

void TContentsCommands::ConTextViewCollapsed(TTreeNode item) {
  if (ContentsNode* n = NodeOfItem(item); n && n->Kind == kBookOpen) {
    NodeCollapsed(n);
    view_->SetImageIndex(item, n->Kind);
  }
}

void TContentsCommands::ConTextViewEditing(TTreeNode item, bool& allow) {
  allow = CanEditLabel(NodeOfItem(item));
}

void TContentsCommands::ConTextViewEdited(TTreeNode item, std::string& text) {
  LabelEdited(Project, NodeOfItem(item), text);
}

void TContentsCommands::BookMenuPopup(cl::TPopupMenu*) {
  bool on = BookPositionItemsEnabled(NodeOfItem(view_->Selected()));
  for (cl::TMenuItem* m : {BookInsUpMenu, BookInsDnMenu, BookInsLDnMenu}) m->SetEnabled(on);
}

void TContentsCommands::TopicInsMenuPopup(cl::TPopupMenu* sender) {
  bool on = EntryPositionItemsEnabled(NodeOfItem(view_->Selected()));
  cl::TMenuItem* items = sender ? sender->Items() : TopicInsMenu->Items();
  // Above and below need a topic or entry; the "top" item stays enabled.
  items->Item(0)->SetEnabled(on);
  items->Item(1)->SetEnabled(on);
}

void TContentsCommands::InsertContentsItem(ContentsNode* n) {
  ContentsNode* prev = n->PrevSibling();
  n->ViewItem = view_->Insert(ItemOf(n->Parent()), prev ? ItemOf(prev) : TVI_FIRST, n->Text, n->Kind,
                              reinterpret_cast<LPARAM>(n));
}

void TContentsCommands::MoveContentsItems(ContentsNode* node) {
  // The items of the subtree go and come back at the node's new place, each
  // as expanded as it was; the selection stays on its node.
  std::set<ContentsNode*> expanded;
  ContentsNode* selected = NodeOfItem(view_->Selected());
  bool keep_selection = false;
  for (ContentsNode* n = node; n; n = ContentsTree::Next(n)) {
    if (n != node && !node->Contains(n)) break;
    if (view_->Expanded(ItemOf(n))) expanded.insert(n);
    if (n == selected) keep_selection = true;
  }
  view_->Delete(ItemOf(node));
  std::vector<ContentsNode*> subtree;
  for (ContentsNode* n = node; n; n = ContentsTree::Next(n)) {
    if (n != node && !node->Contains(n)) break;
    subtree.push_back(n);
  }
  for (ContentsNode* n : subtree) {
    if (n == node) {
      InsertContentsItem(n);
    } else {
      n->ViewItem = view_->AddChild(ItemOf(n->Parent()), n->Text, n->Kind, reinterpret_cast<LPARAM>(n));
    }
  }
  for (ContentsNode* n : subtree)
    if (expanded.count(n)) view_->Expand(ItemOf(n), true);
  if (keep_selection) view_->Select(ItemOf(selected));
}

void TContentsCommands::AddBookAExecute(cl::TComponent* sender) {
  ContentsNode* s = NodeOfItem(view_->Selected());
  view_->BeginUpdate();
  ContentsNode* n = AddBookNode(Project, s, PlacementTag(sender));
  InsertContentsItem(n);
  view_->EndUpdate();
  view_->Select(ItemOf(n));
  UpdateContentsActions();
}

void TContentsCommands::AddCntAExecute(cl::TComponent* sender) {
  ContentsNode* s = NodeOfItem(view_->Selected());
  view_->BeginUpdate();
  ContentsNode* n = AddContentsNode(Project, s, PlacementTag(sender));
  InsertContentsItem(n);
  view_->EndUpdate();
  view_->Select(ItemOf(n));
  UpdateContentsActions();
  // A new topic opens at once (empty: its file does not exist yet).
  ConTextViewClick(&Form);
}

void TContentsCommands::AddHideAExecute(cl::TComponent*) {
  ContentsNode* s = NodeOfItem(view_->Selected());
  view_->BeginUpdate();
  ContentsNode* n = AddHiddenTopicNode(Project, s);
  if (n) InsertContentsItem(n);
  view_->EndUpdate();
  if (!n) return;
  view_->Select(ItemOf(n));
  UpdateContentsActions();
  ConTextViewClick(&Form);
}

void TContentsCommands::DelCntAExecute(cl::TComponent*) {
  ContentsNode* s = NodeOfItem(view_->Selected());
  if (!s || s->HasChildren()) return;
  TTreeNode item = ItemOf(s);
  view_->BeginUpdate();
  // The item goes first: the selection moves while its node still exists.
  view_->Delete(item);
  DeleteOutcome out = DeleteContentsNode(Project, s);
  view_->EndUpdate();
  if (out.ClearedOpenTopic) {
    // The emptied editor holds no topic any more (read-only, no id).
    Project.TopicId.clear();
    Project.OpenTopicNode = nullptr;
    Form.TopicCmds->ClearTopicEditor();
  }
  UpdateContentsActions();
}

void TContentsCommands::ConTextViewDragOver(cl::TControl* source, int, int, bool& accept) {
  accept = dynamic_cast<controls::TTreeViewEx*>(source) != nullptr;
}

void TContentsCommands::ConTextViewDragDrop(cl::TControl* source, int x, int y) {
  // Only this tree's own nodes move within it.
  if (source != view_) return;
  ContentsNode* d = NodeOfItem(view_->DragNode());
  ContentsNode* g = NodeOfItem(view_->NodeAt(x, y));
  if (!d || !g || d == g) return;
  view_->BeginUpdate();
  DropOutcome out = DropContentsNode(Project, d, g);
  if (out.Moved) {
    MoveContentsItems(d);
    if (d->IsBook()) {
      // An open book and the node it was placed against show open again.
      if (out.PlacedAgainst && out.PlacedAgainst->Kind == kBookOpen)
        view_->Expand(ItemOf(out.PlacedAgainst), true);
      if (d->Kind == kBookOpen) view_->Expand(ItemOf(d), true);
    }
  }
  view_->EndUpdate();
  if (out.Moved) UpdateContentsActions();
}

void TContentsCommands::EditorDragOver(cl::TControl* source, int, int, bool& accept) {
  auto* tree = dynamic_cast<controls::TTreeViewEx*>(source);
  // The dragged node's item holds its contents node (ConTextView's own).
  accept = tree == view_ && EditorAcceptsDrag(NodeOfItem(tree->DragNode()));
}

void TContentsCommands::RebuildContentsView() {
  view_->BeginUpdate();
  view_->Clear();
  for (const ViewInsertion& in : ViewInsertionOrder(Project.Contents)) {
    ContentsNode* n = in.Node;
    TTreeNode after = in.Where == ViewInsertion::Place::Last    ? TVI_LAST
                      : in.Where == ViewInsertion::Place::First ? TVI_FIRST
                                                                : ItemOf(in.After);
    n->ViewItem = view_->Insert(ItemOf(n->Parent()), after, n->Text, n->Kind, reinterpret_cast<LPARAM>(n));
  }
  // The open books are expanded in tree order, as the author left them.
  for (ContentsNode* n : Project.Contents.Nodes())
    if (n->Kind == kBookOpen) view_->Expand(ItemOf(n), true);
  view_->EndUpdate();
}

ContentsNode* TContentsCommands::NodeOfItem(cl::TTreeNode item) const {
  return item ? reinterpret_cast<ContentsNode*>(view_->Data(item)) : nullptr;
}

}  // namespace qm::editor
