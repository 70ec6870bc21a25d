// The about box of the hotspot editor: the program's icon, its name drawn
// raised, the version from the program file's version resource and the
// copyright line. A click anywhere closes it.
#pragma once

#include <string>

#include "classlib/DialogForm.h"
#include "classlib/Image.h"
#include "classlib/StdCtrls.h"
#include "controls/Label3D.h"

namespace qm::zonivex {

class TAboutBox : public cl::TDialogForm {
 public:
  TAboutBox();
  cl::TImage* ProgramIcon;
  controls::TLabel3D* Label3D1;
  cl::TLabel* Version;
  cl::TLabel* Copyright;

 private:
  void FormClick();
};

}  // namespace qm::zonivex
