// The rules of a radio group apart from its windows: how its buttons stand
// in columns, which index a new ItemIndex becomes and what a click on a
// button does.
#pragma once

#include <vector>

namespace qm::controls {

constexpr int kMaxRadioColumns = 16;

// 1 to 16.
int ClampRadioColumns(int columns);

struct TButtonPlace {
  int left = 0, top = 0, width = 0, height = 0;
  bool operator==(const TButtonPlace&) const = default;
};

// The places of count buttons in a group of groupWidth x groupHeight with a
// font textHeight high: items fill the first column top to bottom, then
// the next. Each column is (groupWidth - 10) / columns wide; the lines
// share the height below the caption line. With rightToLeft the columns
// run from the right edge of the client area. Sizes never go below 0.
std::vector<TButtonPlace> ArrangeRadioButtons(int count, int columns, int groupWidth, int groupHeight,
                                              int textHeight, int clientWidth, bool rightToLeft);

// -1 (none) to count - 1.
int ClampItemIndex(int value, int count);

// What the ItemIndex setter does with the buttons.
struct TItemIndexChange {
  bool changed = false;  // false: nothing is done (and nothing fires)
  int uncheck = -1;      // button to uncheck, or -1
  int check = -1;        // button to check (which clicks it), or -1
  int itemIndex = -1;    // the new value
};
// While the group is read from a form description the value is stored
// as it is.
TItemIndexChange SetItemIndex(int current, int value, int count, bool reading);

// The index kept when the items change to count lines: an index past the
// last line moves to the new last line (-1 with no lines).
int ItemIndexAfterItemsChanged(int current, int count);

// What a notification of a group button does.
enum class TButtonAction { None, Click, DoubleClick };
// BN_CLICKED (0) checks an unchecked button, which selects it; on a checked
// one it does nothing. BN_DOUBLECLICKED (5) reaches the button's own double
// click. Nothing passes while the group refuses changes (canModify false).
TButtonAction GroupButtonAction(int notifyCode, bool checked, bool canModify);

// Backspace and space are swallowed while the group refuses changes.
bool SwallowGroupKey(char key, bool canModify);

}  // namespace qm::controls
