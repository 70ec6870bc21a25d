#include "setup/SetupDialogs.h"

#include "core/FileSystem.h"
#include "setup/PreviousInstall.h"
#include "setup/core/SetupNames.h"
#include "setup/core/SetupPaths.h"

namespace qm::setup {

namespace {

// Every dialog: on top of the other windows, centred on the screen.
const cl::TControlDesc kViewControls[] = {
    {cl::ckMemo, "Memo1", "", 4, 4, 509, 253, "readonly vscroll hscroll nowrap"},
    {cl::ckButton, "OKBtn", "次へ", 352, 264, 75, 25, "default result=ok"},
    {cl::ckButton, "CancelBtn", "中止", 438, 264, 75, 25, "cancel result=cancel"},
};
const cl::TDialogDesc kViewDlg = {"TViewDlg", "概要/著作権", 520, 293,
                                  "border=dialog ontop position=center focus=OKBtn", kViewControls};

const cl::TControlDesc kSetDirControls[] = {
    {cl::ckLabel, "Label1", "インストールするフォルダを指定して下さい。", 8, 8, 284, 14, "noprefix"},
    {cl::ckEdit, "InstDir", "", 8, 26, 218, 21, "noautoselect"},
    {cl::ckButton, "Button1", "検索...", 232, 25, 60, 23},
    {cl::ckLabel, "Label2", "必要ﾃﾞｨｽｸ容量", 8, 58, 90, 14},
    {cl::ckLabel, "IDS", "", 100, 58, 120, 14, "right"},
    {cl::ckLabel, "Label3", "空きﾃﾞｨｽｸ容量", 8, 78, 90, 14},
    {cl::ckLabel, "FDS", "", 100, 78, 120, 14, "right"},
    {cl::ckButton, "OKBtn", "次へ", 136, 104, 75, 25, "result=ok"},
    {cl::ckButton, "CancelBtn", "中止", 217, 104, 75, 25, "cancel result=cancel"},
};
const cl::TDialogDesc kSetDirDlg = {"TSetDirDlg", "インストール準備", 299, 136,
                                    "border=tool minmax nosysmenu ontop position=center focus=InstDir",
                                    kSetDirControls};

const cl::TControlDesc kCopyControls[] = {
    {cl::ckLabel, "Label1", "ファイルをインストール中です。", 8, 8, 272, 14, "noprefix"},
    {cl::ckProgressBar, "ProgressBar1", "", 8, 28, 272, 18, "min=0 max=100"},
};
const cl::TDialogDesc kCopyDlg = {"TCopyDlg", "インストール中", 288, 54,
                                  "border=tool ontop position=center", kCopyControls};

const cl::TControlDesc kSCutControls[] = {
    {cl::ckCheckBox, "ProgBox", "スタートメニューに登録", 16, 16, 160, 20},
    {cl::ckCheckBox, "DeskBox", "デスクトップに作成", 16, 44, 160, 20},
    {cl::ckButton, "OKBtn", "次へ", 54, 92, 75, 25, "default result=ok"},
};
const cl::TDialogDesc kSCutDlg = {"TSCutDlg", "ショートカット設定", 183, 129,
                                  "border=dialog ontop position=center focus=ProgBox",
                                  kSCutControls};

// Line ends as the memo wants them: CR LF.
std::string WithCrLf(const std::string& text) {
  std::string out;
  out.reserve(text.size() + text.size() / 16);
  for (std::size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == '\r') {
      out += "\r\n";
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else if (c == '\n') {
      out += "\r\n";
    } else {
      out += c;
    }
  }
  return out;
}

}  // namespace

TViewDlg::TViewDlg(cl::TComponent* owner, const TSetupRun& run)
    : TDialogForm(owner, kViewDlg), Memo1(Get<cl::TMemo>("Memo1")), run_(run) {
  Memo1->SetFont("ＭＳ ゴシック", -12);
}

void TViewDlg::FormShow() {
  // The readme beside the setup, wherever the setup was started from.
  std::string text;
  if (ReadFileBytes(run_.packageFolder + kReadme, text)) {
    Memo1->SetText(WithCrLf(text));
  } else {
    Memo1->SetText("");
  }
}

TSetDirDlg::TSetDirDlg(cl::TComponent* owner, TSetupRun& run)
    : TDialogForm(owner, kSetDirDlg),
      InstDir(Get<cl::TEdit>("InstDir")),
      Button1(Get<cl::TButton>("Button1")),
      IDS(Get<cl::TLabel>("IDS")),
      FDS(Get<cl::TLabel>("FDS")),
      FolderDialog1(new qm::controls::TSBDialog(this)),
      run_(run) {
  FolderDialog1->Name = "FolderDialog1";
  FolderDialog1->Caption = "インストール先の選択";
  FolderDialog1->Options = qm::controls::SBDlgOption(qm::controls::biReturnOnlyFSDirs) |
                           qm::controls::SBDlgOption(qm::controls::biNewStyle);
  Button1->OnClick = [this](cl::TControl*) { Button1Click(); };
}

void TSetDirDlg::FormCreate() {
  InstDir->SetText(FindPreviousInstallation(run_));
  UpdateDiskSpace();
  InstDir->OnChange = [this](cl::TControl*) { InstDirChange(); };
}

void TSetDirDlg::UpdateDiskSpace() {
  qm::setup::UpdateDiskSpace(run_);
  IDS->SetText(MegabytesText(run_.disk.needed, run_.disk.clusterSize));
  FDS->SetText(MegabytesText(run_.disk.free, run_.disk.clusterSize));
}

void TSetDirDlg::InstDirChange() {
  char letter = DriveLetterOf(InstDir->Text());
  if (letter == run_.installDrive) return;
  run_.installDrive = letter;
  UpdateDiskSpace();
}

void TSetDirDlg::Button1Click() {
  FolderDialog1->Directory = InstDir->Text();
  if (!FolderDialog1->Execute()) return;
  InstDir->SetText(FolderDialog1->Directory);
  run_.installDrive = DriveLetterOf(FolderDialog1->Directory);
}

TCopyDlg::TCopyDlg(cl::TComponent* owner)
    : TDialogForm(owner, kCopyDlg), ProgressBar1(Get<cl::TProgressBar>("ProgressBar1")) {}

TSCutDlg::TSCutDlg(cl::TComponent* owner)
    : TDialogForm(owner, kSCutDlg),
      ProgBox(Get<cl::TCheckBox>("ProgBox")),
      DeskBox(Get<cl::TCheckBox>("DeskBox")) {}

}  // namespace qm::setup
