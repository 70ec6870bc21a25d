// What a user reads when a file cannot be made, opened, read or written:
// Japanese, in the programs' style, naming the file.
#pragma once

#include <string>
#include <string_view>

namespace qm {

std::string CannotCreateFileText(std::string_view path);  // "<path> を作成できません."
std::string CannotWriteFileText(std::string_view path);   // "<path> に書き込めません."
std::string CannotOpenFileText(std::string_view path);    // "<path> を開けません."
std::string CannotReadFileText(std::string_view path);    // "<path> を読み込めません."

}  // namespace qm
