#include "standins/unlha32/core/LhEncoder.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <vector>

#include "standins/unlha32/core/LhFormat.h"

namespace qm::lzh {

namespace {

class BitWriter {
 public:
  explicit BitWriter(std::string& out) : out_(out) {}

  // The low n bits of v (n <= 32), most significant first.
  void Put(int n, std::uint32_t v) {
    if (n == 0) return;
    acc_ = (acc_ << n) | (v & ((std::uint64_t{1} << n) - 1));
    count_ += n;
    while (count_ >= 8) {
      count_ -= 8;
      out_ += static_cast<char>((acc_ >> count_) & 0xFF);
    }
  }
  // Pads the last byte with zero bits.
  void Flush() {
    if (count_ > 0) Put(8 - count_, 0);
  }

 private:
  std::string& out_;
  std::uint64_t acc_ = 0;
  int count_ = 0;
};

// Code lengths (at most kMaxCodeLength) of a Huffman code for freq[0..n).
// Returns the number of symbols in use; when it is 1, *single is that symbol
// (its length stays 0: a code of one symbol takes no bits).
unsigned MakeCodeLengths(const std::uint32_t* freq, unsigned n, std::uint8_t* len, unsigned* single) {
  std::fill(len, len + n, 0);
  std::vector<unsigned> leaves;
  for (unsigned i = 0; i < n; ++i)
    if (freq[i] != 0) leaves.push_back(i);
  *single = leaves.empty() ? 0 : leaves[0];
  if (leaves.size() < 2) return static_cast<unsigned>(leaves.size());
  std::stable_sort(leaves.begin(), leaves.end(),
                   [&](unsigned a, unsigned b) { return freq[a] < freq[b]; });

  // Huffman's merging with two queues: the sorted leaves and the inner nodes,
  // which are made in order of weight.
  const std::size_t m = leaves.size();
  std::vector<std::uint64_t> weight(2 * m - 1);
  std::vector<std::size_t> parent(2 * m - 1, 0);
  for (std::size_t i = 0; i < m; ++i) weight[i] = freq[leaves[i]];
  std::size_t nextLeaf = 0, nextInner = m, made = m;
  auto take = [&]() {
    if (nextLeaf < m && (nextInner >= made || weight[nextLeaf] <= weight[nextInner]))
      return nextLeaf++;
    return nextInner++;
  };
  while (made < 2 * m - 1) {
    const std::size_t a = take(), b = take();
    weight[made] = weight[a] + weight[b];
    parent[a] = parent[b] = made;
    ++made;
  }
  // Depths, from the root down.
  std::vector<unsigned> depth(2 * m - 1, 0);
  for (std::size_t i = 2 * m - 1; i-- > 0;)
    if (i != 2 * m - 2) depth[i] = depth[parent[i]] + 1;

  // Count the leaves of each length; overlong ones are cut to the longest
  // allowed length and the code is made whole again by lengthening the
  // deepest shorter codes.
  std::array<unsigned, kMaxCodeLength + 1> count{};
  for (std::size_t i = 0; i < m; ++i) ++count[std::min<unsigned>(depth[i], kMaxCodeLength)];
  std::uint64_t kraft = 0;
  for (int l = 1; l <= kMaxCodeLength; ++l) kraft += std::uint64_t{count[l]} << (kMaxCodeLength - l);
  while (kraft > (std::uint64_t{1} << kMaxCodeLength)) {
    --count[kMaxCodeLength];
    for (int l = kMaxCodeLength - 1; l > 0; --l) {
      if (count[l] != 0) {
        --count[l];
        count[l + 1] += 2;
        break;
      }
    }
    --kraft;
  }
  // The longest codes go to the rarest symbols.
  std::size_t k = 0;
  for (int l = kMaxCodeLength; l > 0; --l)
    for (unsigned c = 0; c < count[l]; ++c) len[leaves[k++]] = static_cast<std::uint8_t>(l);
  return static_cast<unsigned>(m);
}

// Canonical codes for the lengths: shorter codes first, then symbol order.
void MakeCodes(const std::uint8_t* len, unsigned n, std::uint16_t* code) {
  std::array<unsigned, kMaxCodeLength + 2> next{};
  std::array<unsigned, kMaxCodeLength + 1> count{};
  for (unsigned i = 0; i < n; ++i) ++count[len[i]];
  count[0] = 0;
  for (int l = 1; l <= kMaxCodeLength; ++l) next[l + 1] = (next[l] + count[l]) << 1;
  for (unsigned i = 0; i < n; ++i)
    if (len[i] != 0) code[i] = static_cast<std::uint16_t>(next[len[i]]++);
}

// Bit length of a match distance less one: the position code.
inline unsigned PositionCode(unsigned p) {
  return p == 0 ? 0 : 32 - static_cast<unsigned>(__builtin_clz(p));
}

class BlockWriter {
 public:
  BlockWriter(const MethodParams& m, std::string& out) : m_(m), bits_(out) {
    codes_.reserve(kBlockCodes);
    positions_.reserve(kBlockCodes);
  }

