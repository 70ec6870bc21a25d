#include "hotspot/AboutBox.h"

#include <windows.h>

#include <cstring>
#include <vector>

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

std::string ProductVersionOf(const std::string& exePath) {
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeA(exePath.c_str(), &ignored);
  if (size == 0) return {};
  std::vector<char> data(size);
  if (!GetFileVersionInfoA(exePath.c_str(), 0, size, data.data())) return {};
  void* translation = nullptr;
  UINT length = 0;
  if (!VerQueryValueA(data.data(), "\\VarFileInfo\\Translation", &translation, &length) || length < 4) return {};
  DWORD first;
  std::memcpy(&first, translation, sizeof first);
  const std::string path = VersionStringPath(TranslationKey(first), "ProductVersion");
  void* value = nullptr;
  if (!VerQueryValueA(data.data(), path.c_str(), &value, &length) || length == 0) return {};
  return VersionValueText(std::string_view(static_cast<const char*>(value), length));
}

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
  const std::string version = ProductVersionOf(exe);
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
