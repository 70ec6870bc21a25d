// Find and replace in the open topic (Edit menu): the modeless find and
// replace dialogs, always searching forward from the selection, and F3 to
// repeat the find dialog's last search.
#pragma once

#include <string>

#include "classlib/FindDialog.h"
#include "editor/CommandGroup.h"
#include "editor/core/FindReplace.h"

namespace qm::editor {

class TFindCommands : public TCommandGroup {
 public:
  explicit TFindCommands(TMainForm& form);

  cl::TMenuItem* Find1 = nullptr;
  cl::TMenuItem* FindNext1 = nullptr;
  cl::TMenuItem* Replace1 = nullptr;
  // Its find text and options last for the life of the window.
  cl::TFindDialog* FindDialog1 = nullptr;
  cl::TReplaceDialog* ReplaceDialog1 = nullptr;

  // Place the dialog near the mouse cursor and show it.
  void Find1Click(cl::TComponent* sender);
  void Replace1Click(cl::TComponent* sender);
  // Selects the next match of the dialog's find text after the selection;
  // without one, closes the dialog and says so.
  void FindDialog1Find(cl::TFindDialog* sender);
  // Repeats the find dialog's last search (nothing without a find text).
  void FindNext1Click(cl::TComponent* sender);
  // Replace (then find the next), or replace all.
  void ReplaceDialog1Replace(cl::TFindDialog* sender);

  void FormDestroying() override;

 private:
  void ShowDialog(cl::TFindDialog* dialog);
  static FindOptions OptionsOf(const cl::TFindDialog& dialog);
};

}  // namespace qm::editor
