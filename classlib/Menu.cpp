#include "classlib/Menu.h"

#include <algorithm>
#include <map>

namespace cl {

namespace {
std::map<UINT, TMenuItem*>& Commands() {
  static std::map<UINT, TMenuItem*> m;
  return m;
}
UINT g_next_id = 100;
}  // namespace

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner), id_(g_next_id++) {
  Commands()[id_] = this;
}

TMenuItem::~TMenuItem() {
  Commands().erase(id_);
  if (action_) action_->RemoveClient(this);
  for (TMenuItem* c : items_) c->parent_ = nullptr;
  if (parent_) parent_->Remove(this);
  if (menu_) DestroyMenu(menu_);
}

TMenuItem* TMenuItem::FromCommand(UINT id) {
  auto it = Commands().find(id);
  return it == Commands().end() ? nullptr : it->second;
}

std::string TMenuItem::Caption() const { return action_ ? action_->Caption() : caption_; }
std::string TMenuItem::Hint() const { return !hint_.empty() || !action_ ? hint_ : action_->Hint(); }

void TMenuItem::SetCaption(const std::string& v) { caption_ = v; Rebuild(); }
TShortCut TMenuItem::ShortCut() const { return action_ ? action_->ShortCut() : shortcut_; }
void TMenuItem::SetShortCut(TShortCut v) { shortcut_ = v; Rebuild(); }
bool TMenuItem::Checked() const { return action_ ? action_->Checked() : checked_; }
void TMenuItem::SetChecked(bool v) {
  if (action_) action_->SetChecked(v);
  checked_ = v;
  Rebuild();
}
bool TMenuItem::Enabled() const { return action_ ? action_->Enabled() : enabled_; }
void TMenuItem::SetEnabled(bool v) {
  if (action_) action_->SetEnabled(v);
  enabled_ = v;
  Rebuild();
}
void TMenuItem::SetVisible(bool v) {
  visible_ = v;
  if (parent_) parent_->RebuildChildren();
}

void TMenuItem::SetAction(TAction* a) {
  if (action_) action_->RemoveClient(this);
  action_ = a;
  if (action_) action_->AddClient(this);
  Rebuild();
}

int TMenuItem::ImageIndex() const {
  if (action_ && action_->ImageIndex() >= 0) return action_->ImageIndex();
  return image_index_;
}

void TMenuItem::SetImageIndex(int i) {
  image_index_ = i;
  Rebuild();
}

void TMenuItem::SetImages(TImageList* images, TImageList* disabled) {
  images_ = images;
  disabled_images_ = disabled;
  RebuildChildren();
  for (TMenuItem* it : items_) it->RebuildChildren();
}

bool TMenuItem::PopupOpening(HMENU menu) {
  TMenuItem* owner = nullptr;
  for (const auto& [id, item] : Commands()) {
    if (item->menu_ == menu) {
      owner = item;
      break;
    }
  }
  if (!owner) return false;
  for (TMenuItem* it : owner->items_)
    if (it->action_) it->action_->Update();
  owner->RebuildChildren();
  return true;
}

bool TMenuItem::MeasureItem(MEASUREITEMSTRUCT* m) {
  if (m->CtlType != ODT_MENU || !FromCommand(m->itemID)) return false;
  m->itemWidth = 16;
  m->itemHeight = 16;
  return true;
}

bool TMenuItem::DrawItem(DRAWITEMSTRUCT* d) {
  if (d->CtlType != ODT_MENU) return false;
  TMenuItem* it = FromCommand(d->itemID);
  if (!it) return false;
  const TMenuItem* root = it;
  while (root->parent_ && !root->images_) root = root->parent_;
  TImageList* list = it->Enabled() ? root->images_ : root->disabled_images_;
  if (!list) list = root->images_;
  if (list && it->ImageIndex() >= 0)
    ImageList_Draw(list->Handle(), it->ImageIndex(), d->hDC, d->rcItem.left, d->rcItem.top, ILD_TRANSPARENT);
  return true;
}

void TMenuItem::ActionFreed() {
  action_ = nullptr;
  Rebuild();
}

