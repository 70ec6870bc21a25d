// The open topic: loading it from its file into the editor pane, saving it
// back, clearing the pane, and what the pane cannot hold of it, set aside.
#pragma once

#include "editor/CommandGroup.h"
#include "editor/core/TopicStash.h"

namespace qm::editor {

class TTopicCommands : public TCommandGroup {
 public:
  explicit TTopicCommands(TMainForm& form) : TCommandGroup(form) {}

  // Empties the editor pane (the default font, no fields) and shows the
  // status of the open topic id.
  void ClearTopicEditor();
  // Loads the topic of OpenTopicNode. Throws FileError when its file exists
  // but cannot be read; no topic is open then.
  void LoadTopic();
  // Writes the open topic to its file. Throws, writing nothing, when the
  // author does not let go of set-aside data whose placeholder the text
  // lost, or when the file cannot be written.
  void SaveTopic();
  // What the editor pane cannot hold of the open topic, set aside.
  TopicStash OpenTopicStash;
};

}  // namespace qm::editor
