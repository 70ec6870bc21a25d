#include "hotspot/AboutBox.h"

#include <windows.h>

#include <cstring>
#include <vector>

#include "classlib/FileVersion.h"
#include "core/VersionInfo.h"
#include "hotspot/core/ZonivexGeometry.h"

namespace qm::zonivex {

namespace {

const cl::TControlDesc kAboutControls[] = {
    {cl::ckImage, "ProgramIcon", "", 16, 16, 32, 32},
    {cl::ckLabel, "Version", "Version", 64, 48, 160, 14, "noprefix"},
    {cl::ckLabel, "Copyright", "Copyright (C) Tarvesk", 8, 84, 224, 14, "noprefix right"},
};
const cl::TDialogDesc kAboutBox = {"TAboutBox", "バージョン情報", 240, 110, "border=dialog", kAboutControls};

}  // namespace

TAboutBox::TAboutBox()
    : TDialogForm(nullptr, kAboutBox),
      ProgramIcon(Get<cl::TImage>("ProgramIcon")),
      Label3D1(new controls::TLabel3D(this, this, "Zonivex")),
      Version(Get<cl::TLabel>("Version")),
      Copyright(Get<cl::TLabel>("Copyright")) {
  Label3D1->Name = "Label3D1";
  Label3D1->SetBounds(64, 14, 160, 24);
  Label3D1->SetFont("ＭＳ Ｐゴシック", -13, true);
  Label3D1->SetFontColor(RGB(0, 0, 0));
  Label3D1->SetShadeColor(RGB(255, 255, 255));

  POINT p;
  GetCursorPos(&p);
  const hotspot::TPlace place = hotspot::AboutBoxPlace(p.x, p.y);
  PlaceAt(place.left, place.top);

  char exe[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, exe, MAX_PATH);
  const std::string version = VersionValueText(cl::ProductVersionOf(exe).value_or(""));
  if (!version.empty()) Version->SetText("Version " + version);
  ProgramIcon->SetIcon(LoadIconA(GetModuleHandleA(nullptr), "MAINICON"));

  OnClick = [this](cl::TControl*) { FormClick(); };
  ProgramIcon->OnClick = [this](cl::TGraphicControl*) { FormClick(); };
  Label3D1->OnClick = [this](cl::TControl*) { FormClick(); };
  Version->OnClick = [this](cl::TControl*) { FormClick(); };
  Copyright->OnClick = [this](cl::TControl*) { FormClick(); };
}

void TAboutBox::FormClick() { SetModalResult(cl::mrOk); }

}  // namespace qm::zonivex
