#include "classlib/RegIniFile.h"

#include <stdexcept>
#include <vector>

#include "classlib/ErrorTexts.h"

namespace cl {

TRegIniFile::TRegIniFile(HKEY root, const std::string& key) : root_(root), key_(key) {}

std::string TRegIniFile::SubKey(const std::string& section) const {
  return section.empty() ? key_ : key_ + "\\" + section;
}

std::optional<std::string> TRegIniFile::Read(const std::string& section, const std::string& ident) {
  HKEY k;
  if (RegOpenKeyExA(root_, SubKey(section).c_str(), 0, KEY_READ, &k) != ERROR_SUCCESS)
    return std::nullopt;
  DWORD type = 0, size = 0;
  std::optional<std::string> result;
  if (RegQueryValueExA(k, ident.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS &&
      (type == REG_SZ || type == REG_EXPAND_SZ)) {
    std::vector<char> buf(size + 1, '\0');
    if (RegQueryValueExA(k, ident.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buf.data()),
                         &size) == ERROR_SUCCESS) {
      result = std::string(buf.data());
    }
  }
  RegCloseKey(k);
  return result;
}

void TRegIniFile::Write(const std::string& section, const std::string& ident,
                        const std::string& value) {
  HKEY k;
  if (RegCreateKeyExA(root_, SubKey(section).c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &k,
                      nullptr) != ERROR_SUCCESS)
    throw std::runtime_error(kRegistryKeyText + SubKey(section));
  LONG r = RegSetValueExA(k, ident.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                          static_cast<DWORD>(value.size() + 1));
  RegCloseKey(k);
  if (r != ERROR_SUCCESS) throw std::runtime_error(kRegistryValueText + ident);
}

bool RegDeleteTree(HKEY root, const std::string& key) {
  HKEY k;
  if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ | KEY_WRITE, &k) != ERROR_SUCCESS) return true;
  std::vector<std::string> subkeys;
  char name[256];
  for (DWORD i = 0;; ++i) {
    DWORD len = sizeof name;
    if (RegEnumKeyExA(k, i, name, &len, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    subkeys.emplace_back(name, len);
  }
  RegCloseKey(k);
  for (const auto& s : subkeys) RegDeleteTree(root, key + "\\" + s);
  return RegDeleteKeyA(root, key.c_str()) == ERROR_SUCCESS;
}

}  // namespace cl
