#include "classlib/FileVersion.h"

#include <windows.h>

#include <cstring>
#include <vector>

#include "core/VersionInfo.h"

namespace cl {

std::optional<std::string> ProductVersionOf(const std::string& path) {
  DWORD ignored = 0;
  DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
  if (size == 0) return std::nullopt;
  std::vector<char> data(size);
  if (!GetFileVersionInfoA(path.c_str(), 0, size, data.data())) return std::nullopt;
  void* value = nullptr;
  UINT length = 0;
  char translation_key[] = "\\VarFileInfo\\Translation";
  if (!VerQueryValueA(data.data(), translation_key, &value, &length) || length < 4 || !value)
    return std::nullopt;
  // The first entry: the language in the low word, the code page in the high one.
  std::uint32_t first = 0;
  std::memcpy(&first, value, sizeof first);
  std::string query = qm::VersionStringPath(qm::TranslationKey(first), "ProductVersion");
  if (!VerQueryValueA(data.data(), query.data(), &value, &length) || !value) return std::nullopt;
  // The length counts characters and may or may not include the zero.
  const char* text = static_cast<const char*>(value);
  return std::string(text, strnlen(text, length));
}

}  // namespace cl
