#include <gtest/gtest.h>

#include "editor/core/CopiedParagraphFormat.h"

namespace qm::editor {
namespace {

const char kHeader[] =
    "{\\rtf1\\ansi\\ansicpg932\\uc1\\deff0\\deflang1041\\deflangfe1041{\\fonttbl{\\f0\\fcharset128 System;}}\r\n"
    "{\\colortbl;}\r\n{\\*\\generator Wine Riched20 2.0;}\r\n";

// Wine's control's copy of the second of two paragraphs with the probe's
// indents, and a copy that has them (right or swapped).
TEST(CopiedParagraphFormat, ProbeTellsACopyWithoutIndentsFromOneWithThem) {
  EXPECT_TRUE(WriterLeavesOutCopiedFormat(std::string(kHeader) + "\\lang1041\\fs20\\f0 b\\par\r\n}"));
  EXPECT_FALSE(WriterLeavesOutCopiedFormat(std::string(kHeader) + "\\pard\\li720\\fi360 b\\par\r\n}"));
  EXPECT_FALSE(WriterLeavesOutCopiedFormat(std::string(kHeader) + "\\pard\\fi-360\\li1080 b\\par\r\n}"));
  // Words that only begin like them, an escaped backslash, no answer at all.
  EXPECT_TRUE(WriterLeavesOutCopiedFormat("{\\rtf1\\line \\field \\\\li720 \\fill b\\par}"));
  EXPECT_FALSE(WriterLeavesOutCopiedFormat(""));
}

TEST(CopiedParagraphFormat, FormatIsWrittenAsRtfMeansIt) {
  EXPECT_EQ(ParagraphFormatRtf({}), "\\pard ");
  ParagraphFormat f;
  f.start = 1080;
  f.offset = -360;
  f.right = 200;
  f.alignment = ParagraphFormat::kCenter;
  f.bullet = true;
  f.tabs = {720, 1440};
  EXPECT_EQ(ParagraphFormatRtf(f),
            "\\pard{\\*\\pn\\pnlvlblt\\pnindent0{\\pntxtb\\'b7}}\\qc\\li720\\fi360\\ri200\\tx720\\tx1440 ");
  // A hanging paragraph: the body starts at the start plus the offset.
  f = {};
  f.offset = 360;
  f.alignment = ParagraphFormat::kJustify;
  EXPECT_EQ(ParagraphFormatRtf(f), "\\pard\\qj\\li360\\fi-360 ");
  f = {};
  f.start = 720;
  f.alignment = ParagraphFormat::kRight;
  EXPECT_EQ(ParagraphFormatRtf(f), "\\pard\\qr\\li720 ");
}

// The properties go after the header's tables, before the first paragraph's
// words and its bullet text; a copy whose first paragraph has a \pard of its
// own (or that is no RTF) stays as it is.
TEST(CopiedParagraphFormat, PropertiesGoBeforeTheFirstParagraphOnlyWhenItHasNone) {
  const std::string props = "\\pard\\li720\\fi360 ";
  const std::string body = "{\\pntext\\f1 \\'81\\'45\\tab}\\lang1041\\fs20\\f0 B\\'82\\'a0\\par\r\nC\\par\r\n}";
  EXPECT_EQ(WithFirstParagraphFormat(kHeader + body, props), kHeader + props + body);
  // Text at once, and a double-byte character whose trail byte is a brace.
  EXPECT_EQ(WithFirstParagraphFormat("{\\rtf1{\\fonttbl{\\f0 \x83}a;}}\x83{x\\par}", props),
            "{\\rtf1{\\fonttbl{\\f0 \x83}a;}}" + props + "\x83{x\\par}");
  for (const std::string& own : {std::string(kHeader) + "\\pard\\li720\\fi360 \\lang1041 B\\par\r\n}",
                                std::string(kHeader) + "{\\pntext\\f1 \\'81\\'45\\tab}\\pard\\qc B\\par\r\n}",
                                std::string("plain text"), std::string()}) {
    EXPECT_EQ(WithFirstParagraphFormat(own, props), own);
  }
  // A \pard of a later paragraph is not the first one's.
  const std::string later = std::string(kHeader) + "\\fs20 B\\par\r\n\\pard\\qc C\\par\r\n}";
  EXPECT_EQ(WithFirstParagraphFormat(later, props),
            std::string(kHeader) + props + "\\fs20 B\\par\r\n\\pard\\qc C\\par\r\n}");
}

}  // namespace
}  // namespace qm::editor
