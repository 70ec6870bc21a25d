// Registry keys and typed values: strings, expandable strings, 32-bit
// integers and binary data. One key is open at a time; key paths are taken
// below the root, with or without a leading backslash.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace cl {

// A value that could not be written.
class ERegistryException : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class TRegistry {
 public:
  explicit TRegistry(HKEY root = HKEY_CURRENT_USER) : root_(root) {}
  ~TRegistry() { CloseKey(); }
  TRegistry(const TRegistry&) = delete;
  TRegistry& operator=(const TRegistry&) = delete;

  HKEY RootKey() const { return root_; }
  // Opens the key for reading and writing; can_create creates it (and the
  // keys above it) when missing. False when it cannot be opened.
  bool OpenKey(const std::string& key, bool can_create);
  bool OpenKeyReadOnly(const std::string& key);
  void CloseKey();
  bool HasKey() const { return key_ != nullptr; }
  // Whether the key exists (nothing is created; the open key stays).
  bool KeyExists(const std::string& key) const;
  // Deletes the key with everything below it; true when it is gone.
  bool DeleteKey(const std::string& key);
  // Deletes a value of the open key; true when it is gone (or was never there).
  bool DeleteValue(const std::string& name);

  // Writers of the open key; they throw ERegistryException on failure.
  void WriteString(const std::string& name, const std::string& value);
  void WriteExpandString(const std::string& name, const std::string& value);
  void WriteInteger(const std::string& name, std::int32_t value);
  void WriteBinaryData(const std::string& name, std::string_view bytes);

  // Readers of the open key: none for a missing value or one of another type.
  std::optional<std::string> ReadString(const std::string& name) const;  // REG_SZ, REG_EXPAND_SZ
  std::optional<std::int32_t> ReadInteger(const std::string& name) const;  // REG_DWORD

 private:
  void Write(const std::string& name, DWORD type, const void* data, DWORD size);
  HKEY root_;
  HKEY key_ = nullptr;
};

}  // namespace cl
