#include "classlib/Registry.h"

#include <vector>

#include "classlib/ErrorTexts.h"
#include "classlib/RegIniFile.h"

namespace cl {

namespace {

std::string Relative(const std::string& key) {
  std::size_t i = 0;
  while (i < key.size() && key[i] == '\\') ++i;
  return key.substr(i);
}

}  // namespace

bool TRegistry::OpenKey(const std::string& key, bool can_create) {
  CloseKey();
  HKEY k = nullptr;
  LONG r = can_create ? RegCreateKeyExA(root_, Relative(key).c_str(), 0, nullptr, 0,
                                        KEY_READ | KEY_WRITE, nullptr, &k, nullptr)
                      : RegOpenKeyExA(root_, Relative(key).c_str(), 0, KEY_READ | KEY_WRITE, &k);
  if (r != ERROR_SUCCESS) return false;
  key_ = k;
  return true;
}

bool TRegistry::OpenKeyReadOnly(const std::string& key) {
  CloseKey();
  HKEY k = nullptr;
  if (RegOpenKeyExA(root_, Relative(key).c_str(), 0, KEY_READ, &k) != ERROR_SUCCESS) return false;
  key_ = k;
  return true;
}

void TRegistry::CloseKey() {
  if (key_) RegCloseKey(key_);
  key_ = nullptr;
}

bool TRegistry::KeyExists(const std::string& key) const {
  HKEY k = nullptr;
  if (RegOpenKeyExA(root_, Relative(key).c_str(), 0, KEY_READ, &k) != ERROR_SUCCESS) return false;
  RegCloseKey(k);
  return true;
}

bool TRegistry::DeleteKey(const std::string& key) { return RegDeleteTree(root_, Relative(key)); }

bool TRegistry::DeleteValue(const std::string& name) {
  if (!key_) return false;
  LONG r = RegDeleteValueA(key_, name.c_str());
  return r == ERROR_SUCCESS || r == ERROR_FILE_NOT_FOUND;
}

void TRegistry::Write(const std::string& name, DWORD type, const void* data, DWORD size) {
  LONG r = key_ ? RegSetValueExA(key_, name.c_str(), 0, type, static_cast<const BYTE*>(data), size)
                : ERROR_INVALID_HANDLE;
  if (r != ERROR_SUCCESS) throw ERegistryException(kRegistryValueText + name);
}

void TRegistry::WriteString(const std::string& name, const std::string& value) {
  Write(name, REG_SZ, value.c_str(), static_cast<DWORD>(value.size() + 1));
}

void TRegistry::WriteExpandString(const std::string& name, const std::string& value) {
  Write(name, REG_EXPAND_SZ, value.c_str(), static_cast<DWORD>(value.size() + 1));
}

void TRegistry::WriteInteger(const std::string& name, std::int32_t value) {
  Write(name, REG_DWORD, &value, sizeof value);
}

void TRegistry::WriteBinaryData(const std::string& name, std::string_view bytes) {
  Write(name, REG_BINARY, bytes.data(), static_cast<DWORD>(bytes.size()));
}

std::optional<std::string> TRegistry::ReadString(const std::string& name) const {
  if (!key_) return std::nullopt;
  DWORD type = 0, size = 0;
  if (RegQueryValueExA(key_, name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
      (type != REG_SZ && type != REG_EXPAND_SZ))
    return std::nullopt;
  std::vector<char> buf(size + 1, '\0');
  if (RegQueryValueExA(key_, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buf.data()),
                       &size) != ERROR_SUCCESS)
    return std::nullopt;
  return std::string(buf.data());
}

std::optional<std::int32_t> TRegistry::ReadInteger(const std::string& name) const {
  if (!key_) return std::nullopt;
  DWORD type = 0, value = 0, size = sizeof value;
  if (RegQueryValueExA(key_, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&value),
                       &size) != ERROR_SUCCESS ||
      type != REG_DWORD || size != sizeof value)
    return std::nullopt;
  return static_cast<std::int32_t>(value);
}

}  // namespace cl
