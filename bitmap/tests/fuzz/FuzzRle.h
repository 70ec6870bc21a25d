// Shared body of the RLE decoder fuzzers: a BMP file supplies width, height
// and codes; any other input is 2 bytes width, 2 bytes height, then codes.
#pragma once

#include <cstdint>
#include <cstring>
#include <vector>

#include "bitmap/core/QvDibMemory.h"
#include "bitmap/core/QvDibRle.h"
#include "core/LittleEndian.h"

inline int FuzzRle(const uint8_t* data, size_t size, int bits) {
  qm::TQvDIBData src{};
  src.Header.biSize = 40;
  src.Header.biPlanes = 1;
  src.Header.biBitCount = static_cast<uint16_t>(bits);
  src.Header.biCompression = bits == 8 ? qm::kBiRle8 : qm::kBiRle4;
  const uint8_t* codes;
  size_t n;
  if (size >= 54 && data[0] == 'B' && data[1] == 'M') {
    uint32_t off = qm::LoadLe32(data + 10);
    const int32_t w = static_cast<int32_t>(qm::LoadLe32(data + 18));
    const int32_t h = static_cast<int32_t>(qm::LoadLe32(data + 22));
    if (off > size) off = static_cast<uint32_t>(size);
    src.Header.biWidth = w;
    src.Header.biHeight = h;
    codes = data + off;
    n = size - off;
  } else {
    if (size < 4) return 0;
    const int16_t w = static_cast<int16_t>(qm::LoadLe16(data));
    const int16_t h = static_cast<int16_t>(qm::LoadLe16(data + 2));
    src.Header.biWidth = w;
    src.Header.biHeight = h;
    codes = data + 4;
    n = size - 4;
  }
  // Keep each run small enough for many runs per second.
  int64_t rows = src.Header.biHeight < 0 ? -int64_t{src.Header.biHeight} : src.Header.biHeight;
  if (int64_t{src.Header.biWidth} * rows > 4 * 1024 * 1024) return 0;
  std::vector<uint8_t> buf(codes, codes + n);  // exactly sized
  src.Bits = buf.data();
  src.Size = static_cast<int32_t>(buf.size());
  qm::TQvDIBData out{};
  try {
    if (bits == 8) qm::Convert8BitRLETo8BitRGB(src, out, false);
    else qm::Convert4BitRLETo4BitRGB(src, out, false);
    // Touch every output byte.
    volatile uint8_t sum = 0;
    for (int32_t i = 0; i < out.Size; ++i) sum = static_cast<uint8_t>(sum + out.Bits[i]);
    qm::ReleaseMemory(out.MappingHandle, out.Bits, false);
  } catch (const std::exception&) {
  }
  return 0;
}
