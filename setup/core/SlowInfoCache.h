// The installed-program cache record (value SlowInfoCache of the cache key),
// 552 bytes, little-endian, laid out byte by byte:
//
//   offset  size  content
//        0     4  record size, 552
//        4     4  has a name, 1
//        8     8  installed size in bytes (signed)
//       16     8  last used, a FILETIME
//       24     4  use frequency (signed), -1: unknown
//       28   520  UTF-16 path of the main program: at most 256 characters,
//                 a terminating zero, the rest zero
//      548     4  zero
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace qm::setup {

inline constexpr std::size_t kSlowInfoCacheSize = 552;
inline constexpr std::size_t kSlowInfoNameChars = 256;

// The record's bytes. name is UTF-16; a longer one is cut to 256 code units
// (never between the two halves of a surrogate pair).
std::string BuildSlowInfoCache(std::int64_t installedSize, std::uint64_t lastUsed,
                               std::u16string_view name);

}  // namespace qm::setup
