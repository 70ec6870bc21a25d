// The help project options dialog "ヘルプオプション": title, copyright and the
// main window's flags; the two window colours; the second window; the
// backup folder. Its values are HelpOptionValues (editor/core/HelpOptions.h);
// its OK button checks them and keeps the dialog open on a fault.
#pragma once

#include <string>

#include "classlib/ColorDialog.h"
#include "classlib/DialogForm.h"
#include "classlib/Panel.h"
#include "classlib/SpeedButton.h"
#include "classlib/StdCtrls.h"
#include "controls/SBDialog.h"
#include "controls/StdCtrlsXp.h"
#include "controls/UpDnButton.h"
#include "controls/XPTabSheet.h"
#include "editor/core/HelpOptions.h"

namespace qm::editor {

class THelpOptionDlg : public cl::TDialogForm {
 public:
  THelpOptionDlg();

  // 基本項目
  cl::TEdit* TitleName;
  cl::TEdit* CopyName;
  qm::controls::TXpCheckBox* StayOnTop;
  qm::controls::TXpCheckBox* PackHelp;
  qm::controls::TXpCheckBox* BrawsView;
  qm::controls::TXpCheckBox* SubAdd;
  // 色設定: the panels' colours are the values.
  cl::TPanel* ColorNoScroll;
  cl::TPanel* ColorScroll;
  cl::TButton* Button2;
  // サブウインドウ
  qm::controls::TXPTabSheet* TabSheet2 = nullptr;
  cl::TEdit* SubName;
  cl::TEdit* SubTitle;
  qm::controls::TXpCheckBox* SubStayOnTop;
  qm::controls::TXpCheckBox* SubAutoHeight;
  cl::TEdit* SubLeft;
  cl::TEdit* SubTop;
  cl::TEdit* SubWidth;
  cl::TEdit* SubHeight;
  cl::TSpeedButton* DelphiBtn;
  // バックアップ
  cl::TEdit* edBakFolder;
  qm::controls::TUpDnButton* UpDnButton1;
  cl::TButton* OKBtn;
  cl::TButton* CancelBtn;
  cl::TColorDialog* ColorDlg;
  // The folder browser "保存先の指定" of UpDnButton1.
  qm::controls::TSBDialog* SBDialog1;

  // The controls from the values, with the page and name states they imply.
  void Fill(const HelpOptionValues& values);
  HelpOptionValues Values() const;

  void SubAddClick();
  void ColorPanelClick(cl::TPanel* panel);
  void Button2Click();
  void DelphiBtnClick();
  void UpDnButton1Click();
  void OKBtnClick();

 private:
  // The table's plain pages become themed ones.
  void MakeThemedPages();
};

}  // namespace qm::editor
