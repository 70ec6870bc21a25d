// Tab stops left of a paragraph's margin (\tx-180: Word writes them in
// hanging lists) in a rich-edit control that cannot write them.
//
// A control keeps a tab stop as its position in the low 24 bits and its kind
// above them. Some readers keep a negative position as it is, so that its
// kind reads as one no writer knows, and the control's writer faults on it
// (the editor would end at the save, its work lost). The editor asks the
// control once (ReaderKeepsNegativeTabs) and, where it cannot, gives the
// control such a tab stop as a position far right of any page
// (HideNegativeTabs) and takes it back from the control's RTF
// (RestoreNegativeTabs): each paragraph keeps its tab stops, in their order.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qm::editor {

// The probe: a paragraph with a tab stop left of its margin, then one right
// of it.
constexpr std::string_view kNegativeTabProbeRtf = "{\\rtf1\\ansi\\pard\\li90\\tx-180\\tx86 a\\par}";
constexpr long kNegativeTabProbe = -180;

// True when read, the tab table of the probe's paragraph as the control read
// it (EM_GETPARAFORMAT's entries), holds the negative tab stop as an entry
// its writer can write: its position (the low 24 bits, signed) is the
// probe's and its kind (alignment in bits 24-27, leader in 28-31) is one
// that exists. A dropped or unwritable entry is false.
bool ReaderKeepsNegativeTabs(const std::vector<long>& read);

// Positions from here on stand for the negative ones: kNegativeTabBase + 180
// for -180. No page is this wide, and a tab table's 24 bits hold them.
constexpr long long kNegativeTabBase = 10000000;

// rtf with each tab stop left of the margin (\tx or \tb with a negative
// number, with the kind words before it) moved to the end of the run of tab
// stops it stands in, at kNegativeTabBase minus its position. Nothing else
// changes.
std::string HideNegativeTabs(std::string_view rtf);

// The reverse, on a control's RTF: each \tx or \tb at kNegativeTabBase or
// beyond gets its negative position back and, with its kind words, goes to
// the front of its run of tab stops.
std::string RestoreNegativeTabs(std::string_view rtf);

}  // namespace qm::editor