int TMenuItem::IndexOf(const TMenuItem* item) const {
  auto it = std::find(items_.begin(), items_.end(), item);
  return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

void TMenuItem::Add(TMenuItem* item) { Insert(Count(), item); }

void TMenuItem::Insert(int index, TMenuItem* item) {
  if (item->parent_) item->parent_->Remove(item);
  index = std::clamp(index, 0, Count());
  items_.insert(items_.begin() + index, item);
  item->parent_ = this;
  RebuildChildren();
}

void TMenuItem::Remove(TMenuItem* item) {
  auto it = std::find(items_.begin(), items_.end(), item);
  if (it == items_.end()) return;
  items_.erase(it);
  item->parent_ = nullptr;
  RebuildChildren();
}

TMenuItem* TMenuItem::AddItem(const std::string& caption, std::function<void(TMenuItem*)> onclick,
                              TShortCut shortcut) {
  auto* m = new TMenuItem(this);
  m->caption_ = caption;
  m->shortcut_ = shortcut;
  m->OnClick = std::move(onclick);
  Add(m);
  return m;
}

TMenuItem* TMenuItem::AddItem(TAction* action) {
  auto* m = new TMenuItem(this);
  m->SetAction(action);
  Add(m);
  return m;
}

TMenuItem* TMenuItem::AddSeparator() { return AddItem("-"); }

void TMenuItem::Click() {
  if (!Enabled()) return;
  // Copy what is needed: the handler may free this item.
  TAction* action = action_;
  auto handler = OnClick;
  if (handler) {
    handler(this);
  } else if (action) {
    action->Execute(this);
  }
}

HMENU TMenuItem::SubMenuHandle() {
  if (!menu_) {
    menu_ = NewHandle();
    RebuildChildren();
  }
  return menu_;
}

HMENU TMenuItem::NewHandle() const {
  // A menu bar must be made as one: a popup attached with SetMenu drops its
  // menus beside their titles and hides the window when they close.
  return menu_bar_ ? CreateMenu() : CreatePopupMenu();
}

void TMenuItem::Rebuild() {
  if (parent_) parent_->RebuildChildren();
}

void TMenuItem::RebuildChildren() {
  if (!menu_) {
    if (items_.empty()) return;
    menu_ = NewHandle();
    if (parent_) parent_->RebuildChildren();
  }
  // Take every entry out (submenus are kept, not destroyed) and put the
  // visible items back.
  while (GetMenuItemCount(menu_) > 0) RemoveMenu(menu_, 0, MF_BYPOSITION);
  // In a menu with images every item has the image column, left empty where
  // it has no image: Wine draws every caption after the widest image but
  // sets the shortcut column after each item's own image only, so that the
  // longest caption, on an item without one, would run into its shortcut.
  bool image_column = false;
  if (HasImages())
    for (const TMenuItem* it : items_)
      if (it->visible_ && !it->IsSeparator() && it->ImageIndex() >= 0) image_column = true;
  UINT pos = 0;
  for (TMenuItem* it : items_) {
    if (!it->visible_) continue;
    MENUITEMINFOA mi = {};
    mi.cbSize = sizeof mi;
    if (it->IsSeparator()) {
      mi.fMask = MIIM_FTYPE;
      mi.fType = MFT_SEPARATOR;
    } else {
      std::string text = it->Caption();
      if (it->ShortCut()) text += "\t" + ShortCutToText(it->ShortCut());
      mi.fMask = MIIM_STRING | MIIM_ID | MIIM_STATE | MIIM_FTYPE;
      mi.fType = it->RadioItem ? MFT_RADIOCHECK : MFT_STRING;
      mi.dwTypeData = &text[0];
      mi.wID = it->id_;
      mi.fState = (it->Enabled() ? MFS_ENABLED : MFS_GRAYED) | (it->Checked() ? MFS_CHECKED : 0);
      if (!it->items_.empty()) {
        mi.fMask |= MIIM_SUBMENU;
        mi.hSubMenu = it->SubMenuHandle();
      }
      if (image_column) {
        mi.fMask |= MIIM_BITMAP;
        mi.hbmpItem = HBMMENU_CALLBACK;
      }
      InsertMenuItemA(menu_, pos, TRUE, &mi);
      ++pos;
      continue;
    }
    InsertMenuItemA(menu_, pos++, TRUE, &mi);
  }
  if (!parent_) {
    // A menu bar: have its window draw it again.
    for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
      if (GetMenu(w) == menu_) DrawMenuBar(w);
    }
  }
}

bool TMenuItem::HasImages() const {
  for (const TMenuItem* m = this; m; m = m->parent_)
    if (m->images_) return true;
  return false;
}

TMenuItem* TMenuItem::FindShortCut(TShortCut s) {
  for (TMenuItem* it : items_) {
    // A hidden item has no shortcut, but a hidden submenu still gives its
    // items' shortcuts: commands reached only by their keys live there.
    if (it->items_.empty() && !it->visible_) continue;
    if (it->ShortCut() == s && it->items_.empty() && it->Enabled()) return it;
    if (TMenuItem* found = it->FindShortCut(s)) return found;
  }
  return nullptr;
}

TMainMenu::TMainMenu(TComponent* owner) : TComponent(owner), root_(new TMenuItem(this)) {
  root_->menu_bar_ = true;
}

HMENU TMainMenu::Handle() { return root_->SubMenuHandle(); }

TPopupMenu::TPopupMenu(TComponent* owner) : TComponent(owner), root_(new TMenuItem(this)) {}

void TPopupMenu::Popup(int x, int y, HWND owner) {
  if (OnPopup) OnPopup(this);
  UINT id = TrackPopupMenu(root_->SubMenuHandle(), TPM_RETURNCMD | TPM_LEFTALIGN | TPM_TOPALIGN,
                           x, y, 0, owner, nullptr);
  if (id) {
    if (TMenuItem* m = TMenuItem::FromCommand(id)) m->Click();
  }
}

}  // namespace cl
