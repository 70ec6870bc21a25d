#include "editor/LinkDialogs.h"

#include "controls/LayoutControls.h"

namespace qm::editor {

namespace {

using cl::ckButton;
using cl::ckCheckBox;
using cl::ckCustom;
using cl::ckEdit;
using cl::ckLabel;

// Controls of all three dialogs; the window choice and the link type differ.
#define QM_LINK_TEXT_ROWS(idLabel, idHelp)                                          \
  {ckLabel, "Label1", "リンク文字(&L)", 8, 12, 110, 14},                            \
      {ckEdit, "LinkStrEd", "", 120, 8, 232, 20, "help=67"},                        \
      {ckLabel, "Label2", idLabel, 8, 38, 110, 14},                                 \
      {ckEdit, "LinkIDEd", "", 120, 34, 232, 20, "imeoff help=" idHelp},            \
      {ckCustom, "LinkAttr", "属性(&A)\n通常\n下線\nなし", 8, 62, 344, 42,          \
       "class=TXpRadioGroup columns=3 index=0 help=69"}

#define QM_LINK_WINDOW_ROW(top)                                                       \
  {ckCustom, "LinkSubView", "ウインドウ(&W)\nカレント\nメイン\nサブ", 8, top, 344, 42, \
   "class=TXpRadioGroup columns=3 index=0 help=70"}

const cl::TControlDesc kJumpControls[] = {
    QM_LINK_TEXT_ROWS("リンクトピック(&T)", "68"),
    QM_LINK_WINDOW_ROW(108),
    {ckCustom, "LinkTypeEd",
     "タイプ(&M)\nジャンプ\nジャンプボタン\nジャンプ横ボタン\nポップアップ\nポップアップボタン\nポップアップ横ボタン", 8, 154,
     344, 76, "class=TXpRadioGroup columns=2 index=0 help=71"},
    {ckButton, "OKBtn", "OK", 196, 238, 75, 25, "default"},
    {ckButton, "CancelBtn", "キャンセル", 277, 238, 75, 25, "cancel result=cancel"},
};
const cl::TDialogDesc kJumpDlg = {"TJumpDlg", "リンク設定", 360, 270,
                                  "border=dialog minmax helpbutton focus=LinkStrEd", kJumpControls,
                                  qm::controls::MakeLayoutControl};

const cl::TControlDesc kALinkControls[] = {
    QM_LINK_TEXT_ROWS("キーワード(&K)", "75"),
    QM_LINK_WINDOW_ROW(108),
    {ckCheckBox, "LinkType", "ボタン(&B)", 8, 158, 150, 18, "help=73"},
    {ckButton, "OKBtn", "OK", 196, 186, 75, 25, "default"},
    {ckButton, "CancelBtn", "キャンセル", 277, 186, 75, 25, "cancel result=cancel"},
};
const cl::TDialogDesc kALinkDlg = {"TLinkDlg", "ALinジャンプ設定", 360, 218,
                                   "border=dialog minmax helpbutton focus=LinkStrEd", kALinkControls,
                                   qm::controls::MakeLayoutControl};

const cl::TControlDesc kKLinkControls[] = {
    QM_LINK_TEXT_ROWS("キーワード(&K)", "75"),
    {ckCheckBox, "LinkType", "ボタン(&B)", 8, 112, 150, 18, "help=73"},
    {ckButton, "OKBtn", "OK", 196, 140, 75, 25, "default"},
    {ckButton, "CancelBtn", "キャンセル", 277, 140, 75, 25, "cancel result=cancel"},
};
const cl::TDialogDesc kKLinkDlg = {"TKLinkDlg", "KLinkジャンプ設定", 360, 172,
                                   "border=dialog minmax helpbutton focus=LinkStrEd", kKLinkControls,
                                   qm::controls::MakeLayoutControl};

#undef QM_LINK_TEXT_ROWS
#undef QM_LINK_WINDOW_ROW

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
      LinkAttr(Get<qm::controls::TXpRadioGroup>("LinkAttr")) {
  CopyOnDoubleClick(LinkStrEd, LinkIDEd);
  CopyOnDoubleClick(LinkIDEd, LinkStrEd);
  OKBtn->OnClick = [this](cl::TControl*) {
    if (Complete()) SetModalResult(cl::mrOk);
  };
}

TJumpDlg::TJumpDlg()
    : TLinkDlgBase(kJumpDlg),
      LinkSubView(Get<qm::controls::TXpRadioGroup>("LinkSubView")),
      LinkTypeEd(Get<qm::controls::TXpRadioGroup>("LinkTypeEd")) {
  LinkTypeEd->OnClick = [this](cl::TControl*) { LinkTypeEdClick(); };
}

void TJumpDlg::LinkTypeEdClick() {
  const int type = LinkTypeEd->ItemIndex();
  if (HasSubWindow) LinkSubView->SetEnabled(JumpTypeUsesWindow(type));
  LinkAttr->SetEnabled(JumpTypeUsesAttr(type));
}

JumpLink TJumpDlg::Link() const {
  return {LinkTypeEd->ItemIndex(), LinkStrEd->Text(), LinkIDEd->Text(), LinkAttr->ItemIndex(),
          LinkSubView->ItemIndex(), SubWindow};
}

bool TJumpDlg::Complete() const {
  return JumpLinkComplete(LinkTypeEd->ItemIndex(), LinkStrEd->Text(), LinkIDEd->Text());
}

TKeywordLinkDlg::TKeywordLinkDlg(bool alink)
    : TLinkDlgBase(alink ? kALinkDlg : kKLinkDlg), LinkType(Get<cl::TCheckBox>("LinkType")), alink_(alink) {
  if (alink) LinkSubView = Get<qm::controls::TXpRadioGroup>("LinkSubView");
  LinkType->OnClick = [this](cl::TControl*) { LinkAttr->SetEnabled(!LinkType->Checked()); };
}

KeywordLink TKeywordLinkDlg::Link() const {
  return {LinkType->Checked(), LinkStrEd->Text(), LinkIDEd->Text(), LinkAttr->ItemIndex(),
          alink_ ? LinkSubView->ItemIndex() : 0, SubWindow};
}

std::string TKeywordLinkDlg::Markup() const { return alink_ ? ALinkMarkup(Link()) : KLinkMarkup(Link()); }

bool TKeywordLinkDlg::Complete() const {
  return KeywordLinkComplete(LinkType->Checked(), LinkStrEd->Text(), LinkIDEd->Text());
}

}  // namespace qm::editor
