// Helpers of the topic tests: a small RTF reader that tells what a reader of
// the help file would get from a topic (visible text, hidden hotspot targets,
// footnotes, pictures, paragraphs and their format) and whether the braces
// balance.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/Lines.h"

namespace qm::editor::test {

// A paragraph as RTF means it: its text (visible and hidden, blanks left
// out) and its format at its end, reset by \pard and kept within groups
// (styles give a paragraph nothing: Word writes each paragraph's format out).
struct RtfParagraph {
  std::string Text;
  long Left = 0;   // \li
  long First = 0;  // \fi
  long Right = 0;  // \ri
  long Before = 0;  // \sb
  long After = 0;   // \sa
  char Align = 'l';  // \ql, \qc, \qr, \qj
  // Tab stops in order: the position, after "r", "c", "d" (\tqr, \tqc,
  // \tqdec) or "b" (a bar, \tb) for those not left-aligned.
  std::vector<std::string> Tabs;
  bool Keep = false;
  bool KeepNext = false;
  bool InTable = false;  // \intbl
  bool InList = false;   // \ls
  bool operator==(const RtfParagraph&) const = default;
};

// A paragraph's format as control words, for messages and comparisons.
std::string FormatText(const RtfParagraph& p);

struct RtfContent {
  std::string Visible;                 // visible text, blanks collapsed
  std::vector<std::string> Hidden;     // runs of hidden text (hotspot targets)
  std::vector<std::string> Footnotes;  // text of each footnote, trimmed
  int Pictures = 0;                    // \pict groups
  bool Balanced = true;                // braces never below zero and back to zero
  // Each ended by \par, \row, \sect or \page (which a rich edit takes for
  // a paragraph's end too), then the last one when it has text.
  std::vector<RtfParagraph> Paragraphs;
  // The document's last paragraph, the one no \par ends (Word writes the
  // document's last paragraph mark so): its text and the format in force
  // where the document closes, empty text and all when the document ends
  // right after a \par.
  RtfParagraph Last;
  // Control words of the document's text (not those of footnotes or of
  // destinations that hold no text, such as the style sheet).
  int Pages = 0;      // \page
  int Cells = 0;      // \cell
  int Rows = 0;       // \row
  int CellEdges = 0;  // \cellx
};

RtfContent ReadRtfContent(std::string_view rtf);

// The paragraphs of before that have text and that `considered` takes, each
// found by its text among those of after (in order, from the one after the
// last found): those after lacks and those whose format(), differs, as
// lines "text: was became now" (at most `shown`, then a count). Empty when
// all are found unchanged.
std::string ParagraphChanges(const std::vector<RtfParagraph>& before, const std::vector<RtfParagraph>& after,
                             std::string (*format)(const RtfParagraph&),
                             bool (*considered)(const RtfParagraph&) = nullptr, int shown = 8);

Lines ReadTopicFile(const std::string& path);

// How often the control word `name` stands in rtf (escaped text aside).
int CountControlWord(std::string_view rtf, std::string_view name);

}  // namespace qm::editor::test
