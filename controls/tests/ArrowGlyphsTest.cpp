#include <gtest/gtest.h>

#include "controls/core/ArrowGlyphs.h"

namespace qm::controls {
namespace {

TEST(ArrowGlyphs, CellsFromTheirPatternsSideBySideInTheStrip) {
  EXPECT_EQ(ArrowGlyphRows(0)[0], ".XXXXXXX.");
  EXPECT_EQ(ArrowGlyphRows(2)[0], "....X....");
  EXPECT_EQ(ArrowGlyphRows(3)[5], ".XXXXXXX.");
  EXPECT_EQ(ArrowGlyphRows(6)[4], "XXX...XXX");
  EXPECT_EQ(ArrowGlyphRows(5), ArrowGlyphRows(4));

  // Every pixel of the strip is its cell's pattern: ink where 'X' (black,
  // grey in the odd cells), white elsewhere; rows from the top.
  const std::vector<std::uint32_t> strip = ArrowGlyphStrip();
  ASSERT_EQ(strip.size(), 72u * 6u);
  for (int cell = 0; cell < kArrowCellCount; ++cell) {
    const auto rows = ArrowGlyphRows(cell);
    const std::uint32_t ink = cell % 2 == 1 ? 0x808080u : 0x000000u;
    for (int y = 0; y < kArrowCellHeight; ++y) {
      for (int x = 0; x < kArrowCellWidth; ++x) {
        EXPECT_EQ(strip[y * 72 + cell * 9 + x], rows[y][x] == 'X' ? ink : 0xFFFFFFu)
            << "cell " << cell << " at " << x << "," << y;
      }
    }
  }
}

}  // namespace
}  // namespace qm::controls
