// The keep flags of paragraphs as an RTF text gives them.
//
// \keep keeps a paragraph whole and \keepn keeps it with the next one (in a
// help topic, the paragraphs of the non-scrolling region); \pard clears both.
// Some rich-edit readers do not clear them at \pard: once a paragraph has
// one, every later paragraph has it too. The loading path asks the control
// once (ReaderCarriesKeepFlags) and, when it does, gives each paragraph the
// flags of the RTF it read (ParagraphKeepFlags).
#pragma once

#include <string_view>
#include <vector>

namespace qm::editor {

// A paragraph's keep flags, as bits.
enum KeepFlag : unsigned { kKeepWhole = 1, kKeepWithNext = 2 };

// The probe: a paragraph with both flags, then one after a \pard.
constexpr std::string_view kKeepProbeRtf = "{\\rtf1\\ansi\\pard\\keep\\keepn a\\par\\pard b\\par}";

// True when read, each paragraph's flags as a control holds them after
// reading kKeepProbeRtf, gives the second paragraph a flag.
bool ReaderCarriesKeepFlags(const std::vector<unsigned>& read);

// Each paragraph's flags, in order, as a rich edit reads rtf into
// paragraphs: a paragraph ends at \par, \page, \sect and \row (its flags are
// those in force there), and text after the last end is one more paragraph.
// \pard clears the flags, \keep and \keepn set them, a group's end restores
// those before it; the header's tables and groups that are no text (\*
// destinations, footnotes, pictures, bullet text) do not count.
std::vector<unsigned> ParagraphKeepFlags(std::string_view rtf);

}  // namespace qm::editor
