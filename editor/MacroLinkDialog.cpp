#include "editor/MacroLinkDialog.h"

#include "core/FileSystem.h"
#include "editor/core/MacroLink.h"

namespace qm::editor {

namespace {

using cl::ckButton;
using cl::ckCheckBox;
using cl::ckEdit;
using cl::ckLabel;
using cl::ckListBox;
using cl::ckMemo;
using cl::ckPageControl;
using cl::ckTabSheet;

// The pages' list boxes by their names, in the pages' order.
const char* const kListNames[] = {"ListBox4", "ListBox1", "ListBox2", "ListBox3", "ListBox5"};

const cl::TControlDesc kControls[] = {
    {ckPageControl, "PageControl1", "", 0, 0, 420, 150, "align=top"},
    {ckTabSheet, "TabSheet1", "プログラム", 0, 0, 0, 0, "parent=PageControl1"},
    {ckTabSheet, "TabSheet2", "ボタン", 0, 0, 0, 0, "parent=PageControl1"},
    {ckTabSheet, "TabSheet3", "キーボード", 0, 0, 0, 0, "parent=PageControl1"},
    {ckTabSheet, "TabSheet4", "リンク", 0, 0, 0, 0, "parent=PageControl1"},
    {ckTabSheet, "TabSheet5", "ウインドウ", 0, 0, 0, 0, "parent=PageControl1 active"},
    {ckListBox, "ListBox4", "", 0, 0, 0, 0, "parent=TabSheet1 align=client help=78"},
    {ckListBox, "ListBox1", "", 0, 0, 0, 0, "parent=TabSheet2 align=client help=78"},
    {ckListBox, "ListBox2", "", 0, 0, 0, 0, "parent=TabSheet3 align=client help=78"},
    {ckListBox, "ListBox3", "", 0, 0, 0, 0, "parent=TabSheet4 align=client help=78"},
    {ckListBox, "ListBox5", "", 0, 0, 0, 0, "parent=TabSheet5 align=client help=78"},
    {ckLabel, "Label1", "リンク文字(&L)", 8, 162, 90, 14},
    {ckEdit, "LinkEd", "", 100, 158, 312, 20, "help=67"},
    {ckLabel, "Label2", "マクロ(&M)", 8, 188, 90, 14},
    {ckMemo, "MacEd", "", 100, 184, 312, 60, "vscroll help=77"},
    {ckCheckBox, "BtnCheck", "ボタン(&B)", 8, 264, 90, 18, "help=73"},
    {ckButton, "HelpBtn", "ヘルプ(&H)", 8, 304, 75, 25},
    {ckButton, "Button1", "マクロのみ", 175, 304, 80, 25},
    {ckButton, "OKBtn", "OK", 261, 304, 75, 25, "default"},
    {ckButton, "CancelBtn", "キャンセル", 342, 304, 75, 25, "cancel result=cancel"},
};
const cl::TDialogDesc kMacDlg = {"TMacDlg", "マクロ設定", 420, 337, "border=dialog focus=LinkEd", kControls};

}  // namespace

TMacDlg::TMacDlg(const std::string& hcw_folder)
    : TDialogForm(nullptr, kMacDlg),
      LinkEd(Get<cl::TEdit>("LinkEd")),
      MacEd(Get<cl::TMemo>("MacEd")),
      PageControl1(Get<cl::TPageControl>("PageControl1")),
      BtnCheck(Get<cl::TCheckBox>("BtnCheck")),
      HelpBtn(Get<cl::TButton>("HelpBtn")),
      OKBtn(Get<cl::TButton>("OKBtn")),
      Button1(Get<cl::TButton>("Button1")),
      hcw_folder_(hcw_folder) {
  const auto& pages = MacroTemplatePages();
  for (std::size_t i = 0; i < pages.size(); ++i) {
    cl::TListBox* list = Get<cl::TListBox>(kListNames[i]);
    for (std::string_view item : pages[i].Items) list->Add(std::string(item));
    list->OnClick = [this, list](cl::TControl*) { ListBoxClick(list); };
    Lists.push_back(list);
  }
  PageControl1->SetActivePageIndex(kMacroStartPage);

  // The attribute group, made in code (the layout table has no radio
  // groups), after the button check in the Tab order.
  LinkAttr = new controls::TXpRadioGroup(this, this, "属性(&A)");
  LinkAttr->Name = "LinkAttr";
  LinkAttr->SetBounds(100, 250, 312, 46);
  LinkAttr->SetColumns(3);
  LinkAttr->SetItems({"通常", "下線", "なし"});
  LinkAttr->SetItemIndex(0);
  SetHelpContext(LinkAttr, 69);
  SetWindowPos(LinkAttr->Handle(), BtnCheck->Handle(), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

  BtnCheck->OnClick = [this](cl::TControl*) { LinkAttr->SetEnabled(!BtnCheck->Checked()); };
  OKBtn->OnClick = [this](cl::TControl*) {
    if (MacroLinkAccepted(LinkEd->Text(), MacEd->Text())) SetModalResult(cl::mrOk);
  };
  Button1->OnClick = [this](cl::TControl*) {
    if (MacroOnlyAccepted(MacEd->Text())) SetModalResult(kMacroOnlyResult);
  };
  WinHelpCall = [](HWND owner, const std::string& file, UINT command, ULONG_PTR data) {
    return WinHelpA(owner, file.c_str(), command, data);
  };
  // Help Workshop's help at its macro reference; whether the file is there
  // is the viewer's to say.
  HelpBtn->OnClick = [this](cl::TControl*) {
    const std::string keyword(kMacroHelpKeyword);
    WinHelpCall(Handle(), PathJoin(hcw_folder_, std::string(kMacroHelpFile)), HELP_KEY,
                reinterpret_cast<ULONG_PTR>(keyword.c_str()));
  };
}

void TMacDlg::ListBoxClick(cl::TListBox* list) {
  const int i = list->ItemIndex();
  if (i < 0) return;
  MacEd->SetSelText(list->Item(i));
}

std::string TMacDlg::Markup() const {
  return MacroLinkMarkup(LinkEd->Text(), MacEd->Text(), LinkAttr->ItemIndex(), BtnCheck->Checked());
}

}  // namespace qm::editor
