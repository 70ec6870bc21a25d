// The arrow glyphs of the edit arrow button (TUpDnButton): eight cells of
// 9 x 6 pixels side by side (72 x 6), made from their row patterns rather
// than drawn.
//
// Cells: 0 solid triangle down, 2 solid triangle up (0 upside down), 4 open
// chevron down, 6 open chevron up (4 upside down), each in black; the odd
// cells are the cell before them in grey for the disabled button. Cells 0-3
// serve the classic look, 4-7 the themed look.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace qm::controls {

constexpr int kArrowCellWidth = 9;
constexpr int kArrowCellHeight = 6;
constexpr int kArrowCellCount = 8;
constexpr int kArrowStripWidth = kArrowCellWidth * kArrowCellCount;
// The background of the strip, drawn transparent.
constexpr std::uint32_t kArrowBackground = 0xFFFFFF;

// The rows of a cell from top to bottom: 'X' ink, '.' background.
std::array<std::string, kArrowCellHeight> ArrowGlyphRows(int cell);

// Ink colour of a cell as 0x00RRGGBB: black, or grey (0x808080) for the odd
// cells.
std::uint32_t ArrowGlyphInk(int cell);

// The strip's pixels as 0x00RRGGBB, top row first, kArrowStripWidth to a
// row: the memory layout of a top-down 32-bit DIB.
std::vector<std::uint32_t> ArrowGlyphStrip();

}  // namespace qm::controls
