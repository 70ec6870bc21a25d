#include "editor/FindCommands.h"

#include "classlib/Dialogs.h"
#include "classlib/core/DialogLayout.h"
#include "editor/RichEditFindTarget.h"

namespace qm::editor {

TFindCommands::TFindCommands(TMainForm& form) : TCommandGroup(form) {
  Find1 = Form.EditFindPlace.Add("検索(&F)...", "Find1", -1, cl::scCtrl | 'F');
  Find1->OnClick = [this](cl::TMenuItem* m) { Find1Click(m); };
  FindNext1 = Form.EditFindPlace.Add("次を検索(&N)", "FindNext1", -1, VK_F3);
  FindNext1->OnClick = [this](cl::TMenuItem* m) { FindNext1Click(m); };
  Replace1 = Form.EditFindPlace.Add("置換(&E)...", "Replace1", -1, cl::scCtrl | 'R');
  Replace1->OnClick = [this](cl::TMenuItem* m) { Replace1Click(m); };
  for (cl::TMenuItem* m : {Find1, FindNext1, Replace1}) {
    m->SetEnabled(false);
    Form.TopicOpenCommands.Items.push_back(m);
  }

  FindDialog1 = new cl::TFindDialog(&Form);
  FindDialog1->Name = "FindDialog1";
  FindDialog1->Down = true;
  FindDialog1->HideUpDown = true;
  FindDialog1->OnFind = [this](cl::TFindDialog* d) { FindDialog1Find(d); };
  ReplaceDialog1 = new cl::TReplaceDialog(&Form);
  ReplaceDialog1->Name = "ReplaceDialog1";
  ReplaceDialog1->OnFind = [this](cl::TFindDialog* d) { FindDialog1Find(d); };
  ReplaceDialog1->OnReplace = [this](cl::TFindDialog* d) { ReplaceDialog1Replace(d); };
}

void TFindCommands::FormDestroying() {
  FindDialog1->CloseDialog();
  ReplaceDialog1->CloseDialog();
}

FindOptions TFindCommands::OptionsOf(const cl::TFindDialog& dialog) {
  FindOptions o;
  o.wholeWord = dialog.WholeWord;
  o.matchCase = dialog.MatchCase;
  return o;
}

void TFindCommands::ShowDialog(cl::TFindDialog* dialog) {
  // A selection within one line becomes the find text.
  if (Form.Editor->SelLength() > 0) {
    std::string sel = Form.Editor->SelText();
    if (sel.find('\r') == std::string::npos) dialog->FindText = sel;
  }
  POINT cursor{};
  GetCursorPos(&cursor);
  dialog->Execute(Form.Handle());
  const RECT& area = Form.WorkArea;
  cl::TLayoutRect at = cl::FitInto({cursor.x - 240, cursor.y - 30, dialog->Width(), dialog->Height()},
                                   area.left, area.top, area.right, area.bottom);
  dialog->MoveTo(at.Left, at.Top);
}

void TFindCommands::Find1Click(cl::TComponent*) { ShowDialog(FindDialog1); }

void TFindCommands::Replace1Click(cl::TComponent*) { ShowDialog(ReplaceDialog1); }

void TFindCommands::FindDialog1Find(cl::TFindDialog* sender) {
  RichEditFindTarget target(*Form.Editor);
  if (FindNext(target, sender->FindText, OptionsOf(*sender))) return;
  sender->CloseDialog();
  cl::ShowMessage(NotFoundMessage(sender->FindText));
}

void TFindCommands::FindNext1Click(cl::TComponent*) {
  if (!FindDialog1->FindText.empty()) FindDialog1Find(FindDialog1);
}

void TFindCommands::ReplaceDialog1Replace(cl::TFindDialog* sender) {
  RichEditFindTarget target(*Form.Editor);
  const FindOptions options = OptionsOf(*sender);
  if (!sender->ReplaceAll) {
    if (SelectionMatches(target, sender->FindText, options))
      target.ReplaceSelection(sender->ReplaceText);
    FindDialog1Find(sender);
    return;
  }
  sender->CloseDialog();
  // An empty find text replaces nothing (the loop would never end).
  ReplaceAll(target, sender->FindText, sender->ReplaceText, options);
  cl::ShowMessage(kReplaceDoneMessage);
}

}  // namespace qm::editor
