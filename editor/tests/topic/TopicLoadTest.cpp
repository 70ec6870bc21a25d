#include <gtest/gtest.h>

#include "TopicTestUtil.h"
#include "editor/core/TopicLoad.h"

namespace qm::editor {
namespace {

const char kHeader[] = "{\\rtf1\\ansi\\ansicpg932\\deff0{\\fonttbl{\\f0\\fnil\\fcharset128 Gothic;}}";
const char kColours[] = "{\\colortbl ;\\red0\\green0\\blue0;}";

// Loads a topic whose body lines follow the Windows control's header lines.
struct Loaded {
  Lines lines;
  TopicFields fields;
  TopicStash stash;
};
Loaded Load(const Lines& body) {
  Lines file{kHeader, kColours};
  file.insert(file.end(), body.begin(), body.end());
  Loaded r;
  r.lines = LoadTopicLines(file, r.fields, r.stash);
  r.lines.erase(r.lines.begin(), r.lines.begin() + 2);
  return r;
}

TEST(LoadTopic, FootnoteBlockOfTheFirstBodyLineFillsTheFields) {
  Loaded r = Load({"\\viewkind4\\uc1\\pard\\keepn #{\\footnote abc} ${\\footnote Title} +{\\footnote g:0001} "
                   "B{\\footnote b} K{\\footnote k1;k2} A{\\footnote a} !{\\footnote CB()} >{\\footnote w} "
                   "\\f0\\fs24 text\\par",
                   "\\pard more\\par", "\\pard last\\par"});
  EXPECT_TRUE(r.fields.NoScroll);
  EXPECT_EQ(r.fields.TopicTitle, "Title");
  EXPECT_EQ(r.fields.BrowseId, "g:0001");
  EXPECT_EQ(r.fields.BKeywords, "b");
  EXPECT_EQ(r.fields.KKeywords, "k1;k2");
  EXPECT_EQ(r.fields.AKeywords, "a");
  EXPECT_EQ(r.fields.TopicMacros, "CB()");
  EXPECT_EQ(r.fields.TopicWindow, "w");
  EXPECT_EQ(r.lines, (Lines{"\\viewkind4\\uc1\\pard\\f0\\fs24 text\\par", "\\pard \\{end\\}more\\par",
                            "\\pard last\\par"}));
}

TEST(LoadTopic, FileWithoutColourTableHasItsBlockInLineOne) {
  TopicFields f;
  TopicStash st;
  Lines out = LoadTopicLines({kHeader, "\\deflang1033\\pard\\plain\\f2\\fs24 #{\\footnote x} ${\\footnote T} hi"}, f, st);
  EXPECT_EQ(f.TopicTitle, "T");
  EXPECT_EQ(out[1], "\\deflang1033\\pard\\plain\\f2\\fs24 hi");
}

TEST(LoadTopic, WineLayoutBlockAfterTheGeneratorGroup) {
  TopicFields f;
  TopicStash st;
  Lines out = LoadTopicLines({kHeader, "{\\colortbl;}",
                              "{\\*\\generator Wine Riched20 2.0;}\\pard\\sl-240\\slmult1 #{\\footnote id} "
                              "${\\footnote \\'82\\'a0} \\lang1041\\fs24\\f0 Hello\\par",
                              "}"},
                             f, st);
  EXPECT_EQ(f.TopicTitle, "\x82\xa0");  // the escapes decoded: あ
  EXPECT_EQ(out[2], "{\\*\\generator Wine Riched20 2.0;}\\pard\\sl-240\\slmult1 \\lang1041\\fs24\\f0 Hello\\par");
}

TEST(LoadTopic, LaterIdFootnoteBecomesTid) {
  Loaded r = Load({"\\viewkind4\\uc1\\pard #{\\footnote a} x\\par", "y #{\\footnote second} z\\par"});
  EXPECT_EQ(r.lines[1], "y \\{tid second\\}z\\par");
}

TEST(LoadTopic, ParagraphAttributesOpenABlockThatPardCloses) {
  Loaded r = Load({"\\viewkind4\\uc1\\pard x\\par", "\\pard a\\par", "\\keep b\\par", "\\pard c\\box d\\par",
                   "\\brdrb \\brdrs \\brdrth \\brdrx e", "\\pard f"});
  EXPECT_EQ(r.lines[1], "\\pard a\\par");
  EXPECT_EQ(r.lines[2], "\\{keep\\}b\\par");
  EXPECT_EQ(r.lines[3], "\\pard \\{end\\}c\\{box\\}d\\par");
  EXPECT_EQ(r.lines[4], "\\{line b\\}\\{style n\\}\\{style b\\}\\brdrx e");
  EXPECT_EQ(r.lines[5], "\\pard \\{end\\}f");
}

TEST(LoadTopic, TablesGetOneTableMarkupAndSizes) {
  Loaded r = Load({"\\viewkind4\\uc1\\pard x\\par", "\\cellx1000\\cellx2000\\pard ",
                   "\\intbl a\\cell b\\cell \\row ", "\\intbl c\\cell \\row ", "\\pard after\\par",
                   "\\intbl again"});
  EXPECT_EQ(r.lines[1], "\\{size 1000,2000\\}\\pard ");
  EXPECT_EQ(r.lines[2], "\\{table\\}a\\{td\\}b\\{td\\}\\{tr\\}");
  EXPECT_EQ(r.lines[3], "c\\{td\\}\\{tr\\}");
  EXPECT_EQ(r.lines[4], "\\pard \\{end\\}after\\par");
  EXPECT_EQ(r.lines[5], "\\{table\\}again");
}

TEST(LoadTopic, HotspotsBecomeMarkup) {
  Loaded r = Load({"\\viewkind4\\uc1\\pard {\\ul abc}{\\v xyz} {\\uldb a{\\b b}c}{\\v t} "
                   "{\\uldb x}{\\v !Mac(a,b)}\\par",
                   "{\\uldb 本ソ挿}{\\v 本}\\par"});
  EXPECT_EQ(r.lines[0], "\\viewkind4\\uc1\\pard \\{pop abc,xyz\\} \\{jmp a{\\b b}c,t\\} \\{jmp x,!Mac(a,b)\\}\\par");
  EXPECT_EQ(r.lines[1], "\\{jmp 本ソ挿,本\\}\\par");
}

TEST(LoadTopic, UnderlineWithoutHiddenTargetStaysRtf) {
  Loaded r = Load({"\\viewkind4\\uc1\\pard {\\ul abc} def\\par", "{\\uldb a}{\\b t}\\par",
                   "{\\uldb open\\par"});
  EXPECT_EQ(r.lines[0], "\\viewkind4\\uc1\\pard {\\ul abc} def\\par");
  EXPECT_EQ(r.lines[1], "{\\uldb a}{\\b t}\\par");
  EXPECT_EQ(r.lines[2], "{\\uldb open\\par");
}

TEST(LoadTopic, LiteralMarkupBracesGetTheEscape) {
  Loaded r = Load({"\\viewkind4\\uc1\\pard \\{jmp a,b\\} \\{#x\\} \\{bmc a.bmp\\} \\{pict 1\\} \\{other\\}\\par"});
  EXPECT_EQ(r.lines[0], "\\viewkind4\\uc1\\pard \\{#jmp a,b\\} \\{##x\\} \\{bmc a.bmp\\} \\{#pict 1\\} \\{other\\}\\par");
}

TEST(LoadTopic, EscapedBackslashIsTextNotAControlWord) {
  Loaded r = Load({"\\viewkind4\\uc1\\pard a\\\\keep b\\\\pard c\\par"});
  EXPECT_EQ(r.lines[0], "\\viewkind4\\uc1\\pard a\\\\keep b\\\\pard c\\par");
}

TEST(LoadTopic, PicturesAreSetAsideEvenOverSeveralLines) {
  TopicStash st;
  st.FirstNumber = 40;
  TopicFields f;
  Lines out = LoadTopicLines({kHeader, kColours, "\\viewkind4\\uc1\\pard a{\\pict\\wmetafile8 0102}b\\par",
                              "c{\\object\\objemb{\\*\\objdata 01", "0203}{\\result{\\pict 99", "}}}d\\par",
                              "e\\par"},
                             f, st);
  ASSERT_EQ(st.Items.size(), 2u);
  EXPECT_EQ(st.Items[0].Rtf, "{\\pict\\wmetafile8 0102}");
  EXPECT_EQ(st.Items[1].Rtf, "{\\object\\objemb{\\*\\objdata 01\r\n0203}{\\result{\\pict 99\r\n}}}");
  EXPECT_EQ(out, (Lines{kHeader, kColours, "\\viewkind4\\uc1\\pard a\\{pict 40\\}b\\par", "c\\{pict 41\\}d\\par",
                        "e\\par"}));
}

TEST(LoadTopic, FootnotesOtherThanTheFieldsAreSetAside) {
  Loaded r = Load({"\\viewkind4\\uc1\\pard x\\par",
                   "K{\\footnote later} ${\\cs16\\super $}{\\footnote \\pard{\\cs16\\super $}{ Word}}",
                   "x{\\footnote other}\\par"});
  ASSERT_EQ(r.stash.Items.size(), 3u);
  EXPECT_EQ(r.stash.Items[0].Rtf, "{\\footnote later}");
  EXPECT_EQ(r.stash.Items[1].Rtf, "{\\footnote \\pard{\\cs16\\super $}{ Word}}");
  EXPECT_EQ(r.lines[1], "K\\{footnote 1\\} ${\\cs16\\super $}\\{footnote 2\\}");
  EXPECT_EQ(r.lines[2], "x\\{footnote 3\\}\\par");
  EXPECT_TRUE(r.fields.KKeywords.empty());
}

// The body may begin on a head line: a topic written on one line, or text
// right after the colour table. Its footnotes are read and its pictures set
// aside like those of any body line.
TEST(LoadTopic, BodyOnAHeadLineIsConverted) {
  TopicFields f;
  TopicStash st;
  Lines out = LoadTopicLines({"{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fnil Gothic;}}\\pard\\keepn #{\\footnote one} "
                              "${\\footnote One line} K{\\footnote k} \\f0 Text {\\pict\\wmetafile8 0102}\\par }"},
                             f, st);
  EXPECT_TRUE(f.NoScroll);
  EXPECT_EQ(f.TopicTitle, "One line");
  EXPECT_EQ(f.KKeywords, "k");
  ASSERT_EQ(st.Items.size(), 1u);
  EXPECT_EQ(st.Items[0].Rtf, "{\\pict\\wmetafile8 0102}");
  EXPECT_EQ(out, (Lines{"{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fnil Gothic;}}\\pard\\f0 Text \\{pict 1\\}\\par }"}));

  TopicFields g;
  out = LoadTopicLines({kHeader, "{\\colortbl ;\\red0\\green0\\blue0;}\\pard #{\\footnote c} ${\\footnote After} Body\\par",
                        "\\pard more #{\\footnote later} {\\pict 03}\\par", "}"},
                       g, st);
  EXPECT_EQ(g.TopicTitle, "After");
  EXPECT_EQ(st.Items.size(), 1u);
  EXPECT_EQ(out, (Lines{kHeader, "{\\colortbl ;\\red0\\green0\\blue0;}\\pard Body\\par",
                        "\\pard more \\{tid later\\}\\{pict 1\\}\\par", "}"}));

  // Head lines of tables and control words only stay as they are, border
  // words of a style included.
  const Lines head{"{\\rtf1\\ansi\\uc1 \\deff0{\\fonttbl{\\f0\\froman{\\*\\panose 02}Times;}{\\f1 Arial;}}",
                   "{\\colortbl;}{\\stylesheet{\\s1\\brdrb \\brdrs Heading;}}{\\*\\generator x;}",
                   "\\pard #{\\footnote h} ${\\footnote Head} x\\par", "}"};
  TopicFields h;
  out = LoadTopicLines(head, h, st);
  EXPECT_EQ(h.TopicTitle, "Head");
  EXPECT_EQ(out, (Lines{head[0], head[1], "\\pard x\\par", "}"}));

  // Word's tables run over many lines, past the first body line: a style's
  // "\\keepn " and "\\keep " make no non-scrolling region and stay in the
  // style.
  const Lines word{"{\\rtf1\\ansi \\deff0{\\fonttbl{\\f0\\froman Times;}",
                   "{\\f1 Arial;}}{\\colortbl;\\red0\\green0\\blue0;}{\\stylesheet{\\sb80 Normal;}{",
                   "\\s43\\li115\\sb80\\sa80\\keepn \\b\\f7 \\sbasedon3\\snext42 *Title;}{\\s44\\keep \\f7 Kept;}}",
                   "\\pard #{\\footnote w} Body\\par", "}"};
  TopicFields w;
  out = LoadTopicLines(word, w, st);
  EXPECT_FALSE(w.NoScroll);
  EXPECT_EQ(out, (Lines{word[0], word[1], word[2], "\\pard Body\\par", "}"}));
}

TEST(LoadTopic, PictureInsideAHotspotIsSetAside) {
  Loaded r = Load({"\\viewkind4\\uc1\\pard {\\uldb {\\pict 0a0b}}{\\v tgt}\\par"});
  EXPECT_EQ(r.lines[0], "\\viewkind4\\uc1\\pard \\{jmp \\{pict 1\\},tgt\\}\\par");
}

TEST(RichEditStreamIn, EveryHighByteAndItsTrailAreHexEscaped) {
  // ソ = 83 5C, 本 = 96 7B, ｱ = B1 (single byte).
  EXPECT_EQ(RichEditStreamIn({"aソ本ｱ\\par", "b"}), "a\\'83\\'5c\\'96\\'7b\\'b1\\par\r\nb\r\n");
}

}  // namespace
}  // namespace qm::editor

