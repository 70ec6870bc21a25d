// Little-endian numbers in bytes: the one place that knows their order.
// ByteReader and ByteWriter build on these; code that has already checked
// that the bytes are there (fixed-size records) may use them directly.
#pragma once

#include <cstdint>

namespace qm {

inline std::uint16_t LoadLe16(const void* at) {
  const auto* b = static_cast<const unsigned char*>(at);
  return static_cast<std::uint16_t>(b[0] | b[1] << 8);
}

inline std::uint32_t LoadLe32(const void* at) {
  const auto* b = static_cast<const unsigned char*>(at);
  return static_cast<std::uint32_t>(b[0]) | static_cast<std::uint32_t>(b[1]) << 8 |
         static_cast<std::uint32_t>(b[2]) << 16 | static_cast<std::uint32_t>(b[3]) << 24;
}

inline void StoreLe16(void* at, std::uint16_t value) {
  auto* b = static_cast<unsigned char*>(at);
  b[0] = static_cast<unsigned char>(value);
  b[1] = static_cast<unsigned char>(value >> 8);
}

inline void StoreLe32(void* at, std::uint32_t value) {
  auto* b = static_cast<unsigned char*>(at);
  b[0] = static_cast<unsigned char>(value);
  b[1] = static_cast<unsigned char>(value >> 8);
  b[2] = static_cast<unsigned char>(value >> 16);
  b[3] = static_cast<unsigned char>(value >> 24);
}

}  // namespace qm
