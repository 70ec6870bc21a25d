// Shows an editor dialog modally. Tests stand in for the user through the
// hook: it gets the dialog (built, filled and placed) and answers with the
// modal result.
#pragma once

#include <functional>

#include "classlib/DialogForm.h"

namespace qm::editor {

using EditorDialogHook = std::function<int(cl::TDialogForm& dialog)>;
// nullptr shows the dialogs again.
void SetEditorDialogHook(EditorDialogHook hook);
int RunEditorDialog(cl::TDialogForm& dialog);

}  // namespace qm::editor
