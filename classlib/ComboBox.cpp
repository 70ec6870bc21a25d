#include "classlib/ComboBox.h"

#include <stdexcept>

namespace cl {

TComboBox::TComboBox(TComponent* owner, TControl* parent, TComboBoxStyle style, bool sorted)
    : TControl(owner, parent), style_(style) {
  clicks_notified_ = true;
  DWORD s = WS_TABSTOP | WS_VSCROLL | CBS_AUTOHSCROLL |
            (style == TComboBoxStyle::DropDownList ? CBS_DROPDOWNLIST : CBS_DROPDOWN) |
            (sorted ? CBS_SORT : 0);
  CreateHandle("COMBOBOX", "", s, 0);
}

int TComboBox::Count() const { return static_cast<int>(SendMessageA(Handle(), CB_GETCOUNT, 0, 0)); }

std::string TComboBox::Item(int i) const {
  LRESULT n = SendMessageA(Handle(), CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0);
  if (n == CB_ERR) throw std::out_of_range("Combo box item " + std::to_string(i));
  std::string s(static_cast<std::size_t>(n) + 1, '\0');
  n = SendMessageA(Handle(), CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&s[0]));
  s.resize(static_cast<std::size_t>(n < 0 ? 0 : n));
  return s;
}

int TComboBox::Add(const std::string& item) {
  return static_cast<int>(SendMessageA(Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str())));
}

void TComboBox::Insert(int index, const std::string& item) {
  SendMessageA(Handle(), CB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(item.c_str()));
}

void TComboBox::Delete(int index) { SendMessageA(Handle(), CB_DELETESTRING, static_cast<WPARAM>(index), 0); }
void TComboBox::Clear() { SendMessageA(Handle(), CB_RESETCONTENT, 0, 0); }

void TComboBox::SetItems(const std::vector<std::string>& items) {
  Clear();
  for (const std::string& s : items) Add(s);
}

int TComboBox::IndexOf(const std::string& item) const {
  for (int i = 0; i < Count(); ++i)
    if (Item(i) == item) return i;
  return -1;
}

int TComboBox::ItemIndex() const { return static_cast<int>(SendMessageA(Handle(), CB_GETCURSEL, 0, 0)); }

void TComboBox::SetItemIndex(int i) {
  SendMessageA(Handle(), CB_SETCURSEL, static_cast<WPARAM>(i < 0 ? -1 : i), 0);
}

bool TComboBox::DroppedDown() const { return SendMessageA(Handle(), CB_GETDROPPEDSTATE, 0, 0) != 0; }

bool TComboBox::Command(WORD code) {
  switch (code) {
    case CBN_EDITCHANGE:
      if (OnChange) OnChange(this);
      return true;
    case CBN_SELCHANGE:
      // The edit of a drop-down box takes the chosen text only after this
      // notification: put it there first, so OnChange sees it.
      if (style_ == TComboBoxStyle::DropDown && ItemIndex() >= 0) SetText(Item(ItemIndex()));
      if (OnSelect) OnSelect(this);
      if (OnChange) OnChange(this);
      return true;
  }
  return false;
}

LRESULT TComboBox::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_SIZE) {
    // The box may set its own height back to the closed one from here.
    resizing_ = true;
    LRESULT r = TControl::WndProc(msg, wp, lp);
    resizing_ = false;
    return r;
  }
  if (msg == WM_WINDOWPOSCHANGING && !resizing_) {
    // The window's height is that of the box with its list dropped down;
    // the height set from outside is that of the closed box.
    auto* pos = reinterpret_cast<WINDOWPOS*>(lp);
    if (!(pos->flags & SWP_NOSIZE)) {
      int item = static_cast<int>(SendMessageA(Handle(), CB_GETITEMHEIGHT, 0, 0));
      int closed = static_cast<int>(SendMessageA(Handle(), CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0));
      int dropped = closed + 8 + (item > 0 ? item : 16) * (DropDownCount > 0 ? DropDownCount : 1);
      if (pos->cy < dropped) pos->cy = dropped;
    }
  }
  return TControl::WndProc(msg, wp, lp);
}

}  // namespace cl
