#include "hotspot/HotspotDialogs.h"

namespace qm::zonivex {

namespace {

const std::vector<std::string> kTypeItems = {"Macro", "Pop-up", "Jump"};

const cl::TControlDesc kAttrControls[] = {
    {cl::ckLabel, "HotSpotLabel", "HotSpot", 8, 8, 120, 12},
    {cl::ckEdit, "eHotSpot", "", 8, 22, 264, 20, "imeoff"},
    {cl::ckLabel, "ConTextLabel", "ConText", 8, 50, 120, 12},
    {cl::ckEdit, "eConText", "", 8, 64, 264, 20, "imeoff"},
    {cl::ckCheckBox, "eview", "枠表示", 8, 92, 120, 17},
    {cl::ckButton, "OKBtn", "OK", 116, 170, 75, 25, "default result=ok"},
    {cl::ckButton, "CancelBtn", "キャンセル", 197, 170, 75, 25, "cancel result=cancel"},
};
const cl::TDialogDesc kAttrDlg = {"TAttrDlg", "属性", 280, 203, "border=dialog", kAttrControls};

const cl::TControlDesc kEnvControls[] = {
    {cl::ckCheckBox, "eview", "枠表示", 8, 8, 120, 17},
    {cl::ckButton, "OKBtn", "OK", 116, 86, 75, 25, "default result=ok"},
    {cl::ckButton, "CancelBtn", "キャンセル", 197, 86, 75, 25, "cancel result=cancel"},
};
const cl::TDialogDesc kEnvDlg = {"TEnvDlg", "デフォルト設定", 280, 119, "border=dialog", kEnvControls};

// The type group, made in code (the layout table has no radio groups) and
// put after the frame check box in the Tab order.
controls::TXpRadioGroup* MakeTypeGroup(cl::TDialogForm* dlg, cl::TControl* after, int top) {
  auto* group = new controls::TXpRadioGroup(dlg, dlg, "Type");
  group->Name = "eType";
  group->SetBounds(8, top, 264, 44);
  group->SetColumns(3);
  group->SetItems(kTypeItems);
  SetWindowPos(group->Handle(), after->Handle(), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  return group;
}

}  // namespace

TAttrDlg::TAttrDlg()
    : TDialogForm(nullptr, kAttrDlg),
      eHotSpot(Get<cl::TEdit>("eHotSpot")),
      eConText(Get<cl::TEdit>("eConText")),
      eview(Get<cl::TCheckBox>("eview")),
      eType(MakeTypeGroup(this, eview, 116)) {}

TEnvDlg::TEnvDlg()
    : TDialogForm(nullptr, kEnvDlg), eview(Get<cl::TCheckBox>("eview")), eType(MakeTypeGroup(this, eview, 32)) {}

}  // namespace qm::zonivex
