#include "controls/core/ArrowGlyphs.h"

namespace qm::controls {

namespace {

constexpr std::array<const char*, kArrowCellHeight> kTriangleDown = {
    ".XXXXXXX.", "..XXXXX..", "..XXXXX..", "...XXX...", "...XXX...", "....X...."};
constexpr std::array<const char*, kArrowCellHeight> kChevronDown = {
    ".X.....X.", "XXX...XXX", ".XXX.XXX.", "..XXXXX..", "...XXX...", "....X...."};

}  // namespace

std::array<std::string, kArrowCellHeight> ArrowGlyphRows(int cell) {
  const int c = (cell < 0 || cell >= kArrowCellCount) ? 0 : cell;
  const auto& base = c < 4 ? kTriangleDown : kChevronDown;
  const bool up = (c / 2) % 2 == 1;
  std::array<std::string, kArrowCellHeight> rows;
  for (int y = 0; y < kArrowCellHeight; ++y) rows[y] = base[up ? kArrowCellHeight - 1 - y : y];
  return rows;
}

std::uint32_t ArrowGlyphInk(int cell) { return cell % 2 == 1 ? 0x808080u : 0x000000u; }

std::vector<std::uint32_t> ArrowGlyphStrip() {
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(kArrowStripWidth) * kArrowCellHeight, kArrowBackground);
  for (int cell = 0; cell < kArrowCellCount; ++cell) {
    const auto rows = ArrowGlyphRows(cell);
    const std::uint32_t ink = ArrowGlyphInk(cell);
    for (int y = 0; y < kArrowCellHeight; ++y) {
      for (int x = 0; x < kArrowCellWidth; ++x) {
        if (rows[y][x] == 'X') pixels[static_cast<std::size_t>(y) * kArrowStripWidth + cell * kArrowCellWidth + x] = ink;
      }
    }
  }
  return pixels;
}

}  // namespace qm::controls
