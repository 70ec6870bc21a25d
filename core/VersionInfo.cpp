#include "core/VersionInfo.h"

#include <cstdio>

#include "core/Cp932.h"

namespace qm {

std::string TranslationKey(std::uint32_t firstEntry) {
  char digits[9];
  std::snprintf(digits, sizeof digits, "%08X", static_cast<unsigned>(firstEntry));
  const std::string s(digits, 8);
  return s.substr(4, 4) + s.substr(0, 4);
}

std::string VersionStringPath(std::string_view key, std::string_view name) {
  std::string p = "\\StringFileInfo\\";
  p += key;
  p += '\\';
  p += name;
  return p;
}

std::string VersionValueText(std::string_view value) {
  const std::size_t nul = value.find('\0');
  if (nul != std::string_view::npos) value = value.substr(0, nul);
  return CutBytes(value, 32);
}

}  // namespace qm
