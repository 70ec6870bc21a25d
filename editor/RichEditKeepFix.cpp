#include "editor/RichEditKeepFix.h"

#include "editor/core/ParagraphKeepFlags.h"

namespace qm::editor {

bool RichEditCarriesKeepFlags() {
  static const bool carries = ReaderCarriesKeepFlags(cl::TRichEdit::KeepFlagsRead(std::string(kKeepProbeRtf)));
  return carries;
}

void MendLoadedKeepFlags(cl::TRichEdit& editor, const std::string& rtf) {
  if (!RichEditCarriesKeepFlags()) return;
  if (cl::SetParagraphKeepFlags(editor.Handle(), ParagraphKeepFlags(rtf)))
    SendMessageA(editor.Handle(), EM_EMPTYUNDOBUFFER, 0, 0);
}

}  // namespace qm::editor
