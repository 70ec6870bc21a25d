// Archives come from anywhere: reading one must stay inside its bytes, and a
// member that passes its checks must unpack to its stated size. The same
// bytes, packed and unpacked again, must come back unchanged.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "standins/unlha32/core/LhDecoder.h"
#include "standins/unlha32/core/LhEncoder.h"
#include "standins/unlha32/core/LhFormat.h"
#include "standins/unlha32/core/LzhArchive.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace qm::lzh;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  std::vector<Member> members;
  std::string error;
  if (ListMembers(bytes, members, error)) {
    for (const Member& m : members) {
      // Headers may claim sizes far beyond the input; a few MB is enough here.
      if (m.header.originalSize > (1u << 22)) continue;
      std::string out;
      if (CheckMember(m, error, &out) && m.header.method != "-lhd-" &&
          out.size() != m.header.originalSize)
        __builtin_trap();
    }
  }
  // The raw bytes as the data of each method, unpacked as they come.
  for (const MethodParams& m : kMethods) {
    std::string out;
    (void)Unpack(m.name, bytes, static_cast<std::uint32_t>(size * 3), out);
  }
  if (size <= (1u << 16)) {
    const std::string packed = Pack(*FindMethod("-lh5-"), bytes);
    std::string back;
    if (!Unpack("-lh5-", packed, static_cast<std::uint32_t>(size), back) || back != bytes) __builtin_trap();
  }
  return 0;
}
