// A folder of its own under /tmp for a native test or benchmark, removed
// with everything in it when the object goes (for a static one, when the
// program ends).
#pragma once

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <system_error>

namespace qmtest {

class TempFolder {
 public:
  // The folder is /tmp/<prefix>XXXXXX.
  explicit TempFolder(const std::string& prefix) {
    std::string name = "/tmp/" + prefix + "XXXXXX";
    if (!::mkdtemp(name.data())) throw std::runtime_error("cannot make a temporary folder " + name);
    path_ = name;
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

}  // namespace qmtest
