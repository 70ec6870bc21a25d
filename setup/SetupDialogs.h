// The setup's four dialogs: the readme (TViewDlg), the install folder
// (TSetDirDlg), the copy progress (TCopyDlg) and the shortcut choice
// (TSCutDlg). Each stays on top and opens centred on the screen.
#pragma once

#include <string>

#include "classlib/CheckBox.h"
#include "classlib/DialogForm.h"
#include "classlib/Memo.h"
#include "classlib/ProgressBar.h"
#include "classlib/StdCtrls.h"
#include "controls/SBDialog.h"
#include "setup/SetupRun.h"

namespace qm::setup {

// The readme of the package folder, read each time the dialog is shown.
class TViewDlg : public cl::TDialogForm {
 public:
  TViewDlg(cl::TComponent* owner, const TSetupRun& run);
  void FormShow() override;
  cl::TMemo* Memo1;

 private:
  const TSetupRun& run_;
};

// The install folder with the disk figures of its drive.
class TSetDirDlg : public cl::TDialogForm {
 public:
  TSetDirDlg(cl::TComponent* owner, TSetupRun& run);
  // Finds an earlier installation and proposes its folder or the default.
  void FormCreate() override;
  cl::TEdit* InstDir;
  cl::TButton* Button1;
  cl::TLabel* IDS;
  cl::TLabel* FDS;
  qm::controls::TSBDialog* FolderDialog1;

  // The handlers: the folder's drive changed; the browse button.
  void InstDirChange();
  void Button1Click();
  // Recomputes the disk figures and shows them.
  void UpdateDiskSpace();

 private:
  TSetupRun& run_;
};

// The copy progress, shown without a modal loop.
class TCopyDlg : public cl::TDialogForm {
 public:
  explicit TCopyDlg(cl::TComponent* owner);
  cl::TProgressBar* ProgressBar1;
};

// The shortcuts offered on a fresh install.
class TSCutDlg : public cl::TDialogForm {
 public:
  explicit TSCutDlg(cl::TComponent* owner);
  cl::TCheckBox* ProgBox;
  cl::TCheckBox* DeskBox;
};

}  // namespace qm::setup
