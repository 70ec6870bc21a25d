#include "editor/DialogRun.h"

namespace qm::editor {

namespace {
EditorDialogHook& Hook() {
  static EditorDialogHook hook;
  return hook;
}
}  // namespace

void SetEditorDialogHook(EditorDialogHook hook) { Hook() = std::move(hook); }

int RunEditorDialog(cl::TDialogForm& dialog) {
  if (Hook()) return Hook()(dialog);
  return dialog.ShowModal();
}

}  // namespace qm::editor
