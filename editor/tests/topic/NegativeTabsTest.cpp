#include <gtest/gtest.h>

#include "editor/core/NegativeTabs.h"

namespace qm::editor {
namespace {

// What Wine's control holds after reading the probe: the negative position
// as it is, its kind bits all set (its writer faults on it). A reader that
// drops it keeps nothing to write; one that holds it writably keeps it.
TEST(NegativeTabs, ProbeTellsAReaderWhoseWriterCannotWriteTheTab) {
  EXPECT_FALSE(ReaderKeepsNegativeTabs({-180, 86}));
  EXPECT_FALSE(ReaderKeepsNegativeTabs({86}));
  EXPECT_FALSE(ReaderKeepsNegativeTabs({}));
  EXPECT_TRUE(ReaderKeepsNegativeTabs({0x00FFFF4C, 86}));
  EXPECT_TRUE(ReaderKeepsNegativeTabs({0x51FFFF4C, 86}));  // right-aligned, dotted
  EXPECT_FALSE(ReaderKeepsNegativeTabs({0x06FFFF4C, 86}));
}

// Negative tab stops go to the end of their run at a far position, with
// their kind words; the control's RTF gets them back in front, so that the
// file's order comes back. Other words, runs without a negative stop and
// the blank before text stay as they were.
TEST(NegativeTabs, HiddenTabStopsComeBackInTheirPlaceAndOrder) {
  const std::string word =
      "{\\rtf1{\\stylesheet{\\s1\\tx180 h;}}\r\n"
      "\\pard\\fi-270\\li90\\tqr\\tldot\\tx-180\\tb-40\\tx86\\faauto {\\f1 \\'b7\\tab}text\\par\r\n"
      "\\pard\\li360\\tx-720\r\n\\tx360 A\\tab B\\par\\pard\\tx100\\tqc\\tx200 C\\par}";
  const std::string hidden = HideNegativeTabs(word);
  EXPECT_EQ(hidden,
            "{\\rtf1{\\stylesheet{\\s1\\tx180 h;}}\r\n"
            "\\pard\\fi-270\\li90\\tx86\\tqr\\tldot\\tx10000180\\tb10000040\\faauto {\\f1 \\'b7\\tab}text\\par\r\n"
            "\\pard\\li360\\tx10000720\r\n\\tx360 A\\tab B\\par\\pard\\tx100\\tqc\\tx200 C\\par}");
  EXPECT_EQ(RestoreNegativeTabs(hidden), word);
  // A control writes the stops it holds in its own order, a blank before
  // the text after the last one.
  EXPECT_EQ(RestoreNegativeTabs("\\pard\\li90\\tx86\\tqr\\tx10000180 x\\par\\pard\\tx10000000\\par"),
            "\\pard\\li90\\tqr\\tx-180\\tx86 x\\par\\pard\\tx0\\par");
  EXPECT_EQ(HideNegativeTabs("\\pard\\tx-0\\tx-99999999 x"), "\\pard\\tx-0\\tx-99999999 x");
}

}  // namespace
}  // namespace qm::editor
