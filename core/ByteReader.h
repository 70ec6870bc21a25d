// A bounds-checked cursor for reading file formats from memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>

#include "core/LittleEndian.h"

namespace qm {

// Reads little-endian numbers and runs of bytes from memory that the caller
// keeps alive. Every read is bounded by the end of the bytes: a read that
// would pass it reads nothing, leaves the cursor where it was and returns
// false. The reader then remembers how far that read wanted to go, so that a
// caller whose bytes arrive in pieces knows how many more it needs
// (ParseGrowing below).
class ByteReader {
 public:
  ByteReader() = default;
  ByteReader(const void* data, std::size_t size)
      : begin_(static_cast<const std::uint8_t*>(data)), pos_(begin_), end_(begin_ + size) {}
  explicit ByteReader(std::string_view bytes) : ByteReader(bytes.data(), bytes.size()) {}

  std::size_t Size() const { return static_cast<std::size_t>(end_ - begin_); }
  std::size_t Position() const { return static_cast<std::size_t>(pos_ - begin_); }
  std::size_t Remaining() const { return static_cast<std::size_t>(end_ - pos_); }
  const std::uint8_t* Current() const { return pos_; }

  // Whether a read ran short, and the position that read needed to reach
  // (the first short read counts).
  bool Short() const { return wanted_ != 0; }
  std::uint64_t Wanted() const { return wanted_; }

  [[nodiscard]] bool Seek(std::uint64_t position) {
    if (position > Size()) [[unlikely]] return Fail(position);
    pos_ = begin_ + position;
    return true;
  }
  [[nodiscard]] bool Skip(std::uint64_t count) {
    if (count > Remaining()) [[unlikely]] return FailAfter(count);
    pos_ += static_cast<std::size_t>(count);
    return true;
  }
  // Passes over count bytes, or to the end when fewer remain (padding that
  // the end of the data may cut off).
  void SkipAtMost(std::uint64_t count) {
    pos_ += count < Remaining() ? static_cast<std::size_t>(count) : Remaining();
  }

  [[nodiscard]] bool ReadU8(std::uint8_t& value) {
    if (pos_ == end_) [[unlikely]] return FailAfter(1);
    value = *pos_++;
    return true;
  }
  [[nodiscard]] bool ReadU16(std::uint16_t& value) {
    if (Remaining() < 2) [[unlikely]] return FailAfter(2);
    value = LoadLe16(pos_);
    pos_ += 2;
    return true;
  }
  [[nodiscard]] bool ReadU32(std::uint32_t& value) {
    if (Remaining() < 4) [[unlikely]] return FailAfter(4);
    value = LoadLe32(pos_);
    pos_ += 4;
    return true;
  }
  [[nodiscard]] bool ReadI32(std::int32_t& value) {
    std::uint32_t u;
    if (!ReadU32(u)) return false;
    value = static_cast<std::int32_t>(u);
    return true;
  }
  [[nodiscard]] bool ReadBytes(void* dest, std::size_t count) {
    if (count > Remaining()) [[unlikely]] return FailAfter(count);
    if (count) std::memcpy(dest, pos_, count);
    pos_ += static_cast<std::size_t>(count);
    return true;
  }
  // count bytes left in place: bytes points at them.
  [[nodiscard]] bool ReadInPlace(std::uint64_t count, const std::uint8_t*& bytes) {
    if (count > Remaining()) [[unlikely]] return FailAfter(count);
    bytes = pos_;
    pos_ += static_cast<std::size_t>(count);
    return true;
  }
  // The bytes up to the next NUL, in place; the NUL is passed over too.
  [[nodiscard]] bool ReadZString(std::string_view& text) {
    const void* nul = Remaining() ? std::memchr(pos_, 0, Remaining()) : nullptr;
    if (!nul) return FailAfter(Remaining() + std::uint64_t{1});
    const std::size_t length = static_cast<std::size_t>(static_cast<const std::uint8_t*>(nul) - pos_);
    text = std::string_view(reinterpret_cast<const char*>(pos_), length);
    pos_ += length + 1;
    return true;
  }

 private:
  bool FailAfter(std::uint64_t count) {
    const std::uint64_t limit = std::numeric_limits<std::uint64_t>::max() - Position();
    return Fail(count > limit ? std::numeric_limits<std::uint64_t>::max() : Position() + count);
  }
  bool Fail(std::uint64_t wanted) {
    if (wanted_ == 0) wanted_ = wanted;
    return false;
  }

  const std::uint8_t* begin_ = nullptr;
  const std::uint8_t* pos_ = nullptr;
  const std::uint8_t* end_ = nullptr;
  std::uint64_t wanted_ = 0;
};

// Appends count bytes from a source to bytes: read(dest, n) reads up to n
// bytes and returns how many it read, fewer only when the source has ended.
// The bytes come in pieces of at most 64 KiB, so that a source that ends
// early costs no more memory than it held. False when it ended first.
template <class Read>
bool AppendFromSource(std::string& bytes, std::uint64_t count, Read&& read) {
  while (count > 0) {
    const std::size_t piece = count < 65536 ? static_cast<std::size_t>(count) : 65536;
    const std::size_t had = bytes.size();
    bytes.resize(had + piece);
    const std::size_t got = read(bytes.data() + had, piece);
    bytes.resize(had + got);
    if (got < piece) return false;
    count -= piece;
  }
  return true;
}

// Parses bytes that arrive in pieces, such as the headers of a file read
// from a stream that cannot show its bytes in place. parse(reader) runs over
// all the bytes fetched so far, from the start, and returns true when it is
// done or false when a read ran short; then fetch(count) appends count more
// bytes to bytes (false when the source ends first; AppendFromSource does
// this for most sources) and parse runs again. As
// no more bytes are fetched than parse reads, the source is left just after
// them. Returns false when the source ended first.
template <class Parse, class Fetch>
bool ParseGrowing(std::string& bytes, Parse&& parse, Fetch&& fetch) {
  for (;;) {
    ByteReader reader(bytes);
    if (parse(reader)) return true;
    if (!reader.Short() || reader.Wanted() <= bytes.size()) return false;
    if (!fetch(reader.Wanted() - bytes.size())) return false;
  }
}

}  // namespace qm
