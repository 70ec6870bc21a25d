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

// Each paragraph as the file had it, as Wine's control read it and wrote it
// back (zero values left out), and mended.
TEST(SwappedIndents, EveryParagraphGetsItsIndentsBack) {
  const std::string written =
      "\\pard\\sl-240\\slmult1\\li-360\\fi1080 \\lang1041\\fs20\\f0 a\\par\r\n"  // \li720\fi360
      "\\pard\\sl-240\\slmult1\\li360 b\\par\r\n"                               // \li360\fi-360
      "\\pard\\sl-240\\slmult1\\fi360 c\\par\r\n"                               // \li360
      "\\pard\\sl-240\\slmult1\\li-360\\fi360 d\\par\r\n"                       // \fi360
      "\\pard\\sl-240\\slmult1 e\\par\r\n";
  EXPECT_EQ(MendSwappedIndents(written),
            "\\pard\\sl-240\\slmult1\\li720\\fi360 \\lang1041\\fs20\\f0 a\\par\r\n"
            "\\pard\\sl-240\\slmult1\\li360\\fi-360 b\\par\r\n"
            "\\pard\\sl-240\\slmult1\\li360\\fi0 c\\par\r\n"
            "\\pard\\sl-240\\slmult1\\li0\\fi360 d\\par\r\n"
            "\\pard\\sl-240\\slmult1 e\\par\r\n");
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
