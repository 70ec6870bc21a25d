// The link-list dialog "リンクリスト設定": the type, window and layout of
// the links that the Insert menu's link list appends for a node's hidden
// topics.
#pragma once

#include "classlib/CheckBox.h"
#include "classlib/DialogForm.h"
#include "classlib/StdCtrls.h"
#include "controls/XpRadioGroup.h"
#include "editor/core/LinkListLines.h"

namespace qm::editor {

class TLinkListDlg : public cl::TDialogForm {
 public:
  // has_sub_window: the project has a second window, so jumps may choose a
  // window; otherwise the window choice stays disabled at the current one.
  explicit TLinkListDlg(bool has_sub_window);
  controls::TXpRadioGroup* LinkTypeEd;   // ジャンプ, ポップアップ
  controls::TXpRadioGroup* LinkSubView;  // カレント, メイン, サブ
  cl::TCheckBox* LineSp;
  cl::TCheckBox* AddBtn;
  cl::TButton* OKBtn;

  // Pop-ups have no window choice; the choice keeps its value while
  // disabled.
  void LinkTypeEdClick();
  // The choices made (the second window's name is the caller's).
  LinkListOptions Options() const;

 private:
  bool has_sub_window_;
};

}  // namespace qm::editor
