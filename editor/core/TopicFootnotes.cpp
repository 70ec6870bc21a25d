#include "editor/core/TopicFootnotes.h"

#include "core/Cp932.h"
#include "editor/core/RtfText.h"

namespace qm::editor {

namespace {

// Position of the first occurrence of an ASCII word at a character start at
// or after from; npos when absent.
std::size_t FindWord(std::string_view s, std::string_view word, std::size_t from) {
  for (std::size_t i = from; i < s.size(); i += CharLength(s, i))
    if (StartsAt(s, i, word)) return i;
  return std::string_view::npos;
}

}  // namespace

std::string* FootnoteField(TopicFields& f, char letter) {
  switch (letter) {
    case '$': return &f.TopicTitle;
    case '+': return &f.BrowseId;
    case 'B': return &f.BKeywords;
    case 'K': return &f.KKeywords;
    case 'A': return &f.AKeywords;
    case '!': return &f.TopicMacros;
    case '>': return &f.TopicWindow;
    default: return nullptr;
  }
}

bool IsFootnoteLetter(char c) {
  switch (c) {
    case '#': case '$': case '+': case 'B': case 'K': case 'A': case '!': case '>':
      return true;
    default:
      return false;
  }
}

std::size_t FirstBodyLine(const Lines& lines) {
  if (lines.size() >= 2 && lines[1].compare(0, 10, "{\\colortbl") == 0) return 2;
  return 1;
}

void ApplyJoinRule(Lines& lines, std::size_t first) {
  if (first + 1 >= lines.size()) return;
  const std::string& line = lines[first];
  if (line.size() < 2) return;
  // The last-but-one character, walked to from the start: a trail byte 0x7D
  // ("マ" is 83 7D) is not a closing brace.
  std::size_t at = 0;
  while (at < line.size() - 2) at += CharLength(line, at);
  if (at != line.size() - 2 || line[at] != '}') return;
  if (lines[first + 1].compare(0, 9, "\\viewkind") != 0) return;
  lines[first] += lines[first + 1];
  lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(first) + 1);
}

namespace {
int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}
}  // namespace

std::string EscapeFootnoteText(std::string_view value) {
  std::string out;
  out.reserve(value.size());
  for (std::size_t i = 0; i < value.size();) {
    const std::size_t n = CharLength(value, i);
    if (n == 1 && (value[i] == '\\' || value[i] == '{' || value[i] == '}')) out += '\\';
    out.append(value.substr(i, n));
    i += n;
  }
  return out;
}

std::string FootnoteBlockBody(std::string_view topic_id, const TopicFields& f) {
  std::string block;
  block.reserve(64 + topic_id.size() + f.TopicTitle.size() + f.BrowseId.size() + f.BKeywords.size() +
                f.KKeywords.size() + f.AKeywords.size() + f.TopicMacros.size() + f.TopicWindow.size());
  auto add = [&block](char letter, std::string_view value) {
    block += letter;
    block += "{\\footnote ";
    block += EscapeFootnoteText(value);
    block += "} ";
  };
  add('#', topic_id);
  const std::pair<char, const std::string*> rest[] = {
      {'$', &f.TopicTitle},  {'+', &f.BrowseId},    {'B', &f.BKeywords},  {'K', &f.KKeywords},
      {'A', &f.AKeywords},   {'!', &f.TopicMacros}, {'>', &f.TopicWindow}};
  for (const auto& [letter, value] : rest) {
    if (!value->empty()) add(letter, *value);
  }
  return block;
}

std::size_t PlaceFootnoteBlock(Lines& lines, std::size_t first, std::string_view topic_id,
                               const TopicFields& fields, std::size_t* block_at) {
  std::string& line = lines[first];
  const std::string body = FootnoteBlockBody(topic_id, fields);
  const std::string_view keepn = fields.NoScroll ? "\\keepn " : "";
  std::size_t at_unused = 0;
  std::size_t& at_out = block_at ? *block_at : at_unused;
  auto insert = [&](std::size_t at, std::string_view lead) {
    std::string block(lead);
    block += body;
    line.insert(at, block);
    at_out = at;
    return at + block.size();
  };

  // The block goes after the first blank outside any group, or after the
  // "\pard" that follows a "\viewkind" there.
  int depth = 0;
  std::size_t i = 0;
  while (i < line.size()) {
    const char c = line[i];
    if (depth == 0 && StartsAt(line, i, "\\viewkind")) {
      const std::size_t pard = FindWord(line, "\\pard", i + 9);
      if (pard != std::string::npos) return insert(pard + 5, fields.NoScroll ? keepn : " ");
      i += 9;
      continue;
    }
    if (c == '{') {
      ++depth;
    } else if (c == '}') {
      --depth;
    } else if (c == ' ' && depth == 0) {
      return insert(i + 1, keepn);
    }
    i += RtfStepLength(line, i);
  }

  if (first + 1 < lines.size()) {
    const std::size_t start = line.size();
    line += lines[first + 1];
    lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(first) + 1);
    std::string& joined = lines[first];
    const std::size_t blank = FindChar(joined, ' ', start);
    if (blank != std::string::npos) {
      std::string block(keepn);
      block += body;
      joined.insert(blank + 1, block);
      at_out = blank + 1;
      return blank + 1 + block.size();
    }
  }
  std::string& last = lines[first];
  std::string block(keepn);
  block += body;
  at_out = last.size();
  last += block;
  return last.size();
}

void ReadFootnoteText(std::string_view line, std::size_t& pos, std::string& value) {
  value.clear();
  std::size_t blank = FindChar(line, ' ', pos);
  pos = blank == std::string_view::npos ? line.size() : blank + 1;
  while (pos < line.size() && line[pos] != '}') {
    if (line[pos] == '\\' && pos + 1 < line.size()) {
      const char next = line[pos + 1];
      if (next == '\\' || next == '{' || next == '}') {
        value += next;
        pos += 2;
        continue;
      }
      if (next == '\'' && pos + 3 < line.size()) {
        const int hi = HexDigit(line[pos + 2]), lo = HexDigit(line[pos + 3]);
        if (hi >= 0 && lo >= 0) {
          value += static_cast<char>(hi * 16 + lo);
          pos += 4;
          continue;
        }
      }
    }
    const std::size_t n = CharLength(line, pos);
    value.append(line.substr(pos, n));
    pos += n;
  }
  if (pos < line.size()) ++pos;                         // the '}'
  if (pos < line.size() && line[pos] == ' ') ++pos;     // the blank that ends a block footnote
}

bool IsPlainFootnote(std::string_view line, std::size_t pos) {
  // Escaped braces and backslashes are text of the value.
  for (std::size_t i = pos + 1; i < line.size(); i += RtfStepLength(line, i)) {
    if (line[i] == '{') return false;
    if (line[i] == '}') return true;
  }
  return false;
}

}  // namespace qm::editor
