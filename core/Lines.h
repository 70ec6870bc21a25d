// Text files as lists of lines (bytes, code page 932).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qm {

using Lines = std::vector<std::string>;

// Splits text into lines; CR LF, LF and a lone CR each end a line. A last line
// without an ending is kept; an ending at the very end adds no empty line.
Lines SplitLines(std::string_view text);

// Joins lines, each one followed by CR LF (the last one too).
std::string JoinLines(const Lines& lines);

}  // namespace qm
