#include "editor/TableIndentCommands.h"

#include <richedit.h>

#include <memory>

#include "editor/ContentsCommands.h"
#include "editor/DialogPlace.h"
#include "editor/DialogRun.h"
#include "editor/TableIndentDialogs.h"
#include "editor/core/TableMarkup.h"

namespace qm::editor {

namespace {

// The paragraph attributes of a rich edit's selection, in whole points (the
// control keeps twips). Each one is written alone, so that a selection of
// paragraphs keeps their other indents.
class TRichEditIndents : public ParagraphIndentAccess {
 public:
  explicit TRichEditIndents(const cl::TRichEdit& edit) : edit_(edit) {}
  int FirstIndent() const override { return edit_.Paragraph().FirstIndent; }
  int LeftIndent() const override { return edit_.Paragraph().LeftIndent; }
  int RightIndent() const override { return edit_.Paragraph().RightIndent; }
  void SetFirstIndent(int points) override { Set(PFM_STARTINDENT, points); }
  void SetLeftIndent(int points) override { Set(PFM_OFFSET, points); }
  void SetRightIndent(int points) override { Set(PFM_RIGHTINDENT, points); }

 private:
  void Set(DWORD mask, int points) {
    PARAFORMAT2 pf = {};
    pf.cbSize = sizeof pf;
    pf.dwMask = mask;
    // ApplyIndentTexts keeps points * 20 within 32 bits.
    const LONG twips = static_cast<LONG>(points) * 20;
    if (mask == PFM_STARTINDENT) pf.dxStartIndent = twips;
    if (mask == PFM_OFFSET) pf.dxOffset = twips;
    if (mask == PFM_RIGHTINDENT) pf.dxRightIndent = twips;
    if (SendMessageA(edit_.Handle(), EM_SETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&pf)))
      cl::MarkFormatChanged(edit_.Handle());
  }
  const cl::TRichEdit& edit_;
};

}  // namespace

TTableIndentCommands::TTableIndentCommands(TMainForm& form) : TCommandGroup(form) {
  TableA = Form.ActionList1->Add("TableA", "表(&T)...");
  IndentA = Form.ActionList1->Add("IndentA", "インデント(&I)...", 'I' | cl::scCtrl);
  DelIndextA = Form.ActionList1->Add("DelIndextA", "インデント削除(&D)");
  TableA->OnExecute = [this](cl::TComponent*) { TableAExecute(); };
  IndentA->OnExecute = [this](cl::TComponent*) { IndentAExecute(); };
  DelIndextA->OnExecute = [this](cl::TComponent*) { DelIndextAExecute(); };
  Form.InsertObjectPlace.Add(TableA);
  Form.FormatPlace.Add("-");
  for (cl::TAction* a : {IndentA, DelIndextA}) Form.FormatPlace.Add(a);
  TableA->SetEnabled(false);
  Form.TopicOpenCommands.Actions.push_back(TableA);
  Form.ContentsCmds->OnEditExternalEntry = [this](ContentsNode* n) { EditExternalEntry(n); };
}

void TTableIndentCommands::TableAExecute() {
  auto dlg = std::make_unique<TTableDlg>();
  PlaceEditorDialog(*dlg, Form.WorkArea);
  if (RunEditorDialog(*dlg) != cl::mrOk) return;
  Form.Editor->SetSelText(TableMarkup(dlg->Cells()));
}

void TTableIndentCommands::IndentAExecute() {
  TRichEditIndents paragraph(*Form.Editor);
  auto dlg = std::make_unique<TIndextDlg>();
  PlaceEditorDialog(*dlg, Form.WorkArea);
  dlg->Fill(ReadIndentTexts(paragraph));
  if (RunEditorDialog(*dlg) != cl::mrOk) return;
  ApplyIndentTexts(paragraph, dlg->Texts());
  IndentsChanged();
}

void TTableIndentCommands::DelIndextAExecute() {
  TRichEditIndents paragraph(*Form.Editor);
  ClearIndents(paragraph);
  IndentsChanged();
}

void TTableIndentCommands::IndentsChanged() {
  // The control reports no selection change for a new paragraph format: the
  // editing group's selection handler moves the ruler's markers.
  if (Form.Editor->OnSelectionChange) Form.Editor->OnSelectionChange(Form.Editor);
}

void TTableIndentCommands::EditExternalEntry(ContentsNode* node) {
  if (!node || node->Kind != kExternalNode) return;
  const int row = node->Data;
  if (row < 0 || row >= static_cast<int>(Project.CntTargets.size())) return;
  auto dlg = std::make_unique<TChgOtherDlg>();
  PlaceEditorDialog(*dlg, Form.WorkArea);
  dlg->Fill(SplitExternalTarget(Project.CntTargets[row]));
  if (RunEditorDialog(*dlg) != cl::mrOk) return;
  // Stored, and the project marked modified, only when the target changed.
  StoreExternalTarget(Project, row, dlg->Target());
}

}  // namespace qm::editor
