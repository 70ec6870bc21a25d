#include "editor/core/FontLabel.h"

#include "core/Cp932.h"

namespace qm::editor {

std::string FontLabel(const std::string& name, int size) { return name + "," + IntToStr(size); }

}  // namespace qm::editor
