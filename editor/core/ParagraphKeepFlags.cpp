#include "editor/core/ParagraphKeepFlags.h"

#include <algorithm>
#include <array>
#include <string>

#include "editor/core/RtfText.h"

namespace qm::editor {

namespace {

// Groups whose content is no text of the body: the header's tables, notes,
// bullet text. A picture or an object is one character of the text.
enum class GroupKind { kText, kHidden, kPicture };

GroupKind KindOfGroup(std::string_view s, std::size_t i) {
  std::size_t p = i + 1;
  if (StartsAt(s, p, "\\*")) return GroupKind::kHidden;
  if (p >= s.size() || s[p] != '\\') return GroupKind::kText;
  const std::string_view name = ReadControlWord(s, p).name;
  static constexpr std::array<std::string_view, 15> kHidden{
      "fonttbl",  "colortbl", "stylesheet", "info",   "filetbl", "listtable", "listoverridetable", "revtbl", "rsidtbl",
      "footnote", "pntext",   "header",     "footer", "headerl", "headerr"};
  for (std::string_view h : kHidden)
    if (name == h) return GroupKind::kHidden;
  if (name == "pict" || name == "object") return GroupKind::kPicture;
  return GroupKind::kText;
}

// Control words that stand for a character of the text.
bool IsCharacterWord(std::string_view name) {
  static constexpr std::array<std::string_view, 12> kCharacters{"tab",    "line",      "bullet",    "emdash",
                                                                "endash", "emspace",   "enspace",   "lquote",
                                                                "rquote", "ldblquote", "rdblquote", "u"};
  for (std::string_view c : kCharacters)
    if (name == c) return true;
  return false;
}

}  // namespace

bool ReaderCarriesKeepFlags(const std::vector<unsigned>& read) { return read.size() >= 2 && read[1] != 0; }

namespace {

// Each paragraph's flags as ParagraphKeepFlags gives them; last_text is set
// to the end of the text after the last paragraph end (npos when none).
std::vector<unsigned> ReadParagraphs(std::string_view rtf, std::size_t& last_text) {
  std::vector<unsigned> paragraphs;
  std::vector<unsigned> saved;  // the flags before each open group
  unsigned flags = 0;
  bool text = false;  // the paragraph being read has text
  std::size_t i = 0;
  while (i < rtf.size()) {
    const char c = rtf[i];
    if (c == '{') {
      const GroupKind kind = KindOfGroup(rtf, i);
      if (kind != GroupKind::kText) {
        // The group is passed whole (its own braces counted).
        int depth = 0;
        for (; i < rtf.size(); i += RtfStepLength(rtf, i)) {
          if (rtf[i] == '{') ++depth;
          if (rtf[i] == '}' && --depth == 0) break;
        }
        ++i;
        if (kind == GroupKind::kPicture) {
          text = true;
          last_text = std::min(i, rtf.size());
        }
        continue;
      }
      saved.push_back(flags);
      ++i;
    } else if (c == '}') {
      if (!saved.empty()) {
        flags = saved.back();
        saved.pop_back();
      }
      ++i;
    } else if (c == '\\') {
      const RtfControlWord word = ReadControlWord(rtf, i);
      const std::string_view name = word.name;
      if (name == "pard") {
        flags = 0;
      } else if (name == "keep") {
        flags |= kKeepWhole;
      } else if (name == "keepn") {
        flags |= kKeepWithNext;
      } else if (name == "par" || name == "page" || name == "sect" || name == "row" ||
                 (name.empty() && i + 1 < rtf.size() && (rtf[i + 1] == '\r' || rtf[i + 1] == '\n'))) {
        // (A backslash before a line end is a \par.)
        paragraphs.push_back(flags);
        text = false;
      } else if (name.empty() || IsCharacterWord(name)) {
        text = true;  // an escaped or hex character, or a word that is one
        last_text = word.end;
      }
      i = word.end;
    } else {
      i += RtfStepLength(rtf, i);
      if (c != '\r' && c != '\n') {
        text = true;
        last_text = i;
      }
    }
  }
  if (text) {
    paragraphs.push_back(flags);
  } else {
    last_text = std::string_view::npos;
  }
  return paragraphs;
}

}  // namespace

std::vector<unsigned> ParagraphKeepFlags(std::string_view rtf) {
  std::size_t last_text = 0;
  return ReadParagraphs(rtf, last_text);
}

std::vector<unsigned> KeepFlagsAfterPaste(const std::vector<unsigned>& held, std::size_t first, std::size_t last,
                                          const std::vector<unsigned>& pasted, std::size_t ends) {
  if (first > last || last >= held.size() || pasted.size() < ends) return {};
  std::vector<unsigned> flags(held.begin(), held.begin() + static_cast<std::ptrdiff_t>(first));
  flags.insert(flags.end(), pasted.begin(), pasted.begin() + static_cast<std::ptrdiff_t>(ends));
  flags.insert(flags.end(), held.begin() + static_cast<std::ptrdiff_t>(last), held.end());
  return flags;
}

bool ReaderLosesLastParagraphFormat(const std::vector<long>& alignments) {
  return alignments.size() >= 2 && alignments[1] == alignments[0];
}

std::string WithLastParagraphEnded(std::string_view rtf) {
  std::size_t last_text = std::string_view::npos;
  ReadParagraphs(rtf, last_text);
  std::string out(rtf);
  if (last_text != std::string_view::npos) out.insert(last_text, "\\par ");
  return out;
}

}  // namespace qm::editor
