// The hotspot editor's two small dialogs: a hotspot's attributes (name,
// context, frame, type) and the defaults of hotspots drawn later (frame,
// type). The window fills them and reads them after OK.
#pragma once

#include "classlib/CheckBox.h"
#include "classlib/DialogForm.h"
#include "classlib/StdCtrls.h"
#include "controls/XpRadioGroup.h"

namespace qm::zonivex {

class TAttrDlg : public cl::TDialogForm {
 public:
  TAttrDlg();
  cl::TEdit* eHotSpot;
  cl::TEdit* eConText;
  cl::TCheckBox* eview;
  controls::TXpRadioGroup* eType;  // Macro, Pop-up, Jump
};

class TEnvDlg : public cl::TDialogForm {
 public:
  TEnvDlg();
  cl::TCheckBox* eview;
  controls::TXpRadioGroup* eType;
};

}  // namespace qm::zonivex
