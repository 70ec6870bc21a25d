#include "editor/core/ArrowGlyphs.h"

#include <cstdint>

#include "bitmap/core/QvBmpFormat.h"
#include "bitmap/core/QvDibTypes.h"
#include "core/ByteWriter.h"

namespace qm::editor {

namespace {

constexpr std::array<const char*, kArrowCellHeight> kTriangleDown = {
    ".XXXXXXX.", "..XXXXX..", "..XXXXX..", "...XXX...", "...XXX...", "....X...."};
constexpr std::array<const char*, kArrowCellHeight> kChevronDown = {
    ".X.....X.", "XXX...XXX", ".XXX.XXX.", "..XXXXX..", "...XXX...", "....X...."};

// The standard 16-colour palette as 0x00RRGGBB.
constexpr std::uint32_t kPalette16[16] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080,
                                          0x008080, 0xC0C0C0, 0x808080, 0xFF0000, 0x00FF00, 0xFFFF00,
                                          0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
constexpr int kBlackIndex = 0;
constexpr int kGreyIndex = 8;
constexpr int kWhiteIndex = 15;

}  // namespace

std::array<std::string, kArrowCellHeight> ArrowGlyphRows(int cell) {
  const int c = (cell < 0 || cell >= kArrowCellCount) ? 0 : cell;
  const auto& base = c < 4 ? kTriangleDown : kChevronDown;
  const bool up = (c / 2) % 2 == 1;
  std::array<std::string, kArrowCellHeight> rows;
  for (int y = 0; y < kArrowCellHeight; ++y) rows[y] = base[up ? kArrowCellHeight - 1 - y : y];
  return rows;
}

unsigned ArrowGlyphInk(int cell) { return cell % 2 == 1 ? 0x808080u : 0x000000u; }

std::string ArrowGlyphBitmap() {
  constexpr int width = kArrowCellWidth * kArrowCellCount;
  constexpr int height = kArrowCellHeight;
  const std::int64_t stride = DibStride(width, 4);
  // Pixels as palette indexes, top row first.
  std::uint8_t pixels[height][width];
  for (int cell = 0; cell < kArrowCellCount; ++cell) {
    const auto rows = ArrowGlyphRows(cell);
    const int ink = cell % 2 == 1 ? kGreyIndex : kBlackIndex;
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < kArrowCellWidth; ++x) {
        pixels[y][cell * kArrowCellWidth + x] = static_cast<std::uint8_t>(rows[y][x] == 'X' ? ink : kWhiteIndex);
      }
    }
  }
  std::uint8_t table[16 * 4];
  for (int i = 0; i < 16; ++i) {
    table[4 * i] = static_cast<std::uint8_t>(kPalette16[i]);            // blue
    table[4 * i + 1] = static_cast<std::uint8_t>(kPalette16[i] >> 8);   // green
    table[4 * i + 2] = static_cast<std::uint8_t>(kPalette16[i] >> 16);  // red
    table[4 * i + 3] = 0;
  }
  QvBitmapInfoHeader info{};
  info.biSize = kBmpInfoHeaderSize;
  info.biWidth = width;
  info.biHeight = height;
  info.biPlanes = 1;
  info.biBitCount = 4;
  info.biClrUsed = 16;
  std::string out;
  ByteWriter w(out);
  WriteBmpHeaders(w, info, table, 16, static_cast<std::uint32_t>(stride * height));
  // Bottom-up rows, two pixels a byte, high nibble first.
  for (int y = height - 1; y >= 0; --y) {
    std::string row(static_cast<std::size_t>(stride), '\0');
    for (int x = 0; x < width; ++x) {
      const std::uint8_t v = pixels[y][x];
      row[x / 2] = static_cast<char>(x % 2 == 0 ? (v << 4) : (static_cast<std::uint8_t>(row[x / 2]) | v));
    }
    out += row;
  }
  return out;
}

}  // namespace qm::editor
