// List boxes of text items, one item chosen at a time.
#pragma once

#include <string>
#include <vector>

#include "classlib/Control.h"

namespace cl {

class TListBox : public TControl {
 public:
  TListBox(TComponent* owner, TControl* parent, bool sorted = false);

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
  void SetItemIndex(int i);  // -1 clears the choice; runs no event
  int TopIndex() const;
  void SetTopIndex(int i);

  // OnClick: the chosen item changed (by mouse or keys); OnDblClick: an item
  // was double-clicked.
  bool Command(WORD code) override;
};

}  // namespace cl
