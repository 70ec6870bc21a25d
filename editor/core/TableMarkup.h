// The table markup the table dialog inserts.
#pragma once

#include <string>
#include <vector>

namespace qm::editor {

// cells[r][c]: the data cells row by row, every row as long as the first
// (missing cells count as empty). Columns are 1000 units apart:
// "{size 1000,2000,...}{table}" then each row's cells separated by "{td}"
// and ended by "{td}{tr}", then "{end}". Cells are taken as typed.
std::string TableMarkup(const std::vector<std::vector<std::string>>& cells);

}  // namespace qm::editor
