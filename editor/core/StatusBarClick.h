// What a click on the editor's status bar copies: the text of the panel
// under the pointer goes on the clipboard, and a click on the topic-id
// panel also hands the id to the hotspot editor.
#pragma once

#include <string_view>

namespace qm::editor {

struct StatusBarClick {
  int Panel = -1;          // the panel whose text is copied; -1: the clipboard stays as it is
  bool Broadcast = false;  // the id goes to the other program too
};

// x: the pointer's distance in pixels from the bar's left edge; topicId:
// the text of the topic-id panel. The id is sent only when there is one:
// an empty id would wipe the context of the hotspot selected over there.
StatusBarClick StatusBarClickAt(int x, std::string_view topicId);

}  // namespace qm::editor
