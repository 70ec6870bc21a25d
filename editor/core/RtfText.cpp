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
