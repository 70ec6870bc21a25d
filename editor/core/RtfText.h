// Reading RTF held as code page 932 bytes: words at a position, and the
// steps of a walk over its groups. A step is a double-byte character, a
// backslash escape or one byte, so that a walk never takes a trail byte or
// an escaped brace for a brace of a group.
#pragma once

#include <cstddef>
#include <string_view>

namespace qm::editor {

// True when s holds what at pos (pos may be s.size(), or beyond it).
bool StartsAt(std::string_view s, std::size_t pos, std::string_view what);

// True when a control word ends at pos: the end of s, or a byte that is no
// ASCII letter or digit.
bool ControlWordEndsAt(std::string_view s, std::size_t pos);

// The control word at s[i] == '\\': its letters, its number (an optional
// minus that a digit follows, then digits) and the blank that ends it.
struct RtfControlWord {
  std::string_view name;  // empty for a control symbol
  long long value = 0;    // 0 without a number; beyond 18 digits no longer counted
  std::size_t digits = 0;
  bool blank = false;
  std::size_t end = 0;  // after the word (and its blank); after the symbol
};
RtfControlWord ReadControlWord(std::string_view s, std::size_t i);

// The bytes of the step at s[i] (i < s.size()): a double-byte character
// whole; a backslash with the byte it escapes, unless that byte begins a
// double-byte character (which is then a step of its own); else one byte.
std::size_t RtfStepLength(std::string_view s, std::size_t i);

// Finds the '}' that closes the group opened at line[pos] == '{' on the same
// line; npos when the group does not close on the line.
std::size_t FindGroupEnd(std::string_view line, std::size_t pos);

}  // namespace qm::editor
