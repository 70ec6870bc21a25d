#include <gtest/gtest.h>

#include "TopicTestUtil.h"
#include "editor/core/ParagraphKeepFlags.h"
#include "editor/core/TopicLoad.h"
#include "editor/core/TopicSave.h"

namespace qm::editor {
namespace {

const char kWinHeader[] = "{\\rtf1\\ansi\\ansicpg932\\deff0\\deflang1033\\deflangfe1041{\\fonttbl{\\f0\\fnil\\fcharset128 Gothic;}}";
const char kWinColours[] = "{\\colortbl ;\\red0\\green0\\blue0;}";
const char kWineHeader[] = "{\\rtf1\\ansi\\ansicpg932\\uc1\\deff0\\deflang1041\\deflangfe1041{\\fonttbl{\\f0\\fcharset128 Gothic;}}";

// Saves body lines as the Windows control streams them out (header, colour
// table, \viewkind line) and returns the body lines of the file.
Lines SaveWin(const Lines& body, const TopicFields& f = {}, std::string_view id = "abc") {
  Lines editor{kWinHeader, kWinColours};
  editor.insert(editor.end(), body.begin(), body.end());
  Lines out = SaveTopicLines(editor, id, f, TopicStash{});
  out.erase(out.begin(), out.begin() + 2);
  return out;
}

TEST(SaveTopic, WindowsLayoutGetsTheBlockAfterThePard) {
  TopicFields f;
  EXPECT_EQ(SaveWin({"\\viewkind4\\uc1\\pard\\f0\\fs24 text\\par", "}"}, f)[0],
            "\\viewkind4\\uc1\\pard #{\\footnote abc} \\f0\\fs24 text\\par");
  f.NoScroll = true;
  f.TopicTitle = "T";
  EXPECT_EQ(SaveWin({"\\viewkind4\\uc1\\pard\\f0\\fs24 text\\par", "}"}, f)[0],
            "\\viewkind4\\uc1\\pard\\keepn #{\\footnote abc} ${\\footnote T} \\f0\\fs24 text\\par");
}

TEST(SaveTopic, WineLayoutGetsTheBlockInTheJoinedLine) {
  TopicFields f;
  f.KKeywords = "k";
  Lines out = SaveTopicLines({kWineHeader, "{\\colortbl;}", "{\\*\\generator Wine Riched20 2.0;}",
                              "\\pard\\sl-240\\slmult1 \\lang1041\\fs24\\f0 Hello \\{jmp a,b\\}\\par", "}"},
                             "id", f, TopicStash{});
  ASSERT_EQ(out.size(), 4u);
  EXPECT_EQ(out[2], "{\\*\\generator Wine Riched20 2.0;}\\pard\\sl-240\\slmult1 #{\\footnote id} "
                    "K{\\footnote k} \\lang1041\\fs24\\f0 Hello {\\uldb a}{\\v b}\\par");
}

TEST(SaveTopic, TableMarkupOnOneLine) {
  Lines out = SaveWin({"\\viewkind4\\uc1\\pard x\\par",
                       "\\{size 1000,2000\\}\\{table\\}a\\{td\\}b\\{td\\}\\{tr\\}c\\{td\\}d\\{td\\}\\{tr\\}\\{end\\}"});
  EXPECT_EQ(out[1], "\\cellx1000\\cellx2000\\intbl a\\cell b\\cell \\row \\intbl c\\cell d\\cell \\row \\pard ");
}

TEST(SaveTopic, TableEdgeCases) {
  Lines out = SaveWin({"\\viewkind4\\uc1\\pard x\\par", "\\{table\\}a\\{tr\\}\\{end\\}",
                       "\\{td\\}\\{tr\\}\\{table\\}\\{table\\}b\\{end\\}\\{end\\}", "\\pard \\{end\\}"});
  EXPECT_EQ(out[1], "\\intbl a\\cell \\row \\pard ");
  EXPECT_EQ(out[2], "\\intbl b\\cell \\row \\pard ");
  EXPECT_EQ(out[3], "\\pard ");
}

// {end} ends what markup before it set, but the paragraph keeps the format
// that the control wrote for it before the markup (after its own \pard, or
// the last one before it), and a table that it closes stays closed.
TEST(SaveTopic, EndKeepsTheParagraphsOwnFormat) {
  const Lines out = SaveTopicLines(
      {kWineHeader, "{\\colortbl;}", "{\\*\\generator Wine Riched20 2.0;}",
       "\\pard\\sl-240\\slmult1 \\lang1041\\fs24\\f0 \\{keep\\}Head\\par",
       "\\pard{\\pntext\\f1 \\'81\\'45\\tab}{\\*\\pn\\pnlvlblt{\\pntxtb\\'b7}}"
       "\\sl-240\\slmult1\\keepn\\li720\\fi-360\\tx720 \\b \\{end\\}Item\\par",
       "\\fs40 \\{end\\}Next\\par", "\\pard\\intbl\\qc\\li200 \\{table\\}a\\{td\\}\\{end\\}\\par", "}"},
      "id", {}, TopicStash{});
  ASSERT_GE(out.size(), 4u);
  const std::string item = "\\sl-240\\slmult1\\keepn\\li720\\fi-360\\tx720";
  EXPECT_EQ(out[out.size() - 4], "\\pard{\\pntext\\f1 \\'81\\'45\\tab}{\\*\\pn\\pnlvlblt{\\pntxtb\\'b7}}" + item +
                                     " \\b \\pard " + item + " Item\\par");
  EXPECT_EQ(out[out.size() - 3], "\\fs40 \\pard " + item + " Next\\par");
  EXPECT_EQ(out[out.size() - 2], "\\pard\\intbl\\qc\\li200 \\intbl a\\cell \\row \\pard \\qc\\li200 \\par");
  // Loaded again, the editor shows each {end} where the author put it.
  TopicFields fields;
  TopicStash stash;
  const Lines back = LoadTopicLines(out, fields, stash);
  std::string text;
  for (const std::string& line : back) text += line;
  EXPECT_NE(text.find("\\{keep\\}Head"), std::string::npos) << text;
  EXPECT_NE(text.find("\\b \\pard \\{end\\}" + item + " Item"), std::string::npos) << text;
}

// A paragraph's own \keepn, as the control wrote it, is saved so that
// loading the file does not take it for the topic's non-scrolling region
// ("\keepn " with its blank) and the paragraph keeps it.
TEST(SaveTopic, AParagraphsOwnKeepnStaysItsOwn) {
  const Lines out = SaveTopicLines(
      {kWineHeader, "{\\colortbl;}", "{\\*\\generator Wine Riched20 2.0;}", "\\pard\\sl-240\\slmult1 \\fs24 Head\\par",
       "\\pard\\sl-240\\slmult1\\keepn Heading\\par", "\\pard\\keepn Alone\\par",
       "\\pard\\sl-240\\slmult1\\keepn \\b Bold\\par", "\\pard\\sl-240\\slmult1\\keepn \\{end\\}End\\par", "}"},
      "id", {}, TopicStash{});
  ASSERT_GE(out.size(), 5u);
  EXPECT_EQ(out[out.size() - 5], "\\pard\\sl-240\\keepn\\slmult1 Heading\\par");
  EXPECT_EQ(out[out.size() - 4], "\\pard\\keepn{}Alone\\par");
  EXPECT_EQ(out[out.size() - 3], "\\pard\\sl-240\\slmult1\\keepn\\b Bold\\par");
  EXPECT_EQ(out[out.size() - 2], "\\pard\\sl-240\\slmult1\\keepn\\pard \\sl-240\\keepn\\slmult1 End\\par");
  TopicFields fields;
  TopicStash stash;
  const std::string loaded = RichEditStreamIn(LoadTopicLines(out, fields, stash));
  EXPECT_FALSE(fields.NoScroll) << loaded;
  const unsigned N = kKeepWithNext;
  EXPECT_EQ(ParagraphKeepFlags(loaded), (std::vector<unsigned>{0, N, N, N, N})) << loaded;
}

TEST(SaveTopic, ParagraphMarkupAndTid) {
  Lines out = SaveWin({"\\viewkind4\\uc1\\pard x\\par",
                       "\\{keep\\}\\{box\\}\\{line t\\}\\{style 2\\}\\{line q\\}\\{style z\\} \\{tid x2\\}y\\par"});
  EXPECT_EQ(out[1], "\\keep \\box \\brdrt \\brdrdb \\{line q\\}\\{style z\\} #{\\footnote x2} y\\par");
}

TEST(SaveTopic, HotspotsAndTheirText) {
  Lines out = SaveWin({"\\viewkind4\\uc1\\pard x\\par",
                       "\\{jmp a{\\b b,c}d,t\\} \\{pop 本ソ挿,本\\} \\{jmp m,!Mac(a,b)\\} \\{jmp \\{bmc x.bmp\\},t\\}",
                       "\\{button Go,JI(`a',`b')\\} \\{#jmp a,b\\} \\{jmp \\'96\\'7b,t\\}"});
  EXPECT_EQ(out[1], "{\\uldb a{\\b b,c}d}{\\v t} {\\ul 本ソ挿}{\\v 本} {\\uldb m}{\\v !Mac(a,b)} "
                    "{\\uldb \\{bmc x.bmp\\}}{\\v t}");
  EXPECT_EQ(out[2], "\\{button Go,JI(`a',`b')\\} \\{jmp a,b\\} {\\uldb \\'96\\'7b}{\\v t}");
}

TEST(SaveTopic, MarkupLeftOpenIsWrittenAsBalancedText) {
  Lines out = SaveWin({"\\viewkind4\\uc1\\pard x\\par", "\\{jmp abc\\par", "def,t\\}\\par", "\\{jmp nocomma\\}",
                       "\\{tid x", "\\{size 1,2\\par", "\\{button a\\}", "\\{pop a,{\\b b\\}}"});
  EXPECT_EQ(out[1], "\\{jmp abc\\par");
  EXPECT_EQ(out[2], "def,t\\}\\par");
  EXPECT_EQ(out[3], "\\{jmp nocomma\\}");
  EXPECT_EQ(out[4], "\\{tid x");
  EXPECT_EQ(out[5], "\\{size 1,2\\par");
  EXPECT_EQ(out[6], "\\{button a\\}");
  EXPECT_EQ(out[7], "\\{pop a,{\\b b\\}}");
  for (const auto& l : out) EXPECT_TRUE(test::ReadRtfContent(l).Balanced) << l;
}

TEST(SaveTopic, BulletGroupsAreDroppedOtherGroupsKept) {
  Lines out = SaveWin({"\\viewkind4\\uc1\\pard x\\par", "{\\pntext\\f1\\'B7\\tab}\\pard a\\par {\\pntext\\f1\\'B7\\tab}\\pard b",
                       "c\\par {\\f1 kept}\\pard d"});
  EXPECT_EQ(out[1], "\\pard a\\par b");  // one paragraph reset per line
  EXPECT_EQ(out[2], "c\\par {\\f1 kept}\\pard d");
}

TEST(SaveTopic, EmptyFirstBodyLineGetsNoBlock) {
  Lines out = SaveWin({"", "\\pard x"});
  EXPECT_EQ(out, (Lines{"", "\\pard x"}));
}

TEST(SaveTopic, StashedGroupsComeBackAndMissingOnesAreReported) {
  TopicStash st;
  st.FirstNumber = 7;
  st.Add("pict", "{\\pict 01\r\n02}");
  st.Add("footnote", "{\\footnote x}");
  st.Add("pict", "{\\pict 03}");
  std::vector<int> unused;
  Lines out = SaveTopicLines({kWinHeader, kWinColours, "\\viewkind4\\uc1\\pard a\\{pict 7\\}b\\par",
                              "K\\{footnote 8\\} \\{footnote 7\\} \\{pict 99\\} \\{jmp \\{pict 7\\},t\\}"},
                             "id", {}, st, &unused);
  EXPECT_EQ(out[2], "\\viewkind4\\uc1\\pard #{\\footnote id}  a{\\pict 01\r\n02}b\\par");
  EXPECT_EQ(out[3], "K{\\footnote x} \\{footnote 7\\} \\{pict 99\\} {\\uldb {\\pict 01\r\n02}}{\\v t}");
  EXPECT_EQ(unused, (std::vector<int>{9}));
}

TEST(SplitRichEditStreamOut, DropsTrailingNul) {
  EXPECT_EQ(SplitRichEditStreamOut(std::string("a\r\n}\r\n\0", 7)), (Lines{"a", "}"}));
}

// Load, then save the editor lines unchanged, then load again.
TEST(TopicRoundTrip, EveryConstructComesBack) {
  const Lines file{kWinHeader, kWinColours,
                   "\\viewkind4\\uc1\\pard\\keepn #{\\footnote abc} ${\\footnote 挿入} K{\\footnote k} \\f0\\fs24 "
                   "{\\uldb 本ソ}{\\v 挿} {\\ul p}{\\v q} \\{jmp x,y\\}\\par",
                   "\\pard \\keep a #{\\footnote extra} b\\par",
                   "\\box \\brdrb \\brdrdb e{\\pict 0a}\\par",
                   "\\pard \\{bmc a.bmp\\} \\{##x\\}\\par", "}"};
  TopicFields f;
  TopicStash st;
  Lines editor = LoadTopicLines(file, f, st);
  Lines saved = SaveTopicLines(editor, "abc", f, st);
  TopicFields f2;
  TopicStash st2;
  Lines again = LoadTopicLines(saved, f2, st2);
  EXPECT_EQ(f2, f);
  EXPECT_EQ(again, editor) << JoinLines(saved);
  EXPECT_EQ(saved, file);
  const auto before = test::ReadRtfContent(JoinLines(file));
  const auto after = test::ReadRtfContent(JoinLines(saved));
  EXPECT_EQ(after.Visible, before.Visible);
  EXPECT_EQ(after.Hidden, before.Hidden);
  EXPECT_EQ(after.Footnotes, before.Footnotes);
  EXPECT_TRUE(after.Balanced);
}

}  // namespace
}  // namespace qm::editor

