#include <gtest/gtest.h>

#include <random>
#include <string>

#include "core/FileSystem.h"
#include "standins/unlha32/core/Crc16.h"
#include "standins/unlha32/core/LhDecoder.h"
#include "standins/unlha32/core/LhEncoder.h"
#include "standins/unlha32/core/LhFormat.h"
#include "standins/unlha32/core/LzhArchive.h"
#include "standins/unlha32/core/LzhHeader.h"

using namespace qm::lzh;

namespace {

const std::string kLzhData = std::string(QM_TESTDATA_DIR) + "/lzh/";

std::string ReadData(const std::string& path) {
  std::string s;
  EXPECT_TRUE(qm::ReadFileBytes(path, s)) << path;
  return s;
}

// Text that packs well, bytes that do not, and runs, in one piece.
std::string MixedData(std::size_t size, unsigned seed) {
  std::mt19937 rng(seed);
  std::string s;
  const char* words[] = {"{\\rtf1 ", "トピック", "\\par\r\n", "ヘルプ", "#{\\footnote ", "Jump ", "表示"};
  while (s.size() < size) {
    switch (rng() % 4) {
      case 0: s += words[rng() % 7]; break;
      case 1: s.append(rng() % 300 + 1, static_cast<char>(rng())); break;
      case 2:
        for (int i = 0; i < 40; ++i) s += static_cast<char>(rng());
        break;
      default:
        if (s.size() > 10) {
          std::size_t from = rng() % s.size();
          s += s.substr(from, rng() % 400);
        }
    }
  }
  s.resize(size);
  return s;
}

std::string RoundTrip(const char* method, const std::string& data) {
  const MethodParams* m = FindMethod(method);
  std::string packed = Pack(*m, data), out;
  EXPECT_TRUE(Unpack(method, packed, static_cast<std::uint32_t>(data.size()), out)) << method;
  return out;
}

}  // namespace

TEST(Crc16, KnownValueAndAnySplit) {
  EXPECT_EQ(Crc16("123456789"), 0xBB3D);
  EXPECT_EQ(Crc16(""), 0);
  const std::string data = MixedData(1000, 1);
  std::uint16_t bytewise = 0;
  for (char c : data) bytewise = UpdateCrc16(bytewise, &c, 1);
  EXPECT_EQ(Crc16(data), bytewise);
  EXPECT_EQ(UpdateCrc16(Crc16(data.substr(0, 333)), data.data() + 333, data.size() - 333), bytewise);
}

TEST(LhCodec, PacksAndUnpacksEveryKindOfData) {
  std::string runs(100000, 'a');
  runs += std::string(70000, '\0');
  std::string noise;
  std::mt19937 rng(7);
  for (int i = 0; i < 50000; ++i) noise += static_cast<char>(rng());
  // Far repeats: beyond the 8 KB dictionary, within the 64 KB one.
  std::string far = MixedData(20000, 3);
  far += MixedData(30000, 4) + far;
  for (const std::string& data : {std::string(), std::string("x"), std::string("abcabcabcabc"),
                                  MixedData(200000, 2), runs, noise, far}) {
    for (const char* method : {"-lh5-", "-lh6-", "-lh7-"})
      EXPECT_EQ(RoundTrip(method, data), data) << method << " " << data.size();
  }
  // A block of more codes than one block holds, all literals of one value
  // after the first match: single-symbol tables.
  EXPECT_EQ(RoundTrip("-lh5-", std::string(3, 'z')), "zzz");
}

TEST(LhCodec, PacksRealTopicsSmall) {
  const std::string rtf = ReadData(std::string(QM_TESTDATA_DIR) + "/projects/andes-fbd/Andes.rtf");
  const std::string packed = Pack(*FindMethod("-lh5-"), rtf);
  EXPECT_LT(packed.size(), rtf.size() / 4);
  std::string out;
  ASSERT_TRUE(Unpack("-lh5-", packed, static_cast<std::uint32_t>(rtf.size()), out));
  EXPECT_EQ(out, rtf);
}

