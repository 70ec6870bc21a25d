// The topic editor's rich edit may carry a paragraph's keep flags over \pard
// into every later paragraph (see editor/core/ParagraphKeepFlags.h). The
// control is asked once per run; when it does, each paragraph of a loaded
// topic gets the flags that the topic's RTF gives it.
#pragma once

#include <string>

#include "classlib/RichEdit.h"

namespace qm::editor {

// True when the control's reader carries the keep flags over \pard; asked of
// a hidden control the first time and remembered.
bool RichEditCarriesKeepFlags();

// After rtf was streamed into the editor: when the control carries the keep
// flags, each paragraph's flags become what rtf gives it. Not undoable: it
// belongs to the loading.
void MendLoadedKeepFlags(cl::TRichEdit& editor, const std::string& rtf);

}  // namespace qm::editor
