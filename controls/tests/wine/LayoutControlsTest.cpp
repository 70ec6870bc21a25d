// The controls of this library named by custom rows of a dialog layout.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "classlib/Application.h"
#include "classlib/DialogForm.h"
#include "controls/Label3D.h"
#include "controls/LayoutControls.h"
#include "controls/StdCtrlsXp.h"
#include "controls/UpDnButton.h"
#include "controls/XpRadioGroup.h"

namespace qm::controls {
namespace {

const cl::TControlDesc kControls[] = {
    {cl::ckCustom, "Kind", "種類(&K)\n一\n二\n三\n四", 8, 8, 249, 77, "class=TXpRadioGroup columns=2 index=2 help=7"},
    {cl::ckCustom, "Flag", "印", 8, 90, 120, 18, "class=TXpCheckBox checked"},
    {cl::ckEdit, "Folder", "", 64, 112, 209, 20},
    {cl::ckCustom, "Browse", "", 0, 0, 15, 20, "class=TUpDnButton associate=Folder up"},
    {cl::ckCustom, "Title", "Quillmark", 8, 136, 120, 24, "class=TLabel3D bold fontcolor=0 shade=0xFFFFFF"},
    {cl::ckButton, "OKBtn", "OK", 200, 170, 75, 25, "default result=ok"},
};
const cl::TDialogDesc kDialog = {"TLayoutTestDlg", "layout", 290, 200, "border=dialog", kControls,
                                 MakeLayoutControl};

TEST(LayoutControls, CustomRowsBuildTheNamedControls) {
  cl::Application().Initialize();
  cl::TDialogForm dlg(nullptr, kDialog);
  auto* kind = dlg.Get<TXpRadioGroup>("Kind");
  EXPECT_EQ(kind->Text(), "種類(&K)");
  EXPECT_EQ(kind->Items(), (std::vector<std::string>{"一", "二", "三", "四"}));
  EXPECT_EQ(kind->Columns(), 2);
  EXPECT_EQ(kind->ItemIndex(), 2);
  EXPECT_TRUE(kind->Button(2)->Checked());
  EXPECT_EQ(dlg.HelpContextOf(kind), 7);
  EXPECT_EQ(kind->Width(), 249);
  EXPECT_TRUE(dlg.Get<TXpCheckBox>("Flag")->Checked());
  auto* browse = dlg.Get<TUpDnButton>("Browse");
  EXPECT_EQ(browse->Associate(), dlg.Get<cl::TEdit>("Folder"));
  // At the edit's right end (both narrowed by the themed look when it is on).
  EXPECT_EQ(browse->Left(), browse->Associate()->Left() + browse->Associate()->Width() - 1);
  EXPECT_TRUE(browse->UpMode);
  auto* title = dlg.Get<TLabel3D>("Title");
  EXPECT_EQ(title->ShadeColor(), RGB(255, 255, 255));
  EXPECT_EQ(title->FontColor(), RGB(0, 0, 0));
}

TEST(LayoutControls, AnUnknownClassOrPropertyIsRefused) {
  cl::Application().Initialize();
  auto build = [](const char* props) {
    const cl::TControlDesc controls[] = {{cl::ckCustom, "X", "", 0, 0, 10, 10, props}};
    const cl::TDialogDesc d = {"TBadDlg", "bad", 100, 100, "", controls, MakeLayoutControl};
    try {
      cl::TDialogForm dlg(nullptr, d);
    } catch (const cl::ELayoutError& e) {
      return std::string(e.what());
    }
    return std::string();
  };
  EXPECT_EQ(build("class=TXpRadioGroup colums=2"), "X: a TXpRadioGroup has no property colums");
  EXPECT_EQ(build("class=TXpRadioGrp"), "X: no control class TXpRadioGrp");
  EXPECT_EQ(build("class=TUpDnButton associate=Nothing"), "X: associate must name an edit declared before it");
}

}  // namespace
}  // namespace qm::controls
