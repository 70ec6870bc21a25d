// The setup's main window: it covers the work area, names the products and
// their versions, and runs the install or the uninstall once it is shown;
// the program then ends.
#pragma once

#include "classlib/DialogForm.h"
#include "classlib/Image.h"
#include "classlib/StdCtrls.h"
#include "setup/SetupDialogs.h"
#include "setup/SetupFlows.h"
#include "setup/SetupRun.h"

namespace qm::setup {

class TForm1 : public cl::TDialogForm, public TSetupDialogs {
 public:
  explicit TForm1(TSetupRun& run);

  // Places the window, sets the labels and the caption, reads the rest of
  // the run's state and creates the four dialogs.
  void FormCreate() override;
  void FormShow() override;
  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

  // The command-line dispatch: install, uninstall or nothing; then the end.
  void FormActivate();

  cl::TImage* Image1;
  cl::TLabel* ProgName;
  cl::TLabel* progName2;
  cl::TLabel* Copyright;
  TSetDirDlg* SetDirDlg = nullptr;
  TCopyDlg* CopyDlg = nullptr;
  TViewDlg* ViewDlg = nullptr;
  TSCutDlg* SCutDlg = nullptr;

  // TSetupDialogs.
  bool ShowReadme() override;
  bool ChooseInstallFolder() override;
  std::string InstallFolderText() override;
  void ShowCopyProgress() override;
  void SetCopyProgress(int percent) override;
  void CloseCopyProgress() override;
  void AskShortcuts(bool& programsMenu, bool& desktop) override;

 private:
  static constexpr UINT kActivateMessage = WM_APP + 0x5E7;
  void Arrange();
  void PaintBanner();
  TSetupRun& run_;
  bool activated_ = false;
};

}  // namespace qm::setup
