#include "editor/LinkListDialog.h"

#include <windows.h>

namespace qm::editor {

namespace {

using cl::ckButton;
using cl::ckCheckBox;

const cl::TControlDesc kControls[] = {
    {ckCheckBox, "LineSp", "行間を空ける", 12, 112, 200, 18, "checked"},
    {ckCheckBox, "AddBtn", "ボタンでリンク", 12, 134, 200, 18},
    {ckButton, "OKBtn", "OK", 136, 162, 75, 25, "default result=ok"},
    {ckButton, "CancelBtn", "キャンセル", 217, 162, 75, 25, "cancel result=cancel"},
};
const cl::TDialogDesc kLinkListDlg = {"TLinkListDlg", "リンクリスト設定", 300, 195, "border=dialog",
                                      kControls};

// A radio group made in code (the layout table has none), put into the Tab
// order after `after` (at the front for null).
controls::TXpRadioGroup* MakeGroup(cl::TDialogForm* dlg, const char* name, const char* caption, int top,
                                   int columns, const std::vector<std::string>& items, HWND after) {
  auto* group = new controls::TXpRadioGroup(dlg, dlg, caption);
  group->Name = name;
  group->SetBounds(8, top, 284, 46);
  group->SetColumns(columns);
  group->SetItems(items);
  SetWindowPos(group->Handle(), after ? after : HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  return group;
}

}  // namespace

TLinkListDlg::TLinkListDlg(bool has_sub_window)
    : TDialogForm(nullptr, kLinkListDlg),
      LineSp(Get<cl::TCheckBox>("LineSp")),
      AddBtn(Get<cl::TCheckBox>("AddBtn")),
      OKBtn(Get<cl::TButton>("OKBtn")),
      has_sub_window_(has_sub_window) {
  LinkTypeEd = MakeGroup(this, "LinkTypeEd", "タイプ(&M)", 8, 2, {"ジャンプ", "ポップアップ"}, nullptr);
  LinkSubView = MakeGroup(this, "LinkSubView", "ウインドウ(&W)", 58, 3, {"カレント", "メイン", "サブ"},
                          LinkTypeEd->Handle());
  LinkTypeEd->SetItemIndex(static_cast<int>(LinkListType::Popup));
  LinkSubView->SetItemIndex(static_cast<int>(LinkListWindow::Current));
  LinkSubView->SetEnabled(false);
  LinkTypeEd->OnClick = [this](cl::TControl*) { LinkTypeEdClick(); };
}

void TLinkListDlg::LinkTypeEdClick() {
  if (has_sub_window_) LinkSubView->SetEnabled(LinkTypeEd->ItemIndex() % 2 == 0);
}

LinkListOptions TLinkListDlg::Options() const {
  LinkListOptions o;
  o.Type = LinkTypeEd->ItemIndex() == 0 ? LinkListType::Jump : LinkListType::Popup;
  const int w = LinkSubView->ItemIndex();
  o.Window = w == 1 ? LinkListWindow::Main : w == 2 ? LinkListWindow::Second : LinkListWindow::Current;
  o.BlankLines = LineSp->Checked();
  o.Buttons = AddBtn->Checked();
  return o;
}

}  // namespace qm::editor
