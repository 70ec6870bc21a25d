// Actions: commands with a caption, shortcut, enabled and checked state that
// the menu items and tool buttons linked to them mirror.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "classlib/Component.h"

namespace cl {

// Shortcuts are a virtual key with these flags added.
using TShortCut = unsigned;
constexpr TShortCut scShift = 0x2000;
constexpr TShortCut scCtrl = 0x4000;
constexpr TShortCut scAlt = 0x8000;
TShortCut ShortCut(WORD key, unsigned shift);  // shift: TShiftState bits
std::string ShortCutToText(TShortCut s);

class TAction;

// Something that shows an action's state (a menu item, a tool button).
class TActionClient {
 public:
  virtual ~TActionClient() = default;
  virtual void ActionChanged() = 0;
  virtual void ActionFreed() = 0;
};

class TAction : public TComponent {
 public:
  explicit TAction(TComponent* owner);
  ~TAction() override;

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& v);
  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& v);
  TShortCut ShortCut() const { return shortcut_; }
  void SetShortCut(TShortCut v);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool v);
  bool Checked() const { return checked_; }
  void SetChecked(bool v);
  int ImageIndex() const { return image_index_; }
  void SetImageIndex(int v);

  // Runs OnExecute with the sender when enabled; true when it ran.
  bool Execute(TComponent* sender = nullptr);
  std::function<void(TComponent* sender)> OnExecute;
  // Asked to bring the action's state (checked, enabled...) up to date,
  // for instance just before a menu holding it opens.
  std::function<void(TAction*)> OnUpdate;
  // Runs OnUpdate; true when there is one.
  bool Update();

  void AddClient(TActionClient* c);
  void RemoveClient(TActionClient* c);

 private:
  void Changed();
  std::string caption_, hint_;
  TShortCut shortcut_ = 0;
  bool enabled_ = true, checked_ = false;
  int image_index_ = -1;
  std::vector<TActionClient*> clients_;
};

class TActionList : public TComponent {
 public:
  using TComponent::TComponent;
  TAction* Add(const std::string& name, const std::string& caption, TShortCut shortcut = 0,
               int image_index = -1);
  const std::vector<TAction*>& Actions() const { return actions_; }
  // Executes the enabled action with this shortcut; true when one ran.
  bool HandleShortCut(TShortCut s);

 private:
  std::vector<TAction*> actions_;
};

}  // namespace cl
