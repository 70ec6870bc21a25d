#include "standins/unlha32/core/LhDecoder.h"

#include <algorithm>
#include <array>

#include "standins/unlha32/core/LhFormat.h"

namespace qm::lzh {

namespace {

// Bits from the most significant end of each byte. Past the end of the data
// it yields zero bits and remembers that it ran out.
class BitReader {
 public:
  explicit BitReader(std::string_view data)
      : begin_(reinterpret_cast<const unsigned char*>(data.data())), p_(begin_), end_(p_ + data.size()) {
    Refill();
  }

  // The next n bits (1 <= n <= 16) without taking them.
  unsigned Peek(int n) const { return static_cast<unsigned>(buf_ >> (64 - n)); }
  void Skip(int n) {
    buf_ <<= n;
    count_ -= n;
    if (count_ < fakeBits_) overrun_ = true;
    if (count_ < 32) Refill();
  }
  unsigned Get(int n) {
    if (n == 0) return 0;
    unsigned v = Peek(n);
    Skip(n);
    return v;
  }
  // True once more bits were taken than the data holds.
  bool Overrun() const { return overrun_; }
  std::size_t Size() const { return static_cast<std::size_t>(end_ - begin_); }

 private:
  void Refill() {
    while (count_ <= 56) {
      std::uint64_t byte = 0;
      if (p_ < end_) byte = *p_++;
      else fakeBits_ += 8;
      buf_ |= byte << (56 - count_);
      count_ += 8;
    }
  }

  const unsigned char* begin_;
  const unsigned char* p_;
  const unsigned char* end_;
  std::uint64_t buf_ = 0;
  int count_ = 0;     // bits in buf_
  int fakeBits_ = 0;  // zero bits put in past the end of the data
  bool overrun_ = false;
};

// A canonical Huffman code read from its code lengths: a table of
// 2^kTableBits entries for short codes and a walk over the lengths for the
// rest.
class HuffmanDecoder {
 public:
  static constexpr int kTableBits = 10;

  // Every symbol decodes to sym, with no bits (a code of one symbol).
  void SetSingle(unsigned sym) {
    single_ = true;
    singleSymbol_ = sym;
  }

  // False for lengths that do not make a complete prefix code.
  bool Build(const std::uint8_t* lengths, unsigned n) {
    single_ = false;
    count_.fill(0);
    for (unsigned i = 0; i < n; ++i) {
      if (lengths[i] > kMaxCodeLength) return false;
      ++count_[lengths[i]];
    }
    count_[0] = 0;
    // Complete: the code space is used up exactly.
    unsigned long left = 1;
    for (int len = 1; len <= kMaxCodeLength; ++len) {
      left <<= 1;
      if (count_[len] > left) return false;
      left -= count_[len];
    }
    if (left != 0) return false;
    std::array<unsigned, kMaxCodeLength + 2> offset{};
    for (int len = 1; len <= kMaxCodeLength; ++len) offset[len + 1] = offset[len] + count_[len];
    for (unsigned i = 0; i < n; ++i)
      if (lengths[i] != 0) sorted_[offset[lengths[i]]++] = static_cast<std::uint16_t>(i);
    // The table: each code of at most kTableBits bits fills the entries it
    // prefixes.
    table_.fill(0);
    unsigned code = 0, index = 0;
    for (int len = 1; len <= kMaxCodeLength; ++len) {
      for (unsigned k = 0; k < count_[len]; ++k, ++index, ++code) {
        if (len > kTableBits) continue;
        const unsigned first = code << (kTableBits - len), span = 1u << (kTableBits - len);
        for (unsigned e = 0; e < span; ++e)
          table_[first + e] = static_cast<std::uint32_t>(sorted_[index]) << 8 | len;
      }
      code <<= 1;
    }
    return true;
  }

  unsigned Decode(BitReader& in) const {
    if (single_) return singleSymbol_;
    const std::uint32_t e = table_[in.Peek(kTableBits)];
    if (e != 0) {
      in.Skip(static_cast<int>(e & 0xFF));
      return e >> 8;
    }
    // Longer than the table: canonical decoding, one length at a time.
    const unsigned bits = in.Peek(kMaxCodeLength);
    unsigned first = 0, index = 0;
    for (int len = 1; len <= kMaxCodeLength; ++len) {
      const unsigned code = bits >> (kMaxCodeLength - len);
      if (code - first < count_[len]) {
        in.Skip(len);
        return sorted_[index + (code - first)];
      }
      index += count_[len];
      first = (first + count_[len]) << 1;
    }
    return 0;  // not reached for a complete code
  }

 private:
  bool single_ = false;
  unsigned singleSymbol_ = 0;
  std::array<unsigned, kMaxCodeLength + 1> count_{};
  std::array<std::uint16_t, kNC> sorted_{};
  std::array<std::uint32_t, 1u << kTableBits> table_{};
};

class Decoder {
 public:
  Decoder(const MethodParams& m, std::string_view packed) : m_(m), in_(packed) {}

