#include "editor/EditCommands.h"

#include <windows.h>

#include "editor/ImageIndexes.h"

namespace qm::editor {

TEditCommands::TEditCommands(TMainForm& form) : TCommandGroup(form) {
  CloseA = Form.ActionList1->Add("CloseA", "終了(&X)");
  CloseA->OnExecute = [this](cl::TComponent* s) { CloseAExecute(s); };
  Form.ExitItem->SetAction(CloseA);
}

void TEditCommands::CloseAExecute(cl::TComponent*) { Form.Close(); }

}  // namespace qm::editor
