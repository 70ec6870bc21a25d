#include "editor/HelpOptionCommands.h"

#include <memory>

#include "editor/DialogPlace.h"
#include "editor/DialogRun.h"
#include "editor/HelpOptionDialog.h"
#include "editor/ImageIndexes.h"
#include "editor/core/HelpOptions.h"

namespace qm::editor {

THelpOptionCommands::THelpOptionCommands(TMainForm& form) : TCommandGroup(form) {
  HelpOptionA = Form.ActionList1->Add("HelpOptionA", "Helpオプション(&H)...", 0, kImgHelpOptions);
  HelpOptionA->SetEnabled(false);
  HelpOptionA->OnExecute = [this](cl::TComponent*) { HelpOptionAExecute(); };
  Form.ToolProjectPlace.Add(HelpOptionA);
  Form.PrjBar->AddButton(HelpOptionA);
  Form.ProjectOpenCommands.Actions.push_back(HelpOptionA);
}

void THelpOptionCommands::HelpOptionAExecute() {
  auto dlg = std::make_unique<THelpOptionDlg>();
  PlaceEditorDialog(*dlg, Form.WorkArea);
  dlg->Fill(FillHelpOptions(Project));
  if (RunEditorDialog(*dlg) != cl::mrOk) return;
  // Marks the project modified whether or not anything changed, so that the
  // next save rewrites the project files.
  ApplyHelpOptions(dlg->Values(), Project);
  if (Project.Program.TrueColorDisplay) Form.Editor->SetBackgroundColor(Project.TopicColor);
}

}  // namespace qm::editor
