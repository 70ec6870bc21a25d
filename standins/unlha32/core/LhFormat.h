// Constants of the static-Huffman LZH methods, shared by the packer and the
// unpacker.
//
// A member is a series of blocks. Each block starts with the number of codes
// in it (16 bits), then three code-length tables: the code for the lengths of
// the symbol code (kNT symbols, counts in kTBit bits), the symbol code (kNC
// symbols: 256 bytes and the match lengths kMinMatch..kMaxMatch, counts in
// kCBit bits) and the position code (bit lengths of the match distance, counts
// in positionBits bits). Bits go most significant first.
#pragma once

#include <string_view>

namespace qm::lzh {

constexpr unsigned kMinMatch = 3;
constexpr unsigned kMaxMatch = 256;
constexpr unsigned kNC = 256 + kMaxMatch - kMinMatch + 1;  // 510
constexpr int kCBit = 9;
constexpr unsigned kNT = 19;
constexpr int kTBit = 5;
constexpr int kMaxCodeLength = 16;
constexpr unsigned kNPMax = 17;  // position codes of the 64 KB dictionary

struct MethodParams {
  std::string_view name;
  int dictionaryBits;
  unsigned dictionarySize;
  unsigned positionCodes;  // dictionaryBits + 1
  int positionBits;
};

constexpr MethodParams kMethods[] = {
    {"-lh4-", 12, 1u << 12, 13, 4},
    {"-lh5-", 13, 1u << 13, 14, 4},
    {"-lh6-", 15, 1u << 15, 16, 5},
    {"-lh7-", 16, 1u << 16, 17, 5},
};

inline const MethodParams* FindMethod(std::string_view name) {
  for (const MethodParams& m : kMethods)
    if (m.name == name) return &m;
  return nullptr;
}

}  // namespace qm::lzh
