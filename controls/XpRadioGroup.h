// The radio group: a theme-aware group box holding one radio button per
// line of its Items, laid out in Columns columns, with the checked button
// as ItemIndex.
//
// Setting ItemIndex from code to a new index of 0 or more checks that
// button, which clicks it and so fires the group's OnClick; a click on the
// button that is already checked changes nothing and fires nothing.
#pragma once

#include <string>
#include <vector>

#include "controls/StdCtrlsXp.h"

namespace qm::controls {

class TXpCustomRadioGroup;

// A button the group makes for one of its items.
class TXpGroupButton : public TXpRadioButton {
 public:
  // Creates the button, hidden, as the group's last button.
  explicit TXpGroupButton(TXpCustomRadioGroup* group);
  ~TXpGroupButton() override;

  bool Command(WORD code) override;
  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  TXpCustomRadioGroup* group_;
  bool in_click_ = false;  // the click's own notifications are not handled again
};

class TXpCustomRadioGroup : public TXpCustomGroupBox {
 public:
  TXpCustomRadioGroup(cl::TComponent* owner, cl::TControl* parent, const std::string& caption = "");
  ~TXpCustomRadioGroup() override;

  // Items: each change rebuilds the buttons (except while reading).
  const std::vector<std::string>& Items() const { return items_; }
  void SetItems(const std::vector<std::string>& items);
  void AddItem(const std::string& item);
  void DeleteItem(int index);
  void ClearItems();

  // -1 for none. Values below -1 become -1, values past the last button
  // the last button.
  int ItemIndex() const { return item_index_; }
  void SetItemIndex(int value);
  // 1 to 16.
  int Columns() const { return columns_; }
  void SetColumns(int value);

  // A descendant may refuse changes of the selection by the user.
  virtual bool CanModify() { return true; }

  // Building the group from a description: while reading, Items changes
  // make no buttons and ItemIndex is stored as it is; EndReading builds
  // the buttons and lays them out.
  void BeginReading() { reading_ = true; }
  void EndReading();

  int ButtonCount() const { return static_cast<int>(buttons_.size()); }
  TXpGroupButton* Button(int index) const { return buttons_.at(static_cast<std::size_t>(index)); }

  // Places the buttons in their columns.
  void ArrangeButtons();

  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  friend class TXpGroupButton;
  void ButtonClicked(TXpGroupButton* button);
  void ItemsChanged();
  void RefreshButtons();
  void MatchButtonCount(int count);

  std::vector<TXpGroupButton*> buttons_;
  std::vector<std::string> items_;
  int item_index_ = -1;
  int columns_ = 1;
  bool reading_ = false;
  bool updating_ = false;
};

// The radio group placed on forms.
class TXpRadioGroup : public TXpCustomRadioGroup {
 public:
  using TXpCustomRadioGroup::TXpCustomRadioGroup;
};

}  // namespace qm::controls