namespace qm::editor {
namespace {

// What Wine's rich edit streamed out for a loaded topic: no \viewkind, a
// generator group on its own line, \'xx for every non-ASCII byte, \pard only
// where paragraph attributes change, and a NUL byte at the end.
TEST(SaveTopic, ObservedWineStreamOutSavesToTheTopicFile) {
  const std::string streamed =
      "{\\rtf1\\ansi\\ansicpg932\\uc1\\deff0\\deflang1041\\deflangfe1041{\\fonttbl{\\f0\\fcharset128 "
      "\\'82\\'6c\\'82\\'72;}}\r\n"
      "{\\colortbl;}\r\n"
      "{\\*\\generator Wine Riched20 2.0;}\r\n"
      "\\pard\\sl-240\\slmult1 \\lang1041\\fs24\\f0 \\'96\\'7b\\'83\\'5c\\'91\\'7d text \\{jmp "
      "\\'96\\'7b\\'83\\'5c,Target\\} and \\{pop pop,Pop\\}\\par\r\n"
      "\\{end\\}more \\{tid Extra\\}\\{bmc a.bmp\\} \\{#jmp x,y\\} \\{pict 1\\}\\par\r\n"
      "\\{#size 100,200\\}\\{#table\\}a\\{#td\\}b\\{#td\\}\\{#tr\\}\\{#end\\}\\par\r\n"
      "}\r\n";
  TopicFields f;
  f.NoScroll = true;
  f.TopicTitle = "本ソ挿";
  f.KKeywords = "key";
  TopicStash st;
  st.Add("pict", "{\\pict\\wmetafile8\\picw10\\pich10 0102}");
  std::vector<int> unused;
  const Lines out = SaveTopicLines(SplitRichEditStreamOut(streamed + std::string(1, '\0')), "Intro", f, st, &unused);
  EXPECT_TRUE(unused.empty());
  ASSERT_EQ(out.size(), 6u);
  EXPECT_EQ(out[2], "{\\*\\generator Wine Riched20 2.0;}\\pard\\sl-240\\slmult1 \\keepn #{\\footnote Intro} "
                    "${\\footnote 本ソ挿} K{\\footnote key} \\lang1041\\fs24\\f0 \\'96\\'7b\\'83\\'5c\\'91\\'7d text "
                    "{\\uldb \\'96\\'7b\\'83\\'5c}{\\v Target} and {\\ul pop}{\\v Pop}\\par");
  // {end} keeps the format the paragraph shares with the one before it.
  EXPECT_EQ(out[3], "\\pard \\sl-240\\slmult1 more #{\\footnote Extra} \\{bmc a.bmp\\} \\{jmp x,y\\} "
                    "{\\pict\\wmetafile8\\picw10\\pich10 0102}\\par");
  EXPECT_EQ(out[4], "\\{size 100,200\\}\\{table\\}a\\{td\\}b\\{td\\}\\{tr\\}\\{end\\}\\par");
  EXPECT_EQ(out[5], "}");

  // The file loads back to the same fields.
  TopicFields again;
  TopicStash st2;
  LoadTopicLines(out, again, st2);
  EXPECT_EQ(again, f);
}

}  // namespace
}  // namespace qm::editor

namespace qm::editor {
namespace {

TEST(SaveTopic, WineRowWithoutCellEdgesKeepsItsText) {
  Lines out = SaveWin({"\\viewkind4\\uc1\\pard x\\par", "\\trowdMeasure of mass\\row", "\\trowd\\pard\\intbl a\\row", "\\trowd6.0E-3\\row"});
  EXPECT_EQ(out[1], "\\trowd Measure of mass\\row");
  EXPECT_EQ(out[2], "\\trowd\\pard\\intbl a\\row");
  EXPECT_EQ(out[3], "\\trowd 6.0E-3\\row");
}

}  // namespace
}  // namespace qm::editor
