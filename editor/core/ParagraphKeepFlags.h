// The keep flags of paragraphs as an RTF text gives them.
//
// \keep keeps a paragraph whole and \keepn keeps it with the next one (in a
// help topic, the paragraphs of the non-scrolling region); \pard clears both.
// Some rich-edit readers do not clear them at \pard: once a paragraph has
// one, every later paragraph has it too. The loading path asks the control
// once (ReaderCarriesKeepFlags) and, when it does, gives each paragraph the
// flags of the RTF it read (ParagraphKeepFlags).
#pragma once

#include <cstddef>
#include <string>
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

// The flags each paragraph must have after a paste (such a reader carries
// them over \pard there too): held, each paragraph's before it, of which
// the paste replaced the text from paragraph first to paragraph last (the
// selection's); pasted, those of the pasted RTF's paragraphs; ends, the
// paragraph ends the paste put in. The paragraphs before first keep theirs,
// the pasted ones take those of the RTF, and the paragraph the pasted text
// runs into keeps the flags of last, as do those after it. Empty when the
// numbers do not fit.
std::vector<unsigned> KeepFlagsAfterPaste(const std::vector<unsigned>& held, std::size_t first, std::size_t last,
                                          const std::vector<unsigned>& pasted, std::size_t ends);

// Some readers give the last paragraph, when no \par ends it, the format of
// the paragraph before it: the loading path asks the control once and ends
// such a paragraph with a \par (which such a reader takes for the end of
// the text, adding no paragraph).
// The probe: a right-aligned paragraph, then one of its own without \par.
constexpr std::string_view kLastParagraphProbeRtf = "{\\rtf1\\ansi\\pard\\qr a\\par\\pard b}";
// True when alignments, the probe's paragraphs' alignments as the control
// read them, give the second the first one's.
bool ReaderLosesLastParagraphFormat(const std::vector<long>& alignments);
// rtf with a \par put after the text of its last paragraph when that text
// stands after the last paragraph end (as ParagraphKeepFlags reads them);
// otherwise rtf as it is.
std::string WithLastParagraphEnded(std::string_view rtf);

}  // namespace qm::editor
