// Dragging inside the program: a source control starts a drag session, the
// controls under the pointer are asked whether they take what is dragged,
// and the one under the pointer when the button goes up gets the drop.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>

#include "classlib/Control.h"

namespace qm::controls {

enum class TDragState { Enter, Leave, Move };

enum class TDragMessage {
  Enter,  // the pointer came over the target
  Leave,  // the pointer left it
  Move,   // the pointer moved over it (follows Enter)
  Drop,   // the button went up over it
  End,    // the drag ended in any way; the target forgets the drag object
};

// What is dragged: the source control and the image that follows the pointer.
class TDragObject {
 public:
  cl::TControl* Source = nullptr;
  // Targets hide the image while they repaint under it.
  void HideDragImage();
  void ShowDragImage();

 private:
  friend class TDragSession;
  HIMAGELIST image_ = nullptr;
  bool entered_ = false;
  int hidden_ = 0;
};

// A control that takes drops. DragMessage returns whether it accepts the
// drag at that point (for Enter, Move and Drop).
class TDropTarget {
 public:
  virtual ~TDropTarget() = default;
  virtual bool DragMessage(TDragMessage msg, TDragObject& obj, POINT client) = 0;
};

// Controls that take drops, found by their window.
void RegisterDropTarget(cl::TControl* control, TDropTarget* target);
void UnregisterDropTarget(cl::TControl* control);
// The registered control under a screen point (the window there or one of
// its parents), or nullptr.
cl::TControl* DropControlAt(POINT screen, TDropTarget** target);

// The drop target of a control of the class library that knows nothing of
// dragging (the topic editor): two events.
class TDropHandler : public cl::TComponent, public TDropTarget {
 public:
  TDropHandler(cl::TComponent* owner, cl::TControl* control);
  ~TDropHandler() override;
  // accept starts true; leaving it true takes the drag.
  std::function<void(cl::TControl* sender, cl::TControl* source, int x, int y, TDragState state,
                     bool& accept)>
      OnDragOver;
  std::function<void(cl::TControl* sender, cl::TControl* source, int x, int y)> OnDragDrop;
  bool DragMessage(TDragMessage msg, TDragObject& obj, POINT client) override;

 private:
  cl::TControl* control_;
};

// One drag at a time, driven by its source control with the pointer's
// screen positions.
class TDragSession {
 public:
  // image: a drag image (taken over, may be nullptr) with its hot spot.
  static void Begin(cl::TControl* source, HIMAGELIST image, POINT hotspot, POINT screen);
  static bool Active();
  static cl::TControl* Source();
  // Moves the pointer; returns whether the target under it accepts.
  static bool Move(POINT screen);
  // Drops at the point; returns whether a target took the drop.
  static bool Drop(POINT screen);
  static void Cancel();
  // A target that goes away during the drag.
  static void Forget(cl::TControl* control);

 private:
  static void Finish();
};

}  // namespace qm::controls
