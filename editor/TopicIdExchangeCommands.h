// Handing topic ids to and from the hotspot graphics editor.
//
// A click on the status bar copies a panel's text to the clipboard; a click
// on the topic-id panel also tells the hotspot editor, which gives the id to
// its selected hotspot as its context. An id the hotspot editor sends opens
// that topic here.
#pragma once

#include <windows.h>

#include "editor/CommandGroup.h"

namespace qm::editor {

class TTopicIdExchangeCommands : public TCommandGroup {
 public:
  explicit TTopicIdExchangeCommands(TMainForm& form);

  // The status bar's OnMouseDown: x decides which panel is copied.
  void StatusBarMouseDown(int x);
  // The application's message hook: a topic id from another program.
  void MessageProc(MSG& msg, bool& handled);

  void FormCreated() override;
  void FormDestroying() override;
};

}  // namespace qm::editor
