// The topic editor's rich edit may write each paragraph's \li and \fi
// swapped (see editor/core/SwappedIndents.h). The control is asked once per
// run; its RTF is put right wherever it leaves the control: into the topic
// file and onto the clipboard.
#pragma once

#include <string>

#include "classlib/RichEdit.h"

namespace qm::editor {

// True when the control writes indents swapped; asked of a hidden control
// the first time and remembered.
bool RichEditSwapsIndents();

// The editor's whole text as RTF, its indents put right.
std::string EditorRtf(const cl::TRichEdit& editor);

// After the editor's cut or copy (its OnCopy, once per copy: a second call
// would move the indents again): the RTF it put on the clipboard gets its
// indents put right, so that a paste (here or elsewhere) keeps them. The
// plain text stays; nothing else is touched when no indent is in the copy.
void MendCopiedIndents(const cl::TRichEdit& editor);

}  // namespace qm::editor