  void Literal(unsigned char c) {
    codes_.push_back(c);
    ++cFreq_[c];
    if (codes_.size() == kBlockCodes) FlushBlock();
  }
  void Match(unsigned length, unsigned distance) {
    const unsigned c = 256 + length - kMinMatch;
    const unsigned p = distance - 1;
    codes_.push_back(static_cast<std::uint16_t>(c));
    positions_.push_back(static_cast<std::uint16_t>(p));
    ++cFreq_[c];
    ++pFreq_[PositionCode(p)];
    if (codes_.size() == kBlockCodes) FlushBlock();
  }
  void Finish() {
    if (!codes_.empty()) FlushBlock();
    bits_.Flush();
  }

 private:
  // Codes per block: tables are made anew for each block.
  static constexpr std::size_t kBlockCodes = 16384;

  void WritePtLengths(unsigned n, int nbit, int special) {
    while (n > 0 && ptLen_[n - 1] == 0) --n;
    bits_.Put(nbit, n);
    unsigned i = 0;
    while (i < n) {
      const unsigned k = ptLen_[i++];
      if (k <= 6) bits_.Put(3, k);
      else bits_.Put(static_cast<int>(k - 3), (1u << (k - 3)) - 2);
      if (static_cast<int>(i) == special) {
        while (i < 6 && ptLen_[i] == 0) ++i;
        bits_.Put(2, (i - 3) & 3);
      }
    }
  }

  // The symbol code's lengths as codes of the length code (runs of zero
  // lengths shortened): calls emit(symbol, extraBits, extraValue).
  template <typename Emit>
  void WalkCodeLengths(unsigned n, Emit emit) {
    unsigned i = 0;
    while (i < n) {
      const unsigned k = cLen_[i++];
      if (k != 0) {
        emit(k + 2, 0, 0);
        continue;
      }
      unsigned run = 1;
      while (i < n && cLen_[i] == 0) {
        ++i;
        ++run;
      }
      if (run <= 2) {
        for (unsigned r = 0; r < run; ++r) emit(0, 0, 0);
      } else if (run <= 18) {
        emit(1, 4, run - 3);
      } else if (run == 19) {
        emit(0, 0, 0);
        emit(1, 4, 15);
      } else {
        emit(2, kCBit, run - 20);
      }
    }
  }

  void FlushBlock() {
    unsigned cSingle = 0;
    const unsigned cUsed = MakeCodeLengths(cFreq_.data(), kNC, cLen_.data(), &cSingle);
    bits_.Put(16, static_cast<std::uint32_t>(codes_.size()));
    if (cUsed >= 2) {
      MakeCodes(cLen_.data(), kNC, cCode_.data());
      unsigned n = kNC;
      while (n > 0 && cLen_[n - 1] == 0) --n;
      std::array<std::uint32_t, kNT> tFreq{};
      WalkCodeLengths(n, [&](unsigned s, int, unsigned) { ++tFreq[s]; });
      unsigned tSingle = 0;
      if (MakeCodeLengths(tFreq.data(), kNT, ptLen_.data(), &tSingle) >= 2) {
        WritePtLengths(kNT, kTBit, 3);
      } else {
        bits_.Put(kTBit, 0);
        bits_.Put(kTBit, tSingle);
      }
      MakeCodes(ptLen_.data(), kNT, ptCode_.data());
      bits_.Put(kCBit, n);
      WalkCodeLengths(n, [&](unsigned s, int extraBits, unsigned extra) {
        bits_.Put(ptLen_[s], ptCode_[s]);
        bits_.Put(extraBits, extra);
      });
    } else {
      bits_.Put(kTBit, 0);
      bits_.Put(kTBit, 0);
      bits_.Put(kCBit, 0);
      bits_.Put(kCBit, cSingle);
    }

    unsigned pSingle = 0;
    if (MakeCodeLengths(pFreq_.data(), m_.positionCodes, ptLen_.data(), &pSingle) >= 2) {
      WritePtLengths(m_.positionCodes, m_.positionBits, -1);
    } else {
      bits_.Put(m_.positionBits, 0);
      bits_.Put(m_.positionBits, pSingle);
    }
    MakeCodes(ptLen_.data(), m_.positionCodes, ptCode_.data());

    std::size_t nextPosition = 0;
    for (const std::uint16_t c : codes_) {
      bits_.Put(cLen_[c], cCode_[c]);
      if (c >= 256) {
        const unsigned p = positions_[nextPosition++];
        const unsigned pc = PositionCode(p);
        bits_.Put(ptLen_[pc], ptCode_[pc]);
        if (pc > 1) bits_.Put(static_cast<int>(pc - 1), p);
      }
    }
    codes_.clear();
    positions_.clear();
    cFreq_.fill(0);
    pFreq_.fill(0);
  }

