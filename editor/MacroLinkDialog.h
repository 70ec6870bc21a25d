// The macro dialog "マクロ設定": a WinHelp macro written with the help of
// five pages of macro templates, inserted as a hot-text or button link that
// runs it, or alone (マクロのみ).
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "classlib/CheckBox.h"
#include "classlib/DialogForm.h"
#include "classlib/ListBox.h"
#include "classlib/Memo.h"
#include "classlib/PageControl.h"
#include "classlib/StdCtrls.h"
#include "controls/XpRadioGroup.h"

namespace qm::editor {

// The modal result of マクロのみ.
constexpr int kMacroOnlyResult = 6;

class TMacDlg : public cl::TDialogForm {
 public:
  // hcw_folder: where Help Workshop's help file is (the help button).
  explicit TMacDlg(const std::string& hcw_folder);
  cl::TEdit* LinkEd;
  cl::TMemo* MacEd;
  cl::TPageControl* PageControl1;
  // One list per page, in the pages' order: ListBox4 (プログラム), ListBox1,
  // ListBox2, ListBox3, ListBox5 (ウインドウ).
  std::vector<cl::TListBox*> Lists;
  cl::TCheckBox* BtnCheck;
  controls::TXpRadioGroup* LinkAttr;  // 通常, 下線, なし
  cl::TButton* HelpBtn;
  cl::TButton* OKBtn;
  cl::TButton* Button1;  // マクロのみ

  // The clicked list's item replaces the memo's selection.
  void ListBoxClick(cl::TListBox* list);
  // The markup of a link that runs the macro (after OK).
  std::string Markup() const;
  // The help viewer call (WinHelpA); tests put another in its place.
  std::function<BOOL(HWND, const std::string&, UINT, ULONG_PTR)> WinHelpCall;

 private:
  std::string hcw_folder_;
};

}  // namespace qm::editor
