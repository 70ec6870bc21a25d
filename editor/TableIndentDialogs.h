// The table dialog "表作成", the indent dialog "インデント設定" and the
// external-entry dialog "コンテキスト設定".
#pragma once

#include <string>
#include <vector>

#include "classlib/DialogForm.h"
#include "classlib/StdCtrls.h"
#include "classlib/StringGrid.h"
#include "classlib/UpDown.h"
#include "editor/core/ExternalTarget.h"
#include "editor/core/ParagraphIndents.h"

namespace qm::editor {

// The author types a table into the grid; rows and columns are counted by
// the two up-downs (1 to 100, 2 at the start). Row 0 and column 0 are fixed
// and hold the numbers.
class TTableDlg : public cl::TDialogForm {
 public:
  TTableDlg();
  cl::TStringGrid* TbGrid;
  cl::TEdit* RowEd;
  cl::TEdit* ColEd;
  cl::TUpDown* RowUpDown;
  cl::TUpDown* ColUpDown;
  cl::TButton* OKBtn;

  void FormShow() override;
  void RowEdChange();
  void ColEdChange();
  // The data cells, row by row, as typed.
  std::vector<std::vector<std::string>> Cells() const;
};

class TIndextDlg : public cl::TDialogForm {
 public:
  TIndextDlg();
  cl::TEdit* LeftIndentEd;
  cl::TEdit* FirstIndentEd;
  cl::TEdit* RightIndentEd;

  void Fill(const IndentTexts& texts);
  IndentTexts Texts() const;
};

// The target of an external contents entry: topic id, help file, window.
// OK refuses an empty id or one with other characters than letters, digits
// and "_".
class TChgOtherDlg : public cl::TDialogForm {
 public:
  TChgOtherDlg();
  cl::TEdit* HelpEd;
  cl::TEdit* TIDEd;
  cl::TEdit* WinEd;
  cl::TButton* OKBtn;

  void Fill(const ExternalTarget& target);
  ExternalTarget Target() const;
  void OKBtnClick();
};

}  // namespace qm::editor
