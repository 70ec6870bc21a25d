#include "editor/TableIndentDialogs.h"

#include "classlib/Dialogs.h"

namespace qm::editor {

namespace {

using cl::ckButton;
using cl::ckEdit;
using cl::ckLabel;
using cl::ckStringGrid;
using cl::ckUpDown;

const cl::TControlDesc kTableControls[] = {
    {ckStringGrid, "TbGrid", "", 0, 0, 368, 150,
     "align=top cols=3 rows=3 fixedcols=1 fixedrows=1 colwidth=120 rowheight=20 editing help=92"},
    {ckLabel, "Label1", "行数", 8, 164, 30, 14},
    {ckEdit, "RowEd", "2", 40, 160, 40, 20, "readonly help=90"},
    {ckUpDown, "RowUpDown", "", 80, 160, 15, 20, "associate=RowEd min=1 max=100 pos=2 nothousands"},
    {ckLabel, "Label2", "列数", 108, 164, 30, 14},
    {ckEdit, "ColEd", "2", 140, 160, 40, 20, "readonly help=91"},
    {ckUpDown, "ColUpDown", "", 180, 160, 15, 20, "associate=ColEd min=1 max=100 pos=2 nothousands"},
    {ckButton, "OKBtn", "OK", 200, 190, 75, 25, "default result=1"},
    {ckButton, "CancelBtn", "キャンセル", 285, 190, 75, 25, "cancel result=2"},
};
const cl::TDialogDesc kTableDlg = {"TTableDlg", "表作成", 368, 224, "border=dialog focus=TbGrid", kTableControls};

const cl::TControlDesc kIndentControls[] = {
    {ckLabel, "Label1", "左インデント", 12, 16, 90, 14},
    {ckEdit, "LeftIndentEd", "", 110, 12, 60, 20, "imeoff help=101"},
    {ckLabel, "Label2", "１行目", 12, 44, 90, 14},
    {ckEdit, "FirstIndentEd", "", 110, 40, 60, 20, "imeoff help=102"},
    {ckLabel, "Label3", "右インデント", 12, 72, 90, 14},
    {ckEdit, "RightIndentEd", "", 110, 68, 60, 20, "imeoff help=103"},
    {ckButton, "OKBtn", "変更", 40, 104, 75, 25, "default result=1"},
    {ckButton, "CancelBtn", "キャンセル", 121, 104, 75, 25, "cancel result=2"},
};
const cl::TDialogDesc kIndextDlg = {"TIndextDlg", "インデント設定", 208, 138, "border=dialog focus=LeftIndentEd",
                                    kIndentControls};

const cl::TControlDesc kChgOtherControls[] = {
    {ckLabel, "Label1", "トピックID(&T)", 12, 16, 96, 14},
    {ckEdit, "TIDEd", "", 112, 12, 200, 20, "imeoff help=118"},
    {ckLabel, "Label2", "ヘルプ(&H)", 12, 44, 96, 14},
    {ckEdit, "HelpEd", "", 112, 40, 200, 20, "help=119"},
    {ckLabel, "Label3", "ウインドウ(&W)", 12, 72, 96, 14},
    {ckEdit, "WinEd", "", 112, 68, 200, 20, "imeoff help=70"},
    {ckButton, "OKBtn", "OK", 156, 104, 75, 25, "default"},
    {ckButton, "CancelBtn", "キャンセル", 237, 104, 75, 25, "cancel result=2"},
};
const cl::TDialogDesc kChgOtherDlg = {"TChgOtherDlg", "コンテキスト設定", 324, 138, "border=dialog focus=TIDEd",
                                      kChgOtherControls};

}  // namespace

// ---- table ---------------------------------------------------------------------

TTableDlg::TTableDlg()
    : cl::TDialogForm(nullptr, kTableDlg),
      TbGrid(Get<cl::TStringGrid>("TbGrid")),
      RowEd(Get<cl::TEdit>("RowEd")),
      ColEd(Get<cl::TEdit>("ColEd")),
      RowUpDown(Get<cl::TUpDown>("RowUpDown")),
      ColUpDown(Get<cl::TUpDown>("ColUpDown")),
      OKBtn(Get<cl::TButton>("OKBtn")) {
  RowEd->OnChange = [this](cl::TControl*) { RowEdChange(); };
  ColEd->OnChange = [this](cl::TControl*) { ColEdChange(); };
  // Enter moves to the next cell, as Tab does, and goes no further.
  TbGrid->OnKeyDown = [this](cl::TControl*, WORD& key, cl::TShiftState) {
    if (key != VK_RETURN) return;
    key = 0;
    TbGrid->SelectNextCell();
  };
}

void TTableDlg::FormShow() {
  TbGrid->SetColWidth(0, 20);
  TbGrid->SetCells(0, 1, "1");
  TbGrid->SetCells(0, 2, "2");
  TbGrid->SetCells(1, 0, "1");
  TbGrid->SetCells(2, 0, "2");
}

void TTableDlg::RowEdChange() {
  const int before = TbGrid->RowCount();
  const int rows = RowUpDown->Position();
  TbGrid->SetRowCount(rows + 1);
  // One row added: it gets its number. Removing rows writes nothing.
  if (before == rows) TbGrid->SetCells(0, before, std::to_string(before));
}

void TTableDlg::ColEdChange() {
  const int before = TbGrid->ColCount();
  const int cols = ColUpDown->Position();
  TbGrid->SetColCount(cols + 1);
  if (before == cols) TbGrid->SetCells(before, 0, std::to_string(before));
}

std::vector<std::vector<std::string>> TTableDlg::Cells() const {
  std::vector<std::vector<std::string>> cells;
  for (int r = 1; r < TbGrid->RowCount(); ++r) {
    std::vector<std::string> row;
    for (int c = 1; c < TbGrid->ColCount(); ++c) row.push_back(TbGrid->Cells(c, r));
    cells.push_back(std::move(row));
  }
  return cells;
}

// ---- indents --------------------------------------------------------------------

TIndextDlg::TIndextDlg()
    : cl::TDialogForm(nullptr, kIndextDlg),
      LeftIndentEd(Get<cl::TEdit>("LeftIndentEd")),
      FirstIndentEd(Get<cl::TEdit>("FirstIndentEd")),
      RightIndentEd(Get<cl::TEdit>("RightIndentEd")) {}

void TIndextDlg::Fill(const IndentTexts& t) {
  LeftIndentEd->SetText(t.Left);
  FirstIndentEd->SetText(t.First);
  RightIndentEd->SetText(t.Right);
}

IndentTexts TIndextDlg::Texts() const {
  return {LeftIndentEd->Text(), FirstIndentEd->Text(), RightIndentEd->Text()};
}

// ---- external entry -----------------------------------------------------------------

TChgOtherDlg::TChgOtherDlg()
    : cl::TDialogForm(nullptr, kChgOtherDlg),
      HelpEd(Get<cl::TEdit>("HelpEd")),
      TIDEd(Get<cl::TEdit>("TIDEd")),
      WinEd(Get<cl::TEdit>("WinEd")),
      OKBtn(Get<cl::TButton>("OKBtn")) {
  OKBtn->OnClick = [this](cl::TControl*) { OKBtnClick(); };
}

void TChgOtherDlg::Fill(const ExternalTarget& t) {
  TIDEd->SetText(t.TopicId);
  HelpEd->SetText(t.HelpFile);
  WinEd->SetText(t.Window);
}

ExternalTarget TChgOtherDlg::Target() const { return {TIDEd->Text(), HelpEd->Text(), WinEd->Text()}; }

void TChgOtherDlg::OKBtnClick() {
  const std::string_view error = ExternalTopicIdError(TIDEd->Text());
  if (!error.empty()) {
    cl::ShowMessageBox(Handle(), std::string(error), "Quillmark", MB_OK | MB_ICONWARNING);
    return;
  }
  SetModalResult(cl::mrOk);
}

}  // namespace qm::editor
