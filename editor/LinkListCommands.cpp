#include "editor/LinkListCommands.h"

#include <memory>

#include "editor/ContentsCommands.h"
#include "editor/DialogPlace.h"
#include "editor/DialogRun.h"
#include "editor/LinkListDialog.h"
#include "editor/MacroLinkDialog.h"
#include "editor/core/LinkListLines.h"

namespace qm::editor {

TLinkListCommands::TLinkListCommands(TMainForm& form) : TCommandGroup(form) {
  MacA = Form.ActionList1->Add("MacA", "マクロ(&M)...");
  MacA->OnExecute = [this](cl::TComponent*) { MacAExecute(); };
  Form.InsertLinkPlace.Add(MacA);
  MacA->SetEnabled(false);
  Form.TopicOpenCommands.Actions.push_back(MacA);

  LinkListItem = Form.InsertLinkPlace.Add("リンクリスト(&H)", "LinkListItem");
  LinkListItem->OnClick = [this](cl::TMenuItem*) { LinkListItemClick(); };
  LinkListItem->SetEnabled(false);
  Form.ContentsCmds->ContentsActionsShown.push_back(
      [this](const ContentsActionState& st) { LinkListItem->SetEnabled(st.LinkList); });
}

void TLinkListCommands::MacAExecute() {
  if (Project.TopicId.empty()) return;
  auto dlg = std::make_unique<TMacDlg>(Project.Program.HcwFolder);
  PlaceEditorDialog(*dlg, Form.WorkArea);
  dlg->LinkEd->SetText(Form.Editor->SelText());
  const int result = RunEditorDialog(*dlg);
  if (result == cl::mrOk) Form.Editor->SetSelText(dlg->Markup());
  if (result == kMacroOnlyResult) Form.Editor->SetSelText(dlg->MacEd->Text());
  Form.Editor->SetFocus();
}

void TLinkListCommands::LinkListItemClick() {
  ContentsNode* s = Form.ContentsCmds->NodeOfItem(Form.ConTextView->Selected());
  // The links go into the open topic: without one there is nowhere to put
  // them (the empty pane is read-only).
  if (!HasHiddenFirstChild(s) || Project.TopicId.empty()) return;
  auto dlg = std::make_unique<TLinkListDlg>(Project.HasSubWindow);
  PlaceEditorDialog(*dlg, Form.WorkArea);
  if (RunEditorDialog(*dlg) != cl::mrOk) return;
  LinkListOptions options = dlg->Options();
  options.SubWindowName = Project.SubWindowName;
  AppendEditorLines(LinkListLines(options, HiddenChildTopics(Project, s)));
  Form.Editor->SetFocus();
}

void TLinkListCommands::AppendEditorLines(const Lines& lines) {
  if (lines.empty()) return;
  // A position past the end puts the caret at the end.
  Form.Editor->SetSel(0x3FFFFFFF, 0);
  const std::string text = Form.Editor->PlainText();
  std::string added;
  // The last line, unless it is ended, is finished first.
  if (!text.empty() && text.back() != '\n' && text.back() != '\r') added += "\r\n";
  for (const std::string& line : lines) {
    added += line;
    added += "\r\n";
  }
  Form.Editor->SetSelText(added);
}

}  // namespace qm::editor
