// The program options' font line: the default topic font's name, a comma and
// its size in points ("ＭＳ Ｐゴシック,12").
#pragma once

#include <string>

namespace qm::editor {

std::string FontLabel(const std::string& name, int size);

}  // namespace qm::editor
