#include "editor/OptionDlg.h"

#include "controls/LayoutControls.h"
#include "editor/core/FontLabel.h"

namespace qm::editor {

namespace {

// The folder is typed, or picked with the folder browser of the arrow
// button glued to the box's right end.
const cl::TControlDesc kControls[] = {
    {cl::ckLabel, "Label1", "Hwのフォルダ", 8, 10, 120, 14},
    {cl::ckEdit, "HcwEd", "", 8, 26, 246, 20, "help=61"},
    {cl::ckCustom, "UpDnButton1", "", 0, 0, 15, 20, "class=TUpDnButton associate=HcwEd"},
    {cl::ckButton, "Button1", "初期フォント", 8, 56, 90, 25, "help=63"},
    {cl::ckLabel, "FontLabel", "", 106, 62, 162, 14, "noprefix"},
    {cl::ckCheckBox, "TitleCopy", "未入力トピックのタイトルコピーする。", 8, 90, 260, 18, "help=140"},
    {cl::ckButton, "OKBtn", "OK", 112, 118, 75, 25, "default result=1"},
    {cl::ckButton, "CancelBtn", "キャンセル", 193, 118, 75, 25, "cancel result=2"},
};
const cl::TDialogDesc kOptionDlg = {"TOptionDlg", "Quillmark オプション設定", 276, 151,
                                    "border=dialog helpbutton", kControls,
                                    qm::controls::MakeLayoutControl};

}  // namespace

TOptionDlg::TOptionDlg()
    : TDialogForm(nullptr, kOptionDlg),
      HcwEd(Get<cl::TEdit>("HcwEd")),
      UpDnButton1(Get<qm::controls::TUpDnButton>("UpDnButton1")),
      Button1(Get<cl::TButton>("Button1")),
      FontLabel(Get<cl::TLabel>("FontLabel")),
      TitleCopy(Get<cl::TCheckBox>("TitleCopy")) {
  Name = "OptionDlg";
  FontDlg = new cl::TFontDialog(this);
  FontDlg->Name = "FontDlg";
  FontDlg->NoStyleSel = true;
  BrowseDialog1 = new qm::controls::TSBDialog(this);
  BrowseDialog1->Name = "BrowseDialog1";
  BrowseDialog1->Caption = "Hcrtfのフォルダ指定";
  BrowseDialog1->Options = static_cast<qm::controls::TSBDlgOptions>(
      qm::controls::SBDlgOption(qm::controls::biReturnOnlyFSDirs) | qm::controls::SBDlgOption(qm::controls::biNewStyle));
  Button1->OnClick = [this](cl::TControl* c) { Button1Click(c); };
  UpDnButton1->OnClick = [this](cl::TControl* c) { SpeedButton1Click(c); };
}

void TOptionDlg::SpeedButton1Click(cl::TComponent*) {
  BrowseDialog1->Directory = HcwEd->Text();
  if (BrowseDialog1->Execute()) HcwEd->SetText(BrowseDialog1->Directory);
}

void TOptionDlg::ShowFont() { FontLabel->SetText(qm::editor::FontLabel(FontDlg->FontName, FontDlg->FontSize)); }

void TOptionDlg::Button1Click(cl::TComponent*) {
  if (FontDlg->Execute(Handle())) ShowFont();
}

}  // namespace qm::editor
