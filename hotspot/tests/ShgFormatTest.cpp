#include "hotspot/core/ShgFormat.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>

#include "bitmap/core/QvDibTypes.h"

namespace qm::hotspot {
namespace {

std::string Bytes(std::initializer_list<int> v) {
  std::string s;
  for (int b : v) s.push_back(static_cast<char>(b));
  return s;
}

// --- compressed numbers ----------------------------------------------------

TEST(ShgNumbers, CompressedWordShortestForms) {
  struct { std::uint32_t v; std::string bytes; } cases[] = {
      {0, Bytes({0})},          {1, Bytes({2})},         {127, Bytes({0xFE})},
      {128, Bytes({1, 1})},     {129, Bytes({3, 1})},    {32767, Bytes({0xFF, 0xFF})},
  };
  for (const auto& c : cases) {
    std::string out;
    EXPECT_EQ(WriteCompressedWord(out, c.v), static_cast<int>(c.bytes.size())) << c.v;
    EXPECT_EQ(out, c.bytes) << c.v;
    TShgReader r(out);
    EXPECT_EQ(ReadCompressedWord(r), c.v);
    EXPECT_EQ(r.Remaining(), 0u);
  }
}

TEST(ShgNumbers, CompressedDWordShortestForms) {
  struct { std::uint32_t v; std::string bytes; } cases[] = {
      {0, Bytes({0, 0})},
      {96, Bytes({0xC0, 0})},
      {32767, Bytes({0xFE, 0xFF})},
      {32768, Bytes({1, 0, 1, 0})},
      {2147483647u, Bytes({0xFF, 0xFF, 0xFF, 0xFF})},
  };
  for (const auto& c : cases) {
    std::string out;
    EXPECT_EQ(WriteCompressedDWord(out, c.v), static_cast<int>(c.bytes.size())) << c.v;
    EXPECT_EQ(out, c.bytes) << c.v;
    TShgReader r(out);
    EXPECT_EQ(ReadCompressedDWord(r), c.v);
  }
}

TEST(ShgNumbers, ReadsStopAtTheEnd) {
  std::string odd = Bytes({0x03});  // compressed word asks for a second byte
  TShgReader r1(odd);
  EXPECT_THROW(ReadCompressedWord(r1), EShgErrorFile);
  std::string oddWord = Bytes({0x01, 0x00, 0x05});
  TShgReader r2(oddWord);
  EXPECT_THROW(ReadCompressedDWord(r2), EShgErrorFile);
  std::string noNul = "abc";
  TShgReader r3(noNul);
  try {
    r3.ReadZString();
    FAIL();
  } catch (const EShgErrorFile& e) {
    EXPECT_STREQ(e.what(), "TShg.LoadFromFile: File type is invalid");
  }
  TShgReader r4(noNul);
  EXPECT_THROW(r4.Seek(4), EShgErrorFile);
  EXPECT_NO_THROW(r4.Seek(3));
  EXPECT_THROW(r4.ReadByte(), EShgErrorFile);
}

// --- RunLen ----------------------------------------------------------------

TEST(RunLen, PackingExamples) {
  std::string run300(300, 'b');
  EXPECT_EQ(RunLenPack(run300), Bytes({0x7F, 'b', 0x7F, 'b', 0x2E, 'b'}));
  EXPECT_EQ(RunLenPack(Bytes({0x61, 0x61, 0x61, 0x62})), Bytes({0x03, 0x61, 0x81, 0x62}));
  EXPECT_EQ(RunLenPack(Bytes({0x61, 0x62, 0x63})), Bytes({0x83, 0x61, 0x62, 0x63}));
  std::string diff;
  for (int i = 0; i < 128; ++i) diff.push_back(static_cast<char>(i));
  std::string expect = Bytes({0xFF}) + diff.substr(0, 127) + Bytes({0x81}) + diff.substr(127);
  EXPECT_EQ(RunLenPack(diff), expect);
}

TEST(RunLen, EdgeLengths) {
  EXPECT_EQ(RunLenPack(""), "");
  EXPECT_EQ(RunLenPack("x"), Bytes({0x81, 'x'}));
  EXPECT_EQ(RunLenPack(std::string(127, 'q')), Bytes({0x7F, 'q'}));  // run ends the data
  EXPECT_EQ(RunLenPack(std::string(128, 'q')), Bytes({0x7F, 'q', 0x81, 'q'}));
  EXPECT_EQ(RunLenPack("abb"), Bytes({0x81, 'a', 0x02, 'b'}));
}

TEST(RunLen, RoundTripsRandomData) {
  std::mt19937 rng(7);
  for (int round = 0; round < 300; ++round) {
    std::string data(rng() % 1000, '\0');
    const int alphabet = 1 + static_cast<int>(rng() % 4);  // short runs and literals mixed
    for (char& c : data) c = static_cast<char>(rng() % alphabet == 0 ? rng() : 'A');
    const std::string packed = RunLenPack(data);
    ASSERT_EQ(RunLenUnpack(packed), data) << round;
    EXPECT_LE(packed.size(), data.size() * 4 / 3 + 2);  // worst: "abb" → 4 bytes
  }
}

TEST(RunLen, UnpackStopsAtTheEndOfBrokenData) {
  EXPECT_EQ(RunLenUnpack(Bytes({0x85, 1, 2})), Bytes({1, 2}));  // literal cut short
  EXPECT_EQ(RunLenUnpack(Bytes({0x03, 7, 0x05})), Bytes({7, 7, 7}));  // run without its byte
  EXPECT_EQ(RunLenUnpack(Bytes({0x00, 9, 0x02, 8})), Bytes({8, 8}));  // code 0 repeats 0 times
  EXPECT_EQ(RunLenUnpack(Bytes({0x80, 0x80, 0x81, 4})), Bytes({4}));
  EXPECT_EQ(RunLenUnpack(Bytes({0x7F, 1}), 5), std::string(5, '\1'));  // limit
}

// --- checksums, hashes, type bytes -----------------------------------------

TEST(ShgHelpers, PlaceableChecksumXorsTenWords) {
  unsigned char h[22] = {0xD7, 0xCD, 0xC6, 0x9A, 0, 0, 0, 0, 0, 0, 0x10, 0x00, 0x20, 0x00, 0x60, 0x00};
  EXPECT_EQ(PlaceableChecksum(h), 0xCDD7 ^ 0x9AC6 ^ 0x0010 ^ 0x0020 ^ 0x0060);
  h[20] = 0xFF;  // the checksum word itself is not counted
  EXPECT_EQ(PlaceableChecksum(h), 0xCDD7 ^ 0x9AC6 ^ 0x0010 ^ 0x0020 ^ 0x0060);
}

TEST(ShgHelpers, ContextHashMatchesRealFiles) {
  std::ifstream in(std::string(QM_FORMATS_DIR) + "/context-hash-vectors.txt");
  ASSERT_TRUE(in);
  std::string line;
  int checked = 0;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream ls(line);
    std::string context, hex;
    ls >> context >> hex;
    EXPECT_EQ(ContextHash(hsJump, context), std::stoul(hex, nullptr, 16)) << context;
    EXPECT_EQ(ContextHash(hsPopup, context), std::stoul(hex, nullptr, 16)) << context;
    ++checked;
  }
  EXPECT_EQ(checked, 8);
}

TEST(ShgHelpers, ContextHashSpecialCases) {
  EXPECT_EQ(ContextHash(hsJump, ""), 0u);
  EXPECT_EQ(ContextHash(hsPopup, ""), 0u);
  EXPECT_EQ(ContextHash(hsMacro, ""), 1u);
  EXPECT_EQ(ContextHash(hsMacro, "JumpId(`a.hlp',`b')"), 1u);
  EXPECT_EQ(ContextHash(hsJump, "MENU"), ContextHash(hsJump, "menu"));  // letters fold
  // Table entries above $7F are unsigned: a high byte must not go negative.
  EXPECT_EQ(ContextHash(hsJump, "\xFF"), 0xCFu);
  EXPECT_EQ(ContextHash(hsJump, "a\x80"), 0x11u * 43 + 0x50u);
}

TEST(ShgHelpers, TypeByteTable) {
  struct { std::uint8_t mode; std::uint8_t bytes[4]; } rows[] = {
      {hsMacro, {0xC8, 0xCC, 0xC8, 0xCC}},
      {hsPopup, {0xE2, 0xE6, 0xEA, 0xEE}},
      {hsJump, {0xE3, 0xE7, 0xEB, 0xEF}},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(HotSpotTypeByte(row.mode, true, "topic"), row.bytes[0]);
    EXPECT_EQ(HotSpotTypeByte(row.mode, false, "topic"), row.bytes[1]);
    EXPECT_EQ(HotSpotTypeByte(row.mode, true, "topic>win"), row.bytes[2]);
    EXPECT_EQ(HotSpotTypeByte(row.mode, false, ">"), row.bytes[3]);
    for (auto b : row.bytes) EXPECT_EQ(HotSpotModeOfTypeByte(b), row.mode);
  }
  EXPECT_EQ(HasWindowSuffix(hsMacro, ""), 8);
  EXPECT_EQ(HasWindowSuffix(hsJump, "a"), 0);
  for (int b : {0x00, 0x01, 0xC0, 0xC9, 0xE0, 0xE3, 0xFF}) EXPECT_EQ(HotSpotModeOfTypeByte(b), hsJump) << b;
}

TEST(ShgHelpers, MulDivRoundsLikeWindows) {
  EXPECT_EQ(MulDiv(1199, 96, 2540), 45);
  EXPECT_EQ(MulDiv(45, 2540, 96), 1191);
  EXPECT_EQ(MulDiv(-5, 1, 2), -3);
  EXPECT_EQ(MulDiv(5, 1, 2), 3);
  EXPECT_EQ(MulDiv(1, 1, 0), -1);
  EXPECT_EQ(DibStride(418, 4), 212);
  EXPECT_EQ(DibStride(1, 1), 4);
  EXPECT_EQ(DibStride(3, 24), 12);
}

TEST(ShgHelpers, MetafileRecordsAreCutToTheEndRecord) {
  // Header (9 words), one record of 4 words, the end record; size field wrong.
  std::string wmf = Bytes({1, 0, 9, 0, 0, 3, 0x99, 0x99, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                           4, 0, 0, 0, 0x01, 0x02, 0xAA, 0xBB,
                           3, 0, 0, 0, 0, 0});
  std::string fixed = NormalizeWmfRecords(wmf + "trailing");
  ASSERT_EQ(fixed.size(), wmf.size());
  EXPECT_EQ(fixed[6], 16);   // 32 bytes = 16 words
  EXPECT_EQ(fixed[7], 0);
  EXPECT_EQ(fixed[12], 4);   // largest record
  EXPECT_EQ(fixed.substr(18), wmf.substr(18));
  EXPECT_EQ(NormalizeWmfRecords(wmf.substr(0, wmf.size() - 2)), "");  // no end record
  std::string tiny = wmf;
  tiny[18] = 2;  // a record shorter than its own head
  EXPECT_EQ(NormalizeWmfRecords(tiny), "");
  std::string huge = wmf;
  huge[20] = 0x7F;  // a record far past the end
  EXPECT_EQ(NormalizeWmfRecords(huge), "");
  std::string header = wmf;
  header[2] = 8;
  EXPECT_EQ(NormalizeWmfRecords(header), "");
}

// A record: size in words, function, parameters.
std::string Record(std::uint16_t function, const std::string& params) {
  std::string r;
  const std::uint32_t words = static_cast<std::uint32_t>(3 + params.size() / 2);
  r.append(reinterpret_cast<const char*>(&words), 4);
  r.append(reinterpret_cast<const char*>(&function), 2);
  return r + params;
}

std::string Dib(int width, int height, int bits, std::size_t pixelBytes) {
  std::string d(40, '\0');
  d[0] = 40;
  d[4] = static_cast<char>(width);
  d[8] = static_cast<char>(height);
  d[12] = 1;
  d[14] = static_cast<char>(bits);
  return d + std::string(bits <= 8 ? 4u << bits : 0, '\0') + std::string(pixelBytes, '\x55');
}

TEST(ShgHelpers, MetafileBitmapRecordsAreChecked) {
  const std::string header = Bytes({1, 0, 9, 0, 0, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
  const std::string eof = Record(0, "");
  const std::string goodDib = Record(0x0F43, std::string(22, '\0') + Dib(4, 4, 1, 16));
  const std::string shortDib = Record(0x0F43, std::string(22, '\0') + Dib(4, 4, 1, 14));
  const std::string oldBitBlt = Record(0x0922, std::string(16, '\0') + std::string(14, '\1'));
  const std::string oldBitBltNoBitmap = Record(0x0922, std::string(18, '\0'));  // 12 words
  const std::string pattern = Record(0x01F9, std::string(40, '\2'));
  const std::string out = NormalizeWmfRecords(header + goodDib + shortDib + oldBitBlt + oldBitBltNoBitmap + pattern + eof);
  const std::string solidBrush = Bytes({7, 0, 0, 0, 0xFC, 0x02, 0, 0, 0x80, 0x80, 0x80, 0, 0, 0});
  EXPECT_EQ(out.substr(18), goodDib + oldBitBltNoBitmap + solidBrush + eof);
}

TEST(ShgHelpers, EnhancedMetafileCheck) {
  int good = 0;
  for (const char* name : {"libemf2svg-test-012.emf", "libemf2svg-test-030.emf", "libuemf-test_mm_text_ref.emf"}) {
    std::ifstream in(std::string(QM_TESTDATA_DIR) + "/meta/emf/" + name, std::ios::binary);
    std::string emf((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_FALSE(emf.empty());
    EXPECT_TRUE(IsWellFormedEmf(emf)) << name;
    good += IsWellFormedEmf(emf);
    EXPECT_FALSE(IsWellFormedEmf(emf.substr(0, emf.size() - 4)));
    std::string badRecord = emf;
    std::uint32_t headerSize;
    std::memcpy(&headerSize, emf.data() + 4, 4);
    badRecord[headerSize + 4] ^= 1;  // second record's size not a multiple of 4
    EXPECT_FALSE(IsWellFormedEmf(badRecord));
  }
  EXPECT_EQ(good, 3);
  for (const char* name : {"libemf2svg-bad_corrupted_2014-12-02-215338.emf",
                           "libemf2svg-bad_corrupted_2014-12-02-215428.emf"}) {
    std::ifstream in(std::string(QM_TESTDATA_DIR) + "/meta/emf-corrupted/" + name, std::ios::binary);
    std::string emf((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_FALSE(IsWellFormedEmf(emf)) << name;
  }
  EXPECT_FALSE(IsWellFormedEmf(""));
}

}  // namespace
}  // namespace qm::hotspot
