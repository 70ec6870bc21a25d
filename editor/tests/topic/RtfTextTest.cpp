#include <gtest/gtest.h>

#include "editor/core/RtfText.h"

namespace qm::editor {
namespace {

constexpr auto npos = std::string_view::npos;

TEST(RtfText, AStepIsAnEscapeADoubleByteCharacterOrOneByte) {
  EXPECT_EQ(RtfStepLength("\\{x", 0), 2u);
  EXPECT_EQ(RtfStepLength("x\\", 1), 1u);  // a backslash at the end
  EXPECT_EQ(RtfStepLength("\x83\x7D", 0), 2u);
  EXPECT_EQ(RtfStepLength("a\x83", 1), 1u);  // a lead byte at the end
  // A backslash before a double-byte character escapes nothing of it.
  EXPECT_EQ(RtfStepLength("\\\x83\x7D", 0), 1u);
  EXPECT_TRUE(StartsAt("{\\pict", 1, "\\pict"));
  EXPECT_FALSE(StartsAt("ab", 3, ""));
  EXPECT_TRUE(ControlWordEndsAt("\\pict1", 6));
  EXPECT_TRUE(ControlWordEndsAt("\\pict ", 5));
  EXPECT_FALSE(ControlWordEndsAt("\\picture", 5));
}

TEST(RtfText, AGroupEndsAtItsOwnBraceOnTheLine) {
  EXPECT_EQ(FindGroupEnd("x{a{b}c}d", 1), 7u);
  EXPECT_EQ(FindGroupEnd("{a\\}b\\{}", 0), 7u);
  // The trail byte of "マ" is '}': never a brace, even after a backslash.
  EXPECT_EQ(FindGroupEnd("{\x83\x7D}", 0), 3u);
  EXPECT_EQ(FindGroupEnd("{\\\x83\x7D}", 0), 4u);
  EXPECT_EQ(FindGroupEnd("{a{b}", 0), npos);
}

}  // namespace
}  // namespace qm::editor
