#include "standins/unlha32/core/Crc16.h"

#include <array>

namespace qm::lzh {

namespace {

// Eight tables: the CRC advances eight bytes per step ("slicing by eight"),
// which keeps checksumming far below the cost of compressing.
using Tables = std::array<std::array<std::uint16_t, 256>, 8>;

Tables MakeTables() {
  Tables t{};
  for (unsigned i = 0; i < 256; ++i) {
    unsigned c = i;
    for (int k = 0; k < 8; ++k) c = (c & 1) ? (c >> 1) ^ 0xA001u : c >> 1;
    t[0][i] = static_cast<std::uint16_t>(c);
  }
  for (unsigned i = 0; i < 256; ++i)
    for (int k = 1; k < 8; ++k)
      t[k][i] = static_cast<std::uint16_t>((t[k - 1][i] >> 8) ^ t[0][t[k - 1][i] & 0xFF]);
  return t;
}

const Tables kTables = MakeTables();

}  // namespace

std::uint16_t UpdateCrc16(std::uint16_t crc, const void* bytes, std::size_t size) {
  const auto* p = static_cast<const unsigned char*>(bytes);
  unsigned c = crc;
  while (size >= 8) {
    c ^= p[0] | (p[1] << 8);
    c = kTables[7][c & 0xFF] ^ kTables[6][c >> 8] ^ kTables[5][p[2]] ^ kTables[4][p[3]] ^
        kTables[3][p[4]] ^ kTables[2][p[5]] ^ kTables[1][p[6]] ^ kTables[0][p[7]];
    p += 8;
    size -= 8;
  }
  while (size-- > 0) c = (c >> 8) ^ kTables[0][(c ^ *p++) & 0xFF];
  return static_cast<std::uint16_t>(c);
}

}  // namespace qm::lzh
