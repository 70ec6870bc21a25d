#include "classlib/ListView.h"

#include <algorithm>

namespace cl {

// ---- items ----------------------------------------------------------------------

int TListItem::Index() const { return index_; }

void TListItem::SetCaption(const std::string& s) {
  caption_ = s;
  Changed();
}

std::string TListItem::SubItem(int i) const {
  return i >= 0 && i < SubItemCount() ? sub_items_[static_cast<std::size_t>(i)] : std::string();
}

void TListItem::SetSubItem(int i, const std::string& s) {
  if (i < 0) return;
  if (i >= SubItemCount()) sub_items_.resize(static_cast<std::size_t>(i) + 1);
  sub_items_[static_cast<std::size_t>(i)] = s;
  Changed();
}

void TListItem::SetImageIndex(int i) {
  image_index_ = i;
  Changed();
}

void TListItem::Changed() {
  int i = Index();
  if (i >= 0 && view_->update_depth_ == 0)
    SendMessageA(view_->Handle(), LVM_REDRAWITEMS, static_cast<WPARAM>(i), static_cast<LPARAM>(i));
}

bool TListItem::Selected() const {
  int i = Index();
  return i >= 0 && (SendMessageA(view_->Handle(), LVM_GETITEMSTATE, static_cast<WPARAM>(i), LVIS_SELECTED) &
                    LVIS_SELECTED) != 0;
}

void TListItem::SetSelected(bool v) {
  LVITEMA item = {};
  item.stateMask = LVIS_SELECTED;
  item.state = v ? LVIS_SELECTED : 0;
  SendMessageA(view_->Handle(), LVM_SETITEMSTATE, static_cast<WPARAM>(Index()), reinterpret_cast<LPARAM>(&item));
}

RECT TListItem::DisplayRect() const {
  RECT r = {};
  r.left = LVIR_BOUNDS;
  SendMessageA(view_->Handle(), LVM_GETITEMRECT, static_cast<WPARAM>(Index()), reinterpret_cast<LPARAM>(&r));
  return r;
}

// ---- the list view ----------------------------------------------------------------

TListView::TListView(TComponent* owner, TControl* parent, const TListViewOptions& o)
    : TControl(owner, parent) {
  clicks_notified_ = true;
  DWORD style = WS_TABSTOP | LVS_REPORT | (o.ReadOnly ? 0 : LVS_EDITLABELS) |
                (o.HideSelection ? 0 : LVS_SHOWSELALWAYS) | (o.ColumnClick ? 0 : LVS_NOSORTHEADER) |
                (o.MultiSelect ? 0 : LVS_SINGLESEL);
  CreateHandle(WC_LISTVIEWA, "", style, WS_EX_CLIENTEDGE);
  DWORD ex = (o.RowSelect ? LVS_EX_FULLROWSELECT : 0) | (o.GridLines ? LVS_EX_GRIDLINES : 0);
  SendMessageA(Handle(), LVM_SETEXTENDEDLISTVIEWSTYLE, ex, ex);
}

TListView::~TListView() = default;

void TListView::AddColumn(const std::string& caption, int width) {
  std::string text = caption;
  LVCOLUMNA col = {};
  col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
  col.pszText = &text[0];
  col.cx = width;
  col.iSubItem = columns_;
  SendMessageA(Handle(), LVM_INSERTCOLUMNA, static_cast<WPARAM>(columns_), reinterpret_cast<LPARAM>(&col));
  ++columns_;
}

std::string TListView::ColumnCaption(int i) const {
  char buf[256] = {};
  LVCOLUMNA col = {};
  col.mask = LVCF_TEXT;
  col.pszText = buf;
  col.cchTextMax = sizeof buf;
  SendMessageA(Handle(), LVM_GETCOLUMNA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&col));
  return buf;
}

int TListView::ColumnWidth(int i) const {
  return static_cast<int>(SendMessageA(Handle(), LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(i), 0));
}

void TListView::SetColumnWidth(int i, int width) {
  SendMessageA(Handle(), LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(i), MAKELPARAM(width, 0));
}

void TListView::Renumber(int from) {
  for (std::size_t i = static_cast<std::size_t>(std::max(from, 0)); i < items_.size(); ++i)
    items_[i]->index_ = static_cast<int>(i);
}

TListItem* TListView::RowAsked(int index, LPARAM item) const {
  if (index >= 0 && index < Count() && reinterpret_cast<LPARAM>(items_[static_cast<std::size_t>(index)].get()) == item)
    return items_[static_cast<std::size_t>(index)].get();
  // Asked in the middle of an insert or a delete, where the control's rows
  // and ours stand apart for a moment: the item is looked for by itself (a
  // row already gone is not found).
  for (const auto& row : items_)
    if (reinterpret_cast<LPARAM>(row.get()) == item) return row.get();
  return nullptr;
}

TListItem* TListView::Add() { return Insert(Count()); }

