// The byte reader and writer: little-endian order, reads that stop cleanly at
// the end, and parsing bytes that arrive in pieces.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "core/ByteReader.h"
#include "core/ByteWriter.h"

using namespace qm;

TEST(ByteReader, ReadsLittleEndianAndMovesTheCursor) {
  const std::string bytes("\x01\x02\x03\x04\x05\x06\x07\xFE\xFF\xFF\xFF" "ab\0c", 15);
  ByteReader r(bytes);
  std::uint8_t b;
  std::uint16_t w;
  std::uint32_t d;
  std::int32_t i;
  ASSERT_TRUE(r.ReadU8(b) && r.ReadU16(w) && r.ReadU32(d) && r.ReadI32(i));
  EXPECT_EQ(b, 0x01);
  EXPECT_EQ(w, 0x0302);
  EXPECT_EQ(d, 0x07060504u);
  EXPECT_EQ(i, -2);
  std::string_view text;
  ASSERT_TRUE(r.ReadZString(text));
  EXPECT_EQ(text, "ab");
  const std::uint8_t* rest;
  ASSERT_TRUE(r.ReadInPlace(1, rest));
  EXPECT_EQ(*rest, 'c');
  EXPECT_EQ(r.Remaining(), 0u);
  EXPECT_FALSE(r.Short());
}

TEST(ByteReader, AShortReadReadsNothingAndTellsHowFarItWanted) {
  const std::string bytes("\x01\x02\x03", 3);
  ByteReader r(bytes);
  std::uint8_t b;
  ASSERT_TRUE(r.ReadU8(b));
  std::uint32_t d;
  EXPECT_FALSE(r.ReadU32(d));
  EXPECT_EQ(r.Position(), 1u);  // the cursor stays
  EXPECT_TRUE(r.Short());
  EXPECT_EQ(r.Wanted(), 5u);
  std::uint16_t w;
  EXPECT_FALSE(r.Skip(3));
  EXPECT_EQ(r.Wanted(), 5u);    // the first short read counts
  ASSERT_TRUE(r.ReadU16(w));    // what is there can still be read
  EXPECT_EQ(w, 0x0302);

  ByteReader s(bytes);
  EXPECT_FALSE(s.Seek(4));
  EXPECT_EQ(s.Wanted(), 4u);
  EXPECT_TRUE(s.Seek(3));
  EXPECT_FALSE(s.ReadU8(b));
  ByteReader huge(bytes);
  EXPECT_FALSE(huge.Skip(~std::uint64_t{0}));  // no wrap-around
  EXPECT_EQ(huge.Wanted(), ~std::uint64_t{0});
  ByteReader noNul(std::string_view("abc"));
  std::string_view text;
  EXPECT_FALSE(noNul.ReadZString(text));
  EXPECT_EQ(noNul.Wanted(), 4u);
  ByteReader pad(bytes);
  pad.SkipAtMost(10);  // padding cut off by the end
  EXPECT_EQ(pad.Remaining(), 0u);
  EXPECT_FALSE(pad.Short());
}

TEST(ByteReader, ParseGrowingFetchesOnlyWhatTheParseReads) {
  // A length, then that many bytes.
  std::string name;
  auto parse = [&](ByteReader& r) {
    std::uint32_t n;
    const std::uint8_t* p;
    if (!r.ReadU32(n) || !r.ReadInPlace(n, p)) return false;
    name.assign(reinterpret_cast<const char*>(p), n);
    return true;
  };
  // Parses a source read in pieces; taken counts the bytes read from it.
  auto run = [&](const std::string& source, std::size_t& taken) {
    taken = 0;
    std::string bytes;
    auto read = [&](void* dest, std::size_t n) {
      const std::size_t k = std::min(n, source.size() - taken);
      source.copy(static_cast<char*>(dest), k, taken);
      taken += k;
      return k;
    };
    return ParseGrowing(bytes, parse, [&](std::uint64_t n) { return AppendFromSource(bytes, n, read); });
  };
  std::size_t taken;
  EXPECT_TRUE(run(std::string("\x02\x00\x00\x00" "abTAIL", 10), taken));
  EXPECT_EQ(name, "ab");
  EXPECT_EQ(taken, 6u);  // the source is left just after the record
  EXPECT_FALSE(run(std::string("\x09\x00\x00\x00" "ab", 6), taken));
  EXPECT_FALSE(run(std::string("\xFF\xFF\xFF\x7F" "ab", 6), taken));  // a huge length reads what there is
  EXPECT_EQ(taken, 6u);
}

TEST(ByteWriter, WritesLittleEndian) {
  std::string out = "x";
  ByteWriter w(out);
  w.WriteU8(0xAB);
  w.WriteU16(0x1234);
  w.WriteU32(0x89ABCDEFu);
  w.WriteI32(-2);
  w.WriteBytes("pq", 2);
  w.WriteBytes(nullptr, 0);
  w.WriteZeros(2);
  EXPECT_EQ(out, std::string("x\xAB\x34\x12\xEF\xCD\xAB\x89\xFE\xFF\xFF\xFFpq\0\0", 16));
  EXPECT_EQ(w.Size(), 16u);
}
