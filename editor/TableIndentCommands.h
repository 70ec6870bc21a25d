// Tables, paragraph indents and the targets of external contents entries,
// each through its small dialog (TableIndentDialogs.h).
#pragma once

#include "editor/CommandGroup.h"
#include "editor/core/ContentsTree.h"

namespace qm::editor {

class TTableIndentCommands : public TCommandGroup {
 public:
  explicit TTableIndentCommands(TMainForm& form);

  // Table markup at the topic editor's selection; enabled while a topic is
  // open.
  cl::TAction* TableA = nullptr;
  // The indents of the selection's paragraphs, and all three set to 0.
  cl::TAction* IndentA = nullptr;
  cl::TAction* DelIndextA = nullptr;
  void TableAExecute();
  void IndentAExecute();
  void DelIndextAExecute();
  // The target of an external entry: a click on one, and the add command
  // that has just made one, open it.
  void EditExternalEntry(ContentsNode* node);

 private:
  // The ruler shows the changed indents.
  void IndentsChanged();
};

}  // namespace qm::editor
