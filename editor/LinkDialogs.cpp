#include "editor/LinkDialogs.h"

namespace qm::editor {

namespace {

using cl::ckButton;
using cl::ckCheckBox;
using cl::ckEdit;
using cl::ckGroupBox;
using cl::ckLabel;
using cl::ckRadioButton;

// Controls of all three dialogs; the window choice and the link type differ.
#define QM_LINK_TEXT_ROWS(idLabel, idHelp)                                          \
  {ckLabel, "Label1", "リンク文字(&L)", 8, 12, 110, 14},                            \
      {ckEdit, "LinkStrEd", "", 120, 8, 232, 20, "help=67"},                        \
      {ckLabel, "Label2", idLabel, 8, 38, 110, 14},                                 \
      {ckEdit, "LinkIDEd", "", 120, 34, 232, 20, "imeoff help=" idHelp},            \
      {ckGroupBox, "LinkAttr", "属性(&A)", 8, 62, 344, 42, "help=69"},              \
      {ckRadioButton, "LinkAttr0", "通常", 10, 18, 100, 18, "parent=LinkAttr checked"}, \
      {ckRadioButton, "LinkAttr1", "下線", 124, 18, 100, 18, "parent=LinkAttr"},    \
      {ckRadioButton, "LinkAttr2", "なし", 238, 18, 100, 18, "parent=LinkAttr"}

#define QM_LINK_WINDOW_ROWS(top)                                                                 \
  {ckGroupBox, "LinkSubView", "ウインドウ(&W)", 8, top, 344, 42, "help=70"},                     \
      {ckRadioButton, "LinkSubView0", "カレント", 10, 18, 100, 18, "parent=LinkSubView checked"}, \
      {ckRadioButton, "LinkSubView1", "メイン", 124, 18, 100, 18, "parent=LinkSubView"},         \
      {ckRadioButton, "LinkSubView2", "サブ", 238, 18, 100, 18, "parent=LinkSubView"}

const cl::TControlDesc kJumpControls[] = {
    QM_LINK_TEXT_ROWS("リンクトピック(&T)", "68"),
    QM_LINK_WINDOW_ROWS(108),
    {ckGroupBox, "LinkTypeEd", "タイプ(&M)", 8, 154, 344, 76, "help=71"},
    {ckRadioButton, "LinkTypeEd0", "ジャンプ", 10, 18, 160, 18, "parent=LinkTypeEd checked"},
    {ckRadioButton, "LinkTypeEd1", "ジャンプボタン", 180, 18, 160, 18, "parent=LinkTypeEd"},
    {ckRadioButton, "LinkTypeEd2", "ジャンプ横ボタン", 10, 36, 160, 18, "parent=LinkTypeEd"},
    {ckRadioButton, "LinkTypeEd3", "ポップアップ", 180, 36, 160, 18, "parent=LinkTypeEd"},
    {ckRadioButton, "LinkTypeEd4", "ポップアップボタン", 10, 54, 160, 18, "parent=LinkTypeEd"},
    {ckRadioButton, "LinkTypeEd5", "ポップアップ横ボタン", 180, 54, 160, 18, "parent=LinkTypeEd"},
    {ckButton, "OKBtn", "OK", 196, 238, 75, 25, "default"},
    {ckButton, "CancelBtn", "キャンセル", 277, 238, 75, 25, "cancel result=cancel"},
};
const cl::TDialogDesc kJumpDlg = {"TJumpDlg", "リンク設定", 360, 270,
                                  "border=dialog minmax helpbutton focus=LinkStrEd", kJumpControls};

const cl::TControlDesc kALinkControls[] = {
    QM_LINK_TEXT_ROWS("キーワード(&K)", "75"),
    QM_LINK_WINDOW_ROWS(108),
    {ckCheckBox, "LinkType", "ボタン(&B)", 8, 158, 150, 18, "help=73"},
    {ckButton, "OKBtn", "OK", 196, 186, 75, 25, "default"},
    {ckButton, "CancelBtn", "キャンセル", 277, 186, 75, 25, "cancel result=cancel"},
};
const cl::TDialogDesc kALinkDlg = {"TLinkDlg", "ALinジャンプ設定", 360, 218,
                                   "border=dialog minmax helpbutton focus=LinkStrEd", kALinkControls};

const cl::TControlDesc kKLinkControls[] = {
    QM_LINK_TEXT_ROWS("キーワード(&K)", "75"),
    {ckCheckBox, "LinkType", "ボタン(&B)", 8, 112, 150, 18, "help=73"},
    {ckButton, "OKBtn", "OK", 196, 140, 75, 25, "default"},
    {ckButton, "CancelBtn", "キャンセル", 277, 140, 75, 25, "cancel result=cancel"},
};
const cl::TDialogDesc kKLinkDlg = {"TKLinkDlg", "KLinkジャンプ設定", 360, 172,
                                   "border=dialog minmax helpbutton focus=LinkStrEd", kKLinkControls};

#undef QM_LINK_TEXT_ROWS
#undef QM_LINK_WINDOW_ROWS

// A double click on an empty edit takes the other edit's text.
void CopyOnDoubleClick(cl::TEdit* target, cl::TEdit* source) {
  target->OnDblClick = [target, source](cl::TControl*) {
    if (target->Text().empty()) target->SetText(source->Text());
  };
}

}  // namespace

TLinkDlgBase::TLinkDlgBase(const cl::TDialogDesc& desc)
    : TDialogForm(nullptr, desc),
      LinkStrEd(Get<cl::TEdit>("LinkStrEd")),
      LinkIDEd(Get<cl::TEdit>("LinkIDEd")),
      OKBtn(Get<cl::TButton>("OKBtn")),
      LinkAttr(*this, "LinkAttr", 3) {
  CopyOnDoubleClick(LinkStrEd, LinkIDEd);
  CopyOnDoubleClick(LinkIDEd, LinkStrEd);
  OKBtn->OnClick = [this](cl::TControl*) {
    if (Complete()) SetModalResult(cl::mrOk);
  };
}

TJumpDlg::TJumpDlg()
    : TLinkDlgBase(kJumpDlg), LinkSubView(*this, "LinkSubView", 3), LinkTypeEd(*this, "LinkTypeEd", 6) {
  LinkTypeEd.SetOnClick([this] { LinkTypeEdClick(); });
}

void TJumpDlg::LinkTypeEdClick() {
  const int type = LinkTypeEd.ItemIndex();
  if (HasSubWindow) LinkSubView.SetEnabled(JumpTypeUsesWindow(type));
  LinkAttr.SetEnabled(JumpTypeUsesAttr(type));
}

JumpLink TJumpDlg::Link() const {
  return {LinkTypeEd.ItemIndex(), LinkStrEd->Text(), LinkIDEd->Text(), LinkAttr.ItemIndex(),
          LinkSubView.ItemIndex(), SubWindow};
}

bool TJumpDlg::Complete() const {
  return JumpLinkComplete(LinkTypeEd.ItemIndex(), LinkStrEd->Text(), LinkIDEd->Text());
}

TKeywordLinkDlg::TKeywordLinkDlg(bool alink)
    : TLinkDlgBase(alink ? kALinkDlg : kKLinkDlg), LinkType(Get<cl::TCheckBox>("LinkType")), alink_(alink) {
  if (alink) LinkSubView = TRadioChoice(*this, "LinkSubView", 3);
  LinkType->OnClick = [this](cl::TControl*) { LinkAttr.SetEnabled(!LinkType->Checked()); };
}

KeywordLink TKeywordLinkDlg::Link() const {
  return {LinkType->Checked(), LinkStrEd->Text(), LinkIDEd->Text(), LinkAttr.ItemIndex(),
          alink_ ? LinkSubView.ItemIndex() : 0, SubWindow};
}

std::string TKeywordLinkDlg::Markup() const { return alink_ ? ALinkMarkup(Link()) : KLinkMarkup(Link()); }

bool TKeywordLinkDlg::Complete() const {
  return KeywordLinkComplete(LinkType->Checked(), LinkStrEd->Text(), LinkIDEd->Text());
}

}  // namespace qm::editor
