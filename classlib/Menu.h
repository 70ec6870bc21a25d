// Main and popup menus over HMENU. Items may be inserted and freed at run
// time, also from an item's own click handler.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "classlib/Action.h"
#include "classlib/Component.h"
#include "classlib/ImageList.h"

namespace cl {

class TMenuItem : public TComponent, public TActionClient {
 public:
  explicit TMenuItem(TComponent* owner);
  ~TMenuItem() override;

  // "-" makes a separator; "&" marks the access key.
  std::string Caption() const;
  void SetCaption(const std::string& v);
  TShortCut ShortCut() const;
  void SetShortCut(TShortCut v);
  bool Checked() const;
  void SetChecked(bool v);
  bool Enabled() const;
  void SetEnabled(bool v);
  bool Visible() const { return visible_; }
  void SetVisible(bool v);
  bool RadioItem = false;
  // The help line shown while the item is highlighted: the item's own, else
  // its action's.
  std::string Hint() const;
  void SetHint(const std::string& v) { hint_ = v; }
  bool IsSeparator() const { return Caption() == "-"; }

  TAction* Action() const { return action_; }
  void SetAction(TAction* a);
  // The image beside the caption: the action's, else the item's own.
  int ImageIndex() const;
  void SetImageIndex(int i);
  // Image lists of a menu (set on its root item): normal and disabled.
  void SetImages(TImageList* images, TImageList* disabled);
  std::function<void(TMenuItem* sender)> OnClick;

  // Children.
  int Count() const { return static_cast<int>(items_.size()); }
  TMenuItem* Item(int i) const { return items_.at(static_cast<std::size_t>(i)); }
  TMenuItem* Parent() const { return parent_; }
  int IndexOf(const TMenuItem* item) const;
  void Add(TMenuItem* item);
  void Insert(int index, TMenuItem* item);
  // Takes the item out without freeing it.
  void Remove(TMenuItem* item);
  // A new child item, owned by this item.
  TMenuItem* AddItem(const std::string& caption, std::function<void(TMenuItem*)> onclick = nullptr,
                     TShortCut shortcut = 0);
  TMenuItem* AddItem(TAction* action);
  TMenuItem* AddSeparator();

  // Runs the linked action or OnClick. The item may be freed by it.
  void Click();

  // The submenu handle (items with children), made on demand.
  HMENU SubMenuHandle();
  UINT CommandId() const { return id_; }
  static TMenuItem* FromCommand(UINT id);
  // A submenu is about to open (WM_INITMENUPOPUP): the actions of its items
  // update themselves and the items show their state afresh. False when
  // the menu is not one of ours.
  static bool PopupOpening(HMENU menu);
  // Owner-drawn menu images: the form hands these two messages over.
  static bool MeasureItem(MEASUREITEMSTRUCT* m);
  static bool DrawItem(DRAWITEMSTRUCT* d);
  // Finds the item with this shortcut below this one: an enabled, visible
  // item, also inside a submenu that is not shown (a menu that holds items
  // reached only by their shortcuts).
  TMenuItem* FindShortCut(TShortCut s);

  void ActionChanged() override { Rebuild(); }
  void ActionFreed() override;

 protected:
  void RebuildChildren();

 private:
  friend class TMainMenu;
  void Rebuild();
  HMENU NewHandle() const;
  bool HasImages() const;
  std::string caption_, hint_;
  TShortCut shortcut_ = 0;
  bool checked_ = false, enabled_ = true, visible_ = true;
  TAction* action_ = nullptr;
  int image_index_ = -1;
  TImageList* images_ = nullptr;
  TImageList* disabled_images_ = nullptr;
  std::vector<TMenuItem*> items_;
  TMenuItem* parent_ = nullptr;
  HMENU menu_ = nullptr;
  bool menu_bar_ = false;  // the root of a main menu
  UINT id_;
};

class TMainMenu : public TComponent {
 public:
  explicit TMainMenu(TComponent* owner);
  TMenuItem* Items() const { return root_; }
  HMENU Handle();

 private:
  TMenuItem* root_;
};

class TPopupMenu : public TComponent {
 public:
  explicit TPopupMenu(TComponent* owner);
  TMenuItem* Items() const { return root_; }
  // Shows the menu at a screen point and runs the chosen item.
  void Popup(int x, int y, HWND owner);
  std::function<void(TPopupMenu*)> OnPopup;

 private:
  TMenuItem* root_;
};

}  // namespace cl
