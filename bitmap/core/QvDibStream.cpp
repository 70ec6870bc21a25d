// BMP files and packed DIBs: reading into and writing from TQvInternalDIB.
#include <bit>
#include <climits>
#include <cstring>

#include "bitmap/core/QvDibMemory.h"
#include "bitmap/core/QvInternalDib.h"

static_assert(std::endian::native == std::endian::little,
              "the DIB records are read and written as they lie in memory");

namespace qm {

namespace {

uint32_t Le32(const uint8_t* p) {
  uint32_t v;
  std::memcpy(&v, p, 4);
  return v;
}
uint16_t Le16(const uint8_t* p) {
  uint16_t v;
  std::memcpy(&v, p, 2);
  return v;
}

// Information headers: the 40-byte one and its longer successors, whose first
// 40 bytes are the same and which hold the bit-field masks at offset 40.
bool IsInfoHeaderSize(uint32_t hs) {
  return hs == 40 || hs == 52 || hs == 56 || hs == 108 || hs == 124;
}

void FixResolution(QvBitmapInfoHeader& h) {
  if (h.biXPelsPerMeter == 0) h.biXPelsPerMeter = kDefaultPelsPerMeter;
  if (h.biYPelsPerMeter == 0) h.biYPelsPerMeter = kDefaultPelsPerMeter;
}

// A core header (12 bytes) and its RGB triples become an information header
// and RGB quads.
void ConvertCoreHeader(const uint8_t* core, const uint8_t* triples, int n, TQvDIBData& d) {
  QvBitmapInfoHeader& h = d.Header;
  h = QvBitmapInfoHeader{};
  h.biSize = 40;
  h.biWidth = Le16(core + 4);
  h.biHeight = Le16(core + 6);
  h.biPlanes = Le16(core + 8);
  h.biBitCount = Le16(core + 10);
  h.biCompression = kBiRgb;
  h.biXPelsPerMeter = kDefaultPelsPerMeter;
  h.biYPelsPerMeter = kDefaultPelsPerMeter;
  h.biClrUsed = static_cast<uint32_t>(n);
  for (int i = 0; i < n; ++i) {
    d.Colors[i].rgbBlue = triples[3 * i];
    d.Colors[i].rgbGreen = triples[3 * i + 1];
    d.Colors[i].rgbRed = triples[3 * i + 2];
    d.Colors[i].rgbReserved = 0;
  }
}

int64_t RowCount(const QvBitmapInfoHeader& h) {
  return h.biHeight < 0 ? -int64_t{h.biHeight} : int64_t{h.biHeight};
}

bool IsRlePairing(const QvBitmapInfoHeader& h) {
  return (h.biBitCount == 8 && h.biCompression == kBiRle8) ||
         (h.biBitCount == 4 && h.biCompression == kBiRle4);
}

// Checks shared by both readers once the header is known: dimensions, planes
// and a plain size that the library can hold.
void CheckPicture(const QvBitmapInfoHeader& h, const char* who) {
  if (h.biWidth <= 0 || h.biHeight == 0 || h.biHeight == INT32_MIN)
    throw EQvDIBInvalidDIB(std::string(who) + ": Invalid Width or Height");
  if (h.biPlanes != 1) throw EQvDIBInvalidDIB(std::string(who) + ": Invalid Planes");
  int bits = h.biBitCount == 16 || h.biBitCount == 32 ? 24 : h.biBitCount;
  if (DibImageBytes(h.biWidth, bits, RowCount(h)) > kMaxPixelBytes)
    throw EQvDIBInvalidDIB(std::string(who) + ": Image is too large");
}

// Pixel bytes of a 1-, 4-, 8- or 24-bit picture: plain rows must all be there.
void CheckPixelSize(const QvBitmapInfoHeader& h, int64_t size, const char* who) {
  if (size <= 0) throw EQvDIBInvalidDIB(std::string(who) + ": Invalid Pixel Data Size");
  if (size > kMaxPixelBytes) throw EQvDIBInvalidDIB(std::string(who) + ": Image is too large");
  if (!IsRlePairing(h) && size < DibImageBytes(h.biWidth, h.biBitCount, RowCount(h)))
    throw EQvDIBInvalidDIB(std::string(who) + ": Pixel Data is too short");
}

struct Channel {
  uint32_t mask;
  int shift;
  uint32_t max;
  uint8_t Value(uint32_t v) const {
    uint32_t t = shift >= 0 ? (v & mask) >> shift : (v & mask) << -shift;
    return static_cast<uint8_t>(t * 255 / max);
  }
};

// Turns 16- or 32-bit rows into 24-bit ones. nextRow(r) gives source row r
// (srcRowLen bytes), in the order of the source.
template <class NextRow>
void ConvertTo24(TQvDIBData& d, bool useFMO, const char* who, NextRow nextRow) {
  QvBitmapInfoHeader& h = d.Header;
  const int bits = h.biBitCount;
  uint32_t masks[3];
  if (h.biCompression == kBiRgb) {
    if (bits == 16) {
      masks[0] = 0x7C00; masks[1] = 0x03E0; masks[2] = 0x001F;
    } else {
      masks[0] = 0xFF0000; masks[1] = 0x00FF00; masks[2] = 0x0000FF;
    }
  } else if (h.biCompression == kBiBitfields) {
    for (int i = 0; i < 3; ++i) std::memcpy(&masks[i], &d.Colors[i], 4);
  } else {
    throw EQvDIBInvalidDIB(std::string(who) + ": Invalid Compression");
  }
  Channel ch[3];
  for (int i = 0; i < 3; ++i) {
    if (masks[i] == 0) throw EQvDIBInvalidDIB(std::string(who) + ": Invalid Masks");
    ch[i].mask = masks[i];
    ch[i].shift = MaskShift(masks[i]);
    ch[i].max = ch[i].shift >= 0 ? masks[i] >> ch[i].shift : masks[i] << -ch[i].shift;
  }
  const int64_t width = h.biWidth;
  const int64_t rows = RowCount(h);
  const int64_t stride = DibStride(width, 24);
  QvPixelMemory mem(stride * rows, useFMO);
  for (int64_t r = 0; r < rows; ++r) {
    const uint8_t* src = nextRow(r);
    uint8_t* dst = mem.Bits() + stride * r;
    for (int64_t x = 0; x < width; ++x) {
      uint32_t v = bits == 16 ? Le16(src + 2 * x) : Le32(src + 4 * x);
      dst[3 * x] = ch[2].Value(v);
      dst[3 * x + 1] = ch[1].Value(v);
      dst[3 * x + 2] = ch[0].Value(v);
    }
  }
  if (h.biCompression == kBiBitfields)
    std::memmove(&d.Colors[0], &d.Colors[3], 256 * sizeof(QvRGBQuad));
  mem.HandTo(d, static_cast<int32_t>(stride * rows));
  h.biCompression = kBiRgb;
  h.biBitCount = 24;
  h.biSizeImage = 0;
}

int64_t SourceRowLength(const QvBitmapInfoHeader& h) {
  return h.biBitCount == 16 ? (2 * int64_t{h.biWidth} + 3) / 4 * 4 : 4 * int64_t{h.biWidth};
}

}  // namespace

void TQvInternalDIB::LoadFromStream(QvStream& s) {
  static const char* const kWho = "TQvInternalDIB.LoadFromStream";
  QvAssert(RefCount == 1, "TQvInternalDIB.UpdatePalette: RefCount Must be 1");
  uint8_t fh[14];
  s.ReadBuffer(fh, 14);
  if (fh[0] != 'B' || fh[1] != 'M')
    throw EQvDIBInvalidDIBFile("TQvInternalDIB.LoadFromFile: File type is invalid");
  const uint32_t bfSize = Le32(fh + 2);
  const uint32_t bfOffBits = Le32(fh + 10);
  uint8_t hb[124];
  s.ReadBuffer(hb, 4);
  const uint32_t hs = Le32(hb);
  TQvDIBData d{};
  QvBitmapInfoHeader& h = d.Header;
  if (IsInfoHeaderSize(hs)) {
    s.ReadBuffer(hb + 4, hs - 4);
    std::memcpy(&h, hb, 40);
    FixResolution(h);
    int bc = h.biBitCount;
    if (bc != 1 && bc != 4 && bc != 8 && bc != 16 && bc != 24 && bc != 32)
      throw EQvDIBInvalidDIB("TQvInternalDIB.LoadFromStream: Invalid BitCout");
    uint64_t n = h.biClrUsed;
    if (n == 0) {
      n = static_cast<uint64_t>(DefaultColorCount(bc));
      h.biClrUsed = static_cast<uint32_t>(n);
    }
    int maskEntries = 0;
    uint64_t t = 14 + uint64_t{hs} + 4 * n;
    if (h.biCompression == kBiBitfields) {
      maskEntries = 3;
      if (hs == 40) {
        s.ReadBuffer(d.Colors, 12);
        t += 12;
      } else {
        std::memcpy(d.Colors, hb + 40, 12);
      }
    }
    uint64_t kept = n > 256 ? 256 : n;
    s.ReadBuffer(d.Colors + maskEntries, static_cast<size_t>(4 * kept));
    if (n > 256) s.Skip(4 * (n - 256));
    if (bfOffBits < t)
      throw EQvDIBInvalidDIB("TQvInternalDIB.LoadFromFile: bfOffBits is too small");
    s.Skip(bfOffBits - t);
    if (n > 256) h.biClrUsed = 256;
    h.biSize = 40;
  } else if (hs == 12) {
    s.ReadBuffer(hb + 4, 8);
    int bc = Le16(hb + 10);
    if (bc != 1 && bc != 4 && bc != 8 && bc != 24)
      throw EQvDIBInvalidDIB("TQvInternalDIB.LoadFromStream: Invalid BitCount");
    int n = DefaultColorCount(bc);
    uint8_t triples[3 * 256];
    s.ReadBuffer(triples, 3 * static_cast<size_t>(n));
    uint64_t t = 14 + 12 + 3 * uint64_t(n);
    if (bfOffBits < t)
      throw EQvDIBInvalidDIB("TQvInternalDIB.LoadFromFile: bfOffBits is too small");
    s.Skip(bfOffBits - t);
    ConvertCoreHeader(hb, triples, n, d);
  } else {
    throw EQvDIBInvalidDIB("TQvInternalDIB.LoadFromStream: Invalid Bitmap Header Size");
  }
  CheckPicture(h, kWho);

  const int64_t remaining = s.Remaining();
  if (h.biBitCount == 16 || h.biBitCount == 32) {
    const int64_t rowLen = SourceRowLength(h);
    if (remaining >= 0 && rowLen * RowCount(h) > remaining) throw EQvReadError("Stream read error");
    std::string row(static_cast<size_t>(rowLen), '\0');
    ConvertTo24(d, UseFMO, kWho, [&](int64_t) {
      s.ReadBuffer(row.data(), row.size());
      return reinterpret_cast<const uint8_t*>(row.data());
    });
  } else {
    const int64_t size = int64_t{bfSize} - int64_t{bfOffBits};
    CheckPixelSize(h, size, kWho);
    if (remaining >= 0 && size > remaining) throw EQvReadError("Stream read error");
    QvPixelMemory mem(size, UseFMO);
    s.ReadBuffer(mem.Bits(), static_cast<size_t>(size));
    mem.HandTo(d, static_cast<int32_t>(size));
  }
  // Install: the old pixels and palette go only now.
  ClearDIB();
  Install(d, true);
}

void TQvInternalDIB::SaveToStream(QvStream& s) const {
  const uint32_t colors = Data.Header.biClrUsed <= 256 ? Data.Header.biClrUsed : 256;
  const uint32_t offBits = 54 + 4 * colors;
  const uint32_t size = Data.Size > 0 ? static_cast<uint32_t>(Data.Size) : 0;
  uint8_t fh[14] = {'B', 'M'};
  uint32_t bfSize = offBits + size;
  std::memcpy(fh + 2, &bfSize, 4);
  std::memcpy(fh + 10, &offBits, 4);
  s.Write(fh, 14);
  s.Write(&Data.Header, 40 + 4 * colors);
  if (size) s.Write(Data.Bits, size);
}

void TQvInternalDIB::LoadFromPackedDIB(const void* block, size_t blockSize) {
  static const char* const kWho = "TQvInternalDIB.LoadFromClipboardFormat";
  static const char* const kBadData = "TQvDIB.LoadFromClipboardFormat: Invalid Clipboard Data";
  QvAssert(RefCount == 1, "TQvInternalDIB.UpdatePalette: RefCount Must be 1");
  const uint8_t* b = static_cast<const uint8_t*>(block);
  if (!b || blockSize < 4) throw EQvDIBInvalidDIB(kBadData);
  const uint32_t hs = Le32(b);
  TQvDIBData d{};
  QvBitmapInfoHeader& h = d.Header;
  uint64_t headerEnd;  // L: where the pixels start
  if (IsInfoHeaderSize(hs)) {
    if (blockSize < hs) throw EQvDIBInvalidDIB(kBadData);
    std::memcpy(&h, b, 40);
    uint64_t n = h.biClrUsed ? h.biClrUsed : static_cast<uint64_t>(DefaultColorCount(h.biBitCount));
    headerEnd = hs + 4 * n;
    int maskEntries = 0;
    if (h.biCompression == kBiBitfields) {
      maskEntries = 3;
      if (hs == 40) {
        headerEnd += 12;
        if (blockSize < 52) throw EQvDIBInvalidDIB(kBadData);
      }
      std::memcpy(d.Colors, b + 40, 12);
    }
    if (headerEnd > blockSize) throw EQvDIBInvalidDIB(kBadData);
    uint64_t kept = n > 256 ? 256 : n;
    std::memcpy(d.Colors + maskEntries, b + headerEnd - 4 * n, static_cast<size_t>(4 * kept));
    FixResolution(h);
    h.biClrUsed = static_cast<uint32_t>(kept);
    h.biSize = 40;
  } else if (hs == 12) {
    if (blockSize < 12) throw EQvDIBInvalidDIB(kBadData);
    int n = DefaultColorCount(Le16(b + 10));
    headerEnd = 12 + 3 * uint64_t(n);
    if (headerEnd > blockSize) throw EQvDIBInvalidDIB(kBadData);
    ConvertCoreHeader(b, b + 12, n, d);
  } else {
    throw EQvDIBInvalidDIB(kBadData);
  }
  CheckPicture(h, kWho);
  const uint8_t* pixels = b + headerEnd;
  const int64_t size = static_cast<int64_t>(blockSize - headerEnd);
  switch (h.biBitCount) {
    case 1: case 4: case 8: case 24: {
      CheckPixelSize(h, size, kWho);
      QvPixelMemory mem(size, UseFMO);
      std::memcpy(mem.Bits(), pixels, static_cast<size_t>(size));
      mem.HandTo(d, static_cast<int32_t>(size));
      break;
    }
    case 16: case 32: {
      const int64_t rowLen = SourceRowLength(h);
      if (rowLen * RowCount(h) > size)
        throw EQvDIBInvalidDIB(std::string(kWho) + ": Pixel Data is too short");
      ConvertTo24(d, UseFMO, kWho, [&](int64_t r) { return pixels + r * rowLen; });
      break;
    }
    default:
      throw EQvDIBInvalidDIB("TQvInternalDIB.LoadFromClipboardFormat: Invalid biBitCount");
  }
  ClearDIB();
  Install(d, true);
}

std::string TQvInternalDIB::SaveToPackedDIB() const {
  const uint32_t colors = Data.Header.biClrUsed <= 256 ? Data.Header.biClrUsed : 256;
  const size_t head = 40 + 4 * size_t{colors};
  const size_t size = Data.Size > 0 ? static_cast<size_t>(Data.Size) : 0;
  std::string out(head + size, '\0');
  std::memcpy(out.data(), &Data.Header, head);
  if (size) std::memcpy(out.data() + head, Data.Bits, size);
  return out;
}

}  // namespace qm
