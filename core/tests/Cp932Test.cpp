#include <gtest/gtest.h>

#include "core/Cp932.h"
#include "core/Lines.h"

using namespace qm;

TEST(Cp932, LeadBytesAndTrailBytesThatLookLikeAscii) {
  EXPECT_TRUE(IsLeadByte(char(0x81)));
  EXPECT_TRUE(IsLeadByte(char(0x9F)));
  EXPECT_TRUE(IsLeadByte(char(0xE0)));
  EXPECT_TRUE(IsLeadByte(char(0xFC)));
  EXPECT_FALSE(IsLeadByte(char(0x80)));
  EXPECT_FALSE(IsLeadByte(char(0xA0)));  // half-width katakana are single bytes
  EXPECT_FALSE(IsLeadByte(char(0xFD)));
  // "ソ" is 83 5C: its trail byte is a backslash and must not be found.
  std::string so = "ソ";
  ASSERT_EQ(so, "\x83\x5C");
  EXPECT_EQ(FindChar(so + "\\", '\\'), 2u);
  EXPECT_EQ(FindLastChar("a\\" + so, '\\'), 1u);
  // "本" is 96 7B: its trail byte is '{'.
  EXPECT_EQ(FindChar("本{", '{'), 2u);
}

TEST(Cp932, SplitAtCharSplitsOnlyAtSingleByteSeparators) {
  // "ポ" is 83 7C: its trail byte is '|'.
  ASSERT_EQ(std::string("ポ"), "\x83\x7C");
  using V = std::vector<std::string>;
  EXPECT_EQ(SplitAtChar("shgファイル|*.shg|ホットスポット|*.shg", '|'),
            (V{"shgファイル", "*.shg", "ホットスポット", "*.shg"}));
  EXPECT_EQ(SplitAtChar("ポ|", '|'), (V{"ポ", ""}));
  EXPECT_EQ(SplitAtChar("|a||b", '|'), (V{"", "a", "", "b"}));
  EXPECT_EQ(SplitAtChar("", '|'), V{""});
  // A lead byte at the very end stands alone, so a separator before it counts.
  EXPECT_EQ(SplitAtChar("a|\x83", '|'), (V{"a", "\x83"}));
}

TEST(Cp932, CutBytesNeverSplitsACharacter) {
  std::string s = "ab本";  // 4 bytes
  EXPECT_EQ(CutBytes(s, 4), s);
  EXPECT_EQ(CutBytes(s, 3), "ab");
  EXPECT_EQ(CutBytes(s, 2), "ab");
  EXPECT_EQ(CutBytes("", 2), "");
}

TEST(Cp932, CaseFoldingLeavesDoubleByteCharactersAlone) {
  // 0x82 0x61 is "Ａ"-like full-width range: the trail byte 'a' stays.
  std::string s = "x\x82\x61y";
  EXPECT_EQ(UpperAscii(s), "X\x82\x61Y");
  EXPECT_TRUE(EqualsNoCase("Intro", "INTRO"));
  EXPECT_FALSE(EqualsNoCase("Intro", "Intr0"));
  EXPECT_EQ(FindNoCase("本Abc", "abc"), 2u);
  EXPECT_EQ(FindNoCase("\x82\x61" "bc", "abc"), std::string::npos);
  // Trail bytes that are ASCII letters are not folded: ア (83 41) is not ヂ
  // (83 61), in a path or anywhere.
  EXPECT_FALSE(EqualsNoCase("C:\\\x83\x41\\p.hpj", "C:\\\x83\x61\\p.hpj"));
  EXPECT_TRUE(EqualsNoCase("c:\\\x83\x41\\P.HPJ", "C:\\\x83\x41\\p.hpj"));
  EXPECT_FALSE(StartsWithNoCase("\x83\x61x", "\x83\x41"));
  EXPECT_EQ(FindNoCase("\x83\x61" "A", "a"), 2u);
}

TEST(Cp932, NumbersParseBoundedAndWhole) {
  int v = 0;
  EXPECT_TRUE(TryStrToInt(" 42 ", v));
  EXPECT_EQ(v, 42);
  EXPECT_TRUE(TryStrToInt("-2147483648", v));
  EXPECT_EQ(v, -2147483647 - 1);
  EXPECT_FALSE(TryStrToInt("2147483648", v));
  EXPECT_FALSE(TryStrToInt("99999999999999999999", v));
  EXPECT_FALSE(TryStrToInt("12a", v));
  EXPECT_FALSE(TryStrToInt("", v));
  EXPECT_EQ(StrToIntDef("x", 7), 7);
}

TEST(Lines, SplitAcceptsEveryLineEndAndJoinWritesCrLf) {
  EXPECT_EQ(SplitLines("a\r\nb\nc\rd"), (Lines{"a", "b", "c", "d"}));
  EXPECT_EQ(SplitLines("a\r\n"), (Lines{"a"}));
  EXPECT_EQ(SplitLines("a\r\n\r\n"), (Lines{"a", ""}));
  EXPECT_EQ(SplitLines(""), Lines{});
  EXPECT_EQ(JoinLines({"a", "", "b"}), "a\r\n\r\nb\r\n");
}