namespace qm::editor {
namespace {

TEST(LoadTopic, GroupBeginningWithHashKeepsItsFootnote) {
  TopicFields f;
  TopicStash st;
  Lines out = LoadTopicLines({"{\\rtf1", "\\pard a\\par", "{#{\\footnote ctx}}b\\par"}, f, st);
  EXPECT_EQ(out[2], "{\\{tid ctx\\}}b\\par");
}

}  // namespace
}  // namespace qm::editor

namespace qm::editor {
namespace {

// Only the block's id is dropped; a {tid} the author put into the first
// paragraph comes back.
TEST(LoadTopic, SecondIdFootnoteOfTheFirstBodyLineBecomesTid) {
  TopicFields f;
  TopicStash st;
  Lines out = LoadTopicLines({"{\\rtf1", "\\viewkind4\\uc1\\pard #{\\footnote a} x #{\\footnote extra} y\\par"}, f, st);
  EXPECT_EQ(out[1], "\\viewkind4\\uc1\\pard x \\{tid extra\\}y\\par");
}

}  // namespace
}  // namespace qm::editor

namespace qm::editor {
namespace {

// A hotspot whose markup would not read back whole stays RTF.
TEST(LoadTopic, HotspotWithCommaOrLoneBraceInItsTextStaysRtf) {
  TopicFields f;
  TopicStash st;
  Lines out = LoadTopicLines({"{\\rtf1", "\\pard {\\uldb Open, Save}{\\v t} {\\ul a\\}b}{\\v t} "
                                         "{\\uldb \\{bmc a.bmp\\}}{\\v x,y}\\par"}, f, st);
  EXPECT_EQ(out[1], "\\pard {\\uldb Open, Save}{\\v t} {\\ul a\\}b}{\\v t} \\{jmp \\{bmc a.bmp\\},x,y\\}\\par");
}

}  // namespace
}  // namespace qm::editor
