// Links made in one step (Insert menu): a list of links to the selected
// node's hidden topics appended to the open topic, and a link that runs a
// WinHelp macro (or the macro alone) from the macro dialog.
#pragma once

#include "core/Lines.h"
#include "editor/CommandGroup.h"

namespace qm::editor {

class TLinkListCommands : public TCommandGroup {
 public:
  explicit TLinkListCommands(TMainForm& form);

  cl::TAction* MacA = nullptr;
  cl::TMenuItem* LinkListItem = nullptr;
  void MacAExecute();
  void LinkListItemClick();
  // Adds the lines at the end of the editor's text, as one change.
  void AppendEditorLines(const Lines& lines);
};

}  // namespace qm::editor
