#include "bitmap/core/QvBmpFormat.h"

#include <cstring>

namespace qm {

bool ReadBmpFileHeader(ByteReader& r, QvBmpFileHeader& out) {
  const uint8_t* b;
  if (!r.ReadInPlace(kBmpFileHeaderSize, b)) return false;
  out.type = LoadLe16(b);
  out.fileSize = LoadLe32(b + 2);
  out.offBits = LoadLe32(b + 10);
  return true;
}

bool ReadBmpHeader(ByteReader& r, uint32_t size, QvBmpHeader& out) {
  QvAssert(size == kBmpCoreHeaderSize || size >= kBmpInfoHeaderSize,
           "ReadBmpHeader: Header Size Must be 12 or at least 40");
  // The whole header is asked for at once, so that a stream that delivers
  // it in pieces is asked once.
  const uint8_t* body;
  if (!r.ReadInPlace(size - 4, body)) return false;
  // Fields by their offset in the header, which counts the size field too.
  auto at = [body](uint32_t offset) { return body + (offset - 4); };
  out = QvBmpHeader{};
  out.size = size;
  QvBitmapInfoHeader& h = out.info;
  h.biSize = size;
  if (size == kBmpCoreHeaderSize) {
    h.biWidth = LoadLe16(at(4));
    h.biHeight = LoadLe16(at(6));
    h.biPlanes = LoadLe16(at(8));
    h.biBitCount = LoadLe16(at(10));
    return true;
  }
  h.biWidth = static_cast<int32_t>(LoadLe32(at(4)));
  h.biHeight = static_cast<int32_t>(LoadLe32(at(8)));
  h.biPlanes = LoadLe16(at(12));
  h.biBitCount = LoadLe16(at(14));
  h.biCompression = LoadLe32(at(16));
  h.biSizeImage = LoadLe32(at(20));
  h.biXPelsPerMeter = static_cast<int32_t>(LoadLe32(at(24)));
  h.biYPelsPerMeter = static_cast<int32_t>(LoadLe32(at(28)));
  h.biClrUsed = LoadLe32(at(32));
  h.biClrImportant = LoadLe32(at(36));
  if (size > kBmpInfoHeaderSize) {
    uint8_t m[12] = {};
    std::memcpy(m, at(40), size - 40 < sizeof m ? size - 40 : sizeof m);
    for (int i = 0; i < 3; ++i) out.masks[i] = LoadLe32(m + 4 * i);
  }
  return true;
}

bool ReadBmpMasks(ByteReader& r, QvBmpHeader& header) {
  if (header.size != kBmpInfoHeaderSize) return true;
  const uint8_t* b;
  if (!r.ReadInPlace(12, b)) return false;
  for (int i = 0; i < 3; ++i) header.masks[i] = LoadLe32(b + 4 * i);
  return true;
}

bool ReadBmpColors(ByteReader& r, const QvBmpHeader& header, uint64_t count, QvRGBQuad* colors,
                   uint64_t keep) {
  const uint64_t kept = count < keep ? count : keep;
  const uint8_t* b;
  if (header.IsCore()) {
    if (!r.ReadInPlace(3 * kept, b)) return false;
    for (uint64_t i = 0; i < kept; ++i)
      colors[i] = QvRGBQuad{b[3 * i], b[3 * i + 1], b[3 * i + 2], 0};
    return r.Skip(3 * (count - kept));
  }
  if (!r.ReadInPlace(4 * kept, b)) return false;
  if (kept) std::memcpy(colors, b, static_cast<size_t>(4 * kept));
  return r.Skip(4 * (count - kept));
}

uint64_t BmpColorCount(const QvBitmapInfoHeader& h) {
  return h.biClrUsed ? h.biClrUsed : static_cast<uint64_t>(DefaultColorCount(h.biBitCount));
}

void WriteBmpFileHeader(ByteWriter& w, uint32_t fileSize, uint32_t offBits) {
  w.WriteU16(kBmpFileType);
  w.WriteU32(fileSize);
  w.WriteU16(0);
  w.WriteU16(0);
  w.WriteU32(offBits);
}

void WriteBmpInfoHeader(ByteWriter& w, const QvBitmapInfoHeader& h) {
  w.WriteU32(h.biSize);
  w.WriteI32(h.biWidth);
  w.WriteI32(h.biHeight);
  w.WriteU16(h.biPlanes);
  w.WriteU16(h.biBitCount);
  w.WriteU32(h.biCompression);
  w.WriteU32(h.biSizeImage);
  w.WriteI32(h.biXPelsPerMeter);
  w.WriteI32(h.biYPelsPerMeter);
  w.WriteU32(h.biClrUsed);
  w.WriteU32(h.biClrImportant);
}

void WriteBmpHeaders(ByteWriter& w, const QvBitmapInfoHeader& h, const void* colorTable,
                     uint32_t colorCount, uint32_t pixelBytes) {
  const uint32_t offBits = kBmpFileHeaderSize + kBmpInfoHeaderSize + 4 * colorCount;
  WriteBmpFileHeader(w, offBits + pixelBytes, offBits);
  WriteBmpInfoHeader(w, h);
  w.WriteBytes(colorTable, 4 * size_t{colorCount});
}

}  // namespace qm
