#include <gtest/gtest.h>

#include "editor/core/SwappedIndents.h"

namespace qm::editor {
namespace {

// What Wine's rich edit wrote for a paragraph of start indent 1080 and
// offset -360 (RTF: \li720\fi360), and what a right writer writes.
TEST(SwappedIndents, ProbeTellsASwappingWriterFromARightOne) {
  EXPECT_TRUE(WriterSwapsIndents("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\r\n{\\*\\generator Wine Riched20 2.0;}\r\n"
                                 "\\pard\\sl-240\\slmult1\\li-360\\fi1080 \\lang1041\\fs20\\f0 x\\par\r\n}"));
  EXPECT_FALSE(WriterSwapsIndents("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\r\n\\pard\\fi360\\li720\\f0\\fs20 x\\par\r\n}"));
  // A control that writes no indents at all is not mended either.
  EXPECT_FALSE(WriterSwapsIndents("{\\rtf1\\ansi\\pard\\f0 x\\par}"));
}

// Each paragraph's properties are its own, however its neighbours are
// written: what Wine's control wrote (left) and the mended text (right).
TEST(SwappedIndents, EachParagraphIsMendedByItself) {
  const struct {
    const char* written;
    const char* mended;
  } cases[] = {
      // Paragraphs as a file had them (\li720\fi360, \li360\fi-360, \li360,
      // \fi360, none), as the control wrote them, zeros left out.
      {"\\pard\\sl-240\\slmult1\\li-360\\fi1080 \\lang1041\\fs20\\f0 a\\par\r\n\\pard\\sl-240\\slmult1\\li360 b\\par\r\n"
       "\\pard\\fi360 c\\par\r\n\\pard\\li-360\\fi360 d\\par\r\n\\pard\\sl-240\\slmult1 e\\par\r\n",
       "\\pard\\sl-240\\slmult1\\li720\\fi360 \\lang1041\\fs20\\f0 a\\par\r\n\\pard\\sl-240\\slmult1\\li360\\fi-360 b\\par\r\n"
       "\\pard\\li360\\fi0 c\\par\r\n\\pard\\li0\\fi360 d\\par\r\n\\pard\\sl-240\\slmult1 e\\par\r\n"},
      // A paragraph without text (\li720\fi360), then a hanging one
      // (\li360\fi-360): the control writes their words as one run.
      {"\\pard\\sl-240\\slmult1\\li-360\\fi1080 \\par\r\n\\pard\\sl-240\\slmult1\\li360 Hanging\\par\r\n",
       "\\pard\\sl-240\\slmult1\\li720\\fi360 \\par\r\n\\pard\\sl-240\\slmult1\\li360\\fi-360 Hanging\\par\r\n"},
      // Typed: left 20 / first 0 empty, then left 40 / first -20 with text.
      {"\\pard\\fi400 \\par\r\n\\pard\\li400\\fi400 Long line\\par\r\n",
       "\\pard\\li400\\fi0 \\par\r\n\\pard\\li800\\fi-400 Long line\\par\r\n"},
      // A paragraph of a tab alone, of a line break alone (the control ends
      // the line after \line).
      {"\\pard\\li-360\\fi1080 \\tab \\par\r\n\\pard\\li360 Two\\par\r\n",
       "\\pard\\li720\\fi360 \\tab \\par\r\n\\pard\\li360\\fi-360 Two\\par\r\n"},
      {"\\pard\\li-360\\fi1080 \\line\r\n\\par\r\n\\pard\\li360 Three\\par\r\n",
       "\\pard\\li720\\fi360 \\line\r\n\\par\r\n\\pard\\li360\\fi-360 Three\\par\r\n"},
      // Several paragraphs on one line; one without a \pard of its own keeps
      // the one before it.
      {"\\pard\\fi115 a\\par \\par \\pard\\li-20\\fi120 \\par\\pard\\fi115 b\\par c\\par",
       "\\pard\\li115\\fi0 a\\par \\par \\pard\\li100\\fi20 \\par\\pard\\li115\\fi0 b\\par c\\par"},
      // A \par inside a group ends its paragraph; a group between a
      // paragraph's words does not.
      {"\\pard\\li-360\\fi1080 {\\b \\par}\\li360 x\\par",
       "\\pard\\li720\\fi360 {\\b \\par}\\li360\\fi-360 x\\par"},
      {"\\pard\\li-360{\\*\\pn\\pnlvlblt{\\pntxtb\\'b7}}\\fi1080 x\\par",
       "\\pard\\li720\\fi360{\\*\\pn\\pnlvlblt{\\pntxtb\\'b7}}x\\par"},
      // The last paragraph without \par, and one whose words come after its
      // text (a blank that only ended a word is no text).
      {"\\pard\\fi360 a\\par\\pard\\li-360\\fi1080 last}", "\\pard\\li360\\fi0 a\\par\\pard\\li720\\fi360 last}"},
      {"\\pard\\li-360 a\\fi1080 b\\par", "\\pard\\li720\\fi360 ab\\par"},
  };
  for (const auto& c : cases) EXPECT_EQ(MendSwappedIndents(c.written), c.mended) << c.written;
}

TEST(SwappedIndents, TextAndOtherWordsStayAsTheyAre) {
  // The blank that ends the run's last word still parts it from the text.
  EXPECT_EQ(MendSwappedIndents("\\pard\\li-360\\fi1080 text"), "\\pard\\li720\\fi360 text");
  EXPECT_EQ(MendSwappedIndents("\\pard\\fi1080 \\li-360 text"), "\\pard\\li720\\fi360 text");
  // A run broken by a line break is one run.
  EXPECT_EQ(MendSwappedIndents("\\pard\\li-360\r\n\\fi1080 x"), "\\pard\\li720\\fi360\r\nx");
  // Escaped backslashes, hex escapes, longer words and double-byte text.
  const std::string other = "\\\\li100 \\\\fi5 \\'82\\'a0 \\line \\field \\lin200 \\fis9 \x88\x5c\x66i \\{li 3\\}";
  EXPECT_EQ(MendSwappedIndents(other), other);
}

}  // namespace
}  // namespace qm::editor
