#include "editor/core/RtfText.h"

#include "core/Cp932.h"

namespace qm::editor {

bool StartsAt(std::string_view s, std::size_t pos, std::string_view what) {
  return pos <= s.size() && s.size() - pos >= what.size() && s.compare(pos, what.size(), what) == 0;
}

bool ControlWordEndsAt(std::string_view s, std::size_t pos) {
  if (pos >= s.size()) return true;
  const char c = s[pos];
  return !((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'));
}

RtfControlWord ReadControlWord(std::string_view s, std::size_t i) {
  RtfControlWord word;
  std::size_t p = i + 1;
  while (p < s.size() && ((s[p] >= 'a' && s[p] <= 'z') || (s[p] >= 'A' && s[p] <= 'Z'))) ++p;
  word.name = s.substr(i + 1, p - i - 1);
  if (word.name.empty()) {
    word.end = i + RtfStepLength(s, i);
    return word;
  }
  const auto digit_at = [&s](std::size_t at) { return at < s.size() && s[at] >= '0' && s[at] <= '9'; };
  const bool negative = p < s.size() && s[p] == '-' && digit_at(p + 1);
  if (negative) ++p;
  for (; digit_at(p); ++p, ++word.digits) {
    if (word.digits < 18) word.value = word.value * 10 + (s[p] - '0');
  }
  if (negative) word.value = -word.value;
  word.blank = p < s.size() && s[p] == ' ';
  word.end = word.blank ? p + 1 : p;
  return word;
}

std::size_t RtfStepLength(std::string_view s, std::size_t i) {
  if (s[i] == '\\') return (i + 1 < s.size() && !IsLeadByte(s[i + 1])) ? 2 : 1;
  return CharLength(s, i);
}

std::size_t FindGroupEnd(std::string_view line, std::size_t pos) {
  int depth = 0;
  for (std::size_t i = pos; i < line.size(); i += RtfStepLength(line, i)) {
    if (line[i] == '{') {
      ++depth;
    } else if (line[i] == '}' && --depth == 0) {
      return i;
    }
  }
  return std::string_view::npos;
}

}  // namespace qm::editor
