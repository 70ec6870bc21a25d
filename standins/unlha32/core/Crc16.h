// CRC-16 of LZH archives: the reflected polynomial 0xA001 (x^16+x^15+x^2+1),
// starting from 0. It guards each member's data and each level-2 header.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace qm::lzh {

// Continues crc over bytes; start with 0.
std::uint16_t UpdateCrc16(std::uint16_t crc, const void* bytes, std::size_t size);

inline std::uint16_t Crc16(std::string_view bytes) {
  return UpdateCrc16(0, bytes.data(), bytes.size());
}

}  // namespace qm::lzh
