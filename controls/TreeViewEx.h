// The tree view with dragging: AutoDrag starts a drag of the item that the
// control reports as dragged and keeps its node in DragNode; while a drag
// rests over the control, a 100 ms timer scrolls it in bands along its edges.
#pragma once

#include <functional>

#include "classlib/TreeView.h"
#include "controls/DragDrop.h"

namespace qm::controls {

class TTreeViewEx : public cl::TTreeView, public TDropTarget {
 public:
  TTreeViewEx(cl::TComponent* owner, cl::TControl* parent, DWORD extra_style = 0);
  ~TTreeViewEx() override;

  // Start a drag on the control's begin-drag notification.
  bool AutoDrag = false;
  // The node of the last begin-drag notification handled by AutoDrag;
  // nullptr once that item is deleted.
  cl::TTreeNode DragNode() const { return drag_node_; }

  // Look of the tree: lines between nodes, lines and buttons at the root,
  // buttons, indent in pixels.
  void SetShowLines(bool v) { SetTreeStyle(TVS_HASLINES, v); }
  void SetShowRoot(bool v) { SetTreeStyle(TVS_LINESATROOT, v); }
  void SetShowButtons(bool v) { SetTreeStyle(TVS_HASBUTTONS, v); }
  void SetIndent(int pixels);

  // Starts a drag of node at once (Threshold -1: the system's). ptClient:
  // where the pointer is, in client coordinates.
  void BeginDrag(cl::TTreeNode node, POINT pt_client);
  bool Dragging() const { return dragging_; }

  // Drop events: OnDragOver decides (accept starts true); without it the
  // control takes no drop.
  std::function<void(TTreeViewEx* sender, cl::TControl* source, int x, int y, TDragState state,
                     bool& accept)>
      OnDragOver;
  std::function<void(TTreeViewEx* sender, cl::TControl* source, int x, int y)> OnDragDrop;

  // The drag-scroll timer: interval 100 ms, running while an accepted drag
  // rests over the control.
  static constexpr UINT kScrollInterval = 100;
  bool ScrollTimerEnabled() const { return timer_on_; }
  POINT DragPos() const { return drag_pos_; }
  // One tick of the drag-scroll timer.
  void DragScrollTimer();

  bool Notify(NMHDR* hdr, LRESULT& result) override;
  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
  bool DragMessage(TDragMessage msg, TDragObject& obj, POINT client) override;

 private:
  static constexpr UINT_PTR kScrollTimerId = 0x5C01;
  void SetTreeStyle(DWORD bit, bool on);
  void SetScrollTimer(bool on);
  int FontHeight() const;
  void EndOwnDrag();
  // Takes the drop highlight off (also where the platform keeps its
  // drop item while nothing is selected).
  void ClearDropTarget();
  cl::TTreeNode drag_node_ = nullptr;
  POINT drag_pos_{0, 0};
  TDragObject* drag_object_ = nullptr;
  cl::TTreeNode last_drop_target_ = nullptr;
  bool timer_on_ = false;
  bool dragging_ = false;
};

}  // namespace qm::controls