TEST(LhCodec, RefusesBrokenData) {
  const std::string data = MixedData(30000, 5);
  std::string packed = Pack(*FindMethod("-lh5-"), data), out;
  // Cut short, and asked for more than there is.
  EXPECT_FALSE(Unpack("-lh5-", packed.substr(0, packed.size() / 2), 30000, out));
  EXPECT_FALSE(Unpack("-lh5-", packed, 40000, out));
  EXPECT_FALSE(Unpack("-lh9-", packed, 30000, out));
  EXPECT_FALSE(Unpack("-lh0-", "abc", 4, out));
  // Flipped bits: refused, or unpacked to something the CRC catches.
  for (std::size_t at = 0; at < packed.size(); at += 97) {
    std::string bad = packed;
    bad[at] = static_cast<char>(bad[at] ^ 0x10);
    if (Unpack("-lh5-", bad, 30000, out)) {
      EXPECT_NE(Crc16(out), Crc16(data)) << at;
    }
  }
}

TEST(LzhHeader, Level2RoundTripWithFoldersAndJapaneseNames) {
  MemberHeader h;
  h.method = "-lh5-";
  h.packedSize = 1234;
  h.originalSize = 5678;
  h.time = 1700000000;
  h.crc = 0xBEEF;
  // "表" ends in the byte 0x5C, which is not a separator there.
  h.path = "bmp\\\x95\x5C\\\x83\x5C\x83\x74\x83\x67.bmp";
  const std::string bytes = WriteLevel2Header(h);
  EXPECT_NE(bytes.find("\x95\x5C\xFF"), std::string::npos);
  MemberHeader back;
  ASSERT_EQ(ReadMemberHeader(bytes, 0, back), HeaderStatus::Ok);
  EXPECT_EQ(back.path, h.path);
  EXPECT_EQ(back.method, "-lh5-");
  EXPECT_EQ(back.packedSize, 1234u);
  EXPECT_EQ(back.originalSize, 5678u);
  EXPECT_EQ(back.time, 1700000000);
  EXPECT_EQ(back.crc, 0xBEEF);
  EXPECT_EQ(back.headerSize, bytes.size());

  // A damaged header fails its checksum; a cut one is broken too.
  std::string bad = bytes;
  bad[bytes.size() - 5] ^= 1;
  EXPECT_EQ(ReadMemberHeader(bad, 0, back), HeaderStatus::Broken);
  EXPECT_EQ(ReadMemberHeader(bytes.substr(0, 30), 0, back), HeaderStatus::Broken);
  EXPECT_EQ(ReadMemberHeader(std::string(1, '\0'), 0, back), HeaderStatus::End);
}

TEST(LzhHeader, ReadsLevels0And1) {
  auto le = [](std::uint32_t v, int n) {
    std::string s;
    for (int i = 0; i < n; ++i) s += static_cast<char>((v >> (8 * i)) & 0xFF);
    return s;
  };
  const std::uint32_t dosTime = (44u << 25) | (3u << 21) | (9u << 16) | (12u << 11) | (30u << 5) | 5u;
  auto base = [&](int level, const std::string& name, std::uint32_t packed) {
    return std::string("-lh0-") + le(packed, 4) + le(3, 4) + le(dosTime, 4) + "\x20" +
           static_cast<char>(level) + static_cast<char>(name.size()) + name + le(0x1234, 2);
  };
  auto withSize = [](std::string body) {
    unsigned sum = 0;
    for (char c : body) sum += static_cast<unsigned char>(c);
    return std::string(1, static_cast<char>(body.size())) + static_cast<char>(sum & 0xFF) + body;
  };
  // Level 0: a DOS path in the name.
  MemberHeader h;
  std::string l0 = withSize(base(0, "DOC\\READ.ME", 3)) + "abc";
  ASSERT_EQ(ReadMemberHeader(l0, 0, h), HeaderStatus::Ok);
  EXPECT_EQ(h.path, "DOC\\READ.ME");
  EXPECT_EQ(h.time, 1709987410);  // 2024-03-09 12:30:10, taken as UTC
  EXPECT_EQ(h.crc, 0x1234);
  EXPECT_EQ(h.headerSize + h.packedSize, l0.size());
  l0[1] ^= 1;
  EXPECT_EQ(ReadMemberHeader(l0, 0, h), HeaderStatus::Broken);

  // Level 1: the folder in an extended header, counted in the packed size.
  const std::string ext = std::string("\x02") + "sub\xFF" + le(0, 2);
  const std::string l1 = withSize(base(1, "a.txt", 3 + static_cast<std::uint32_t>(ext.size())) + "M" +
                                  le(static_cast<std::uint32_t>(ext.size()), 2)) + ext + "abc";
  ASSERT_EQ(ReadMemberHeader(l1, 0, h), HeaderStatus::Ok);
  EXPECT_EQ(h.path, "sub\\a.txt");
  EXPECT_EQ(h.packedSize, 3u);
  EXPECT_EQ(l1.substr(h.headerSize), "abc");
}

