// Compiling the project, the error pane, the help viewer and the outside
// programs.
#include "editor/MainForm.h"

namespace qm::editor {

void TMainForm::WireCompileCommands() {}

}  // namespace qm::editor
