#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "WineTestUtil.h"
#include "core/FileSystem.h"
#include "core/Lines.h"

using namespace qm::editor::test;
using namespace qm::editor;

namespace {

char KindLetter(int kind) { return "BBTHE"[kind]; }

// The contents of a new, empty project, with the tree and its view.
struct ContentsFixture : EditorFixture {
  std::string dir;
  TMainForm& f;

  ContentsFixture() : f(*form) {
    dir = NewTempDir();
    dialog_answers = {dir + "\\Book.hpj"};
    f.ProjectCmds->FileNew(nullptr);
    f.SetScreenBounds(20, 20, 700, 600);
    Pump();
  }

  static cl::TTreeNode Item(ContentsNode* n) { return static_cast<cl::TTreeNode>(n->ViewItem); }
  ContentsNode* Selected() { return f.ContentsCmds->NodeOfItem(f.ConTextView->Selected()); }
  void Select(ContentsNode* n) { f.ConTextView->Select(Item(n)); }
  ContentsNode* Node(const std::string& text) {
    for (ContentsNode* n : f.Project.Contents.Nodes())
      if (n->Text == text) return n;
    return nullptr;
  }

  // "T:Intro .H:Detail B:Chapter" (level dots, kind letter, text) from the
  // contents tree, and the same from the tree view's items.
  std::string Shape() {
    std::string s;
    for (ContentsNode* n : f.Project.Contents.Nodes()) {
      if (!s.empty()) s += ' ';
      s += std::string(n->Level(), '.') + KindLetter(n->Kind) + ":" + n->Text;
    }
    return s;
  }
  std::string ViewShape() {
    std::string s;
    cl::TTreeView* v = f.ConTextView;
    for (cl::TTreeNode i = v->FirstChild(nullptr); i; i = v->NextInTree(i)) {
      if (!s.empty()) s += ' ';
      s += std::string(v->Level(i), '.') + KindLetter(v->ImageIndex(i)) + ":" + v->NodeText(i);
      EXPECT_EQ(f.ContentsCmds->NodeOfItem(i)->ViewItem, i);
    }
    return s;
  }

  POINT Centre(ContentsNode* n) {
    TreeView_EnsureVisible(f.ConTextView->Handle(), Item(n));
    RECT r;
    TreeView_GetItemRect(f.ConTextView->Handle(), Item(n), &r, TRUE);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  }
  void Post(UINT msg, WPARAM wp, POINT p) {
    PostMessageA(f.ConTextView->Handle(), msg, wp, MAKELPARAM(p.x, p.y));
  }
  // Drags d onto g with the mouse: the button goes down on d, the pointer
  // moves past the drag threshold, over g, and the button goes up there.
  void MouseDrag(ContentsNode* d, ContentsNode* g) {
    POINT from = Centre(d);
    POINT to = Centre(g);
    Post(WM_LBUTTONDOWN, MK_LBUTTON, from);
    Post(WM_MOUSEMOVE, MK_LBUTTON, POINT{from.x + 15, from.y + 15});
    Post(WM_MOUSEMOVE, MK_LBUTTON, to);
    Post(WM_LBUTTONUP, 0, to);
    Pump();
  }
  // The same from the drag's start, as the tree view starts it.
  void Drag(ContentsNode* d, ContentsNode* g) {
    POINT from = Centre(d);
    POINT to = Centre(g);
    f.ConTextView->BeginDrag(Item(d), from);
    Post(WM_MOUSEMOVE, MK_LBUTTON, to);
    Post(WM_LBUTTONUP, 0, to);
    Pump();
  }

  void Relabel(ContentsNode* n, const std::string& text) {
    HWND edit = reinterpret_cast<HWND>(SendMessageA(f.ConTextView->Handle(), TVM_EDITLABELA, 0,
                                                    reinterpret_cast<LPARAM>(Item(n))));
    if (!edit) return;
    SetWindowTextA(edit, text.c_str());
    TreeView_EndEditLabelNow(f.ConTextView->Handle(), FALSE);
    Pump();
  }

