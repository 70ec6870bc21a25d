// The topic editor's rich edit may carry a paragraph's keep flags over \pard
// into every later paragraph (see editor/core/ParagraphKeepFlags.h). The
// control is asked once per run; when it does, each paragraph of a loaded
// topic, and of a paste, gets the flags that the RTF gives it.
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

// The editor's paste (its OnPaste), where the control would not keep what
// the clipboard's RTF gives: the RTF goes in as loading puts it (tab stops
// left of the margin hidden from a control that cannot write them), and
// with a control that carries the keep flags over \pard each pasted
// paragraph gets those of the RTF, the paragraph the paste runs into and
// those after it keep theirs. The paragraph the paste runs into keeps its
// format too. The paste is marked as a change. False, and
// nothing done, when the control needs none of it, the editor is read-only
// or the clipboard holds no RTF (the control then pastes as usual).
bool PasteMended(cl::TRichEdit& editor);

}  // namespace qm::editor
