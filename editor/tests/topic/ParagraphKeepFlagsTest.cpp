#include <gtest/gtest.h>

#include "editor/core/ParagraphKeepFlags.h"

namespace qm::editor {
namespace {

constexpr unsigned K = kKeepWhole;
constexpr unsigned N = kKeepWithNext;
// A right alignment as a control gives it (PFA_RIGHT).
constexpr long PFA_RIGHT_ = 2;

// What Wine's control holds after reading the probe (the first paragraph's
// flags carried into the second), and what a reader that clears them holds.
TEST(ParagraphKeepFlags, ProbeTellsAReaderThatCarriesTheFlags) {
  EXPECT_EQ(ParagraphKeepFlags(kKeepProbeRtf), (std::vector<unsigned>{K | N, 0}));
  EXPECT_TRUE(ReaderCarriesKeepFlags({K | N, K | N}));
  EXPECT_TRUE(ReaderCarriesKeepFlags({K | N, N}));
  EXPECT_FALSE(ReaderCarriesKeepFlags({K | N, 0}));
  // No control answered.
  EXPECT_FALSE(ReaderCarriesKeepFlags({}));
}

TEST(ParagraphKeepFlags, EachParagraphHasTheFlagsInForceAtItsEnd) {
  const struct {
    const char* rtf;
    std::vector<unsigned> flags;
  } cases[] = {
      // As loading passes a Word topic on: a heading's \keepn without a
      // blank, the header's tables (a style with \keepn, font names that are
      // no text), a paragraph without \pard keeping the one before it.
      {"{\\rtf1{\\fonttbl{\\f0 Arial;}}{\\stylesheet{\\s1\\keepn heading 1;}}\r\n"
       "\\pard\\plain \\s1\\keepn\\f0 Head\\par\r\n\\pard\\plain Body\\par Two\\par\r\n"
       "\\pard\\keep\\keepn\\par\\pard\\keep Whole\\par}",
       {N, 0, 0, K | N, K}},
      // Paragraph ends: \page, \sect, \row, a backslash before a line end;
      // a group's end restores the flags.
      {"\\pard\\keepn a\\page b\\sect\\pard c\\row {\\keepn d\\\r\ne\\par}f\\par", {N, N, 0, N, N, 0}},
      // Groups that are no text: notes, bullet text, \* destinations.
      {"\\pard a{\\footnote \\pard\\keepn x\\par}\\par{\\pntext\\keep\\tab}{\\*\\pn\\keepn}b\\par", {0, 0}},
      // The last paragraph without \par counts when it holds text (a hex
      // character, a tab, a picture), not when it holds words alone.
      {"\\pard a\\par\\keepn \\'82\\'a0", {0, N}},
      {"\\pard a\\par\\keepn\\tab", {0, N}},
      {"\\pard a\\par{\\pict\\wmetafile8 0102}", {0, 0}},
      {"\\pard a\\par\\pard\\keepn\r\n}", {0}},
      // Text that only looks like the words.
      {"\\pard\\\\keepn \\{keep\\} \\keepnx a\\par", {0}},
  };
  for (const auto& c : cases) EXPECT_EQ(ParagraphKeepFlags(c.rtf), c.flags) << c.rtf;
}

// After a paste the paragraphs before the selection keep their flags, the
// pasted ones take the RTF's, the one the paste runs into keeps the flags of
// the selection's last paragraph (the first's are gone with its end), and
// so do those after it.
TEST(ParagraphKeepFlags, APasteGivesOnlyThePastedParagraphsTheFlagsOfItsRtf) {
  const std::vector<unsigned> held{N, K, 0, K | N, 0};
  // Three paragraphs pasted at the start of the third, the last without a
  // \par of its own (it runs into the third).
  const std::vector<unsigned> pasted = ParagraphKeepFlags("\\pard\\keepn Heading\\par\\pard One\\par Two");
  EXPECT_EQ(KeepFlagsAfterPaste(held, 2, 2, pasted, 2), (std::vector<unsigned>{N, K, N, 0, 0, K | N, 0}));
  // Over a selection from the second paragraph into the fourth.
  EXPECT_EQ(KeepFlagsAfterPaste(held, 1, 3, pasted, 1), (std::vector<unsigned>{N, N, K | N, 0}));
  // More paragraph ends than the RTF has: nothing to go by.
  EXPECT_EQ(KeepFlagsAfterPaste(held, 2, 2, pasted, 4), std::vector<unsigned>{});
  EXPECT_EQ(KeepFlagsAfterPaste(held, 2, 5, pasted, 1), std::vector<unsigned>{});
}

// A reader that gives the last paragraph without \par the one before it
// gets a \par after its text, within its groups; text that ends in a
// paragraph end, or words without text after it, get none.
TEST(ParagraphKeepFlags, TheLastParagraphWithoutParIsEndedAfterItsText) {
  EXPECT_TRUE(ReaderLosesLastParagraphFormat({PFA_RIGHT_, PFA_RIGHT_}));
  EXPECT_FALSE(ReaderLosesLastParagraphFormat({PFA_RIGHT_, 1}));
  EXPECT_FALSE(ReaderLosesLastParagraphFormat({}));
  EXPECT_EQ(WithLastParagraphEnded("{\\rtf1\\pard\\qr A\\par\\pard\\li720 Last line}"),
            "{\\rtf1\\pard\\qr A\\par\\pard\\li720 Last line\\par }");
  EXPECT_EQ(WithLastParagraphEnded("{\\rtf1 A\\par{\\pard\\li720 B\\'e9\\tab {\\v x}\\plain}\r\n}"),
            "{\\rtf1 A\\par{\\pard\\li720 B\\'e9\\tab {\\v x\\par }\\plain}\r\n}");
  EXPECT_EQ(WithLastParagraphEnded("{\\rtf1 A\\par\\pard\\li720\\tab\\f0}"), "{\\rtf1 A\\par\\pard\\li720\\tab\\par \\f0}");
  for (const char* ended : {"{\\rtf1 A\\par}", "{\\rtf1 A\\par\\pard\\li720\\f0\r\n}", "{\\rtf1 A\\par{\\footnote x}}"})
    EXPECT_EQ(WithLastParagraphEnded(ended), ended);
}

}  // namespace
}  // namespace qm::editor
