#include "setup/core/SlowInfoCache.h"

namespace qm::setup {

namespace {

void PutLE(std::string& out, std::size_t offset, std::uint64_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) {
    out[offset + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
  }
}

}  // namespace

std::string BuildSlowInfoCache(std::int64_t installedSize, std::uint64_t lastUsed,
                               std::u16string_view name) {
  std::string out(kSlowInfoCacheSize, '\0');
  PutLE(out, 0, kSlowInfoCacheSize, 4);
  PutLE(out, 4, 1, 4);
  PutLE(out, 8, static_cast<std::uint64_t>(installedSize), 8);
  PutLE(out, 16, lastUsed, 8);
  PutLE(out, 24, 0xFFFFFFFFu, 4);
  std::size_t n = name.size();
  if (n > kSlowInfoNameChars) {
    n = kSlowInfoNameChars;
    // A high surrogate whose low half is cut off goes too.
    if (name[n - 1] >= 0xD800 && name[n - 1] <= 0xDBFF) --n;
  }
  for (std::size_t i = 0; i < n; ++i) PutLE(out, 28 + 2 * i, name[i], 2);
  return out;
}

}  // namespace qm::setup
