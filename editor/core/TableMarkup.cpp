#include "editor/core/TableMarkup.h"

#include <algorithm>

namespace qm::editor {

std::string TableMarkup(const std::vector<std::vector<std::string>>& cells) {
  const std::size_t columns = cells.empty() ? 1 : std::max<std::size_t>(1, cells.front().size());
  std::string out = "{size 1000";
  for (std::size_t j = 2; j <= columns; ++j) {
    out += ',';
    out += std::to_string(j * 1000);
  }
  out += "}{table}";
  for (const auto& row : cells) {
    for (std::size_t c = 0; c < columns; ++c) {
      if (c > 0) out += "{td}";
      if (c < row.size()) out += row[c];
    }
    out += "{td}{tr}";
  }
  out += "{end}";
  return out;
}

}  // namespace qm::editor
