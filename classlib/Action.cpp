#include "classlib/Action.h"

#include <algorithm>

#include "classlib/Control.h"

namespace cl {

TShortCut ShortCut(WORD key, unsigned shift) {
  TShortCut s = key;
  if (shift & ssShift) s |= scShift;
  if (shift & ssCtrl) s |= scCtrl;
  if (shift & ssAlt) s |= scAlt;
  return s;
}

std::string ShortCutToText(TShortCut s) {
  if (!s) return {};
  std::string t;
  if (s & scCtrl) t += "Ctrl+";
  if (s & scShift) t += "Shift+";
  if (s & scAlt) t += "Alt+";
  WORD key = s & 0xFF;
  if (key >= VK_F1 && key <= VK_F12) {
    t += "F" + std::to_string(key - VK_F1 + 1);
  } else if (key == VK_DELETE) {
    t += "Del";
  } else if (key == VK_INSERT) {
    t += "Ins";
  } else if (key == VK_RETURN) {
    t += "Enter";
  } else if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) {
    t += static_cast<char>(key);
  } else {
    char name[64] = {};
    if (GetKeyNameTextA(static_cast<LONG>(MapVirtualKeyA(key, 0)) << 16, name, sizeof name) > 0)
      t += name;
  }
  return t;
}

TAction::TAction(TComponent* owner) : TComponent(owner) {}

TAction::~TAction() {
  auto clients = clients_;
  for (TActionClient* c : clients) c->ActionFreed();
}

void TAction::Changed() {
  auto clients = clients_;
  for (TActionClient* c : clients) c->ActionChanged();
}

void TAction::SetCaption(const std::string& v) { caption_ = v; Changed(); }
void TAction::SetHint(const std::string& v) { hint_ = v; Changed(); }
void TAction::SetShortCut(TShortCut v) { shortcut_ = v; Changed(); }
void TAction::SetEnabled(bool v) {
  if (enabled_ == v) return;
  enabled_ = v;
  Changed();
}
void TAction::SetChecked(bool v) {
  if (checked_ == v) return;
  checked_ = v;
  Changed();
}
void TAction::SetImageIndex(int v) { image_index_ = v; Changed(); }

bool TAction::Execute(TComponent* sender) {
  if (!enabled_ || !OnExecute) return false;
  OnExecute(sender ? sender : this);
  return true;
}

bool TAction::Update() {
  if (!OnUpdate) return false;
  OnUpdate(this);
  return true;
}

void TAction::AddClient(TActionClient* c) { clients_.push_back(c); }
void TAction::RemoveClient(TActionClient* c) {
  clients_.erase(std::remove(clients_.begin(), clients_.end(), c), clients_.end());
}

TAction* TActionList::Add(const std::string& name, const std::string& caption, TShortCut shortcut,
                          int image_index) {
  auto* a = new TAction(this);
  a->Name = name;
  a->SetCaption(caption);
  a->SetShortCut(shortcut);
  a->SetImageIndex(image_index);
  actions_.push_back(a);
  return a;
}

bool TActionList::HandleShortCut(TShortCut s) {
  for (TAction* a : actions_) {
    if (a->ShortCut() == s && a->Enabled()) return a->Execute(a);
  }
  return false;
}

}  // namespace cl
