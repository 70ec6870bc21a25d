// Appending little-endian numbers and bytes, for writing file formats.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/LittleEndian.h"

namespace qm {

// Appends to a string that the caller owns.
class ByteWriter {
 public:
  explicit ByteWriter(std::string& out) : out_(out) {}

  std::size_t Size() const { return out_.size(); }

  void WriteU8(std::uint8_t value) { out_.push_back(static_cast<char>(value)); }
  void WriteU16(std::uint16_t value) {
    char b[2];
    StoreLe16(b, value);
    out_.append(b, 2);
  }
  void WriteU32(std::uint32_t value) {
    char b[4];
    StoreLe32(b, value);
    out_.append(b, 4);
  }
  void WriteI32(std::int32_t value) { WriteU32(static_cast<std::uint32_t>(value)); }
  void WriteBytes(const void* bytes, std::size_t count) {
    if (count) out_.append(static_cast<const char*>(bytes), count);
  }
  void WriteBytes(std::string_view bytes) { out_.append(bytes); }
  void WriteZeros(std::size_t count) { out_.append(count, '\0'); }

 private:
  std::string& out_;
};

}  // namespace qm
