// Helpers of the topic tests: a small RTF reader that tells what a reader of
// the help file would get from a topic (visible text, hidden hotspot targets,
// footnotes, pictures) and whether the braces balance.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/Lines.h"

namespace qm::editor::test {

struct RtfContent {
  std::string Visible;                 // visible text, blanks collapsed
  std::vector<std::string> Hidden;     // runs of hidden text (hotspot targets)
  std::vector<std::string> Footnotes;  // text of each footnote, trimmed
  int Pictures = 0;                    // \pict groups
  bool Balanced = true;                // braces never below zero and back to zero
};

RtfContent ReadRtfContent(std::string_view rtf);

Lines ReadTopicFile(const std::string& path);

}  // namespace qm::editor::test
