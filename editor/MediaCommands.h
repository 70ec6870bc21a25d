// Pictures and media into the open topic: the graphic and MCI dialogs
// (MediaDialogs.h); both commands are enabled while a topic is open.
#pragma once

#include "editor/CommandGroup.h"

namespace qm::editor {

class TMediaCommands : public TCommandGroup {
 public:
  explicit TMediaCommands(TMainForm& form);

  cl::TAction* BmpA = nullptr;
  cl::TAction* MciA = nullptr;
  void BmpAExecute();
  void MciAExecute();

 private:
  // At the caret (the start of a former selection), keeping any selected
  // text after it.
  void InsertAtCaret(const std::string& text);
};

}  // namespace qm::editor
