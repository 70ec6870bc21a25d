// List views in report style: columns with a header, rows of a caption and
// sub-items. The rows' texts live in TListItem objects, which the control
// asks for when it draws (so changing a text is a matter of the item).
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "classlib/Control.h"

namespace cl {

class TListView;

class TListItem {
 public:
  TListView* ListView() const { return view_; }
  int Index() const;
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& s);
  int SubItemCount() const { return static_cast<int>(sub_items_.size()); }
  // Sub-item i shows in column i + 1; missing ones read as empty.
  std::string SubItem(int i) const;
  void SetSubItem(int i, const std::string& s);
  void AddSubItem(const std::string& s) { SetSubItem(SubItemCount(), s); }
  int ImageIndex() const { return image_index_; }
  void SetImageIndex(int i);
  // A value of the program's, not shown.
  LPARAM Data = 0;
  bool Selected() const;
  void SetSelected(bool v);
  // The row's rectangle in the list's client area.
  RECT DisplayRect() const;

 private:
  friend class TListView;
  explicit TListItem(TListView* view) : view_(view) {}
  void Changed();
  TListView* view_;
  int index_ = -1;  // the row, kept by the list as rows come and go
  std::string caption_;
  std::vector<std::string> sub_items_;
  int image_index_ = -1;
};

struct TListViewOptions {
  bool RowSelect = true;       // a click anywhere on the row selects it
  bool ReadOnly = true;        // no in-place editing of captions
  bool HideSelection = false;  // the selection shows also without the focus
  bool ColumnClick = false;    // the header's buttons can be clicked
  bool MultiSelect = false;
  bool GridLines = false;
};

class TListView : public TControl {
 public:
  TListView(TComponent* owner, TControl* parent, const TListViewOptions& options = {});
  ~TListView() override;

  // Columns.
  int ColumnCount() const { return columns_; }
  void AddColumn(const std::string& caption, int width);
  std::string ColumnCaption(int i) const;
  int ColumnWidth(int i) const;
  void SetColumnWidth(int i, int width);

  // Rows, in the order shown.
  int Count() const { return static_cast<int>(items_.size()); }
  TListItem* Item(int i) const { return items_.at(static_cast<std::size_t>(i)).get(); }
  TListItem* Add();
  TListItem* Insert(int index);
  void Delete(int index);
  void Clear();
  // Brackets many changes: the control is drawn once at the end.
  void BeginUpdate();
  void EndUpdate();
  // True between BeginUpdate and its EndUpdate: the control is not drawn.
  bool Updating() const { return update_depth_ > 0; }

  // The first selected row (null: none).
  TListItem* Selected() const;
  // Selects this row alone (null: none) and gives it the focus mark.
  void SetSelected(TListItem* item);
  int ItemIndex() const;
  void SetItemIndex(int i);
  // The first row shown; null when the list is empty.
  TListItem* TopItem() const;
  // Rows that fit in the client area.
  int VisibleRowCount() const;
  // Scrolls by pixels (rows scroll by whole rows).
  void Scroll(int dx, int dy);
  void MakeVisible(TListItem* item);

  std::function<void(TListView*, TListItem*, bool selected)> OnSelectItem;

  bool Notify(NMHDR* hdr, LRESULT& result) override;

 private:
  friend class TListItem;
  // The first row after `after` (-1: from the top) with the state flags
  // (LVNI_*), or -1.
  int NextRow(int after, UINT flags) const;
  // Tells the rows from `from` on where they now stand.
  void Renumber(int from);
  // The item of the row the control asks about, found by the row's index
  // and the item it was given; null when the row is gone.
  TListItem* RowAsked(int index, LPARAM item) const;
  std::vector<std::unique_ptr<TListItem>> items_;
  int columns_ = 0;
  int update_depth_ = 0;
  std::string text_buffer_;  // the text handed out on the last request
};

}  // namespace cl
