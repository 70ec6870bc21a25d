#include "classlib/ListBox.h"

#include <stdexcept>

namespace cl {

TListBox::TListBox(TComponent* owner, TControl* parent, bool sorted) : TControl(owner, parent) {
  clicks_notified_ = true;
  CreateHandle("LISTBOX", "",
               WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | (sorted ? LBS_SORT : 0),
               WS_EX_CLIENTEDGE);
}

int TListBox::Count() const { return static_cast<int>(SendMessageA(Handle(), LB_GETCOUNT, 0, 0)); }

std::string TListBox::Item(int i) const {
  LRESULT n = SendMessageA(Handle(), LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
  if (n == LB_ERR) throw std::out_of_range("List box item " + std::to_string(i));
  std::string s(static_cast<std::size_t>(n) + 1, '\0');
  n = SendMessageA(Handle(), LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&s[0]));
  s.resize(static_cast<std::size_t>(n < 0 ? 0 : n));
  return s;
}

int TListBox::Add(const std::string& item) {
  return static_cast<int>(SendMessageA(Handle(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str())));
}

void TListBox::Insert(int index, const std::string& item) {
  SendMessageA(Handle(), LB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(item.c_str()));
}

void TListBox::Delete(int index) { SendMessageA(Handle(), LB_DELETESTRING, static_cast<WPARAM>(index), 0); }
void TListBox::Clear() { SendMessageA(Handle(), LB_RESETCONTENT, 0, 0); }

void TListBox::SetItems(const std::vector<std::string>& items) {
  SendMessageA(Handle(), WM_SETREDRAW, FALSE, 0);
  Clear();
  for (const std::string& s : items) Add(s);
  SendMessageA(Handle(), WM_SETREDRAW, TRUE, 0);
  Invalidate();
}

int TListBox::IndexOf(const std::string& item) const {
  for (int i = 0; i < Count(); ++i)
    if (Item(i) == item) return i;
  return -1;
}

int TListBox::ItemIndex() const { return static_cast<int>(SendMessageA(Handle(), LB_GETCURSEL, 0, 0)); }

void TListBox::SetItemIndex(int i) {
  SendMessageA(Handle(), LB_SETCURSEL, static_cast<WPARAM>(i < 0 ? -1 : i), 0);
}

int TListBox::TopIndex() const { return static_cast<int>(SendMessageA(Handle(), LB_GETTOPINDEX, 0, 0)); }
void TListBox::SetTopIndex(int i) { SendMessageA(Handle(), LB_SETTOPINDEX, static_cast<WPARAM>(i), 0); }

bool TListBox::Command(WORD code) {
  switch (code) {
    case LBN_SELCHANGE:
      if (OnClick) OnClick(this);
      return true;
    case LBN_DBLCLK:
      if (OnDblClick) OnDblClick(this);
      return true;
  }
  return false;
}

}  // namespace cl
