// Looks for a control word in RTF text as a whole word: "\b" is not found in
// "\blue255" nor in "\b0", "\cf1" not in "\cf12".
#pragma once

#include <cctype>
#include <string>

namespace qmtest {

// The offset of the first `word` (backslash, letters and an optional
// parameter, e.g. "\\b" or "\\cf1") not followed by a letter or a digit; npos
// when there is none.
inline std::size_t FindControlWord(const std::string& rtf, const std::string& word, std::size_t from = 0) {
  for (std::size_t i = rtf.find(word, from); i != std::string::npos; i = rtf.find(word, i + 1)) {
    const std::size_t end = i + word.size();
    // An escaped backslash ("\\\\b") is text, not a control word.
    std::size_t slashes = 0;
    while (slashes < i && rtf[i - 1 - slashes] == '\\') ++slashes;
    if (slashes % 2 != 0) continue;
    if (end == rtf.size() || !std::isalnum(static_cast<unsigned char>(rtf[end]))) return i;
  }
  return std::string::npos;
}

inline bool HasControlWord(const std::string& rtf, const std::string& word) {
  return FindControlWord(rtf, word) != std::string::npos;
}

}  // namespace qmtest
