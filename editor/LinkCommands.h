// Links and the topic's information: the three link dialogs (Insert menu
// and TopicBar), a topic dropped from the contents tree onto the editor,
// and the topic information dialog (F9).
#pragma once

#include "editor/CommandGroup.h"

namespace qm::editor {

class TLinkCommands : public TCommandGroup {
 public:
  explicit TLinkCommands(TMainForm& form);

  cl::TAction* LinkA = nullptr;
  cl::TAction* ALinkA = nullptr;
  cl::TAction* KLinkA = nullptr;
  cl::TAction* setKeyA = nullptr;
  void LinkAExecute();
  void ALinkAExecute();
  void KLinkAExecute();
  // A contents node dropped on the editor: a link to its topic.
  void EditorDragDrop(cl::TControl* source);
  void setKeyAExecute();
};

}  // namespace qm::editor
