#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "classlib/Application.h"
#include "classlib/Form.h"
#include "classlib/tests/WaitUntil.h"
#include "controls/TreeViewEx.h"

using namespace qm::controls;

namespace {

// A form with a tree of 60 numbered nodes whose client area is 150 x 199
// pixels and whose font is 12 pixels high.
struct TreeFixture {
  std::unique_ptr<cl::TForm> form;
  TTreeViewEx* tree = nullptr;
  std::vector<cl::TTreeNode> nodes;
  std::vector<std::string> drops;

  TreeFixture() {
    cl::Application().Initialize();
    form = std::make_unique<cl::TForm>(nullptr, "TTreeTestForm", "Tree");
    form->SetScreenBounds(40, 40, 400, 360);
    tree = new TTreeViewEx(form.get(), form.get());
    tree->SetFont("Arial", -12);
    for (int i = 0; i < 60; ++i)
      nodes.push_back(tree->AddChild(nullptr, "Node " + std::string(30, 'x') + std::to_string(i), 0, i));
    form->Show();
    // Drops find their target by screen position: nothing may cover the tree.
    SetWindowPos(form->Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    tree->SetBounds(0, 0, 200, 250);
    Pump();
    tree->SetBounds(0, 0, 200 - (tree->ClientWidth() - 150), 250 - (tree->ClientHeight() - 199));
    Pump();
  }
  void Pump() { cl::Application().ProcessMessages(); }
  int FirstVisible() const {
    return static_cast<int>(tree->Data(TreeView_GetFirstVisible(tree->Handle())));
  }
  int HScroll() const { return GetScrollPos(tree->Handle(), SB_HORZ); }
  POINT ItemCentre(cl::TTreeNode n) const {
    RECT r;
    TreeView_GetItemRect(tree->Handle(), n, &r, TRUE);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  }
  void Post(UINT msg, WPARAM wp, POINT p) {
    PostMessageA(tree->Handle(), msg, wp, MAKELPARAM(p.x, p.y));
  }
};

// A drag object that no session owns: the tests drive the messages.
bool MoveTo(TTreeViewEx* t, TDragObject& obj, int x, int y) {
  return t->DragMessage(TDragMessage::Move, obj, POINT{x, y});
}

TEST(TreeViewEx, AcceptedMovesRunTheTimerUntilLeaveDropOrEnd) {
  TreeFixture f;
  ASSERT_EQ(f.tree->ClientHeight(), 199);
  TDragObject obj;
  obj.Source = f.tree;
  // Without OnDragOver nothing is accepted and the timer stays off.
  EXPECT_FALSE(MoveTo(f.tree, obj, 50, 50));
  EXPECT_FALSE(f.tree->ScrollTimerEnabled());
  f.tree->OnDragOver = [](TTreeViewEx*, cl::TControl*, int, int y, TDragState, bool& accept) {
    accept = y < 150;
  };
  EXPECT_TRUE(MoveTo(f.tree, obj, 50, 40));
  EXPECT_TRUE(f.tree->ScrollTimerEnabled());
  EXPECT_EQ(f.tree->DragPos().y, 40);
  EXPECT_NE(f.tree->DropTarget(), nullptr);
  // A refused move keeps the last accepted position.
  EXPECT_FALSE(MoveTo(f.tree, obj, 50, 160));
  EXPECT_EQ(f.tree->DragPos().y, 40);
  cl::TTreeNode lit = f.tree->DropTarget();
  f.tree->DragMessage(TDragMessage::Leave, obj, POINT{50, 40});
  EXPECT_FALSE(f.tree->ScrollTimerEnabled());
  EXPECT_FALSE(TreeView_GetItemState(f.tree->Handle(), lit, TVIS_DROPHILITED) & TVIS_DROPHILITED);
  MoveTo(f.tree, obj, 50, 40);
  f.tree->DragMessage(TDragMessage::End, obj, POINT{});
  EXPECT_FALSE(f.tree->ScrollTimerEnabled());
  // The timer without a drag object stops at its first tick.
  f.tree->DragScrollTimer();
  EXPECT_FALSE(f.tree->ScrollTimerEnabled());
}

TEST(TreeViewEx, RestingInTheVerticalBandsScrollsALinePerTick) {
  TreeFixture f;
  TDragObject obj;
  obj.Source = f.tree;
  f.tree->OnDragOver = [](TTreeViewEx*, cl::TControl*, int, int, TDragState, bool&) {};
  for (int i = 0; i < 10; ++i) SendMessageA(f.tree->Handle(), WM_VSCROLL, SB_LINEDOWN, 0);
  ASSERT_EQ(f.FirstVisible(), 10);
  POINT c = f.ItemCentre(f.nodes[12]);
  MoveTo(f.tree, obj, c.x, c.y);
  ASSERT_EQ(f.tree->DropTarget(), f.nodes[12]);
  // y 12 is outside the up band: nothing.
  MoveTo(f.tree, obj, 50, 12);
  f.tree->SetDropTarget(f.nodes[12]);
  f.tree->DragScrollTimer();
  EXPECT_EQ(f.FirstVisible(), 10);
  // y 11: one line up per tick, the drop highlight with it.
  f.tree->DragMessage(TDragMessage::Move, obj, POINT{50, 11});
  f.tree->SetDropTarget(f.nodes[12]);
  f.tree->DragScrollTimer();
  EXPECT_EQ(f.FirstVisible(), 9);
  EXPECT_EQ(f.tree->DropTarget(), f.nodes[11]);
  f.tree->DragScrollTimer();
  EXPECT_EQ(f.FirstVisible(), 8);
  // y 182 is outside the down band, 183 inside.
  f.tree->DragMessage(TDragMessage::Move, obj, POINT{50, 100});
  f.tree->DragMessage(TDragMessage::Move, obj, POINT{50, 182});
  f.tree->SetDropTarget(f.nodes[12]);
  f.tree->DragScrollTimer();
  EXPECT_EQ(f.FirstVisible(), 8);
  f.tree->DragMessage(TDragMessage::Move, obj, POINT{50, 100});
  f.tree->DragMessage(TDragMessage::Move, obj, POINT{50, 183});
  f.tree->SetDropTarget(f.nodes[12]);
  f.tree->DragScrollTimer();
  EXPECT_EQ(f.FirstVisible(), 9);
  EXPECT_EQ(f.tree->DropTarget(), f.nodes[13]);
  // The real timer does the same while the pointer rests.
  qmtest::WaitUntil("the drag timer to scroll to line 11", [&] { return f.FirstVisible() >= 11; },
                    qmtest::Pump::Messages);
  f.tree->DragMessage(TDragMessage::End, obj, POINT{});
}

TEST(TreeViewEx, NoNodeBeyondTheEndsNoVerticalScroll) {
  TreeFixture f;
  TDragObject obj;
  obj.Source = f.tree;
  f.tree->OnDragOver = [](TTreeViewEx*, cl::TControl*, int, int, TDragState, bool&) {};
  // At the first node the up band scrolls nothing and the target stays.
  f.tree->DragMessage(TDragMessage::Move, obj, POINT{50, 5});
  f.tree->SetDropTarget(f.nodes[0]);
  f.tree->DragScrollTimer();
  EXPECT_EQ(f.FirstVisible(), 0);
  EXPECT_EQ(f.tree->DropTarget(), f.nodes[0]);
  f.tree->DragMessage(TDragMessage::Move, obj, POINT{50, 190});
  // At the last node the down band keeps it.
  TreeView_EnsureVisible(f.tree->Handle(), f.nodes[59]);
  int first = f.FirstVisible();
  f.tree->SetDropTarget(f.nodes[59]);
  f.tree->DragScrollTimer();
  EXPECT_EQ(f.FirstVisible(), first);
  EXPECT_EQ(f.tree->DropTarget(), f.nodes[59]);
  f.tree->DragMessage(TDragMessage::End, obj, POINT{});
}

TEST(TreeViewEx, SideBandsScrollHorizontallyWithoutADropTarget) {
  TreeFixture f;
  TDragObject obj;
  obj.Source = f.tree;
  f.tree->OnDragOver = [](TTreeViewEx*, cl::TControl*, int, int, TDragState, bool&) {};
  int w = f.tree->ClientWidth();
  f.tree->DragMessage(TDragMessage::Move, obj, POINT{w - 12, 100});
  f.tree->SetDropTarget(nullptr);
  f.tree->DragScrollTimer();
  EXPECT_EQ(f.HScroll(), 0);
  f.tree->DragMessage(TDragMessage::Move, obj, POINT{w - 11, 100});
  f.tree->SetDropTarget(nullptr);
  f.tree->DragScrollTimer();
  f.tree->DragScrollTimer();
  int right = f.HScroll();
  EXPECT_GT(right, 0);
  f.tree->DragMessage(TDragMessage::Move, obj, POINT{12, 100});
  f.tree->DragScrollTimer();
  EXPECT_EQ(f.HScroll(), right);
  f.tree->DragMessage(TDragMessage::Move, obj, POINT{11, 100});
  f.tree->DragScrollTimer();
  EXPECT_LT(f.HScroll(), right);
  f.tree->DragMessage(TDragMessage::End, obj, POINT{});
}

TEST(TreeViewEx, MouseDragDropsOnTheNodeUnderThePointer) {
  TreeFixture f;
  f.tree->AutoDrag = true;
  cl::TControl* seen_source = nullptr;
  cl::TTreeNode dropped_on = nullptr;
  std::vector<TDragState> states;
  f.tree->OnDragOver = [&](TTreeViewEx*, cl::TControl*, int, int, TDragState s, bool&) {
    states.push_back(s);
  };
  f.tree->OnDragDrop = [&](TTreeViewEx* t, cl::TControl* source, int x, int y) {
    seen_source = source;
    dropped_on = t->NodeAt(x, y);
  };
  POINT from = f.ItemCentre(f.nodes[1]);
  POINT to = f.ItemCentre(f.nodes[5]);
  f.Post(WM_LBUTTONDOWN, MK_LBUTTON, from);
  f.Post(WM_MOUSEMOVE, MK_LBUTTON, POINT{from.x + 20, from.y + 20});
  f.Pump();
  ASSERT_EQ(f.tree->DragNode(), f.nodes[1]);
  EXPECT_TRUE(f.tree->Dragging());
  EXPECT_TRUE(TDragSession::Active());
  f.Post(WM_MOUSEMOVE, MK_LBUTTON, to);
  f.Pump();
  EXPECT_EQ(f.tree->DropTarget(), f.nodes[5]);
  f.Post(WM_LBUTTONUP, 0, to);
  f.Pump();
  EXPECT_FALSE(TDragSession::Active());
  EXPECT_FALSE(f.tree->Dragging());
  EXPECT_EQ(seen_source, f.tree);
  EXPECT_EQ(dropped_on, f.nodes[5]);
  EXPECT_FALSE(f.tree->ScrollTimerEnabled());
  EXPECT_FALSE(TreeView_GetItemState(f.tree->Handle(), f.nodes[5], TVIS_DROPHILITED) & TVIS_DROPHILITED);
  ASSERT_FALSE(states.empty());
  EXPECT_EQ(states.front(), TDragState::Enter);
}

TEST(TreeViewEx, EscapeCancelsWithoutADrop) {
  TreeFixture f;
  f.tree->AutoDrag = true;
  int drops = 0;
  f.tree->OnDragOver = [](TTreeViewEx*, cl::TControl*, int, int, TDragState, bool&) {};
  f.tree->OnDragDrop = [&](TTreeViewEx*, cl::TControl*, int, int) { ++drops; };
  POINT from = f.ItemCentre(f.nodes[2]);
  f.Post(WM_LBUTTONDOWN, MK_LBUTTON, from);
  f.Post(WM_MOUSEMOVE, MK_LBUTTON, POINT{from.x + 20, from.y + 30});
  f.Pump();
  ASSERT_TRUE(f.tree->Dragging());
  EXPECT_TRUE(f.tree->ScrollTimerEnabled());
  PostMessageA(f.tree->Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
  f.Pump();
  EXPECT_FALSE(TDragSession::Active());
  EXPECT_FALSE(f.tree->ScrollTimerEnabled());
  f.Post(WM_LBUTTONUP, 0, from);
  f.Pump();
  EXPECT_EQ(drops, 0);
}

// A drop whose handler fails: the error is shown, the drag ends with its
// image, highlight and timer, and the next drag drops as usual.
TEST(TreeViewEx, AFailingDropIsShownAndEndsTheDrag) {
  TreeFixture f;
  f.tree->AutoDrag = true;
  std::vector<std::string> shown;
  cl::Application().OnException = [&](const std::exception& e) { shown.push_back(e.what()); };
  int drops = 0;
  f.tree->OnDragOver = [](TTreeViewEx*, cl::TControl*, int, int, TDragState, bool&) {};
  f.tree->OnDragDrop = [&](TTreeViewEx*, cl::TControl*, int, int) {
    if (++drops == 1) throw std::runtime_error("drop");
  };
  for (int round = 1; round <= 2; ++round) {
    POINT from = f.ItemCentre(f.nodes[1]);
    POINT to = f.ItemCentre(f.nodes[4]);
    f.Post(WM_LBUTTONDOWN, MK_LBUTTON, from);
    f.Post(WM_MOUSEMOVE, MK_LBUTTON, POINT{from.x + 20, from.y + 20});
    f.Post(WM_MOUSEMOVE, MK_LBUTTON, to);
    f.Post(WM_LBUTTONUP, 0, to);
    f.Pump();
    EXPECT_EQ(drops, round);
    EXPECT_FALSE(TDragSession::Active());
    EXPECT_FALSE(f.tree->Dragging());
    EXPECT_FALSE(f.tree->ScrollTimerEnabled());
    EXPECT_FALSE(TreeView_GetItemState(f.tree->Handle(), f.nodes[4], TVIS_DROPHILITED) & TVIS_DROPHILITED);
  }
  cl::Application().OnException = nullptr;
  EXPECT_EQ(shown, std::vector<std::string>{"drop"});
}

TEST(TreeViewEx, WithoutAutoDragTheNotificationIsTheTreeViewsOwn) {
  TreeFixture f;
  f.tree->AutoDrag = true;
  f.tree->BeginDrag(f.nodes[3], f.ItemCentre(f.nodes[3]));
  TDragSession::Cancel();
  PostMessageA(f.tree->Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
  f.Pump();
  ASSERT_EQ(f.tree->DragNode(), f.nodes[3]);
  f.tree->AutoDrag = false;
  NMTREEVIEWA nm = {};
  nm.hdr.hwndFrom = f.tree->Handle();
  nm.hdr.code = TVN_BEGINDRAGA;
  nm.itemNew.hItem = f.nodes[7];
  LRESULT r = 0;
  EXPECT_FALSE(f.tree->Notify(&nm.hdr, r));
  EXPECT_EQ(f.tree->DragNode(), f.nodes[3]);
  EXPECT_FALSE(TDragSession::Active());
  f.tree->AutoDrag = true;
  EXPECT_TRUE(f.tree->Notify(&nm.hdr, r));
  EXPECT_EQ(f.tree->DragNode(), f.nodes[7]);
  EXPECT_TRUE(TDragSession::Active());
  PostMessageA(f.tree->Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
  f.Pump();
  EXPECT_FALSE(TDragSession::Active());
  // The node goes: DragNode with it.
  f.tree->Delete(f.nodes[7]);
  EXPECT_EQ(f.tree->DragNode(), nullptr);
}

}  // namespace
