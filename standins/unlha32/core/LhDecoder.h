// Unpacking of LZH member data: "-lh0-" (stored) and the static-Huffman
// methods "-lh4-" to "-lh7-" (sliding dictionaries of 4, 8, 32 and 64 KB).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace qm::lzh {

// True for the methods Unpack knows.
bool IsKnownMethod(std::string_view method);

// Unpacks packed data of the given method into exactly originalSize bytes.
// Returns false for an unknown method or data that is broken or ends before
// originalSize bytes come out; out is then unspecified. Never reads outside
// packed.
bool Unpack(std::string_view method, std::string_view packed, std::uint32_t originalSize,
            std::string& out);

}  // namespace qm::lzh
