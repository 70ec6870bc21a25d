#include "editor/FileVersion.h"

#include <windows.h>

#include <cstring>
#include <vector>

#include "editor/core/VersionLabel.h"

namespace qm::editor {

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
  WORD pair[2];
  std::memcpy(pair, value, sizeof pair);
  std::string query = ProductVersionQuery(pair[0], pair[1]);
  if (!VerQueryValueA(data.data(), query.data(), &value, &length) || !value) return std::nullopt;
  // The length counts characters and may or may not include the zero.
  const char* text = static_cast<const char*>(value);
  return std::string(text, strnlen(text, length));
}

}  // namespace qm::editor
