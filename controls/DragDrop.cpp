#include "controls/DragDrop.h"

#include <map>

namespace qm::controls {

namespace {

std::map<HWND, std::pair<cl::TControl*, TDropTarget*>>& Targets() {
  static std::map<HWND, std::pair<cl::TControl*, TDropTarget*>> targets;
  return targets;
}

struct Session {
  bool active = false;
  TDragObject obj;
  cl::TControl* target_control = nullptr;
  TDropTarget* target = nullptr;
  bool accepted = false;
};

Session& Current() {
  static Session s;
  return s;
}

POINT ToClient(cl::TControl* c, POINT screen) {
  ScreenToClient(c->Handle(), &screen);
  return screen;
}

void ShowCursorFor(bool accepted) { SetCursor(LoadCursor(nullptr, accepted ? IDC_ARROW : IDC_NO)); }

}  // namespace

void TDragObject::HideDragImage() {
  if (image_ && entered_ && hidden_++ == 0) ImageList_DragShowNolock(FALSE);
}

void TDragObject::ShowDragImage() {
  if (image_ && entered_ && hidden_ > 0 && --hidden_ == 0) ImageList_DragShowNolock(TRUE);
}

void RegisterDropTarget(cl::TControl* control, TDropTarget* target) {
  Targets()[control->Handle()] = {control, target};
}

void UnregisterDropTarget(cl::TControl* control) {
  for (auto it = Targets().begin(); it != Targets().end(); ++it) {
    if (it->second.first == control) {
      Targets().erase(it);
      break;
    }
  }
  TDragSession::Forget(control);
}

cl::TControl* DropControlAt(POINT screen, TDropTarget** target) {
  for (HWND h = WindowFromPoint(screen); h; h = GetParent(h)) {
    auto it = Targets().find(h);
    if (it != Targets().end()) {
      if (target) *target = it->second.second;
      return it->second.first;
    }
  }
  if (target) *target = nullptr;
  return nullptr;
}

TDropHandler::TDropHandler(cl::TComponent* owner, cl::TControl* control)
    : TComponent(owner), control_(control) {
  RegisterDropTarget(control, this);
}

TDropHandler::~TDropHandler() { UnregisterDropTarget(control_); }

bool TDropHandler::DragMessage(TDragMessage msg, TDragObject& obj, POINT p) {
  switch (msg) {
    case TDragMessage::Enter:
    case TDragMessage::Leave:
    case TDragMessage::Move: {
      if (!OnDragOver) return false;
      bool accept = true;
      TDragState state = msg == TDragMessage::Enter   ? TDragState::Enter
                         : msg == TDragMessage::Leave ? TDragState::Leave
                                                      : TDragState::Move;
      OnDragOver(control_, obj.Source, p.x, p.y, state, accept);
      return accept;
    }
    case TDragMessage::Drop:
      if (OnDragDrop) OnDragDrop(control_, obj.Source, p.x, p.y);
      return true;
    case TDragMessage::End:
      return false;
  }
  return false;
}

void TDragSession::Begin(cl::TControl* source, HIMAGELIST image, POINT hotspot, POINT screen) {
  Finish();
  Session& s = Current();
  s.active = true;
  s.obj.Source = source;
  s.obj.image_ = image;
  if (image && ImageList_BeginDrag(image, 0, hotspot.x, hotspot.y))
    s.obj.entered_ = ImageList_DragEnter(nullptr, screen.x, screen.y) != FALSE;
  Move(screen);
}

// Ends the session: the target forgets the drag, the image goes.
void TDragSession::Finish() {
  Session& s = Current();
  if (!s.active) return;
  if (s.target) s.target->DragMessage(TDragMessage::End, s.obj, ToClient(s.target_control, {}));
  if (s.obj.image_ && s.obj.entered_) {
    ImageList_DragLeave(nullptr);
    ImageList_EndDrag();
  }
  if (s.obj.image_) ImageList_Destroy(s.obj.image_);
  s = Session{};
  SetCursor(LoadCursor(nullptr, IDC_ARROW));
}

bool TDragSession::Active() { return Current().active; }
cl::TControl* TDragSession::Source() { return Current().obj.Source; }

bool TDragSession::Move(POINT screen) {
  Session& s = Current();
  if (!s.active) return false;
  if (s.obj.entered_) ImageList_DragMove(screen.x, screen.y);
  TDropTarget* target = nullptr;
  cl::TControl* control = DropControlAt(screen, &target);
  if (control != s.target_control) {
    if (s.target) s.target->DragMessage(TDragMessage::Leave, s.obj, ToClient(s.target_control, screen));
    if (s.target) s.target->DragMessage(TDragMessage::End, s.obj, ToClient(s.target_control, screen));
    s.target_control = control;
    s.target = target;
    if (s.target) s.target->DragMessage(TDragMessage::Enter, s.obj, ToClient(control, screen));
  }
  s.accepted = s.target && s.target->DragMessage(TDragMessage::Move, s.obj, ToClient(control, screen));
  ShowCursorFor(s.accepted);
  return s.accepted;
}

bool TDragSession::Drop(POINT screen) {
  Session& s = Current();
  if (!s.active) return false;
  bool dropped = false;
  try {
    bool accepted = Move(screen);
    if (accepted && s.target) {
      // The image must not stay on the screen while the target changes.
      s.obj.HideDragImage();
      dropped = s.target->DragMessage(TDragMessage::Drop, s.obj, ToClient(s.target_control, screen));
    }
  } catch (...) {
    // A drop that fails ends the drag all the same: the image and the drag
    // cursor go before the error is shown.
    Finish();
    throw;
  }
  Finish();
  return dropped;
}

void TDragSession::Cancel() {
  Session& s = Current();
  if (s.active && s.target)
    s.target->DragMessage(TDragMessage::Leave, s.obj, ToClient(s.target_control, {}));
  Finish();
}

void TDragSession::Forget(cl::TControl* control) {
  Session& s = Current();
  if (s.target_control == control) {
    s.target_control = nullptr;
    s.target = nullptr;
    s.accepted = false;
  }
  if (s.obj.Source == control) {
    // The source goes: the drag ends without a drop.
    s.target = nullptr;
    s.target_control = nullptr;
    Finish();
  }
}

}  // namespace qm::controls
