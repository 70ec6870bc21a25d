// Paragraph indents written the wrong way round by a rich-edit control.
//
// In RTF a paragraph's \li is where its body starts (the control's start
// indent plus its offset) and \fi is the first line relative to the body
// (minus the offset). Some rich-edit controls read these right but write the
// offset as \li and the start indent as \fi, leaving out a word whose value
// is 0. Each save of such a control's text then moves the indents; the save
// path asks the control once (WriterSwapsIndents) and mends its text
// (MendSwappedIndents).
#pragma once

#include <string>
#include <string_view>

namespace qm::editor {

// The paragraph the control is asked to write: start indent and offset in
// twips, chosen so that a right and a swapped writer give different words.
constexpr long kIndentProbeStart = 1080;
constexpr long kIndentProbeOffset = -360;

// True when probe_rtf, the control's RTF of one paragraph with the probe's
// start indent and offset, holds them swapped (\li-360\fi1080 where RTF
// means \li720\fi360).
bool WriterSwapsIndents(std::string_view probe_rtf);

// The text with the \li and \fi of every paragraph put right. A
// paragraph's properties are its own: they end at \par, \pard (which
// begins the next paragraph's), \sect, \cell and \row, at any depth of
// groups, so that a paragraph without text and the one after it stay apart.
// Of each paragraph, \li L and \fi F as such a control wrote them (a missing
// one is 0) become \li(F+L)\fi(-L), both written, where the first of them
// stood; its other \li and \fi words go. Anything else is copied.
std::string MendSwappedIndents(std::string_view rtf);

}  // namespace qm::editor
