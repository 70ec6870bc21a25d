// Browse-id renumbering (View menu): the open topic keeps its browse group
// and number, written with four digits, and the topics after it on its
// level of the contents tree get the following numbers in their files.
#pragma once

#include "editor/CommandGroup.h"

namespace qm::editor {

class TBrowseRenumberCommands : public TCommandGroup {
 public:
  explicit TBrowseRenumberCommands(TMainForm& form);

  cl::TMenuItem* KId_Auto = nullptr;
  // Saves the open topic with its browse id written out, then rewrites the
  // following siblings' files. A refused browse id is told and changes
  // nothing; a file that cannot be rewritten is told by its topic, and the
  // siblings after it are left as they were.
  void KId_AutoClick();
  // Enabled while the open topic is a topic of the contents (not a hidden
  // one).
  void ShowKIdAuto();
};

}  // namespace qm::editor
