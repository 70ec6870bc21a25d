// The topic editor's rich edit may write each paragraph's \li and \fi
// swapped (see editor/core/SwappedIndents.h), and may leave a copy's first
// paragraph without its format (editor/core/CopiedParagraphFormat.h). The
// control is asked once per run; its RTF is put right wherever it leaves the
// control: into the topic file and onto the clipboard.
#pragma once

#include <string>

#include "classlib/RichEdit.h"

namespace qm::editor {

// True when the control writes indents swapped; asked of a hidden control
// the first time and remembered.
bool RichEditSwapsIndents();

// The editor's whole text as RTF, its indents and tab stops put right.
std::string EditorRtf(const cl::TRichEdit& editor);

// True when a copy out of the control leaves out its first paragraph's
// format where it equals the paragraph's before it; asked of a hidden
// control the first time and remembered.
bool RichEditLeavesOutCopiedFormat();

// After the editor's cut or copy (its OnCopy, once per copy: a second call
// would move the indents again): the RTF it put on the clipboard gets its
// indents put right, then, when the control left it out, the format of its
// first paragraph (first, read before the copy), and the tab stops left of
// the margin hidden from the control, so that a paste (here or elsewhere)
// keeps them. The plain text stays; nothing else is touched when
// there is nothing to mend.
void MendCopiedRtf(const cl::TRichEdit& editor, const PARAFORMAT& first);

}  // namespace qm::editor
