#include "controls/core/RadioGroupLayout.h"

#include <algorithm>

namespace qm::controls {

int ClampRadioColumns(int columns) { return std::clamp(columns, 1, kMaxRadioColumns); }

std::vector<TButtonPlace> ArrangeRadioButtons(int count, int columns, int groupWidth, int groupHeight,
                                              int textHeight, int clientWidth, bool rightToLeft) {
  std::vector<TButtonPlace> places;
  if (count <= 0) return places;
  columns = ClampRadioColumns(columns);
  const int perColumn = (count + columns - 1) / columns;
  const int buttonWidth = std::max((groupWidth - 10) / columns, 0);
  const int space = std::max(groupHeight - textHeight - 5, 0);
  const int buttonHeight = space / perColumn;
  const int topMargin = textHeight + 1 + (space % perColumn) / 2;
  places.reserve(static_cast<std::size_t>(count));
  for (int k = 0; k < count; ++k) {
    int left = (k / perColumn) * buttonWidth + 8;
    if (rightToLeft) left = clientWidth - left - buttonWidth;
    places.push_back(TButtonPlace{left, (k % perColumn) * buttonHeight + topMargin, buttonWidth, buttonHeight});
  }
  return places;
}

int ClampItemIndex(int value, int count) {
  if (value >= count) value = count - 1;
  return std::max(value, -1);
}

TItemIndexChange SetItemIndex(int current, int value, int count, bool reading) {
  TItemIndexChange c;
  if (reading) {
    c.changed = value != current;
    c.itemIndex = value;
    return c;
  }
  value = ClampItemIndex(value, count);
  c.itemIndex = value;
  if (value == current) return c;
  c.changed = true;
  if (current >= 0 && current < count) c.uncheck = current;
  if (value >= 0) c.check = value;
  return c;
}

int ItemIndexAfterItemsChanged(int current, int count) { return current >= count ? count - 1 : current; }

TButtonAction GroupButtonAction(int notifyCode, bool checked, bool canModify) {
  if (!canModify) return TButtonAction::None;
  if (notifyCode == 5) return TButtonAction::DoubleClick;
  if (notifyCode == 0 && !checked) return TButtonAction::Click;
  return TButtonAction::None;
}

bool SwallowGroupKey(char key, bool canModify) { return !canModify && (key == '\b' || key == ' '); }

}  // namespace qm::controls
