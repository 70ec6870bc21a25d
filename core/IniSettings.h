// INI-style settings: sections of text values, read with defaults.
//
// Every value is stored as text: integers in decimal, booleans as "1" or "0".
// A value that is missing, or not a number where a number is asked for, reads
// as the default. The store behind it is the registry on Windows and a map in
// the native tests.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <utility>

namespace qm {

// Where the values live. A section may name a sub-section with "\"
// ("ToolBar\PrjBar").
class IniStore {
 public:
  virtual ~IniStore() = default;
  virtual std::optional<std::string> Read(const std::string& section, const std::string& ident) = 0;
  virtual void Write(const std::string& section, const std::string& ident, const std::string& value) = 0;
};

class IniSettings {
 public:
  explicit IniSettings(IniStore& store) : store_(store) {}

  std::string ReadString(const std::string& section, const std::string& ident, const std::string& def);
  int ReadInteger(const std::string& section, const std::string& ident, int def);
  bool ReadBool(const std::string& section, const std::string& ident, bool def);

  void WriteString(const std::string& section, const std::string& ident, const std::string& value);
  void WriteInteger(const std::string& section, const std::string& ident, int value);
  void WriteBool(const std::string& section, const std::string& ident, bool value);

 private:
  IniStore& store_;
};

// The in-memory twin of the registry store.
class MemoryIniStore : public IniStore {
 public:
  std::optional<std::string> Read(const std::string& section, const std::string& ident) override;
  void Write(const std::string& section, const std::string& ident, const std::string& value) override;
  const std::map<std::pair<std::string, std::string>, std::string>& Values() const { return values_; }

 private:
  std::map<std::pair<std::string, std::string>, std::string> values_;
};

}  // namespace qm
