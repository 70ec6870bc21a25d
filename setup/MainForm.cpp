#include "setup/MainForm.h"

#include "classlib/Application.h"
#include "classlib/Canvas.h"
#include "setup/PackageFiles.h"
#include "setup/core/InstallPlan.h"
#include "setup/core/SetupNames.h"
#include "setup/core/SetupTexts.h"

namespace qm::setup {

namespace {

const cl::TControlDesc kMainControls[] = {
    {cl::ckImage, "Image1", "", 0, 0, 180, 480, "stretch"},
    {cl::ckLabel, "ProgName", "", 212, 48, 560, 40, "noprefix"},
    {cl::ckLabel, "progName2", "", 216, 96, 560, 24, "noprefix"},
    {cl::ckLabel, "Copyright", "Copyright (C) Tarvesk Software Works ", 216, 136, 560, 18,
     "noprefix"},
};
const cl::TDialogDesc kMainForm = {"TForm1", "", 640, 480, "border=single minmax", kMainControls};

constexpr int kBannerWidth = 180;

}  // namespace

TForm1::TForm1(TSetupRun& run)
    : TDialogForm(nullptr, kMainForm),
      Image1(Get<cl::TImage>("Image1")),
      ProgName(Get<cl::TLabel>("ProgName")),
      progName2(Get<cl::TLabel>("progName2")),
      Copyright(Get<cl::TLabel>("Copyright")),
      run_(run) {
  ProgName->SetFont("MS UI Gothic", -32, true);
  progName2->SetFont("MS UI Gothic", -18);
}

void TForm1::FormCreate() {
  Arrange();
  cl::Application().SetTitle(kSetupTitle);
  ProgName->SetText(ProductLabel(kEditorProduct, run_.packageEditor));
  progName2->SetText("( " + ProductLabel(kHotspotProduct, run_.packageHotspot) + " )");
  Copyright->SetText(Copyright->Text() + std::to_string(run_.noticeYear));
  bool noArguments = SplitArguments(GetCommandLineA()).empty();
  SetText(ProgName->Text() + (noArguments ? kInstallCaptionSuffix : kUninstallCaptionSuffix));
  ReadSystemState(run_);
  // The dialogs, in this order: the folder dialog finds the earlier
  // installation when it is created, which both flows need.
  SetDirDlg = new TSetDirDlg(this, run_);
  SetDirDlg->DoCreate();
  CopyDlg = new TCopyDlg(this);
  ViewDlg = new TViewDlg(this, run_);
  SCutDlg = new TSCutDlg(this);
}

void TForm1::Arrange() {
  RECT area;
  if (!SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0))
    area = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  SetScreenBounds(area.left, area.top, area.right - area.left, area.bottom - area.top);
  Image1->SetBounds(0, 0, kBannerWidth, ClientHeight());
  PaintBanner();
}

// A band down the left edge, dark blue at the top to light at the bottom.
void TForm1::PaintBanner() {
  cl::TBitmap& bmp = Image1->Bitmap();
  const int height = 256;
  bmp.SetSize(8, height);
  cl::TCanvas& canvas = bmp.Canvas();
  for (int y = 0; y < height; ++y) {
    int t = y * 255 / (height - 1);
    canvas.Brush.Color = RGB(t / 4, 40 + t / 3, 120 + t / 2);
    RECT row = {0, y, 8, y + 1};
    canvas.FillRect(row);
  }
  Image1->Invalidate();
}

void TForm1::FormShow() {
  // The flow runs once the window is up, from the message loop.
  if (!activated_) PostMessageA(Handle(), kActivateMessage, 0, 0);
}

LRESULT TForm1::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == kActivateMessage) {
    FormActivate();
    return 0;
  }
  return TDialogForm::WndProc(msg, wp, lp);
}

void TForm1::FormActivate() {
  if (activated_) return;
  activated_ = true;
  try {
    switch (ModeOf(SplitArguments(GetCommandLineA()))) {
      case SetupMode::Install: RunInstall(run_, *this); break;
      case SetupMode::Uninstall: RunUninstall(run_); break;
      case SetupMode::Nothing: break;
    }
  } catch (const std::exception& e) {
    cl::Application().HandleException(e);
  }
  cl::Application().Terminate();
}

bool TForm1::ShowReadme() { return ViewDlg->ShowModal() == cl::mrOk; }

bool TForm1::ChooseInstallFolder() { return SetDirDlg->ShowModal() == cl::mrOk; }

std::string TForm1::InstallFolderText() { return SetDirDlg->InstDir->Text(); }

void TForm1::ShowCopyProgress() {
  CopyDlg->ProgressBar1->SetPosition(0);
  CopyDlg->Show();
  cl::Application().ProcessMessages();
}

void TForm1::SetCopyProgress(int percent) { CopyDlg->ProgressBar1->SetPosition(percent); }

void TForm1::CloseCopyProgress() { CopyDlg->Hide(); }

void TForm1::AskShortcuts(bool& programsMenu, bool& desktop) {
  SCutDlg->ShowModal();
  programsMenu = SCutDlg->ProgBox->Checked();
  desktop = SCutDlg->DeskBox->Checked();
}

}  // namespace qm::setup