  qm::Lines File(const std::string& name) { return qm::SplitLines(ReadFile(dir + "\\" + name)); }
  // The lines of a section of the project file, up to the next empty line.
  std::vector<std::string> Section(const std::string& header) {
    qm::Lines lines = File("Book.hpj");
    std::vector<std::string> out;
    bool in = false;
    for (const std::string& l : lines) {
      if (in && l.empty()) break;
      if (in) out.push_back(l);
      if (l == header) in = true;
    }
    return out;
  }
};

using Strings = std::vector<std::string>;

TEST(ContentsEditing, ANewProjectGrowsByEveryAddCommandAndWritesItsFiles) {
  ContentsFixture fx;
  TMainForm& f = fx.f;
  // Nothing selected: books and topics only.
  EXPECT_TRUE(f.ContentsCmds->AddBookA->Enabled());
  EXPECT_TRUE(f.ContentsCmds->AddCntA->Enabled());
  EXPECT_FALSE(f.ContentsCmds->AddHideA->Enabled());
  EXPECT_FALSE(f.ContentsCmds->AddHelpA->Enabled());
  EXPECT_FALSE(f.ContentsCmds->DelCntA->Enabled());
  EXPECT_TRUE(f.Editor->ReadOnly());

  // A new topic opens at once: empty and writable.
  ASSERT_TRUE(f.ContentsCmds->AddCntA->Execute());
  ContentsNode* t1 = fx.Selected();
  ASSERT_NE(t1, nullptr);
  EXPECT_EQ(t1->Text, "HID00000001");
  EXPECT_EQ(f.Project.OpenTopicNode, t1);
  EXPECT_EQ(f.Project.TopicId, "HID00000001");
  EXPECT_FALSE(f.Editor->ReadOnly());
  EXPECT_EQ(f.Editor->PlainText(), "");
  EXPECT_EQ(f.StatusBar->PanelText(0), "HID00000001");
  EXPECT_EQ(f.StatusBar->PanelText(1), "1");
  EXPECT_TRUE(f.ContentsCmds->AddHideA->Enabled());
  EXPECT_TRUE(f.ContentsCmds->AddHelpA->Enabled());
  fx.TypeAtEnd("The first topic");

  // A book at the end of the level, relabelled in place.
  f.ContentsCmds->AddBookA->Execute();
  ContentsNode* book = fx.Selected();
  EXPECT_EQ(book->Text, "New");
  EXPECT_FALSE(f.ContentsCmds->AddHideA->Enabled());
  f.Project.ProjectModified = false;
  fx.Relabel(book, "Chapter");
  EXPECT_EQ(book->Text, "Chapter");
  EXPECT_TRUE(f.Project.ProjectModified);

  // A topic into the empty book; the open topic was saved first.
  f.ContentsCmds->AddCntA->Execute();
  EXPECT_EQ(fx.Selected()->Parent(), book);
  EXPECT_EQ(f.Project.TopicId, "HID00000002");
  EXPECT_NE(ReadFile(fx.dir + "\\rtf\\HID00000001.rtf").find("The first topic"), std::string::npos);

  // A hidden topic under the first topic; an external entry after it,
  // before the book.
  fx.ClickTopic("HID00000001");
  EXPECT_EQ(f.Editor->PlainText().find("The first topic"), 0u);
  f.ContentsCmds->AddHideA->Execute();
  EXPECT_EQ(fx.Selected()->Kind, kHiddenTopicNode);
  EXPECT_EQ(f.Project.TopicId, "HID00000003");
  fx.Select(t1);
  f.ContentsCmds->AddHelpA->Execute();
  ContentsNode* ext = fx.Selected();
  EXPECT_EQ(ext->Kind, kExternalNode);
  EXPECT_EQ(f.Project.TopicId, "HID00000003");  // an external entry opens no topic
  f.Project.CntTargets[ext->Data] = "Other@other.hlp>main";
  fx.Relabel(ext, "Elsewhere");

  // The position menus: a topic at the very top, a book below the chapter
  // and one inside it.
  f.ContentsCmds->TopicInsTopMenu->Click();
  EXPECT_EQ(fx.Selected(), f.Project.Contents.First());
  fx.Select(book);
  f.ContentsCmds->BookInsDnMenu->Click();
  fx.Relabel(fx.Selected(), "Appendix");
  fx.Select(book);
  f.ContentsCmds->BookInsLDnMenu->Click();
  fx.Relabel(fx.Selected(), "Section");
  fx.Select(fx.Node("HID00000002"));
  f.ContentsCmds->TopicInsDnMenu->Click();  // HID00000005 after HID00000002
  f.ContentsCmds->OtherUpMenu->Click();     // an external entry above it (no target: not written)

  const std::string shape =
      "T:HID00000004 T:HID00000001 .H:HID00000003 E:Elsewhere B:Chapter .T:HID00000002 .E:New "
      ".T:HID00000005 .B:Section B:Appendix";
  EXPECT_EQ(fx.Shape(), shape);
  EXPECT_EQ(fx.ViewShape(), shape);

  f.ProjectCmds->SaveAExecute(nullptr);
  EXPECT_FALSE(f.Project.ProjectModified);
  EXPECT_EQ(fx.Section("[FILES]"), (Strings{"HID00000004.rtf", "HID00000001.rtf", "HID00000003.rtf",
                                           "HID00000002.rtf", "HID00000005.rtf"}));
  EXPECT_EQ(fx.Section("[OPTIONS]")[4], "CONTENTS=HID00000004");
  EXPECT_EQ(fx.File("Book.cnt"),
            (Strings{":Base Book.hlp>main", ":Title HID00000004", "1 HID00000004 =HID00000004",
                     "1 HID00000001 =HID00000001", "1 Elsewhere =Other@other.hlp>main",
                     "1 Chapter", "2 HID00000002 =HID00000002", "2 HID00000005 =HID00000005",
                     "2 Section", "1 Appendix"}));
  qm::Lines map = fx.File("Book.hm");
  ASSERT_EQ(map.size(), 6u);
  EXPECT_EQ(map[1], "HID00000004\t4 //");
  EXPECT_EQ(map[3], "HID00000003\t3 //");
  // The new topic in the editor was written by the save as well.
  EXPECT_TRUE(qm::FileExists(fx.dir + "\\rtf\\HID00000005.rtf"));

  // Opened again, the view is filled anew: leaves before, between and
  // after the nodes with children keep their places.
  fx.dialog_answers = {fx.dir + "\\Book.hpj"};
  f.ProjectCmds->OpenAExecute(nullptr);
  fx.Pump();
  EXPECT_EQ(fx.Shape(),
            "T:HID00000004 T:HID00000001 .H:HID00000003 E:Elsewhere B:Chapter .T:HID00000002 "
            ".T:HID00000005 .B:Section B:Appendix");
  EXPECT_EQ(fx.ViewShape(), fx.Shape());
}

TEST(ContentsEditing, PositionMenusAndCommandsFollowTheSelection) {
  ContentsFixture fx;
  TMainForm& f = fx.f;
  struct Row {
    cl::TMenuItem* item;
    const char* name;
    const char* caption;
    int tag;
  };
  const Row rows[] = {
      {f.ContentsCmds->BookInsUpMenu, "BookInsUpMenu", "上に挿入", 1},
      {f.ContentsCmds->BookInsDnMenu, "BookInsDnMenu", "下に挿入", 2},
      {f.ContentsCmds->BookInsLDnMenu, "BookInsLDnMenu", "１レベル下に挿入", 3},
      {f.ContentsCmds->TopicInsUpMenu, "TopicInsUpMenu", "上に挿入", 1},
      {f.ContentsCmds->TopicInsDnMenu, "TopicInsDnMenu", "下に挿入", 2},
      {f.ContentsCmds->TopicInsTopMenu, "TopicInsTopMenu", "トップに挿入", 3},
      {f.ContentsCmds->OtherUpMenu, "OtherUpMenu", "上に挿入", 11},
      {f.ContentsCmds->OtherDownMenu, "OtherDownMenu", "下に挿入", 12},
      {f.ContentsCmds->OtherTopMenu, "OtherTopMenu", "トップﾟに挿入", 13},  // sound mark and all
  };
  for (const Row& r : rows) {
    EXPECT_EQ(r.item->Name, r.name);
    EXPECT_EQ(r.item->Caption(), r.caption) << r.name;
    EXPECT_EQ(r.item->Tag, r.tag) << r.name;
  }
  EXPECT_EQ(f.ContentsCmds->AddBookButton->DropdownMenu, f.ContentsCmds->BookMenu);
  EXPECT_EQ(f.ContentsCmds->AddCntButton->DropdownMenu, f.ContentsCmds->TopicInsMenu);
  EXPECT_EQ(f.ContentsCmds->AddHelpButton->DropdownMenu, f.ContentsCmds->OtherInsMenu);

  // Nothing selected: no book positions, no above or below.
  f.ContentsCmds->BookMenu->OnPopup(f.ContentsCmds->BookMenu);
  f.ContentsCmds->OtherInsMenu->OnPopup(f.ContentsCmds->OtherInsMenu);
  EXPECT_FALSE(f.ContentsCmds->BookInsUpMenu->Enabled());
  EXPECT_FALSE(f.ContentsCmds->OtherUpMenu->Enabled());
  EXPECT_FALSE(f.ContentsCmds->OtherDownMenu->Enabled());
  EXPECT_TRUE(f.ContentsCmds->OtherTopMenu->Enabled());

  // The toolbar button of AddHelpA makes an external entry (its Tag 10).
  f.ContentsCmds->AddCntA->Execute();
  f.ContentsCmds->AddHelpButton->Click();
  EXPECT_EQ(fx.Selected()->Kind, kExternalNode);
  EXPECT_EQ(fx.Selected()->PrevSibling()->Kind, kTopicNode);
  f.ContentsCmds->TopicInsMenu->OnPopup(f.ContentsCmds->TopicInsMenu);
  EXPECT_TRUE(f.ContentsCmds->TopicInsUpMenu->Enabled());
  f.ContentsCmds->BookMenu->OnPopup(f.ContentsCmds->BookMenu);
  EXPECT_FALSE(f.ContentsCmds->BookInsDnMenu->Enabled());
  f.ContentsCmds->AddBookButton->Click();
  f.ContentsCmds->BookMenu->OnPopup(f.ContentsCmds->BookMenu);
  f.ContentsCmds->TopicInsMenu->OnPopup(f.ContentsCmds->TopicInsMenu);
  EXPECT_TRUE(f.ContentsCmds->BookInsDnMenu->Enabled());
  EXPECT_FALSE(f.ContentsCmds->TopicInsUpMenu->Enabled());
  EXPECT_TRUE(f.ContentsCmds->TopicInsTopMenu->Enabled());
  // A book with a child cannot be deleted; a hidden topic takes no entries.
  f.ContentsCmds->AddCntA->Execute();
  fx.Select(fx.Selected()->Parent());
  EXPECT_FALSE(f.ContentsCmds->DelCntA->Enabled());
  fx.Select(f.Project.Contents.First());
  f.ContentsCmds->AddHideA->Execute();
  EXPECT_FALSE(f.ContentsCmds->AddCntA->Enabled());
  EXPECT_FALSE(f.ContentsCmds->AddHelpA->Enabled());
  EXPECT_FALSE(f.ContentsCmds->AddBookA->Enabled());
  EXPECT_TRUE(f.ContentsCmds->AddHideA->Enabled());
}

TEST(ContentsEditing, DeletingTheOpenTopicClearsTheEditorAndFreesItsNumber) {
  ContentsFixture fx;
  TMainForm& f = fx.f;
  f.ContentsCmds->AddCntA->Execute();
  fx.TypeAtEnd("Soon gone");
  f.ProjectCmds->SaveAExecute(nullptr);
  ASSERT_TRUE(qm::FileExists(fx.dir + "\\rtf\\HID00000001.rtf"));
  f.ContentsCmds->AddBookA->Execute();
  fx.Select(f.Project.Contents.First());
  ASSERT_TRUE(f.ContentsCmds->DelCntA->Enabled());
  f.Project.ProjectModified = false;
  f.ContentsCmds->DelCntA->Execute();
  EXPECT_EQ(f.Project.OpenTopicNode, nullptr);
  EXPECT_EQ(f.Project.TopicId, "");
  EXPECT_TRUE(f.Editor->ReadOnly());
  EXPECT_EQ(f.Editor->PlainText(), "");
  EXPECT_EQ(f.StatusBar->PanelText(0), "");
  EXPECT_TRUE(f.Project.ProjectModified);
  EXPECT_FALSE(qm::FileExists(fx.dir + "\\rtf\\HID00000001.rtf"));
  EXPECT_EQ(fx.ViewShape(), "B:New");
  // The number comes back with the next topic.
  fx.Select(f.Project.Contents.First());
  f.ContentsCmds->AddCntA->Execute();
  EXPECT_EQ(fx.Selected()->Text, "HID00000001");
  EXPECT_EQ(fx.Selected()->Data, 1);

  // The open node goes even when the open id no longer names it (its id
  // was changed meanwhile): nothing is left to be saved under an id.
  f.Project.TopicId = "Renamed";
  f.ContentsCmds->DelCntA->Execute();
  EXPECT_EQ(f.Project.OpenTopicNode, nullptr);
  EXPECT_EQ(f.Project.TopicId, "");
  EXPECT_TRUE(f.Editor->ReadOnly());
  EXPECT_FALSE(f.Editor->Modified());
  // A book just loses its node.
  fx.Select(f.Project.Contents.First());
  f.ContentsCmds->DelCntA->Execute();
  EXPECT_TRUE(f.Project.Contents.IsEmpty());
  EXPECT_EQ(f.ConTextView->Count(), 0);
}

TEST(ContentsEditing, RelabellingATopicInPlaceIsRefused) {
  ContentsFixture fx;
  TMainForm& f = fx.f;
  f.ContentsCmds->AddCntA->Execute();
  ContentsNode* t = fx.Selected();
  f.Project.ProjectModified = false;
  HWND edit = reinterpret_cast<HWND>(SendMessageA(f.ConTextView->Handle(), TVM_EDITLABELA, 0,
                                                  reinterpret_cast<LPARAM>(fx.Item(t))));
  EXPECT_EQ(edit, nullptr);
  EXPECT_EQ(t->Text, "HID00000001");
  EXPECT_FALSE(f.Project.ProjectModified);
}

// Builds T1 (with hidden H), T2, B1 (with a), B2 and saves nothing.
struct DragFixture : ContentsFixture {
  ContentsNode *t1, *h, *t2, *b1, *a, *b2;
  DragFixture() {
    f.ContentsCmds->AddCntA->Execute();
    t1 = Selected();
    f.ContentsCmds->AddHideA->Execute();
    h = Selected();
    Select(t1);
    f.ContentsCmds->AddCntA->Execute();
    t2 = Selected();
    f.ContentsCmds->AddBookA->Execute();
    b1 = Selected();
    Relabel(b1, "B1");
    f.ContentsCmds->AddCntA->Execute();
    a = Selected();
    Select(b1);
    f.ContentsCmds->AddBookA->Execute();
    b2 = Selected();
    Relabel(b2, "B2");
    f.ProjectCmds->SaveAExecute(nullptr);
  }
};

TEST(ContentsDragDrop, MovesFollowTheRulesAndTheViewFollowsTheTree) {
  DragFixture fx;
  TMainForm& f = fx.f;
  EXPECT_EQ(fx.Shape(), "T:HID00000001 .H:HID00000002 T:HID00000003 B:B1 .T:HID00000004 B:B2");

  // Refused drops change nothing: a hidden topic on a book, a topic on a
  // hidden topic, a book onto its own child, a book on a topic followed by
  // a topic.
  f.Project.ProjectModified = false;
  fx.Drag(fx.h, fx.b2);
  fx.Drag(fx.t2, fx.h);
  fx.Drag(fx.b1, fx.a);
  fx.Drag(fx.b2, fx.t1);
  EXPECT_EQ(fx.Shape(), "T:HID00000001 .H:HID00000002 T:HID00000003 B:B1 .T:HID00000004 B:B2");
  EXPECT_FALSE(f.Project.ProjectModified);

  // A topic onto a book: its first child.
  fx.Drag(fx.t2, fx.b2);
  EXPECT_TRUE(f.Project.ProjectModified);
  EXPECT_EQ(fx.Shape(), "T:HID00000001 .H:HID00000002 B:B1 .T:HID00000004 B:B2 .T:HID00000003");
  // The open book B1 moves before B2 ... and stays open, its child shown.
  f.ConTextView->Expand(fx.Item(fx.b1), true);
  ASSERT_EQ(fx.b1->Kind, kBookOpen);
  fx.Select(fx.a);
  fx.Drag(fx.b2, fx.b1);
  EXPECT_EQ(fx.Shape(), "T:HID00000001 .H:HID00000002 B:B2 .T:HID00000003 B:B1 .T:HID00000004");
  EXPECT_EQ(fx.ViewShape(), fx.Shape());
  fx.Drag(fx.b1, fx.b2);
  EXPECT_EQ(fx.Shape(), "T:HID00000001 .H:HID00000002 B:B1 .T:HID00000004 B:B2 .T:HID00000003");
  EXPECT_EQ(fx.ViewShape(), fx.Shape());
  EXPECT_TRUE(f.ConTextView->Expanded(fx.Item(fx.b1)));
  EXPECT_EQ(fx.b1->Kind, kBookOpen);
  EXPECT_EQ(fx.Selected(), fx.a);  // the selection stayed on its node
  // A book dropped on a topic followed by a book goes before that book;
  // dropped on the last topic of a level, to the end of that level.
  fx.Drag(fx.b2, fx.t1);
  EXPECT_EQ(fx.Shape(), "T:HID00000001 .H:HID00000002 B:B2 .T:HID00000003 B:B1 .T:HID00000004");
  fx.Drag(fx.b1, fx.t2);
  EXPECT_EQ(fx.Shape(), "T:HID00000001 .H:HID00000002 B:B2 .T:HID00000003 .B:B1 ..T:HID00000004");
  EXPECT_TRUE(f.ConTextView->Expanded(fx.Item(fx.b1)));
  // A hidden topic onto another topic.
  fx.Drag(fx.h, fx.a);
  EXPECT_EQ(fx.Shape(), "T:HID00000001 B:B2 .T:HID00000003 .B:B1 ..T:HID00000004 ...H:HID00000002");
  EXPECT_EQ(fx.ViewShape(), fx.Shape());

  // The files follow the tree order.
  f.ProjectCmds->SaveAExecute(nullptr);
  EXPECT_EQ(fx.Section("[FILES]"), (Strings{"HID00000001.rtf", "HID00000003.rtf", "HID00000004.rtf",
                                           "HID00000002.rtf"}));
  EXPECT_EQ(fx.File("Book.cnt"),
            (Strings{":Base Book.hlp>main", ":Title HID00000001", "1 HID00000001 =HID00000001",
                     "1 B2", "2 HID00000003 =HID00000003", "2 B1", "3 HID00000004 =HID00000004"}));
  qm::Lines map = fx.File("Book.hm");
  ASSERT_EQ(map.size(), 5u);
  EXPECT_EQ(map[4], "HID00000002\t2 //");
}

TEST(ContentsDragDrop, TheMouseDragsANodeIntoABook) {
  DragFixture fx;
  TMainForm& f = fx.f;
  f.Project.ProjectModified = false;
  fx.MouseDrag(fx.t2, fx.b2);
  EXPECT_FALSE(f.ConTextView->Dragging());
  EXPECT_EQ(fx.Shape(), "T:HID00000001 .H:HID00000002 B:B1 .T:HID00000004 B:B2 .T:HID00000003");
  EXPECT_EQ(fx.ViewShape(), fx.Shape());
  EXPECT_TRUE(f.Project.ProjectModified);
  // The drag opened nothing.
  EXPECT_NE(f.Project.OpenTopicNode, fx.t2);
}

TEST(ContentsDragDrop, TheEditorTakesTopicsAndEntriesOnly) {
  DragFixture fx;
  TMainForm& f = fx.f;
  auto accepts = [&](ContentsNode* n) {
    f.ConTextView->BeginDrag(fx.Item(n), fx.Centre(n));
    bool accept = false;
    f.ContentsCmds->EditorDragOver(f.ConTextView, 5, 5, accept);
    qm::controls::TDragSession::Cancel();
    PostMessageA(f.ConTextView->Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
    fx.Pump();
    return accept;
  };
  EXPECT_TRUE(accepts(fx.t1));
  EXPECT_TRUE(accepts(fx.h));
  EXPECT_FALSE(accepts(fx.b1));
  // A real drop on the editor opens the link dialog; cancelled, it changes
  // neither the tree nor the topic.
  static bool dialog_shown;
  dialog_shown = false;
  SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR id, DWORD) {
    HWND w = FindWindowA("TJumpDlg", nullptr);
    if (!w) return;
    KillTimer(nullptr, id);
    dialog_shown = true;
    PostMessageA(w, WM_CLOSE, 0, 0);
  });
  std::string shape = fx.Shape();
  std::string text = f.Editor->PlainText();
  POINT from = fx.Centre(fx.a);
  f.ConTextView->BeginDrag(fx.Item(fx.a), from);
  RECT er;
  GetWindowRect(f.Editor->Handle(), &er);
  POINT to = {er.left + 20, er.top + 20};
  ScreenToClient(f.ConTextView->Handle(), &to);
  fx.Post(WM_MOUSEMOVE, MK_LBUTTON, to);
  fx.Post(WM_LBUTTONUP, 0, to);
  fx.Pump();
  EXPECT_FALSE(qm::controls::TDragSession::Active());
  EXPECT_EQ(dialog_shown, !f.Project.TopicId.empty());
  EXPECT_EQ(fx.Shape(), shape);
  EXPECT_EQ(f.Editor->PlainText(), text);
}

TEST(TopicStatus, TopicCommandsFollowTheOpenTopic) {
  ContentsFixture fx;
  TMainForm& f = fx.f;
  cl::TAction* cmd = f.ActionList1->Add("ProbeA", "Probe");
  f.TopicOpenCommands.Actions.push_back(cmd);
  f.ContentsCmds->TopicCommandsEnabled.reset();
  f.ContentsCmds->ShowTopicStatus("");
  EXPECT_FALSE(cmd->Enabled());
  EXPECT_TRUE(f.Editor->ReadOnly());
  f.ContentsCmds->AddCntA->Execute();
  EXPECT_TRUE(cmd->Enabled());
  EXPECT_FALSE(f.Editor->ReadOnly());
  // Another topic while they are on: no change needed.
  cmd->SetEnabled(false);
  f.ContentsCmds->AddCntA->Execute();
  EXPECT_FALSE(cmd->Enabled());
  f.ContentsCmds->DelCntA->Execute();
  EXPECT_FALSE(cmd->Enabled());
  EXPECT_TRUE(f.Editor->ReadOnly());
  f.TopicOpenCommands.Actions.clear();
}

}  // namespace
