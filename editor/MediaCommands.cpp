#include "editor/MediaCommands.h"

#include <memory>

#include "editor/DialogPlace.h"
#include "editor/DialogRun.h"
#include "editor/MediaDialogs.h"

namespace qm::editor {

TMediaCommands::TMediaCommands(TMainForm& form) : TCommandGroup(form) {
  BmpA = Form.ActionList1->Add("BmpA", "グラフィック(&G)...", 'G' | cl::scCtrl);
  MciA = Form.ActionList1->Add("MciA", "MCI(&M)...");
  BmpA->OnExecute = [this](cl::TComponent*) { BmpAExecute(); };
  MciA->OnExecute = [this](cl::TComponent*) { MciAExecute(); };
  for (cl::TAction* a : {BmpA, MciA}) {
    Form.InsertObjectPlace.Add(a);
    a->SetEnabled(false);
    Form.TopicOpenCommands.Actions.push_back(a);
  }
}

void TMediaCommands::InsertAtCaret(const std::string& text) {
  Form.Editor->SetSel(Form.Editor->SelStart(), 0);
  Form.Editor->SetSelText(text);
}

void TMediaCommands::BmpAExecute() {
  auto dlg = std::make_unique<TBmpDlg>(Project.ProjectDir);
  PlaceEditorDialog(*dlg, Form.WorkArea);
  if (RunEditorDialog(*dlg) != cl::mrOk) return;
  InsertAtCaret(dlg->Markup());
}

void TMediaCommands::MciAExecute() {
  auto dlg = std::make_unique<TMCIDlg>(Project.ProjectDir);
  PlaceEditorDialog(*dlg, Form.WorkArea);
  if (RunEditorDialog(*dlg) != cl::mrOk) return;
  InsertAtCaret(dlg->Markup());
}

}  // namespace qm::editor
