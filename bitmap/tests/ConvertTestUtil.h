// Helpers of the converter tests: plain pictures drawn by a function, and
// converter results that free themselves.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "bitmap/core/QvDibMemory.h"
#include "bitmap/core/QvInternalDib.h"

namespace qm::test {

// A converter's result (heap memory), released at the end of the scope.
struct Result {
  TQvDIBData d{};
  Result() = default;
  Result(const Result&) = delete;
  Result& operator=(const Result&) = delete;
  ~Result() {
    if (d.Bits) ReleaseMemory(d.MappingHandle, d.Bits, false);
  }
};

// A plain picture of width x |height| (negative height: top-down) at bits
// per pixel. pixel(x, y), y counted from the top row, gives a colour index,
// or 0xRRGGBB for 24 bits.
inline std::unique_ptr<TQvInternalDIB> Picture(int width, int height, int bits,
                                               const std::vector<QvRGBQuad>& colors,
                                               const std::function<uint32_t(int, int)>& pixel) {
  auto dib = std::make_unique<TQvInternalDIB>(false);
  dib->ClearDIB();
  dib->CreateDIB(width, height, bits, static_cast<int>(colors.size()));
  for (size_t i = 0; i < colors.size(); ++i) dib->Data.Colors[i] = colors[i];
  const int rows = height < 0 ? -height : height;
  const int64_t stride = DibStride(width, bits);
  for (int y = 0; y < rows; ++y) {
    uint8_t* row = dib->Data.Bits + stride * (height < 0 ? y : rows - 1 - y);
    for (int x = 0; x < width; ++x) {
      const uint32_t v = pixel(x, y);
      switch (bits) {
        case 1: row[x / 8] = static_cast<uint8_t>(row[x / 8] | (v & 1) << (7 - x % 8)); break;
        case 4: row[x / 2] = static_cast<uint8_t>(row[x / 2] | (v & 15) << (x % 2 ? 0 : 4)); break;
        case 8: row[x] = static_cast<uint8_t>(v); break;
        default:
          row[3 * x] = static_cast<uint8_t>(v);
          row[3 * x + 1] = static_cast<uint8_t>(v >> 8);
          row[3 * x + 2] = static_cast<uint8_t>(v >> 16);
      }
    }
  }
  return dib;
}

inline QvRGBQuad Rgb(uint8_t red, uint8_t green, uint8_t blue) { return QvRGBQuad{blue, green, red, 0}; }

}  // namespace qm::test
