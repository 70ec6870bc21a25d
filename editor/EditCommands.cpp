#include "editor/EditCommands.h"

#include <windows.h>

#include "editor/ImageIndexes.h"

namespace qm::editor {

TEditCommands::TEditCommands(TMainForm& form) : TCommandGroup(form) {
  UndoA = Form.ActionList1->Add("UndoA", "元に戻す(&U)", cl::scCtrl | 'Z', kImgUndo);
  UndoA->OnExecute = [this](cl::TComponent* s) { UndoAExecute(s); };
  // Enabled while the editor can undo, seen when a menu or key asks.
  UndoA->OnUpdate = [this](cl::TAction* a) {
    HWND edit = Form.Editor->Handle();
    a->SetEnabled(edit && !Form.Editor->ReadOnly() && SendMessageA(edit, EM_CANUNDO, 0, 0) != 0);
  };
  UndoA->SetEnabled(false);
  PasteA = Form.ActionList1->Add("PasteA", "貼り付け(&P)", cl::scCtrl | 'V', kImgPaste);
  PasteA->OnExecute = [this](cl::TComponent* s) { PasteAExecute(s); };
  // A topic opened or closed since the clipboard last changed.
  PasteA->OnUpdate = [this](cl::TAction*) { UpdatePaste(); };
  PasteA->SetEnabled(false);
  Form.EditPlace.Add(UndoA);
  Form.EditPlace.Add(PasteA);
  Form.EditBar->AddButton(UndoA);
  Form.EditBar->AddButton(PasteA);

  CloseA = Form.ActionList1->Add("CloseA", "終了(&X)");
  CloseA->OnExecute = [this](cl::TComponent* s) { CloseAExecute(s); };
  Form.ExitItem->SetAction(CloseA);
}

void TEditCommands::FormCreated() { UpdatePaste(); }

void TEditCommands::ClipboardChanged() { UpdatePaste(); }

void TEditCommands::UpdatePaste() {
  if (Form.Editor->ReadOnly()) {
    PasteA->SetEnabled(false);
    return;
  }
  PasteA->SetEnabled(IsClipboardFormatAvailable(CF_TEXT) != 0);
}

void TEditCommands::UndoAExecute(cl::TComponent*) {
  if (HWND edit = Form.Editor->Handle()) SendMessageA(edit, EM_UNDO, 0, 0);
}

void TEditCommands::PasteAExecute(cl::TComponent*) {
  if (!Form.Editor->ReadOnly()) SendMessageA(Form.Editor->Handle(), WM_PASTE, 0, 0);
}

void TEditCommands::CloseAExecute(cl::TComponent*) { Form.Close(); }

}  // namespace qm::editor
