// The three link dialogs: a jump or pop-up to a topic id (TJumpDlg), a jump
// through A keywords (TLinkDlg) and through K keywords (TKLinkDlg). Each is
// made for one use; after OK, Markup() is the text to put into the topic.
#pragma once

#include <string>

#include "classlib/CheckBox.h"
#include "classlib/DialogForm.h"
#include "classlib/StdCtrls.h"
#include "controls/XpRadioGroup.h"
#include "editor/core/LinkMarkup.h"

namespace qm::editor {

// What the dialogs have in common: the link text, the id or keyword edit,
// the attribute choice; a double click on an empty edit copies the other's
// text into it.
class TLinkDlgBase : public cl::TDialogForm {
 public:
  TLinkDlgBase(const cl::TDialogDesc& desc);
  cl::TEdit* LinkStrEd;
  cl::TEdit* LinkIDEd;
  cl::TButton* OKBtn;
  qm::controls::TXpRadioGroup* LinkAttr;
  // The project's second window's name (the window choice "サブ").
  std::string SubWindow;
  virtual std::string Markup() const = 0;

 protected:
  // Whether OK may close the dialog.
  virtual bool Complete() const = 0;
};

class TJumpDlg : public TLinkDlgBase {
 public:
  TJumpDlg();
  qm::controls::TXpRadioGroup* LinkSubView;
  qm::controls::TXpRadioGroup* LinkTypeEd;
  // The project has a second window: the window choice follows the type.
  bool HasSubWindow = false;
  JumpLink Link() const;
  std::string Markup() const override { return JumpLinkMarkup(Link()); }

 protected:
  bool Complete() const override;

 private:
  void LinkTypeEdClick();
};

// TLinkDlg (ALink, with a window choice) and TKLinkDlg (KLink).
class TKeywordLinkDlg : public TLinkDlgBase {
 public:
  explicit TKeywordLinkDlg(bool alink);
  cl::TCheckBox* LinkType;
  qm::controls::TXpRadioGroup* LinkSubView = nullptr;  // ALink only
  KeywordLink Link() const;
  std::string Markup() const override;

 protected:
  bool Complete() const override;

 private:
  bool alink_;
};

class TLinkDlg : public TKeywordLinkDlg {
 public:
  TLinkDlg() : TKeywordLinkDlg(true) {}
};

class TKLinkDlg : public TKeywordLinkDlg {
 public:
  TKLinkDlg() : TKeywordLinkDlg(false) {}
};

}  // namespace qm::editor
