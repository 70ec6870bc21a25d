#include "core/IniSettings.h"

#include "core/Cp932.h"

namespace qm {

std::string IniSettings::ReadString(const std::string& section, const std::string& ident,
                                    const std::string& def) {
  auto v = store_.Read(section, ident);
  return v ? *v : def;
}

int IniSettings::ReadInteger(const std::string& section, const std::string& ident, int def) {
  auto v = store_.Read(section, ident);
  return v ? StrToIntDef(*v, def) : def;
}

bool IniSettings::ReadBool(const std::string& section, const std::string& ident, bool def) {
  return ReadInteger(section, ident, def ? 1 : 0) != 0;
}

void IniSettings::WriteString(const std::string& section, const std::string& ident,
                              const std::string& value) {
  store_.Write(section, ident, value);
}

void IniSettings::WriteInteger(const std::string& section, const std::string& ident, int value) {
  store_.Write(section, ident, IntToStr(value));
}

void IniSettings::WriteBool(const std::string& section, const std::string& ident, bool value) {
  store_.Write(section, ident, value ? "1" : "0");
}

std::optional<std::string> MemoryIniStore::Read(const std::string& section,
                                                const std::string& ident) {
  auto it = values_.find({section, ident});
  if (it == values_.end()) return std::nullopt;
  return it->second;
}

void MemoryIniStore::Write(const std::string& section, const std::string& ident,
                           const std::string& value) {
  values_[{section, ident}] = value;
}

}  // namespace qm
