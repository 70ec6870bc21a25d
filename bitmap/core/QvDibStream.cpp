// BMP files and packed DIBs: reading into and writing from TQvInternalDIB.
#include <climits>
#include <cstring>

#include "bitmap/core/QvBmpFormat.h"
#include "bitmap/core/QvDibMemory.h"
#include "bitmap/core/QvInternalDib.h"

namespace qm {

namespace {

const char kStreamReadError[] = "Stream read error";
const char kClipboardDataError[] = "TQvDIB.LoadFromClipboardFormat: Invalid Clipboard Data";

// Information headers: the 40-byte one and its longer successors, whose first
// 40 bytes are the same and which hold the bit-field masks at offset 40.
bool IsInfoHeaderSize(uint32_t hs) {
  return hs == 40 || hs == 52 || hs == 56 || hs == 108 || hs == 124;
}

void FixResolution(QvBitmapInfoHeader& h) {
  if (h.biXPelsPerMeter == 0) h.biXPelsPerMeter = kDefaultPelsPerMeter;
  if (h.biYPelsPerMeter == 0) h.biYPelsPerMeter = kDefaultPelsPerMeter;
}

// The messages keep their original wording, which callers and tests match:
// "LoadFromFile" for checks of the file header, "BitCout" for the bit count
// of an information header and "BitCount" for that of a core header.
//
// Parses what stands in front of the pixels into d: for a BMP file (file
// set) the file header, the bitmap header, masks and colour table and the gap
// up to bfOffBits; for a packed DIB the same without file header and gap. A
// core header becomes an information header and its triples quads. Refusals
// throw; bytes that end too early return false. The checks of the file
// reader come in the order in which it meets the bytes, so that a file read
// from a stream in pieces is refused as the same file in memory.
bool ParseDibFront(ByteReader& r, bool file, QvBmpFileHeader& fh, TQvDIBData& d) {
  if (file) {
    if (!ReadBmpFileHeader(r, fh)) return false;
    if (fh.type != kBmpFileType)
      throw EQvDIBInvalidDIBFile("TQvInternalDIB.LoadFromFile: File type is invalid");
  }
  uint32_t hs;
  if (!r.ReadU32(hs)) return false;
  if (!IsInfoHeaderSize(hs) && hs != kBmpCoreHeaderSize) {
    throw EQvDIBInvalidDIB(file ? "TQvInternalDIB.LoadFromStream: Invalid Bitmap Header Size"
                                : kClipboardDataError);
  }
  QvBmpHeader header;
  if (!ReadBmpHeader(r, hs, header)) return false;
  QvBitmapInfoHeader& h = d.Header;
  h = header.info;
  const int bc = h.biBitCount;
  if (header.IsCore()) {
    if (file && bc != 1 && bc != 4 && bc != 8 && bc != 24)
      throw EQvDIBInvalidDIB("TQvInternalDIB.LoadFromStream: Invalid BitCount");
    const int n = DefaultColorCount(bc);
    if (!ReadBmpColors(r, header, static_cast<uint64_t>(n), d.Colors, 256)) return false;
    h.biXPelsPerMeter = kDefaultPelsPerMeter;
    h.biYPelsPerMeter = kDefaultPelsPerMeter;
    h.biClrUsed = static_cast<uint32_t>(n);
  } else {
    FixResolution(h);
    if (file && bc != 1 && bc != 4 && bc != 8 && bc != 16 && bc != 24 && bc != 32)
      throw EQvDIBInvalidDIB("TQvInternalDIB.LoadFromStream: Invalid BitCout");
    const uint64_t n = BmpColorCount(h);
    int maskEntries = 0;
    if (h.biCompression == kBiBitfields) {
      if (!ReadBmpMasks(r, header)) return false;
      std::memcpy(d.Colors, header.masks, sizeof header.masks);
      maskEntries = 3;
    }
    if (!ReadBmpColors(r, header, n, d.Colors + maskEntries, 256)) return false;
    h.biClrUsed = static_cast<uint32_t>(n > 256 ? 256 : n);
  }
  h.biSize = kBmpInfoHeaderSize;
  if (file) {
    if (fh.offBits < r.Position())
      throw EQvDIBInvalidDIB("TQvInternalDIB.LoadFromFile: bfOffBits is too small");
    if (!r.Seek(fh.offBits)) return false;
  }
  return true;
}

// Appends count bytes of the stream to bytes; false when it ends first. A
// stream that knows its length is not read at all then.
bool FetchFromStream(QvStream& s, std::string& bytes, uint64_t count) {
  const int64_t remaining = s.Remaining();
  if (remaining >= 0 && count > static_cast<uint64_t>(remaining)) return false;
  return AppendFromSource(bytes, count, [&](void* dest, size_t n) { return s.Read(dest, n); });
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
      uint32_t v = bits == 16 ? LoadLe16(src + 2 * x) : LoadLe32(src + 4 * x);
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
  // The assertion's text names UpdatePalette, as the library's always has.
  QvAssert(RefCount == 1, "TQvInternalDIB.UpdatePalette: RefCount Must be 1");
  // Everything up to the pixels is parsed from memory as the stream
  // delivers it; the pixels go straight into the pixel memory.
  QvBmpFileHeader fh;
  TQvDIBData d{};
  std::string front;
  const bool parsed = ParseGrowing(
      front,
      [&](ByteReader& r) {
        d = TQvDIBData{};
        return ParseDibFront(r, true, fh, d);
      },
      [&](uint64_t count) { return FetchFromStream(s, front, count); });
  if (!parsed) throw EQvReadError(kStreamReadError);
  QvBitmapInfoHeader& h = d.Header;
  const uint32_t bfSize = fh.fileSize;
  const uint32_t bfOffBits = fh.offBits;
  CheckPicture(h, kWho);

  const int64_t remaining = s.Remaining();
  if (h.biBitCount == 16 || h.biBitCount == 32) {
    const int64_t rowLen = SourceRowLength(h);
    if (remaining >= 0 && rowLen * RowCount(h) > remaining) throw EQvReadError(kStreamReadError);
    std::string row(static_cast<size_t>(rowLen), '\0');
    ConvertTo24(d, UseFMO, kWho, [&](int64_t) {
      s.ReadBuffer(row.data(), row.size());
      return reinterpret_cast<const uint8_t*>(row.data());
    });
  } else {
    const int64_t size = int64_t{bfSize} - int64_t{bfOffBits};
    CheckPixelSize(h, size, kWho);
    if (remaining >= 0 && size > remaining) throw EQvReadError(kStreamReadError);
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
  const uint32_t size = Data.Size > 0 ? static_cast<uint32_t>(Data.Size) : 0;
  std::string front;
  ByteWriter w(front);
  WriteBmpHeaders(w, Data.Header, Data.Colors, colors, size);
  s.Write(front.data(), front.size());
  if (size) s.Write(Data.Bits, size);
}

void TQvInternalDIB::LoadFromPackedDIB(const void* block, size_t blockSize) {
  static const char* const kWho = "TQvInternalDIB.LoadFromClipboardFormat";
  QvAssert(RefCount == 1, "TQvInternalDIB.UpdatePalette: RefCount Must be 1");
  if (!block) throw EQvDIBInvalidDIB(kClipboardDataError);
  ByteReader r(block, blockSize);
  QvBmpFileHeader noFileHeader;
  TQvDIBData d{};
  if (!ParseDibFront(r, false, noFileHeader, d)) throw EQvDIBInvalidDIB(kClipboardDataError);
  QvBitmapInfoHeader& h = d.Header;
  CheckPicture(h, kWho);
  // The pixels are whatever follows the colour table.
  const uint8_t* pixels = r.Current();
  const int64_t size = static_cast<int64_t>(r.Remaining());
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
      ConvertTo24(d, UseFMO, kWho, [&](int64_t row) { return pixels + row * rowLen; });
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
  const size_t size = Data.Size > 0 ? static_cast<size_t>(Data.Size) : 0;
  std::string out;
  out.reserve(kBmpInfoHeaderSize + 4 * size_t{colors} + size);
  ByteWriter w(out);
  WriteBmpInfoHeader(w, Data.Header);
  w.WriteBytes(Data.Colors, 4 * size_t{colors});
  w.WriteBytes(Data.Bits, size);
  return out;
}

}  // namespace qm
