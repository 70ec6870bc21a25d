#include "editor/HelpOptionDialog.h"

#include <vector>

#include "classlib/Dialogs.h"
#include "classlib/PageControl.h"
#include "controls/LayoutControls.h"

namespace qm::editor {

namespace {

using cl::ckButton;
using cl::ckCustom;
using cl::ckEdit;
using cl::ckLabel;
using cl::ckPageControl;
using cl::ckPanel;
using cl::ckSpeedButton;
using cl::ckTabSheet;

const cl::TControlDesc kControls[] = {
    {ckPageControl, "PageControl1", "", 8, 8, 344, 240},
    {ckTabSheet, "TabSheet1", "基本項目", 0, 0, 0, 0, "parent=PageControl1"},
    {ckTabSheet, "TabSheet3", "色設定", 0, 0, 0, 0, "parent=PageControl1"},
    {ckTabSheet, "TabSheet2", "サブウインドウ", 0, 0, 0, 0, "parent=PageControl1"},
    {ckTabSheet, "TabSheet4", "バックアップ", 0, 0, 0, 0, "parent=PageControl1"},
    // 基本項目
    {ckLabel, "Label1", "タイトル(&T)", 12, 16, 96, 14, "parent=TabSheet1"},
    {ckEdit, "TitleName", "", 112, 12, 210, 20, "parent=TabSheet1 help=37"},
    {ckLabel, "Label2", "コピーライト(&C)", 12, 44, 96, 14, "parent=TabSheet1"},
    {ckEdit, "CopyName", "", 112, 40, 210, 20, "parent=TabSheet1 help=38"},
    {ckCustom, "StayOnTop", "常に手前に表示(&V)", 12, 76, 250, 18, "class=TXpCheckBox parent=TabSheet1 help=39"},
    {ckCustom, "PackHelp", "圧縮する(&P)", 12, 100, 250, 18, "class=TXpCheckBox parent=TabSheet1 help=40"},
    {ckCustom, "BrawsView", "観覧ボタンを表示(&B)", 12, 124, 250, 18, "class=TXpCheckBox parent=TabSheet1 help=41"},
    {ckCustom, "SubAdd", "サブウインドウを追加する(&S)", 12, 148, 250, 18, "class=TXpCheckBox parent=TabSheet1 help=47"},
    // 色設定
    {ckLabel, "Label3", "非スクロール領域", 12, 18, 110, 14, "parent=TabSheet3"},
    {ckPanel, "ColorNoScroll", "", 130, 12, 80, 26, "parent=TabSheet3 bevel=lowered help=43"},
    {ckLabel, "Label4", "スクロール領域", 12, 54, 110, 14, "parent=TabSheet3"},
    {ckPanel, "ColorScroll", "", 130, 48, 80, 26, "parent=TabSheet3 bevel=lowered help=44"},
    {ckButton, "Button2", "初期化", 130, 90, 80, 25, "parent=TabSheet3 help=45"},
    // サブウインドウ
    {ckLabel, "Label5", "ウインドウ名(&N)", 12, 16, 96, 14, "parent=TabSheet2"},
    {ckEdit, "SubName", "", 112, 12, 150, 20, "parent=TabSheet2 help=141"},
    {ckSpeedButton, "DelphiBtn", "", 280, 10, 24, 24, "parent=TabSheet2 flat glyph=COMPONENTHELP"},
    {ckLabel, "Label6", "タイトル(&T)", 12, 44, 96, 14, "parent=TabSheet2"},
    {ckEdit, "SubTitle", "", 112, 40, 210, 20, "parent=TabSheet2 help=142"},
    {ckCustom, "SubStayOnTop", "常に手前に表示する(&V)", 12, 68, 250, 18, "class=TXpCheckBox parent=TabSheet2 help=48"},
    {ckCustom, "SubAutoHeight", "高さを自動調整する(&A)", 12, 90, 250, 18, "class=TXpCheckBox parent=TabSheet2 help=49"},
    {ckLabel, "Label7", "&Left", 12, 122, 48, 14, "parent=TabSheet2"},
    {ckEdit, "SubLeft", "", 64, 118, 56, 20, "parent=TabSheet2 imeoff help=50"},
    {ckLabel, "Label8", "&Top", 140, 122, 48, 14, "parent=TabSheet2"},
    {ckEdit, "SubTop", "", 192, 118, 56, 20, "parent=TabSheet2 imeoff help=50"},
    {ckLabel, "Label9", "&Width", 12, 150, 48, 14, "parent=TabSheet2"},
    {ckEdit, "SubWidth", "", 64, 146, 56, 20, "parent=TabSheet2 imeoff help=50"},
    {ckLabel, "Label10", "&Height", 140, 150, 48, 14, "parent=TabSheet2"},
    {ckEdit, "SubHeight", "", 192, 146, 56, 20, "parent=TabSheet2 imeoff help=50"},
    // バックアップ
    {ckLabel, "Label11", "保存先", 12, 16, 96, 14, "parent=TabSheet4"},
    {ckEdit, "edBakFolder", "", 12, 34, 290, 20, "parent=TabSheet4"},
    {ckCustom, "UpDnButton1", "", 0, 0, 15, 20, "parent=TabSheet4 class=TUpDnButton associate=edBakFolder"},
    {ckButton, "OKBtn", "変更", 196, 258, 75, 25, "default"},
    {ckButton, "CancelBtn", "キャンセル", 277, 258, 75, 25, "cancel result=2"},
};
const cl::TDialogDesc kHelpOptionDlg = {"THelpOptionDlg", "ヘルプオプション", 360, 292,
                                        "border=dialog focus=TitleName", kControls,
                                        qm::controls::MakeLayoutControl};

}  // namespace

THelpOptionDlg::THelpOptionDlg()
    : cl::TDialogForm(nullptr, kHelpOptionDlg),
      TitleName(Get<cl::TEdit>("TitleName")),
      CopyName(Get<cl::TEdit>("CopyName")),
      StayOnTop(Get<qm::controls::TXpCheckBox>("StayOnTop")),
      PackHelp(Get<qm::controls::TXpCheckBox>("PackHelp")),
      BrawsView(Get<qm::controls::TXpCheckBox>("BrawsView")),
      SubAdd(Get<qm::controls::TXpCheckBox>("SubAdd")),
      ColorNoScroll(Get<cl::TPanel>("ColorNoScroll")),
      ColorScroll(Get<cl::TPanel>("ColorScroll")),
      Button2(Get<cl::TButton>("Button2")),
      SubName(Get<cl::TEdit>("SubName")),
      SubTitle(Get<cl::TEdit>("SubTitle")),
      SubStayOnTop(Get<qm::controls::TXpCheckBox>("SubStayOnTop")),
      SubAutoHeight(Get<qm::controls::TXpCheckBox>("SubAutoHeight")),
      SubLeft(Get<cl::TEdit>("SubLeft")),
      SubTop(Get<cl::TEdit>("SubTop")),
      SubWidth(Get<cl::TEdit>("SubWidth")),
      SubHeight(Get<cl::TEdit>("SubHeight")),
      DelphiBtn(Get<cl::TSpeedButton>("DelphiBtn")),
      edBakFolder(Get<cl::TEdit>("edBakFolder")),
      UpDnButton1(Get<qm::controls::TUpDnButton>("UpDnButton1")),
      OKBtn(Get<cl::TButton>("OKBtn")),
      CancelBtn(Get<cl::TButton>("CancelBtn")),
      ColorDlg(new cl::TColorDialog(this)),
      SBDialog1(new qm::controls::TSBDialog(this)) {
  MakeThemedPages();
  TabSheet2 = Get<qm::controls::TXPTabSheet>("TabSheet2");
  ColorDlg->Name = "ColorDlg";
  SBDialog1->Name = "SBDialog1";
  SBDialog1->Caption = "保存先の指定";

  SubAdd->OnClick = [this](cl::TControl*) { SubAddClick(); };
  ColorScroll->OnClick = [this](cl::TControl*) { ColorPanelClick(ColorScroll); };
  ColorNoScroll->OnClick = [this](cl::TControl*) { ColorPanelClick(ColorNoScroll); };
  Button2->OnClick = [this](cl::TControl*) { Button2Click(); };
  DelphiBtn->OnClick = [this](cl::TControl*) { DelphiBtnClick(); };
  UpDnButton1->OnClick = [this](cl::TControl*) { UpDnButton1Click(); };
  OKBtn->OnClick = [this](cl::TControl*) { OKBtnClick(); };
}

void THelpOptionDlg::MakeThemedPages() {
  auto* pages = Get<cl::TPageControl>("PageControl1");
  std::vector<cl::TTabSheet*> plain;
  for (int i = 0; i < pages->PageCount(); ++i) plain.push_back(pages->Page(i));
  for (cl::TTabSheet* page : plain) {
    auto* themed = new qm::controls::TXPTabSheet(this, pages, page->Caption());
    themed->TakeControlsOf(page);
    std::string name = page->Name;
    delete page;
    themed->Name = name;
  }
  pages->SetActivePageIndex(0);
}

void THelpOptionDlg::Fill(const HelpOptionValues& v) {
  TitleName->SetText(v.Title);
  CopyName->SetText(v.Copyright);
  StayOnTop->SetChecked(v.StayOnTop);
  PackHelp->SetChecked(v.Compress);
  BrawsView->SetChecked(v.BrowseButtons);
  ColorScroll->SetColor(v.ScrollColor);
  ColorNoScroll->SetColor(v.NoScrollColor);
  SubName->SetText(v.SubName);
  SubTitle->SetText(v.SubTitle);
  SubStayOnTop->SetChecked(v.SubStayOnTop);
  SubAutoHeight->SetChecked(v.SubAutoHeight);
  SubLeft->SetText(v.SubLeft);
  SubTop->SetText(v.SubTop);
  SubWidth->SetText(v.SubWidth);
  SubHeight->SetText(v.SubHeight);
  edBakFolder->SetText(v.BackupFolder);
  SubAdd->SetChecked(v.SubAdd);
  SubAddClick();
  // A second window that has a name keeps it.
  if (v.SubNameLocked) {
    SubName->SetEnabled(false);
    DelphiBtn->SetVisible(false);
  }
}

HelpOptionValues THelpOptionDlg::Values() const {
  HelpOptionValues v;
  v.Title = TitleName->Text();
  v.Copyright = CopyName->Text();
  v.StayOnTop = StayOnTop->Checked();
  v.Compress = PackHelp->Checked();
  v.BrowseButtons = BrawsView->Checked();
  v.SubAdd = SubAdd->Checked();
  v.ScrollColor = ColorScroll->Color();
  v.NoScrollColor = ColorNoScroll->Color();
  v.SubName = SubName->Text();
  v.SubTitle = SubTitle->Text();
  v.SubStayOnTop = SubStayOnTop->Checked();
  v.SubAutoHeight = SubAutoHeight->Checked();
  v.SubLeft = SubLeft->Text();
  v.SubTop = SubTop->Text();
  v.SubWidth = SubWidth->Text();
  v.SubHeight = SubHeight->Text();
  v.BackupFolder = edBakFolder->Text();
  v.SubNameLocked = !SubName->Enabled();
  return v;
}

void THelpOptionDlg::SubAddClick() { TabSheet2->SetEnabled(SubAdd->Checked()); }

void THelpOptionDlg::ColorPanelClick(cl::TPanel* panel) {
  ColorDlg->Color = panel->Color();
  if (ColorDlg->Execute(Handle())) panel->SetColor(ColorDlg->Color);
}

void THelpOptionDlg::Button2Click() {
  HelpOptionValues v;
  ResetHelpOptionColors(v);
  ColorScroll->SetColor(v.ScrollColor);
  ColorNoScroll->SetColor(v.NoScrollColor);
}

void THelpOptionDlg::DelphiBtnClick() {
  HelpOptionValues v = Values();
  ApplyMemberListPreset(v);
  SubName->SetText(v.SubName);
  SubTitle->SetText(v.SubTitle);
  SubLeft->SetText(v.SubLeft);
  SubTop->SetText(v.SubTop);
  SubWidth->SetText(v.SubWidth);
  SubHeight->SetText(v.SubHeight);
  SubAutoHeight->SetChecked(v.SubAutoHeight);
}

void THelpOptionDlg::UpDnButton1Click() {
  SBDialog1->Directory = edBakFolder->Text();
  if (SBDialog1->Execute()) edBakFolder->SetText(SBDialog1->Directory);
}

void THelpOptionDlg::OKBtnClick() {
  const HelpOptionCheck check = ValidateHelpOptions(Values());
  if (!check.Ok()) {
    cl::ShowMessageBox(Handle(), std::string(check.Message), "Quillmark", MB_OK | MB_ICONWARNING);
    return;
  }
  SetModalResult(cl::mrOk);
}

}  // namespace qm::editor