  bool Run(std::uint32_t originalSize, std::string& out) {
    // The output grows as it comes: a broken header may claim gigabytes.
    out.assign(std::min<std::size_t>(originalSize, 4 * in_.Size() + 65536), '\0');
    std::size_t at = 0;
    std::uint32_t blockLeft = 0;
    while (at < originalSize) {
      if (blockLeft == 0) {
        blockLeft = in_.Get(16);
        if (blockLeft == 0 || !ReadBlockTables() || in_.Overrun()) return false;
      }
      --blockLeft;
      const unsigned c = codes_.Decode(in_);
      const std::size_t length = c < 256 ? 1 : std::min<std::size_t>(c - 256 + kMinMatch, originalSize - at);
      if (at + length > out.size())
        out.resize(std::min<std::size_t>(originalSize, std::max(2 * out.size(), at + length)));
      char* o = out.data();
      if (c < 256) {
        o[at++] = static_cast<char>(c);
      } else {
        unsigned p = positions_.Decode(in_);
        if (p > 1) p = (1u << (p - 1)) + in_.Get(static_cast<int>(p - 1));
        const std::size_t distance = p + 1;
        if (distance > m_.dictionarySize) return false;
        const std::size_t end = at + length;
        // Before the start the dictionary holds blanks.
        for (; at < end && at < distance; ++at) o[at] = ' ';
        for (; at < end; ++at) o[at] = o[at - distance];
      }
      if (in_.Overrun()) return false;
    }
    out.resize(at);
    return true;
  }

 private:
  // Lengths of the code-length code (special: after that many lengths comes a
  // 2-bit run of zero lengths) or of the position code.
  bool ReadPtLengths(unsigned n, int nbit, int special) {
    const unsigned used = in_.Get(nbit);
    if (used == 0) {
      const unsigned sym = in_.Get(nbit);
      if (sym >= n) return false;
      pt_.SetSingle(sym);
      ptLengths_.fill(0);
      return true;
    }
    if (used > n) return false;
    ptLengths_.fill(0);
    unsigned i = 0;
    while (i < used) {
      unsigned len = in_.Peek(3);
      if (len == 7) {
        // 111 then one 1 bit for each length above 7, ended by a 0.
        in_.Skip(3);
        while (in_.Peek(1) == 1) {
          if (++len > kMaxCodeLength) return false;
          in_.Skip(1);
        }
        in_.Skip(1);
      } else {
        in_.Skip(3);
      }
      ptLengths_[i++] = static_cast<std::uint8_t>(len);
      if (static_cast<int>(i) == special) {
        unsigned zeros = in_.Get(2);
        while (zeros-- > 0 && i < n) ptLengths_[i++] = 0;
      }
      if (in_.Overrun()) return false;
    }
    return pt_.Build(ptLengths_.data(), n);
  }

  bool ReadCodeLengths() {
    const unsigned used = in_.Get(kCBit);
    if (used == 0) {
      const unsigned sym = in_.Get(kCBit);
      if (sym >= kNC) return false;
      codes_.SetSingle(sym);
      return true;
    }
    if (used > kNC) return false;
    std::array<std::uint8_t, kNC> lengths{};
    unsigned i = 0;
    while (i < used) {
      unsigned c = pt_.Decode(in_);
      if (c <= 2) {
        unsigned zeros = c == 0 ? 1 : c == 1 ? in_.Get(4) + 3 : in_.Get(kCBit) + 20;
        if (zeros > used - i) return false;
        i += zeros;
      } else {
        lengths[i++] = static_cast<std::uint8_t>(c - 2);
      }
      if (in_.Overrun()) return false;
    }
    return codes_.Build(lengths.data(), kNC);
  }

  bool ReadBlockTables() {
    return ReadPtLengths(kNT, kTBit, 3) && ReadCodeLengths() &&
           ReadPtLengths(m_.positionCodes, m_.positionBits, -1) && (positions_ = pt_, true);
  }

  const MethodParams& m_;
  BitReader in_;
  std::array<std::uint8_t, (kNT > kNPMax ? kNT : kNPMax)> ptLengths_{};
  HuffmanDecoder pt_, codes_, positions_;
};

}  // namespace

bool IsKnownMethod(std::string_view method) {
  return method == "-lh0-" || FindMethod(method) != nullptr;
}

bool Unpack(std::string_view method, std::string_view packed, std::uint32_t originalSize,
            std::string& out) {
  if (method == "-lh0-") {
    if (packed.size() != originalSize) return false;
    out.assign(packed);
    return true;
  }
  const MethodParams* m = FindMethod(method);
  if (m == nullptr) return false;
  return Decoder(*m, packed).Run(originalSize, out);
}

}  // namespace qm::lzh
