#include <gtest/gtest.h>

#include "editor/core/ParagraphKeepFlags.h"

namespace qm::editor {
namespace {

constexpr unsigned K = kKeepWhole;
constexpr unsigned N = kKeepWithNext;

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

}  // namespace
}  // namespace qm::editor
