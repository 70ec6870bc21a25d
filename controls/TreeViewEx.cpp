#include "controls/TreeViewEx.h"

#include <windowsx.h>

#include "controls/core/DragScroll.h"

namespace qm::controls {

TTreeViewEx::TTreeViewEx(cl::TComponent* owner, cl::TControl* parent, DWORD extra_style)
    : TTreeView(owner, parent, extra_style) {
  RegisterDropTarget(this, this);
}

TTreeViewEx::~TTreeViewEx() {
  SetScrollTimer(false);
  if (dragging_) {
    dragging_ = false;
    if (GetCapture() == Handle()) ReleaseCapture();
  }
  UnregisterDropTarget(this);
}

void TTreeViewEx::SetTreeStyle(DWORD bit, bool on) {
  LONG_PTR style = GetWindowLongPtrA(Handle(), GWL_STYLE);
  LONG_PTR changed = on ? (style | bit) : (style & ~static_cast<LONG_PTR>(bit));
  if (changed != style) {
    SetWindowLongPtrA(Handle(), GWL_STYLE, changed);
    Invalidate();
  }
}

void TTreeViewEx::SetIndent(int pixels) { TreeView_SetIndent(Handle(), pixels); }

void TTreeViewEx::SetScrollTimer(bool on) {
  if (on == timer_on_ || !Handle()) return;
  timer_on_ = on;
  if (on) {
    SetTimer(Handle(), kScrollTimerId, kScrollInterval, nullptr);
  } else {
    KillTimer(Handle(), kScrollTimerId);
  }
}

int TTreeViewEx::FontHeight() const {
  HFONT f = reinterpret_cast<HFONT>(SendMessageA(Handle(), WM_GETFONT, 0, 0));
  if (!f) f = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  LOGFONTA lf = {};
  GetObjectA(f, sizeof lf, &lf);
  return lf.lfHeight;
}

void TTreeViewEx::BeginDrag(cl::TTreeNode node, POINT pt) {
  if (!node) return;
  drag_node_ = node;
  HIMAGELIST image = TreeView_CreateDragImage(Handle(), node);
  RECT r = {};
  TreeView_GetItemRect(Handle(), node, &r, TRUE);
  // The image shows the item's icon and text; hold it where it was grabbed.
  int icon = 0;
  if (HIMAGELIST il = TreeView_GetImageList(Handle(), TVSIL_NORMAL)) {
    int cx = 0, cy = 0;
    ImageList_GetIconSize(il, &cx, &cy);
    icon = cx + 3;
  }
  POINT hotspot = {pt.x - r.left + icon, pt.y - r.top};
  POINT screen = pt;
  ClientToScreen(Handle(), &screen);
  dragging_ = true;
  SetCapture(Handle());
  TDragSession::Begin(this, image, hotspot, screen);
}

void TTreeViewEx::EndOwnDrag() {
  if (!dragging_) return;
  dragging_ = false;
  if (GetCapture() == Handle()) ReleaseCapture();
}

bool TTreeViewEx::Notify(NMHDR* hdr, LRESULT& result) {
  if ((hdr->code == TVN_BEGINDRAGA || hdr->code == TVN_BEGINDRAGW) && AutoDrag) {
    auto* tv = reinterpret_cast<NMTREEVIEWA*>(hdr);
    // The item's own handle is its node.
    drag_node_ = tv->itemNew.hItem;
    if (drag_node_) BeginDrag(drag_node_, tv->ptDrag);
    result = 0;
    return true;
  }
  if (hdr->code == TVN_DELETEITEMA || hdr->code == TVN_DELETEITEMW) {
    // DragNode never names an item that is gone.
    auto* tv = reinterpret_cast<NMTREEVIEWA*>(hdr);
    if (tv->itemOld.hItem == drag_node_) drag_node_ = nullptr;
    if (tv->itemOld.hItem == last_drop_target_) last_drop_target_ = nullptr;
  }
  return TTreeView::Notify(hdr, result);
}

LRESULT TTreeViewEx::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  if (dragging_) {
    POINT screen = {GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
    switch (msg) {
      case WM_MOUSEMOVE:
        ClientToScreen(Handle(), &screen);
        TDragSession::Move(screen);
        return 0;
      case WM_LBUTTONUP:
        ClientToScreen(Handle(), &screen);
        EndOwnDrag();
        TDragSession::Drop(screen);
        return 0;
      case WM_RBUTTONDOWN:
        EndOwnDrag();
        TDragSession::Cancel();
        return 0;
      case WM_KEYDOWN:
        if (wp == VK_ESCAPE) {
          EndOwnDrag();
          TDragSession::Cancel();
          return 0;
        }
        break;
      case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lp) != Handle()) {
          dragging_ = false;
          TDragSession::Cancel();
        }
        break;
      case WM_SETCURSOR:
        return TRUE;  // the session shows the drag cursor
    }
  }
  switch (msg) {
    case WM_TIMER:
      if (wp == kScrollTimerId) {
        DragScrollTimer();
        return 0;
      }
      break;
    case WM_MOUSELEAVE:
      SetScrollTimer(false);
      break;
  }
  return TTreeView::WndProc(msg, wp, lp);
}

