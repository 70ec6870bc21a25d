#include "editor/AboutBox.h"

#include <windows.h>

#include "classlib/Panel.h"
#include "controls/LayoutControls.h"
#include "core/FileSystem.h"
#include "classlib/FileVersion.h"
#include "editor/core/VersionLabel.h"

namespace qm::editor {

namespace {

const cl::TControlDesc kControls[] = {
    {cl::ckImage, "ProgramIcon", "", 8, 8, 32, 32, "center"},
    {cl::ckCustom, "Label3D1", "Quillmark", 48, 4, 137, 24,
     "class=TLabel3D font='ＭＳ Ｐゴシック' fontheight=-13 bold fontcolor=0x000000 shade=0xFFFFFF"},
    {cl::ckLabel, "Version", "Version 0.00", 50, 28, 135, 14, "noprefix"},
    {cl::ckLabel, "Copyright", "Copyright (C) Tarvesk", 50, 42, 135, 14, "noprefix"},
    {cl::ckPanel, "Panel1", "", 8, 60, 175, 2, "bevel=lowered bevelwidth=2"},
    {cl::ckLabel, "WinVer", "", 0, 66, 191, 14, "center noprefix"},
    {cl::ckLabel, "WinSer", "", 0, 80, 191, 14, "center noprefix"},
    {cl::ckLabel, "HcwVer", "", 0, 94, 191, 14, "center noprefix"},
};
const cl::TDialogDesc kAboutBox = {"TAboutBox", "バージョン情報", 191, 111, "border=dialog", kControls,
                                   qm::controls::MakeLayoutControl};

}  // namespace

TAboutBox::TAboutBox(const std::string& hcwFolder)
    : TDialogForm(nullptr, kAboutBox),
      ProgramIcon(Get<cl::TImage>("ProgramIcon")),
      Label3D1(Get<qm::controls::TLabel3D>("Label3D1")),
      Version(Get<cl::TLabel>("Version")),
      Copyright(Get<cl::TLabel>("Copyright")),
      WinVer(Get<cl::TLabel>("WinVer")),
      WinSer(Get<cl::TLabel>("WinSer")),
      HcwVer(Get<cl::TLabel>("HcwVer")),
      hcw_folder_(hcwFolder) {
  Name = "AboutBox";
  // Every part of the box, and the box itself, closes it on a click.
  OnClick = [this](cl::TControl* c) { FormClick(c); };
  for (cl::TComponent* c : Components()) {
    if (auto* control = dynamic_cast<cl::TControl*>(c)) {
      control->OnClick = [this](cl::TControl* s) { FormClick(s); };
      // Static controls pass clicks through unless told to report them.
      if (dynamic_cast<cl::TLabel*>(c)) {
        HWND h = control->Handle();
        SetWindowLongA(h, GWL_STYLE, GetWindowLongA(h, GWL_STYLE) | SS_NOTIFY);
      }
    }
  }
}

WindowsVersion TAboutBox::SystemVersion() {
  OSVERSIONINFOA info = {};
  info.dwOSVersionInfoSize = sizeof info;
  WindowsVersion v;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  if (!GetVersionExA(&info)) return v;
#pragma GCC diagnostic pop
  v.platformId = info.dwPlatformId;
  v.major = info.dwMajorVersion;
  v.minor = info.dwMinorVersion;
  v.build = info.dwBuildNumber;
  v.servicePack = info.szCSDVersion;
  return v;
}

void TAboutBox::FormCreate() {
  WindowsLabels w = MakeWindowsLabels(SystemVersion());
  WinVer->SetText(w.version);
  WinSer->SetText(w.service);

  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  Version->SetText(VersionLabel(cl::ProductVersionOf(path)));

  std::string hcrtf = HcrtfPath(hcw_folder_);
  bool installed = !hcw_folder_.empty() && FileExists(hcrtf);
  HcwVer->SetText(HcwVersionLabel(installed, installed ? cl::ProductVersionOf(hcrtf) : std::nullopt));

  ProgramIcon->SetIcon(LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1)));
  if (!ProgramIcon->Icon()) ProgramIcon->SetIcon(LoadIconA(nullptr, IDI_APPLICATION));
}

void TAboutBox::FormClick(cl::TComponent*) { SetModalResult(cl::mrOk); }

}  // namespace qm::editor
