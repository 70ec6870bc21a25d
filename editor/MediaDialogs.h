// The graphic dialog "グラフィックの挿入" (the project's pictures with a
// preview) and the MCI dialog "MCI設定" (its video and sound files).
#pragma once

#include <string>

#include "classlib/CheckBox.h"
#include "classlib/DialogForm.h"
#include "classlib/Image.h"
#include "classlib/ListBox.h"
#include "classlib/StdCtrls.h"
#include "controls/XpRadioGroup.h"
#include "editor/core/MediaMarkup.h"

namespace qm::editor {

class TBmpDlg : public cl::TDialogForm {
 public:
  // project_dir: the pictures are those of its bmp folder.
  explicit TBmpDlg(const std::string& project_dir);
  cl::TListBox* BmpList;
  cl::TImage* Image1;
  cl::TCheckBox* CheckBox1;
  // 表示位置: in the line, left, right.
  qm::controls::TXpRadioGroup* ViewPos;
  cl::TButton* OKBtn;
  // The list index last clicked; -1 when none.
  int Chosen = -1;

  void FormShow() override;
  void BmpListClick();
  void OKBtnClick();
  // The markup of the chosen picture.
  std::string Markup() const;

 private:
  // Shows the picture of the file, or nothing when it cannot be read.
  void Preview(const std::string& path);
  std::string project_dir_;
};

class TMCIDlg : public cl::TDialogForm {
 public:
  explicit TMCIDlg(const std::string& project_dir);
  cl::TListBox* MCIList;
  cl::TCheckBox* MCI_Ext;
  cl::TCheckBox* MCI_Bar;
  cl::TCheckBox* MCI_Menu;
  cl::TCheckBox* MCI_Rep;
  cl::TCheckBox* MCI_Play;
  cl::TButton* OKBtn;
  int Chosen = -1;

  void FormShow() override;
  void MCIListClick();
  void OKBtnClick();
  std::string Markup() const;

 private:
  std::string project_dir_;
};

}  // namespace qm::editor