TEST(LzhHeader, SizeNeverStartsWithAZeroByte) {
  // Headers whose size would be a multiple of 256 get one more byte.
  for (std::size_t n = 200; n < 260; ++n) {
    MemberHeader h;
    h.path = std::string(n, 'a');
    const std::string bytes = WriteLevel2Header(h);
    EXPECT_NE(bytes[0], '\0') << n;
    MemberHeader back;
    ASSERT_EQ(ReadMemberHeader(bytes, 0, back), HeaderStatus::Ok) << n;
    EXPECT_EQ(back.path, h.path);
  }
}

TEST(LzhHeader, PathsStayInsideTheFolder) {
  EXPECT_EQ(JoinMemberPath("..\xFF" "a\xFF", "..\\b.txt"), "a\\b.txt");
  EXPECT_EQ(JoinMemberPath("", "/etc/x"), "etc\\x");
  EXPECT_EQ(JoinMemberPath("rtf\xFF", "\x95\x5C.rtf"), "rtf\\\x95\x5C.rtf");
}

TEST(LzhArchive, ReadsTheArchivesOfOtherTools) {
  struct Case {
    const char* file;
    std::vector<std::string> names;
  };
  for (const Case& c : {Case{"a0.lzh", {"FBD.hpj", "RADDLG.SHG"}}, Case{"a5.lzh", {"FBD.hpj", "RADDLG.SHG"}},
                        Case{"a6.lzh", {"FBD.hpj"}}, Case{"a7.lzh", {"FBD.hpj"}}, Case{"h2.lzh", {"FBD.hpj"}}}) {
    const std::string archive = ReadData(kLzhData + c.file);
    std::vector<Member> members;
    std::string error;
    ASSERT_TRUE(ListMembers(archive, members, error)) << c.file << error;
    ASSERT_EQ(members.size(), c.names.size()) << c.file;
    for (std::size_t i = 0; i < members.size(); ++i) {
      EXPECT_EQ(members[i].header.path, c.names[i]);
      std::string data;
      EXPECT_TRUE(CheckMember(members[i], error, &data)) << c.file << " " << error;
      const std::string original = ReadData(std::string(QM_TESTDATA_DIR) + "/projects/andes-fbd/" +
                                            (i == 0 ? "FBD.hpj" : "RADDLG.SHG"));
      EXPECT_EQ(data, original) << c.file << " " << c.names[i];
    }
  }
}

TEST(LzhArchive, FindsTheFlippedByte) {
  const std::string archive = ReadData(kLzhData + "bad.lzh");
  std::vector<Member> members;
  std::string error;
  ASSERT_TRUE(ListMembers(archive, members, error)) << error;
  bool allGood = true;
  for (const Member& m : members) allGood = CheckMember(m, error) && allGood;
  EXPECT_FALSE(allGood);
  // Cut inside a member's data: refused before any unpacking.
  EXPECT_FALSE(ListMembers(archive.substr(0, 500), members, error));
}

TEST(LzhArchive, StoresWhatDoesNotShrink) {
  std::string noise;
  std::mt19937 rng(9);
  for (int i = 0; i < 3000; ++i) noise += static_cast<char>(rng());
  for (const std::string& data : {noise, std::string()}) {
    const std::string bytes = MakeMember("x.bin", data, 0, 0x20);
    std::vector<Member> members;
    std::string error, back;
    ASSERT_TRUE(ListMembers(bytes, members, error));
    ASSERT_EQ(members.size(), 1u);
    EXPECT_EQ(members[0].header.method, "-lh0-");
    EXPECT_TRUE(CheckMember(members[0], error, &back));
    EXPECT_EQ(back, data);
  }
}
