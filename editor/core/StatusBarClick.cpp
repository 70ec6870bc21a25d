#include "editor/core/StatusBarClick.h"

namespace qm::editor {

StatusBarClick StatusBarClickAt(int x, std::string_view topicId) {
  // The panels are 100, 35, 100, 5, 100, 100, 100 pixels wide; the narrow
  // separator (panel 3) counts with the title after it.
  if (x < 100) return {0, !topicId.empty()};
  if (x == 100) return {0, false};
  if (x <= 136) return {1, false};
  if (x <= 237) return {2, false};
  if (x <= 338) return {4, false};
  if (x <= 439) return {5, false};
  if (x <= 540) return {6, false};
  return {};
}

}  // namespace qm::editor
