// The topic information dialog (TSetTopicDlg) and its component-help filler
// (TCompDlg). The dialog shows and checks the values; reading them from the
// topic and storing them back is editor/core/TopicInfo.h.
#pragma once

#include <memory>
#include <string>

#include "classlib/DialogForm.h"
#include "classlib/Memo.h"
#include "classlib/Menu.h"
#include "classlib/SpeedButton.h"
#include "classlib/StdCtrls.h"
#include "controls/XpRadioGroup.h"
#include "editor/core/ComponentHelp.h"
#include "editor/core/TopicInfo.h"

namespace qm::editor {

// The caption of the dialogs' message boxes.
extern const char kTopicInfoCaption[];

class TCompDlg : public cl::TDialogForm {
 public:
  TCompDlg();
  cl::TEdit* CompName;
  cl::TEdit* PropName;
  cl::TEdit* MethodName;
  cl::TEdit* EventName;
  cl::TButton* OKBtn;
  ComponentNames Names() const;
  void SetNames(const ComponentNames& n);
};

class TSetTopicDlg : public cl::TDialogForm {
 public:
  TSetTopicDlg();
  ~TSetTopicDlg() override;
  cl::TEdit* TidEd;
  cl::TEdit* brwEd;
  cl::TEdit* TitleEd;
  cl::TEdit* KKeyEd;
  cl::TEdit* AKeyEd;
  cl::TMemo* MacEd;
  qm::controls::TXpRadioGroup* WinGrp;
  cl::TSpeedButton* DelphiBtn;
  cl::TButton* OKBtn;
  cl::TPopupMenu* PopupMenu1;
  cl::TMenuItem* sub1 = nullptr;

  // The topic's values in, the edited values out (the component-help kind
  // is held apart: only the filler changes it).
  void SetValues(const TopicInfoValues& v);
  TopicInfoValues Values() const;
  // The second window's name and whether the window choice applies.
  void SetSubWindow(const std::string& name, bool enabled);

  // What the checks of OK look at (the open topic's id and the topic ids).
  const ProjectModel* Project = nullptr;
  // The filler remembers the last component name here (program-wide).
  std::string* LastComponentName = nullptr;
  // Where the filler opens (work area taken at start-up); empty: the
  // current one.
  RECT WorkArea{};
  // Runs the filler (DelphiBtn); exposed for the tests' sake.
  void DelphiBtnClick();
  // A template of the macro menu by its tag.
  void MacroInput(int tag);

 private:
  std::string kind_;
  std::string sub_window_;
};

}  // namespace qm::editor
