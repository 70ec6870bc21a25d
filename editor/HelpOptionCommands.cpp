#include "editor/HelpOptionCommands.h"

#include "editor/ImageIndexes.h"

namespace qm::editor {

THelpOptionCommands::THelpOptionCommands(TMainForm& form) : TCommandGroup(form) {
  HelpOptionA = Form.ActionList1->Add("HelpOptionA", "Helpオプション(&H)...", 0, kImgHelpOptions);
  HelpOptionA->SetEnabled(false);
  Form.ToolProjectPlace.Add(HelpOptionA);
  Form.PrjBar->AddButton(HelpOptionA);
  Form.ProjectOpenCommands.Actions.push_back(HelpOptionA);
}

}  // namespace qm::editor
