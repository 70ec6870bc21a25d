#include <gtest/gtest.h>

#include "editor/core/TopicFootnotes.h"

namespace qm::editor {
namespace {

TEST(FootnoteBlock, IdAlwaysThenNonEmptyFieldsInOrder) {
  TopicFields f;
  EXPECT_EQ(FootnoteBlockBody("abc", f), "#{\\footnote abc} ");
  f.TopicWindow = "main";
  f.TopicTitle = "Title";
  f.KKeywords = "k1;k2";
  f.BrowseId = "grp:0001";
  f.TopicMacros = "CB(1)";
  EXPECT_EQ(FootnoteBlockBody("abc", f),
            "#{\\footnote abc} ${\\footnote Title} +{\\footnote grp:0001} K{\\footnote k1;k2} "
            "!{\\footnote CB(1)} >{\\footnote main} ");
}

TEST(FirstBodyLine, ColourTableMovesItToLineTwo) {
  EXPECT_EQ(FirstBodyLine({"{\\rtf1", "{\\colortbl ;}", "x"}), 2u);
  EXPECT_EQ(FirstBodyLine({"{\\rtf1", "\\pard x"}), 1u);
  EXPECT_EQ(FirstBodyLine({"{\\rtf1"}), 1u);
}

TEST(JoinRule, JoinsOnlyAViewkindLineAfterAClosingBrace) {
  Lines a{"h", "{\\*\\generator Msftedit;}x", "\\viewkind4\\uc1\\pard x", "y"};
  ApplyJoinRule(a, 1);
  EXPECT_EQ(a, (Lines{"h", "{\\*\\generator Msftedit;}x\\viewkind4\\uc1\\pard x", "y"}));
  Lines b{"h", "abc", "\\viewkind4 x"};
  ApplyJoinRule(b, 1);
  EXPECT_EQ(b.size(), 3u);
  // "マ" ends in the byte of '}': a title that ends "マ" plus one byte is not joined.
  Lines c{"h", "${\\footnote ママ}マ ", "\\viewkind4 x"};
  ApplyJoinRule(c, 1);
  EXPECT_EQ(c.size(), 3u);
  Lines d{"h", "ママ} ", "\\viewkind4 x"};
  ApplyJoinRule(d, 1);
  EXPECT_EQ(d, (Lines{"h", "ママ} \\viewkind4 x"}));
}

TEST(PlaceFootnoteBlock, AfterPardOfViewkindWithBlankOrKeepn) {
  TopicFields f;
  Lines l{"h", "{\\colortbl ;}", "\\viewkind4\\uc1\\pard\\f0\\fs24 text\\par"};
  std::size_t at = PlaceFootnoteBlock(l, 2, "abc", f);
  EXPECT_EQ(l[2], "\\viewkind4\\uc1\\pard #{\\footnote abc} \\f0\\fs24 text\\par");
  EXPECT_EQ(l[2].substr(at), "\\f0\\fs24 text\\par");
  f.NoScroll = true;
  Lines k{"h", "\\viewkind4\\uc1\\pard\\f0\\fs24 text\\par"};
  PlaceFootnoteBlock(k, 1, "abc", f);
  EXPECT_EQ(k[1], "\\viewkind4\\uc1\\pard\\keepn #{\\footnote abc} \\f0\\fs24 text\\par");
}

TEST(PlaceFootnoteBlock, FirstBlankAtDepthZeroWithoutViewkind) {
  TopicFields f;
  Lines l{"h", "{\\f1 a b}\\deflang1033\\pard\\plain\\f2\\fs24 text"};
  PlaceFootnoteBlock(l, 1, "x", f);
  EXPECT_EQ(l[1], "{\\f1 a b}\\deflang1033\\pard\\plain\\f2\\fs24 #{\\footnote x} text");
}

TEST(PlaceFootnoteBlock, WineLayoutTakesTheLineAfterTheGeneratorGroup) {
  TopicFields f;
  f.TopicTitle = "T";
  Lines l{"h", "{\\colortbl;}", "{\\*\\generator Wine Riched20 2.0;}",
          "\\pard\\sl-240\\slmult1 \\lang1041\\fs24\\f0 Hello\\par", "}"};
  std::size_t at = PlaceFootnoteBlock(l, 2, "id", f);
  ASSERT_EQ(l.size(), 4u);
  EXPECT_EQ(l[2], "{\\*\\generator Wine Riched20 2.0;}\\pard\\sl-240\\slmult1 #{\\footnote id} "
                  "${\\footnote T} \\lang1041\\fs24\\f0 Hello\\par");
  EXPECT_EQ(l[2].substr(at), "\\lang1041\\fs24\\f0 Hello\\par");
}

TEST(PlaceFootnoteBlock, NoPlaceLeftPutsTheBlockAtTheEnd) {
  TopicFields f;
  Lines l{"h", "{\\x a}\\pard"};
  PlaceFootnoteBlock(l, 1, "id", f);
  EXPECT_EQ(l[1], "{\\x a}\\pard#{\\footnote id} ");
}

TEST(PlaceFootnoteBlock, EscapedBracesAndTrailBytesDoNotCountAsGroups) {
  TopicFields f;
  // ソ ends in 0x5C and 本 in 0x7B: neither opens anything.
  Lines l{"h", "\\{ソ本 x"};
  PlaceFootnoteBlock(l, 1, "id", f);
  EXPECT_EQ(l[1], "\\{ソ本 #{\\footnote id} x");
}

TEST(ReadFootnoteText, ReadsToTheClosingBraceAndSkipsOnlyABlank) {
  std::string v;
  std::string line = "{\\footnote Title}x";
  std::size_t pos = 0;
  ReadFootnoteText(line, pos, v);
  EXPECT_EQ(v, "Title");
  EXPECT_EQ(line.substr(pos), "x");  // not a blank: kept
  line = "{\\footnote T} y";
  pos = 0;
  ReadFootnoteText(line, pos, v);
  EXPECT_EQ(line.substr(pos), "y");
}

TEST(ReadFootnoteText, DoubleByteTrailBraceIsPartOfTheValue) {
  std::string v;
  const std::string line = "{\\footnote 挿入} ";  // 挿 is 0x91 0x7D
  std::size_t pos = 0;
  ReadFootnoteText(line, pos, v);
  EXPECT_EQ(v, "挿入");
  EXPECT_EQ(pos, line.size());
}

TEST(ReadFootnoteText, DecodesEscapesAndEscapingRoundTrips) {
  // A title written by another tool: 日本 as \'xx escapes, and escaped braces.
  std::string line = "{\\footnote \\'93\\'fa\\'96\\'7b a\\{b\\}c\\\\d} x";
  std::size_t pos = 0;
  std::string v;
  ReadFootnoteText(line, pos, v);
  EXPECT_EQ(v, "日本 a{b}c\\d");
  EXPECT_EQ(line.substr(pos), "x");
  // Written back: single-byte specials escaped, trail bytes (ソ ends in 0x5C,
  // 本 in 0x7B) left alone; read again it is the same value.
  const std::string value = "ソ本{x}\\y";
  TopicFields f;
  f.TopicTitle = value;
  const std::string body = FootnoteBlockBody("id", f);
  EXPECT_EQ(body, "#{\\footnote id} ${\\footnote ソ本\\{x\\}\\\\y} ");
  pos = body.find("${") + 1;
  ASSERT_TRUE(IsPlainFootnote(body, pos));
  ReadFootnoteText(body, pos, v);
  EXPECT_EQ(v, value);
}

TEST(IsPlainFootnote, GroupsInsideAreNotPlain) {
  EXPECT_TRUE(IsPlainFootnote("{\\footnote abc}", 0));
  EXPECT_TRUE(IsPlainFootnote("{\\footnote 挿}", 0));
  EXPECT_FALSE(IsPlainFootnote("{\\footnote \\pard {\\cs16 #} x}", 0));
  EXPECT_TRUE(IsPlainFootnote("{\\footnote a\\}b}", 0));
  EXPECT_FALSE(IsPlainFootnote("{\\footnote abc", 0));
}

}  // namespace
}  // namespace qm::editor
