// Byte-string helpers for code page 932 (Shift-JIS) text.
//
// Every scanner of the suite walks text with these: a lead byte and the byte
// after it form one character, and the trail byte is never looked at on its
// own (it may be 0x5C '\', '{', '}', ',' and so on).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qm {

// Lead bytes of code page 932: 0x81-0x9F and 0xE0-0xFC.
constexpr bool IsLeadByte(unsigned char c) {
  return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}
constexpr bool IsLeadByte(char c) { return IsLeadByte(static_cast<unsigned char>(c)); }

// Length in bytes of the character that starts at s[i]: 2 for a lead byte with
// a byte after it, else 1. i must be < s.size().
inline std::size_t CharLength(std::string_view s, std::size_t i) {
  return (IsLeadByte(s[i]) && i + 1 < s.size()) ? 2 : 1;
}

// The longest prefix of s of at most n bytes that does not split a
// double-byte character.
std::string CutBytes(std::string_view s, std::size_t n);

// Position of the first single-byte character ch at or after from, skipping
// double-byte characters whole; npos when there is none.
std::size_t FindChar(std::string_view s, char ch, std::size_t from = 0);

// Position of the last single-byte character ch (a trail byte never counts).
std::size_t FindLastChar(std::string_view s, char ch);

// The fields of s between single-byte separators sep, empty ones included
// ("a||b" gives "a", "", "b"; "" gives one empty field). A trail byte equal
// to sep ("ポ" is 83 7C) is part of its character, never a separator.
std::vector<std::string> SplitAtChar(std::string_view s, char sep);

// ASCII letter case folding; double-byte characters are copied unchanged.
std::string UpperAscii(std::string_view s);
std::string LowerAscii(std::string_view s);
bool EqualsNoCase(std::string_view a, std::string_view b);
bool StartsWithNoCase(std::string_view s, std::string_view prefix);
// Position of needle in s, ASCII case-insensitive, matching only at character
// starts; npos when absent.
std::size_t FindNoCase(std::string_view s, std::string_view needle, std::size_t from = 0);

// Removes leading and trailing bytes <= ' ' (blanks and control characters).
std::string Trim(std::string_view s);
std::string TrimLeft(std::string_view s);
std::string TrimRight(std::string_view s);

// Decimal text of an integer.
std::string IntToStr(long long v);

// Parses a whole decimal integer (optional sign, optional surrounding blanks).
// Returns false for anything else or a value outside 32 bits.
bool TryStrToInt(std::string_view s, int& out);
// The same with a default for text that is not a number.
int StrToIntDef(std::string_view s, int def);

}  // namespace qm
