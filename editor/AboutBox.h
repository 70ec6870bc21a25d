// The about box: the program's name, icon and version, the Windows version
// and service pack, and the help compiler's version or its absence. A click
// anywhere on it closes it.
#pragma once

#include <string>

#include "classlib/DialogForm.h"
#include "classlib/Image.h"
#include "classlib/StdCtrls.h"
#include "controls/Label3D.h"
#include "editor/core/WindowsLabel.h"

namespace qm::editor {

class TAboutBox : public cl::TDialogForm {
 public:
  // hcwFolder: the Help Workshop folder of the program options.
  explicit TAboutBox(const std::string& hcwFolder);

  cl::TImage* ProgramIcon;
  qm::controls::TLabel3D* Label3D1;  // the program's name, raised on a white shadow
  cl::TLabel* Version;
  cl::TLabel* Copyright;
  cl::TLabel* WinVer;
  cl::TLabel* WinSer;
  cl::TLabel* HcwVer;

  // Fills the labels from this system, this program and the compiler.
  void FormCreate() override;
  void FormClick(cl::TComponent* sender);

  // The system's version data (tests put another in its place).
  static WindowsVersion SystemVersion();

 private:
  std::string hcw_folder_;
};

}  // namespace qm::editor
