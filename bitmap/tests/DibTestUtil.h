// Helpers of the bitmap tests: BMP files built byte by byte, and a DIB read
// back as top-down RGB pixels.
#pragma once

#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

#include "bitmap/core/QvBmpFormat.h"
#include "bitmap/core/QvDibRle.h"
#include "bitmap/core/QvDibMemory.h"
#include "bitmap/core/QvInternalDib.h"

namespace qm::test {

inline void Put16(std::string& s, uint16_t v) { ByteWriter(s).WriteU16(v); }
inline void Put32(std::string& s, uint32_t v) { ByteWriter(s).WriteU32(v); }

struct BmpSpec {
  int32_t width = 1;
  int32_t height = 1;
  uint16_t bits = 8;
  uint32_t compression = 0;
  uint32_t clrUsed = 0;       // as written into the header
  uint16_t planes = 1;
  std::vector<uint32_t> colors;  // written as the colour table (BGRA words)
  std::vector<uint32_t> masks;   // written between header and colours
  std::string pixels;
  uint32_t gap = 0;              // bytes between colour table and pixels
  int64_t offBitsDelta = 0;      // added to the correct bfOffBits
  int64_t sizeDelta = 0;         // added to the correct bfSize
  uint32_t headerSize = 40;
};

inline std::string MakeBmp(const BmpSpec& b) {
  QvBitmapInfoHeader h{};
  h.biSize = b.headerSize;
  h.biWidth = b.width;
  h.biHeight = b.height;
  h.biPlanes = b.planes;
  h.biBitCount = b.bits;
  h.biCompression = b.compression;
  h.biClrUsed = b.clrUsed;
  std::string body;
  ByteWriter w(body);
  WriteBmpInfoHeader(w, h);
  for (uint32_t m : b.masks) w.WriteU32(m);
  for (uint32_t c : b.colors) w.WriteU32(c);
  w.WriteZeros(b.gap);
  uint32_t off = static_cast<uint32_t>(14 + body.size() + b.offBitsDelta);
  uint32_t size = static_cast<uint32_t>(14 + body.size() + b.pixels.size() + b.sizeDelta);
  std::string f;
  ByteWriter fw(f);
  WriteBmpFileHeader(fw, size, off);
  return f + body + b.pixels;
}

inline std::string Rows(int rows, const std::string& row) {
  std::string s;
  for (int i = 0; i < rows; ++i) s += row;
  return s;
}

// Pixels of a stored DIB (any pixel format, RLE decoded) as RGB triples,
// top row first.
inline std::vector<uint8_t> ToRgb(const TQvDIBData& in) {
  TQvDIBData d = in;
  TQvDIBData decoded{};
  bool own = false;
  if (d.Header.biCompression == kBiRle8) {
    Convert8BitRLETo8BitRGB(d, decoded, false);
    d = decoded;
    own = true;
  } else if (d.Header.biCompression == kBiRle4) {
    Convert4BitRLETo4BitRGB(d, decoded, false);
    d = decoded;
    own = true;
  }
  const int w = d.Header.biWidth;
  const int h = d.Header.biHeight < 0 ? -d.Header.biHeight : d.Header.biHeight;
  const int bits = d.Header.biBitCount;
  const int64_t stride = DibStride(w, bits);
  std::vector<uint8_t> out;
  out.reserve(static_cast<size_t>(w) * h * 3);
  for (int y = 0; y < h; ++y) {
    int memRow = d.Header.biHeight < 0 ? y : h - 1 - y;
    const uint8_t* row = d.Bits + stride * memRow;
    for (int x = 0; x < w; ++x) {
      if (bits == 24) {
        out.push_back(row[3 * x + 2]);
        out.push_back(row[3 * x + 1]);
        out.push_back(row[3 * x]);
        continue;
      }
      int idx;
      if (bits == 8) idx = row[x];
      else if (bits == 4) idx = (x & 1) ? row[x / 2] & 15 : row[x / 2] >> 4;
      else idx = (row[x / 8] >> (7 - (x & 7))) & 1;
      const QvRGBQuad& c = d.Colors[idx];
      out.push_back(c.rgbRed);
      out.push_back(c.rgbGreen);
      out.push_back(c.rgbBlue);
    }
  }
  if (own) ReleaseMemory(d.MappingHandle, d.Bits, false);
  return out;
}

}  // namespace qm::test
