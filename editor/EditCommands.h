// The plain editing commands of the main window: Undo, Paste (enabled
// exactly while the clipboard holds text, followed through the
// clipboard-viewer chain) and Close.
#pragma once

#include "editor/CommandGroup.h"

namespace qm::editor {

class TEditCommands : public TCommandGroup {
 public:
  explicit TEditCommands(TMainForm& form);

  cl::TAction* UndoA = nullptr;
  cl::TAction* PasteA = nullptr;
  cl::TAction* CloseA = nullptr;

  // Undoes the editor's last change.
  void UndoAExecute(cl::TComponent* sender);
  // Pastes the clipboard's text at the caret.
  void PasteAExecute(cl::TComponent* sender);
  // Closes the main window (which saves and stores the settings).
  void CloseAExecute(cl::TComponent* sender);
  // PasteA enabled while the clipboard holds text and the editor is
  // writable.
  void UpdatePaste();

  void FormCreated() override;
  void ClipboardChanged() override;
};

}  // namespace qm::editor
