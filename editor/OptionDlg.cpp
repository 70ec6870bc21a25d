#include "editor/OptionDlg.h"

#include "editor/core/FontLabel.h"

namespace qm::editor {

namespace {

// The folder is typed; a folder browser beside the box is still to come.
const cl::TControlDesc kControls[] = {
    {cl::ckLabel, "Label1", "Hwのフォルダ", 8, 10, 120, 14},
    {cl::ckEdit, "HcwEd", "", 8, 26, 260, 20, "help=61"},
    {cl::ckButton, "Button1", "初期フォント", 8, 56, 90, 25, "help=63"},
    {cl::ckLabel, "FontLabel", "", 106, 62, 162, 14, "noprefix"},
    {cl::ckCheckBox, "TitleCopy", "未入力トピックのタイトルコピーする。", 8, 90, 260, 18, "help=140"},
    {cl::ckButton, "OKBtn", "OK", 112, 118, 75, 25, "default result=1"},
    {cl::ckButton, "CancelBtn", "キャンセル", 193, 118, 75, 25, "cancel result=2"},
};
const cl::TDialogDesc kOptionDlg = {"TOptionDlg", "Quillmark オプション設定", 276, 151,
                                    "border=dialog helpbutton", kControls};

}  // namespace

TOptionDlg::TOptionDlg()
    : TDialogForm(nullptr, kOptionDlg),
      HcwEd(Get<cl::TEdit>("HcwEd")),
      Button1(Get<cl::TButton>("Button1")),
      FontLabel(Get<cl::TLabel>("FontLabel")),
      TitleCopy(Get<cl::TCheckBox>("TitleCopy")) {
  Name = "OptionDlg";
  FontDlg = new cl::TFontDialog(this);
  FontDlg->Name = "FontDlg";
  FontDlg->NoStyleSel = true;
  Button1->OnClick = [this](cl::TControl* c) { Button1Click(c); };
}

void TOptionDlg::ShowFont() { FontLabel->SetText(qm::editor::FontLabel(FontDlg->FontName, FontDlg->FontSize)); }

void TOptionDlg::Button1Click(cl::TComponent*) {
  if (FontDlg->Execute(Handle())) ShowFont();
}

}  // namespace qm::editor
