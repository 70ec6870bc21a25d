// The File menu's project commands.
#include "editor/MainForm.h"
#include "editor/core/ProjectFiles.h"

namespace qm::editor {

void TMainForm::SaveAExecute(cl::TComponent*) {
  // 1. The open topic, when it was changed.  (Topic saving joins here.)
  // 2. The project files, when the project changed.
  if (Project.ProjectModified) WriteProject(Project, nullptr);
}

}  // namespace qm::editor
