#include "editor/RichEditTabFix.h"

#include <algorithm>
#include <vector>

#include "classlib/RichEdit.h"
#include "editor/core/NegativeTabs.h"
#include "editor/core/ParagraphKeepFlags.h"

namespace qm::editor {

bool RichEditLosesNegativeTabs() {
  static const bool loses = [] {
    const std::vector<PARAFORMAT2> read = cl::TRichEdit::ParagraphFormatsRead(std::string(kNegativeTabProbeRtf));
    std::vector<long> tabs;
    if (!read.empty()) tabs.assign(read[0].rgxTabs, read[0].rgxTabs + std::min<int>(read[0].cTabCount, MAX_TAB_STOPS));
    return !ReaderKeepsNegativeTabs(tabs);
  }();
  return loses;
}

bool RichEditLosesLastParagraphFormat() {
  static const bool loses = [] {
    std::vector<long> alignments;
    for (const PARAFORMAT2& pf : cl::TRichEdit::ParagraphFormatsRead(std::string(kLastParagraphProbeRtf)))
      alignments.push_back(pf.wAlignment);
    return ReaderLosesLastParagraphFormat(alignments);
  }();
  return loses;
}

std::string RtfForEditor(const std::string& rtf) {
  std::string in = RichEditLosesNegativeTabs() ? HideNegativeTabs(rtf) : rtf;
  return RichEditLosesLastParagraphFormat() ? WithLastParagraphEnded(in) : in;
}

std::string RtfFromEditor(const std::string& rtf) {
  return RichEditLosesNegativeTabs() ? RestoreNegativeTabs(rtf) : rtf;
}

}  // namespace qm::editor
