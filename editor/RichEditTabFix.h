// What the topic editor's rich edit may not keep of a topic it reads: tab
// stops left of the margin, which its writer may fault on (see
// editor/core/NegativeTabs.h), and the own format of a last paragraph
// without \par (editor/core/ParagraphKeepFlags.h). The control is asked once
// per run; RTF going into it and coming out of it is put right where it
// needs to be.
#pragma once

#include <string>

namespace qm::editor {

// True when the control cannot keep a tab stop left of the margin as one
// its writer writes; asked of a hidden control the first time (reading
// only: the probe never makes the control write one) and remembered.
bool RichEditLosesNegativeTabs();

// True when the control gives a last paragraph without \par the format of
// the one before it; asked of a hidden control the first time and
// remembered.
bool RichEditLosesLastParagraphFormat();

// rtf as the control must read it: tab stops left of the margin hidden, the
// last paragraph ended, where the control needs it.
std::string RtfForEditor(const std::string& rtf);

// The control's RTF with its hidden tab stops back (where they were hidden).
std::string RtfFromEditor(const std::string& rtf);

}  // namespace qm::editor
