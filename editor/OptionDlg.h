// The program options: the Help Workshop folder, the default topic font and
// whether an empty new topic gets its title copied in.
#pragma once

#include <string>

#include "classlib/CheckBox.h"
#include "classlib/DialogForm.h"
#include "classlib/FontDialog.h"
#include "classlib/StdCtrls.h"
#include "controls/SBDialog.h"
#include "controls/UpDnButton.h"

namespace qm::editor {

class TOptionDlg : public cl::TDialogForm {
 public:
  TOptionDlg();

  cl::TEdit* HcwEd;
  qm::controls::TUpDnButton* UpDnButton1;
  cl::TButton* Button1;
  cl::TLabel* FontLabel;
  cl::TCheckBox* TitleCopy;
  cl::TFontDialog* FontDlg;
  // The folder browser "Hcrtfのフォルダ指定" of UpDnButton1.
  qm::controls::TSBDialog* BrowseDialog1;

  // Picks the Help Workshop folder, starting at the box's folder.
  void SpeedButton1Click(cl::TComponent* sender);
  // Runs the font dialog from its current font; on OK the label shows the
  // chosen one.
  void Button1Click(cl::TComponent* sender);
  // Shows the font dialog's font on the label.
  void ShowFont();
};

}  // namespace qm::editor
