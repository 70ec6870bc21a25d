// The INI-style settings store over a registry key: a section is a subkey and
// every value is REG_SZ text.
#pragma once

#include <windows.h>

#include "core/IniSettings.h"

namespace cl {

class TRegIniFile : public qm::IniStore {
 public:
  // key: a path below root, e.g. "software\tarvesk\quillmark".
  TRegIniFile(HKEY root, const std::string& key);
  std::optional<std::string> Read(const std::string& section, const std::string& ident) override;
  // Creates the key and section when needed; throws when it cannot write.
  void Write(const std::string& section, const std::string& ident, const std::string& value) override;

 private:
  std::string SubKey(const std::string& section) const;
  HKEY root_;
  std::string key_;
};

// Deletes a key and everything below it; true when it is gone.
bool RegDeleteTree(HKEY root, const std::string& key);

}  // namespace cl
