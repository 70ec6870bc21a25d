// A command group of the main window: the actions, menu items, toolbar
// buttons, handlers and state of one set of commands.
//
// A group is one class. Its constructor makes its actions and items and puts
// them into the window's menu places and toolbars; the window creates the
// groups in a fixed order (TMainForm::CreateGroups), so a group finds the
// window's parts and the groups before it in place, and its items follow
// theirs. A new group is a new class and one line there; BackupCommands.h
// and HelpOptionCommands.h show the smallest form of one.
//
// The virtual functions below tell a group of the window's life; each does
// nothing unless the group has a part in that step.
#pragma once

#include "editor/MainForm.h"

namespace qm::editor {

class TCommandGroup {
 public:
  explicit TCommandGroup(TMainForm& form) : Form(form), Project(form.Project) {}
  virtual ~TCommandGroup() = default;
  TCommandGroup(const TCommandGroup&) = delete;
  TCommandGroup& operator=(const TCommandGroup&) = delete;

  // The window is being created and has read its settings (FormCreate):
  // the group shows its first state.
  virtual void FormCreated() {}
  // The window is asked to close. True puts the whole close off: the group
  // closes the window itself later, and nothing is saved or written now.
  virtual bool PutOffClose() { return false; }
  // The window is about to close: the group saves what it holds. An
  // exception refuses the close (the window tells the author); the settings
  // are written all the same.
  virtual void SaveBeforeClose() {}
  // The window is being destroyed (FormDestroy).
  virtual void FormDestroying() {}
  // The clipboard's content changed (the window is in the clipboard-viewer
  // chain).
  virtual void ClipboardChanged() {}

 protected:
  TMainForm& Form;
  ProjectModel& Project;
};

}  // namespace qm::editor
