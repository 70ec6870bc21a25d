// Combo boxes: drop-down (an edit with a list) or drop-down list (a choice
// from the list only).
#pragma once

#include <string>
#include <vector>

#include "classlib/Control.h"

namespace cl {

enum class TComboBoxStyle { DropDown, DropDownList };

class TComboBox : public TControl {
 public:
  TComboBox(TComponent* owner, TControl* parent, TComboBoxStyle style = TComboBoxStyle::DropDown,
            bool sorted = false);

  TComboBoxStyle Style() const { return style_; }
  int Count() const;
  std::string Item(int i) const;
  // Returns the index the item got (sorted boxes place it).
  int Add(const std::string& item);
  void Insert(int index, const std::string& item);
  void Delete(int index);
  void Clear();
  void SetItems(const std::vector<std::string>& items);
  int IndexOf(const std::string& item) const;  // exact, -1 when missing
  int ItemIndex() const;
  void SetItemIndex(int i);  // -1 clears the choice
  // Lines of the list shown when it drops down.
  int DropDownCount = 8;
  bool DroppedDown() const;

  // The text changed (typed or chosen).
  std::function<void(TControl*)> OnChange;
  // An item was chosen from the list.
  std::function<void(TControl*)> OnSelect;
  bool Command(WORD code) override;
  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  TComboBoxStyle style_;
  bool resizing_ = false;
};

}  // namespace cl
