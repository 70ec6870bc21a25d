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
// out) and its format at its end, reset by \pard and kept within groups.
struct RtfParagraph {
  std::string Text;
  long Left = 0;   // \li
  long First = 0;  // \fi
  bool Keep = false;
  bool KeepNext = false;
  bool InTable = false;  // \intbl
  bool InList = false;   // \ls
  bool operator==(const RtfParagraph&) const = default;
};

struct RtfContent {
  std::string Visible;                 // visible text, blanks collapsed
  std::vector<std::string> Hidden;     // runs of hidden text (hotspot targets)
  std::vector<std::string> Footnotes;  // text of each footnote, trimmed
  int Pictures = 0;                    // \pict groups
  bool Balanced = true;                // braces never below zero and back to zero
  // Each ended by \par, \row, \sect or \page (which a rich edit takes for
  // a paragraph's end too), then the last one.
  std::vector<RtfParagraph> Paragraphs;
};

RtfContent ReadRtfContent(std::string_view rtf);

Lines ReadTopicFile(const std::string& path);

}  // namespace qm::editor::test
