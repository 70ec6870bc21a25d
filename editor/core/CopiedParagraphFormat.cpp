#include "editor/core/CopiedParagraphFormat.h"

#include <array>

#include "editor/core/RtfText.h"

namespace qm::editor {

namespace {

// True for the group at s[i] == '{' that is one of the header's tables
// (fonts, colours, styles, the writer's name, the document's information).
bool IsHeaderGroup(std::string_view s, std::size_t i) {
  std::size_t p = i + 1;
  if (StartsAt(s, p, "\\*")) p += 2;
  if (p >= s.size() || s[p] != '\\') return false;
  const std::string_view name = ReadControlWord(s, p).name;
  static constexpr std::array<std::string_view, 9> kTables{
      "fonttbl", "colortbl", "stylesheet", "generator", "info", "filetbl", "listtable", "listoverridetable", "revtbl"};
  for (std::string_view table : kTables)
    if (name == table) return true;
  return false;
}

}  // namespace

bool WriterLeavesOutCopiedFormat(std::string_view probe_rtf) {
  if (probe_rtf.empty()) return false;
  for (std::size_t i = 0; i < probe_rtf.size(); i += RtfStepLength(probe_rtf, i)) {
    if (probe_rtf[i] != '\\') continue;
    const RtfControlWord word = ReadControlWord(probe_rtf, i);
    if ((word.name == "li" || word.name == "fi") && word.digits > 0) return false;
  }
  return true;
}

std::string ParagraphFormatRtf(const ParagraphFormat& format) {
  std::string rtf = "\\pard";
  if (format.bullet) rtf += "{\\*\\pn\\pnlvlblt\\pnindent0{\\pntxtb\\'b7}}";
  if (format.alignment == ParagraphFormat::kRight) rtf += "\\qr";
  if (format.alignment == ParagraphFormat::kCenter) rtf += "\\qc";
  if (format.alignment == ParagraphFormat::kJustify) rtf += "\\qj";
  const long left = format.start + format.offset;
  if (left != 0) rtf += "\\li" + std::to_string(left);
  if (format.offset != 0) rtf += "\\fi" + std::to_string(-format.offset);
  if (format.right != 0) rtf += "\\ri" + std::to_string(format.right);
  for (long tab : format.tabs) rtf += "\\tx" + std::to_string(tab);
  return rtf + ' ';
}

std::string WithFirstParagraphFormat(std::string_view rtf, std::string_view properties) {
  if (!StartsAt(rtf, 0, "{\\rtf")) return std::string(rtf);
  std::size_t insert_at = ReadControlWord(rtf, 1).end;
  // The header's words and tables, then the first paragraph's own words and
  // groups (its bullet text) up to its text or its end.
  for (std::size_t i = insert_at; i < rtf.size();) {
    const char c = rtf[i];
    if (c == '\r' || c == '\n') {
      ++i;
    } else if (c == '{') {
      const std::size_t close = FindGroupEnd(rtf, i);
      if (close == std::string_view::npos) break;
      const bool header = IsHeaderGroup(rtf, i);
      i = close + 1;
      if (!header) continue;
      while (i < rtf.size() && (rtf[i] == '\r' || rtf[i] == '\n')) ++i;
      insert_at = i;
    } else if (c == '\\') {
      const RtfControlWord word = ReadControlWord(rtf, i);
      const std::string_view name = word.name;
      if (name == "pard") return std::string(rtf);
      if (name.empty() || name == "par" || name == "sect" || name == "cell" || name == "row") break;
      i = word.end;
    } else {
      break;
    }
  }
  std::string out(rtf.substr(0, insert_at));
  out += properties;
  out.append(rtf.substr(insert_at));
  return out;
}

}  // namespace qm::editor