TListItem* TListView::Insert(int index) {
  index = std::clamp(index, 0, Count());
  items_.insert(items_.begin() + index, std::unique_ptr<TListItem>(new TListItem(this)));
  Renumber(index);
  TListItem* item = items_[static_cast<std::size_t>(index)].get();
  // The texts and the image come from the item when the row is drawn.
  LVITEMA lv = {};
  lv.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
  lv.iItem = index;
  lv.pszText = LPSTR_TEXTCALLBACKA;
  lv.iImage = I_IMAGECALLBACK;
  lv.lParam = reinterpret_cast<LPARAM>(item);
  SendMessageA(Handle(), LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&lv));
  for (int c = 1; c < columns_; ++c) {
    LVITEMA sub = {};
    sub.iSubItem = c;
    sub.pszText = LPSTR_TEXTCALLBACKA;
    SendMessageA(Handle(), LVM_SETITEMTEXTA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&sub));
  }
  return item;
}

void TListView::Delete(int index) {
  if (index < 0 || index >= Count()) return;
  SendMessageA(Handle(), LVM_DELETEITEM, static_cast<WPARAM>(index), 0);
  items_.erase(items_.begin() + index);
  Renumber(index);
}

void TListView::Clear() {
  SendMessageA(Handle(), LVM_DELETEALLITEMS, 0, 0);
  items_.clear();
}

void TListView::BeginUpdate() {
  if (update_depth_++ == 0) SendMessageA(Handle(), WM_SETREDRAW, FALSE, 0);
}

void TListView::EndUpdate() {
  if (update_depth_ == 0 || --update_depth_ > 0) return;
  SendMessageA(Handle(), WM_SETREDRAW, TRUE, 0);
  InvalidateRect(Handle(), nullptr, TRUE);
}

TListItem* TListView::Selected() const {
  int i = ItemIndex();
  return i >= 0 ? Item(i) : nullptr;
}

int TListView::ItemIndex() const { return NextRow(-1, LVNI_SELECTED); }

int TListView::NextRow(int after, UINT flags) const {
  return static_cast<int>(SendMessageA(Handle(), LVM_GETNEXTITEM, static_cast<WPARAM>(after), flags));
}

void TListView::SetSelected(TListItem* item) {
  // Only the rows that hold the selection or the focus lose them: a change
  // of every row at once (index -1) is made row by row, over them all.
  LVITEMA none = {};
  none.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  for (int i = NextRow(-1, LVNI_SELECTED); i >= 0; i = NextRow(i, LVNI_SELECTED))
    SendMessageA(Handle(), LVM_SETITEMSTATE, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&none));
  if (const int focused = NextRow(-1, LVNI_FOCUSED); focused >= 0)
    SendMessageA(Handle(), LVM_SETITEMSTATE, static_cast<WPARAM>(focused), reinterpret_cast<LPARAM>(&none));
  if (!item) return;
  LVITEMA lv = {};
  lv.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  lv.state = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageA(Handle(), LVM_SETITEMSTATE, static_cast<WPARAM>(item->Index()), reinterpret_cast<LPARAM>(&lv));
}

void TListView::SetItemIndex(int i) { SetSelected(i >= 0 && i < Count() ? Item(i) : nullptr); }

TListItem* TListView::TopItem() const {
  if (items_.empty()) return nullptr;
  int i = static_cast<int>(SendMessageA(Handle(), LVM_GETTOPINDEX, 0, 0));
  return i >= 0 && i < Count() ? Item(i) : nullptr;
}

int TListView::VisibleRowCount() const {
  return static_cast<int>(SendMessageA(Handle(), LVM_GETCOUNTPERPAGE, 0, 0));
}

void TListView::Scroll(int dx, int dy) { SendMessageA(Handle(), LVM_SCROLL, static_cast<WPARAM>(dx), dy); }

void TListView::MakeVisible(TListItem* item) {
  if (item) SendMessageA(Handle(), LVM_ENSUREVISIBLE, static_cast<WPARAM>(item->Index()), FALSE);
}

bool TListView::Notify(NMHDR* hdr, LRESULT& result) {
  switch (hdr->code) {
    case LVN_GETDISPINFOA: {
      auto* di = reinterpret_cast<NMLVDISPINFOA*>(hdr);
      // The control names the row and hands back the item it was given.
      const TListItem* item = RowAsked(di->item.iItem, di->item.lParam);
      if (!item) return true;
      if (di->item.mask & LVIF_TEXT) {
        text_buffer_ = di->item.iSubItem == 0 ? item->caption_ : item->SubItem(di->item.iSubItem - 1);
        if (di->item.pszText && di->item.cchTextMax > 0) {
          std::size_t n = std::min(text_buffer_.size(), static_cast<std::size_t>(di->item.cchTextMax - 1));
          text_buffer_.copy(di->item.pszText, n);
          di->item.pszText[n] = '\0';
        }
      }
      if (di->item.mask & LVIF_IMAGE) di->item.iImage = item->image_index_;
      result = 0;
      return true;
    }
    case LVN_ITEMCHANGED: {
      auto* nm = reinterpret_cast<NMLISTVIEW*>(hdr);
      if ((nm->uChanged & LVIF_STATE) && ((nm->uNewState ^ nm->uOldState) & LVIS_SELECTED) &&
          nm->iItem >= 0 && nm->iItem < Count() && OnSelectItem)
        OnSelectItem(this, Item(nm->iItem), (nm->uNewState & LVIS_SELECTED) != 0);
      return true;
    }
    case NM_CLICK:
      if (OnClick) OnClick(this);
      return true;
    case NM_DBLCLK:
      if (OnDblClick) OnDblClick(this);
      return true;
  }
  return false;
}

}  // namespace cl