  const MethodParams& m_;
  BitWriter bits_;
  std::vector<std::uint16_t> codes_;
  std::vector<std::uint16_t> positions_;
  std::array<std::uint32_t, kNC> cFreq_{};
  std::array<std::uint32_t, kNPMax> pFreq_{};
  std::array<std::uint8_t, kNC> cLen_{};
  std::array<std::uint16_t, kNC> cCode_{};
  std::array<std::uint8_t, kNT> ptLen_{};
  std::array<std::uint16_t, kNT> ptCode_{};
};

// Finds matches in data through hash chains; positions are absolute, the
// chain links kept for the last dictionary's worth of them.
class Matcher {
 public:
  static constexpr int kHashBits = 15;
  static constexpr unsigned kNil = 0xFFFFFFFFu;

  Matcher(std::string_view data, unsigned window)
      : d_(reinterpret_cast<const unsigned char*>(data.data())),
        size_(static_cast<unsigned>(data.size())),
        window_(window),
        mask_(window - 1),
        head_(1u << kHashBits, kNil),
        prev_(window, kNil) {}

  // Adds the three-byte prefix at pos to its chain.
  void Insert(unsigned pos) {
    if (pos + kMinMatch > size_) return;
    const unsigned h = Hash(pos);
    prev_[pos & mask_] = head_[h];
    head_[h] = pos;
  }

  // Longest earlier match for pos of at least kMinMatch bytes, looking at no
  // more than maxChain candidates and stopping at niceLength; 0 when none.
  // pos must not be inserted yet.
  unsigned Longest(unsigned pos, unsigned maxChain, unsigned niceLength, unsigned& distance) const {
    const unsigned limit = std::min<unsigned>(kMaxMatch, size_ - pos);
    if (limit < kMinMatch) return 0;
    // A distance equal to the dictionary's size reaches the byte that is
    // being replaced; stay one short of it.
    const unsigned lowest = pos >= window_ ? pos - window_ + 1 : 0;
    unsigned best = kMinMatch - 1;
    unsigned cand = head_[Hash(pos)];
    const unsigned char* here = d_ + pos;
    while (cand != kNil && cand >= lowest && maxChain-- > 0) {
      const unsigned char* there = d_ + cand;
      // The byte that would lengthen the best match must agree first.
      if (there[best] == here[best] && there[0] == here[0]) {
        const unsigned len = MatchLength(there, here, limit);
        if (len > best) {
          best = len;
          distance = pos - cand;
          if (len >= niceLength || len >= limit) break;
        }
      }
      const unsigned next = prev_[cand & mask_];
      if (next == kNil || next >= cand) break;
      cand = next;
    }
    return best >= kMinMatch ? best : 0;
  }

 private:
  unsigned Hash(unsigned pos) const {
    const std::uint32_t v = d_[pos] | d_[pos + 1] << 8 | d_[pos + 2] << 16;
    return (v * 2654435761u) >> (32 - kHashBits);
  }

  static unsigned MatchLength(const unsigned char* a, const unsigned char* b, unsigned limit) {
    unsigned n = 0;
    while (n + 8 <= limit) {
      std::uint64_t x, y;
      std::memcpy(&x, a + n, 8);
      std::memcpy(&y, b + n, 8);
      if (x != y) return n + static_cast<unsigned>(__builtin_ctzll(x ^ y) >> 3);
      n += 8;
    }
    while (n < limit && a[n] == b[n]) ++n;
    return n;
  }

  const unsigned char* d_;
  unsigned size_;
  unsigned window_;
  unsigned mask_;
  std::vector<unsigned> head_;
  std::vector<unsigned> prev_;
};

// Search effort: candidates looked at, fewer once a good match is in hand,
// and the length at which a match is taken at once.
constexpr unsigned kMaxChain = 64;
constexpr unsigned kGoodLength = 32;
constexpr unsigned kNiceLength = 128;

}  // namespace

std::string Pack(const MethodParams& m, std::string_view data) {
  std::string out;
  if (data.empty()) return out;
  out.reserve(data.size() / 2 + 64);
  BlockWriter writer(m, out);
  Matcher matcher(data, m.dictionarySize);
  const auto* d = reinterpret_cast<const unsigned char*>(data.data());
  const unsigned size = static_cast<unsigned>(data.size());

  unsigned pos = 0;
  unsigned dist = 0;
  unsigned len = matcher.Longest(0, kMaxChain, kNiceLength, dist);
  while (pos < size) {
    if (len == 0) {
      writer.Literal(d[pos]);
      matcher.Insert(pos);
      ++pos;
      len = matcher.Longest(pos, kMaxChain, kNiceLength, dist);
      continue;
    }
    // Lazy evaluation: a longer match one byte on wins over this one.
    matcher.Insert(pos);
    unsigned nextDist = 0;
    const unsigned nextLen =
        len < kNiceLength ? matcher.Longest(pos + 1, len >= kGoodLength ? kMaxChain / 4 : kMaxChain,
                                            kNiceLength, nextDist)
                          : 0;
    if (nextLen > len) {
      writer.Literal(d[pos]);
      ++pos;
      len = nextLen;
      dist = nextDist;
      continue;
    }
    writer.Match(len, dist);
    for (unsigned i = 1; i < len; ++i) matcher.Insert(pos + i);
    pos += len;
    len = pos < size ? matcher.Longest(pos, kMaxChain, kNiceLength, dist) : 0;
  }
  writer.Finish();
  return out;
}

}  // namespace qm::lzh
