// Reading a program's version resource: the name of the string block that
// the first translation entry points to, and the version label of the about
// boxes. The platform's version functions give the raw values.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace qm {

// The first entry of "\VarFileInfo\Translation" as a 32-bit value read from
// the resource (the language in its low word, the code page in its high
// word) written as eight upper-case hexadecimal digits with its halves
// swapped: language, then code page ("041103A4").
std::string TranslationKey(std::uint32_t firstEntry);

// "\StringFileInfo\" + key + "\" + name.
std::string VersionStringPath(std::string_view key, std::string_view name);

// At most 32 characters of a version value, up to its first NUL (a
// double-byte character is never split).
std::string VersionValueText(std::string_view value);

}  // namespace qm