bool TTreeViewEx::DragMessage(TDragMessage msg, TDragObject& obj, POINT p) {
  bool accept = false;
  auto ask = [&](TDragState state) {
    if (!OnDragOver) return false;
    bool a = true;
    OnDragOver(this, obj.Source, p.x, p.y, state, a);
    return a;
  };
  switch (msg) {
    case TDragMessage::Enter:
      accept = ask(TDragState::Enter);
      break;
    case TDragMessage::Move: {
      // The drop highlight follows the pointer.
      cl::TTreeNode node = NodeAt(p.x, p.y);
      if (node && (node != DropTarget() || node == last_drop_target_)) {
        last_drop_target_ = nullptr;
        obj.HideDragImage();
        SetDropTarget(node);
        obj.ShowDragImage();
      }
      accept = ask(TDragState::Move);
      if (accept) {
        drag_object_ = &obj;
        drag_pos_ = p;
        SetScrollTimer(true);
      }
      break;
    }
    case TDragMessage::Leave:
      ask(TDragState::Leave);
      SetScrollTimer(false);
      obj.HideDragImage();
      last_drop_target_ = DropTarget();
      ClearDropTarget();
      obj.ShowDragImage();
      break;
    case TDragMessage::Drop:
      SetScrollTimer(false);
      if (OnDragDrop) OnDragDrop(this, obj.Source, p.x, p.y);
      accept = true;
      break;
    case TDragMessage::End:
      // However the drag ended, the timer must not outlive its drag object.
      SetScrollTimer(false);
      drag_object_ = nullptr;
      last_drop_target_ = nullptr;
      ClearDropTarget();
      break;
  }
  return accept;
}

void TTreeViewEx::ClearDropTarget() {
  SetDropTarget(nullptr);
  if (cl::TTreeNode kept = DropTarget()) TreeView_SetItemState(Handle(), kept, 0, TVIS_DROPHILITED);
}

void TTreeViewEx::DragScrollTimer() {
  if (!drag_object_) {
    SetScrollTimer(false);
    return;
  }
  drag_object_->HideDragImage();
  DragScrollBands b =
      DragScrollBandsAt(drag_pos_.x, drag_pos_.y, ClientWidth(), ClientHeight(), FontHeight());
  cl::TTreeNode target = DropTarget();
  cl::TTreeNode prev = target ? TreeView_GetPrevVisible(Handle(), target) : nullptr;
  cl::TTreeNode next = target ? TreeView_GetNextVisible(Handle(), target) : nullptr;
  if (b.Up && prev) {
    SendMessageA(Handle(), WM_VSCROLL, SB_LINEUP, 0);
    SetDropTarget(prev);
  } else if (b.Down && next) {
    SendMessageA(Handle(), WM_VSCROLL, SB_LINEDOWN, 0);
    SetDropTarget(next);
  }
  if (b.Left) {
    SendMessageA(Handle(), WM_HSCROLL, SB_LINELEFT, 0);
  } else if (b.Right) {
    SendMessageA(Handle(), WM_HSCROLL, SB_LINERIGHT, 0);
  }
  drag_object_->ShowDragImage();
}

}  // namespace qm::controls
