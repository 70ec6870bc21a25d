#include "editor/LinkCommands.h"

#include <memory>

#include "editor/ContentsCommands.h"
#include "editor/DialogPlace.h"
#include "editor/ImageIndexes.h"
#include "editor/LinkDialogs.h"
#include "editor/MarkupCommands.h"
#include "editor/TopicInfoDialog.h"
#include "editor/core/TopicInfo.h"

namespace qm::editor {

using cl::TAction;

TLinkCommands::TLinkCommands(TMainForm& form) : TCommandGroup(form) {
  LinkA = Form.ActionList1->Add("LinkA", "リンク(&L)...", cl::scCtrl | 'A', kImgLink);
  ALinkA = Form.ActionList1->Add("ALinkA", "Aキーワードリンク(&A)...");
  KLinkA = Form.ActionList1->Add("KLinkA", "キーワードリンク(&K)...");
  setKeyA = Form.ActionList1->Add("setKeyA", "トピック情報(&K)...", VK_F9, kImgTopicInfo);
  LinkA->OnExecute = [this](cl::TComponent*) { LinkAExecute(); };
  ALinkA->OnExecute = [this](cl::TComponent*) { ALinkAExecute(); };
  KLinkA->OnExecute = [this](cl::TComponent*) { KLinkAExecute(); };
  setKeyA->OnExecute = [this](cl::TComponent*) { setKeyAExecute(); };
  Form.EditPlace.Add(setKeyA);
  for (TAction* a : {LinkA, ALinkA, KLinkA}) Form.InsertLinkPlace.Add(a);
  for (TAction* a : {setKeyA, LinkA, ALinkA, KLinkA}) {
    a->SetEnabled(false);
    Form.TopicOpenCommands.Actions.push_back(a);
  }
  Form.TopicBar->AddButton(setKeyA);
  Form.TopicBar->AddButton(LinkA);
  Form.ContentsCmds->EditorDrop->OnDragDrop = [this](cl::TControl*, cl::TControl* source, int, int) {
    EditorDragDrop(source);
  };
}

namespace {

// Shows a link dialog at the cursor; on OK its markup replaces the editor's
// selection.
void RunLinkDialog(TMainForm& form, TLinkDlgBase& dlg) {
  PlaceEditorDialog(dlg, form.WorkArea);
  if (dlg.ShowModal() == cl::mrOk) form.Editor->SetSelText(dlg.Markup());
  form.Editor->SetFocus();
}

}  // namespace

void TLinkCommands::LinkAExecute() {
  auto dlg = std::make_unique<TJumpDlg>();
  dlg->HasSubWindow = Project.HasSubWindow;
  dlg->SubWindow = Project.SubWindowName;
  dlg->LinkSubView->SetEnabled(Project.HasSubWindow);
  dlg->LinkStrEd->SetText(Form.Editor->SelText());
  RunLinkDialog(Form, *dlg);
}

void TLinkCommands::ALinkAExecute() {
  auto dlg = std::make_unique<TLinkDlg>();
  dlg->SubWindow = Project.SubWindowName;
  dlg->LinkSubView->SetEnabled(Project.HasSubWindow);
  dlg->LinkStrEd->SetText(Form.Editor->SelText());
  RunLinkDialog(Form, *dlg);
}

void TLinkCommands::KLinkAExecute() {
  auto dlg = std::make_unique<TKLinkDlg>();
  dlg->LinkStrEd->SetText(Form.Editor->SelText());
  RunLinkDialog(Form, *dlg);
}

void TLinkCommands::EditorDragDrop(cl::TControl* source) {
  if (Project.TopicId.empty() || source != Form.ConTextView) return;
  ContentsNode* node = Form.ContentsCmds->NodeOfItem(Form.ConTextView->DragNode());
  if (!node || !CanDropNodeOnEditor(node->Kind)) return;
  const int t = node->Data;
  if (t < 0 || static_cast<std::size_t>(t) >= Project.TopicCount()) return;
  auto dlg = std::make_unique<TJumpDlg>();
  dlg->HasSubWindow = Project.HasSubWindow;
  dlg->SubWindow = Project.SubWindowName;
  dlg->LinkSubView->SetEnabled(Project.HasSubWindow);
  dlg->LinkIDEd->SetText(Project.TopicIds[static_cast<std::size_t>(t)]);
  dlg->LinkIDEd->SetEnabled(false);
  dlg->LinkStrEd->SetText(Form.Editor->SelLength() > 0 ? Form.Editor->SelText()
                                                       : Project.TopicTitles[static_cast<std::size_t>(t)]);
  RunLinkDialog(Form, *dlg);
}

void TLinkCommands::setKeyAExecute() {
  if (Project.TopicId.empty()) return;
  auto dlg = std::make_unique<TSetTopicDlg>();
  const TopicInfoStart start = OpenTopicInfo(Project);
  if (start.EditorModified) Form.Editor->SetModified(true);
  dlg->Project = &Project;
  dlg->LastComponentName = &Project.Program.LastComponentName;
  dlg->WorkArea = Form.WorkArea;
  dlg->SetValues(start.Values);
  dlg->SetSubWindow(start.SubWindow, start.SubWindowEnabled);
  PlaceEditorDialog(*dlg, Form.WorkArea);
  if (dlg->ShowModal() != cl::mrOk) return;
  const bool editor_empty = Form.Editor->LineCount() == 0;
  const TopicInfoApplied r = ApplyTopicInfo(Project, dlg->Values(), start.OpenedWindow, editor_empty);
  if (r.NodeTextChanged && Project.OpenTopicNode && Project.OpenTopicNode->ViewItem)
    Form.ConTextView->SetNodeText(static_cast<cl::TTreeNode>(Project.OpenTopicNode->ViewItem),
                                  Project.OpenTopicNode->Text);
  if (r.AddTitleCopy) {
    Form.Editor->SetSel(0, 0);
    Form.Editor->SetSelText(Project.TopicFootnotes.TopicTitle + "\r\n{end}\r\n");
    // The title becomes a non-scrolling heading.
    Form.Group<TMarkupCommands>().ShowNoScroll();
  }
  if (r.EditorModified) Form.Editor->SetModified(true);
  if (r.Changed) Form.ContentsCmds->ShowTopicStatus(Project.TopicId);
}

}  // namespace qm::editor
