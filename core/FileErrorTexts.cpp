#include "core/FileErrorTexts.h"

namespace qm {

namespace {
std::string Named(std::string_view path, std::string_view rest) {
  std::string s(path);
  s += rest;
  return s;
}
}  // namespace

std::string CannotCreateFileText(std::string_view path) { return Named(path, " を作成できません."); }
std::string CannotWriteFileText(std::string_view path) { return Named(path, " に書き込めません."); }
std::string CannotOpenFileText(std::string_view path) { return Named(path, " を開けません."); }
std::string CannotReadFileText(std::string_view path) { return Named(path, " を読み込めません."); }

}  // namespace qm
