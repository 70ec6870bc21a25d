#include "hotspot/core/ShgFormat.h"

#include <algorithm>
#include <climits>
#include <cstring>

#include "bitmap/core/QvBmpFormat.h"
#include "core/ByteWriter.h"
#include "core/LittleEndian.h"

namespace qm::hotspot {

const char kShgInvalidFileMessage[] = "TShg.LoadFromFile: File type is invalid";

void ThrowShgInvalidFile() { throw EShgErrorFile(kShgInvalidFileMessage); }

// ---------------------------------------------------------------------------
// Reader

void TShgReader::Seek(std::uint64_t pos) {
  if (!reader_.Seek(pos)) ThrowShgInvalidFile();
}

void TShgReader::Skip(std::uint64_t count) {
  if (!reader_.Skip(count)) ThrowShgInvalidFile();
}

std::uint8_t TShgReader::ReadByte() {
  std::uint8_t v;
  if (!reader_.ReadU8(v)) ThrowShgInvalidFile();
  return v;
}

std::uint16_t TShgReader::ReadWord() {
  std::uint16_t v;
  if (!reader_.ReadU16(v)) ThrowShgInvalidFile();
  return v;
}

std::uint32_t TShgReader::ReadDWord() {
  std::uint32_t v;
  if (!reader_.ReadU32(v)) ThrowShgInvalidFile();
  return v;
}

void TShgReader::ReadBytes(std::uint64_t count, std::string& out) {
  const std::uint8_t* bytes;
  if (!reader_.ReadInPlace(count, bytes)) ThrowShgInvalidFile();
  out.append(reinterpret_cast<const char*>(bytes), static_cast<std::size_t>(count));
}

std::string TShgReader::ReadZString() {
  std::string_view text;
  if (!reader_.ReadZString(text)) ThrowShgInvalidFile();
  return std::string(text);
}

// ---------------------------------------------------------------------------
// Numbers

std::uint16_t ReadCompressedWord(TShgReader& r) {
  std::uint8_t b = r.ReadByte();
  if ((b & 1) == 0) return static_cast<std::uint16_t>(b >> 1);
  std::uint8_t c = r.ReadByte();
  return static_cast<std::uint16_t>((b >> 1) + c * 128u);
}

std::uint32_t ReadCompressedDWord(TShgReader& r) {
  std::uint16_t w = r.ReadWord();
  if ((w & 1) == 0) return w >> 1;
  std::uint16_t v = r.ReadWord();
  return (static_cast<std::uint32_t>(w) >> 1) + static_cast<std::uint32_t>(v) * 32768u;
}

void WriteWord(std::string& out, std::uint16_t value) { ByteWriter(out).WriteU16(value); }

void WriteDWord(std::string& out, std::uint32_t value) { ByteWriter(out).WriteU32(value); }

int WriteCompressedWord(std::string& out, std::uint32_t value) {
  if (value < 128) {
    out.push_back(static_cast<char>(value * 2));
    return 1;
  }
  out.push_back(static_cast<char>(((value & 0x7F) * 2) | 1));
  out.push_back(static_cast<char>((value >> 7) & 0xFF));
  return 2;
}

int WriteCompressedDWord(std::string& out, std::uint32_t value) {
  if (value < 32768) {
    WriteWord(out, static_cast<std::uint16_t>(value * 2));
    return 2;
  }
  WriteWord(out, static_cast<std::uint16_t>(((value & 0x7FFF) * 2) | 1));
  WriteWord(out, static_cast<std::uint16_t>((value >> 15) & 0xFFFF));
  return 4;
}

// ---------------------------------------------------------------------------
// RunLen

void RunLenPack(std::string_view data, std::string& out) {
  const std::size_t n = data.size();
  if (n == 0) return;
  out.reserve(out.size() + n + n / 127 + 2);
  std::size_t p = 0;          // index of the pending byte
  std::size_t litStart = 0;   // first byte of the open literal block
  std::size_t lit = 0;        // bytes in the literal block (before p)
  std::size_t run = 0;        // length of the open run of p
  bool pendingEmitted = false;
  auto emitLiteral = [&](std::size_t count, std::size_t extra) {
    out.push_back(static_cast<char>(0x80 | (count + extra)));
    out.append(data.data() + litStart, count + extra);
  };
  for (std::size_t i = 1; i < n; ++i) {
    const char b = data[i];
    if (b == data[p]) {
      if (lit > 0) {
        emitLiteral(lit, 0);
        lit = 0;
      }
      run = run == 0 ? 2 : run + 1;
      if (run == 127) {
        out.push_back(static_cast<char>(127));
        out.push_back(data[p]);
        run = 0;
        if (i + 1 < n) {
          ++i;
          p = litStart = i;
        } else {
          pendingEmitted = true;
        }
      }
    } else if (run > 0) {
      out.push_back(static_cast<char>(run));
      out.push_back(data[p]);
      run = 0;
      p = litStart = i;
    } else {
      ++lit;
      p = i;
      if (lit == 127) {
        emitLiteral(127, 0);
        lit = 0;
        litStart = i;
      }
    }
  }
  if (run > 0) {
    out.push_back(static_cast<char>(run));
    out.push_back(data[p]);
  } else if (lit > 0) {
    emitLiteral(lit, 1);  // the block and the pending byte
  } else if (!pendingEmitted) {
    out.push_back(static_cast<char>(0x81));
    out.push_back(data[p]);
  }
}

std::string RunLenPack(std::string_view data) {
  std::string out;
  RunLenPack(data, out);
  return out;
}

void RunLenUnpackTo(std::string_view packed, std::string& out, std::size_t limit) {
  std::size_t i = 0, produced = 0;
  const std::size_t n = packed.size();
  while (i < n && produced < limit) {
    const unsigned char code = static_cast<unsigned char>(packed[i++]);
    std::size_t count;
    if (code & 0x80) {
      count = std::min<std::size_t>({static_cast<std::size_t>(code & 0x7F), n - i, limit - produced});
      out.append(packed.data() + i, count);
      i += code & 0x7F;  // past the end ends the loop
    } else {
      if (i >= n) break;
      count = std::min<std::size_t>(code, limit - produced);
      out.append(count, packed[i++]);
    }
    produced += count;
  }
}

std::string RunLenUnpack(std::string_view packed, std::size_t limit) {
  std::string out;
  if (limit != std::string::npos) out.reserve(limit);
  RunLenUnpackTo(packed, out, limit);
  return out;
}

// ---------------------------------------------------------------------------
// Metafile and hotspot helpers

std::uint16_t PlaceableChecksum(const void* header22) {
  const unsigned char* h = static_cast<const unsigned char*>(header22);
  std::uint16_t sum = 0;
  for (int i = 0; i < 10; ++i) sum ^= LoadLe16(h + 2 * i);
  return sum;
}

bool IsWellFormedEmf(std::string_view emf) {
  auto dword = [&](std::size_t at) { return LoadLe32(emf.data() + at); };
  constexpr std::size_t kHeaderMin = 88;
  if (emf.size() < kHeaderMin) return false;
  if (dword(0) != 1 || dword(40) != 0x464D4520u) return false;  // EMR_HEADER, " EMF"
  const std::uint32_t total = dword(48);
  if (total > emf.size() || total < kHeaderMin) return false;
  std::size_t at = 0;
  std::uint32_t type = 0;
  while (at < total) {
    if (total - at < 8) return false;
    type = dword(at);
    const std::uint32_t size = dword(at + 4);
    if (size < 8 || size % 4 != 0 || size > total - at) return false;
    if (at == 0 && size < kHeaderMin) return false;
    at += size;
    if (type == 14) break;  // EMR_EOF
  }
  return type == 14 && at == total;
}

namespace {

std::uint16_t Word(std::string_view s, std::size_t at) { return LoadLe16(s.data() + at); }

std::uint32_t DWordAt(std::string_view s, std::size_t at) { return LoadLe32(s.data() + at); }

// A device-independent bitmap (core or information header, colour table,
// bits) that lies wholly inside dib.
bool DibFits(std::string_view dib) {
  ByteReader r(dib);
  std::uint32_t headerSize;
  if (dib.size() < 12 || !r.ReadU32(headerSize)) return false;
  if (headerSize != kBmpCoreHeaderSize && (headerSize < kBmpInfoHeaderSize || headerSize > dib.size()))
    return false;
  QvBmpHeader header;
  if (!ReadBmpHeader(r, headerSize, header)) return false;
  const QvBitmapInfoHeader& h = header.info;
  if (h.biWidth <= 0 || h.biHeight == 0 || h.biHeight == INT32_MIN) return false;
  const std::uint64_t width = static_cast<std::uint64_t>(h.biWidth);
  const std::uint64_t height = h.biHeight < 0 ? -static_cast<std::int64_t>(h.biHeight) : h.biHeight;
  const unsigned bits = h.biBitCount;
  if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) return false;
  // The colour table in bytes: triples of a core header counted in 4-byte
  // units, quads (and the bit-field masks) of an information header.
  std::uint64_t tableBytes;
  if (header.IsCore()) {
    tableBytes = (3 * BmpColorCount(h) + 3) / 4 * 4;
  } else {
    const std::uint64_t entries = BmpColorCount(h) + (h.biCompression == kBiBitfields ? 3 : 0);
    if (entries > 259) return false;
    tableBytes = 4 * entries;
  }
  if (h.biCompression > kBiBitfields) return false;
  const std::uint64_t pixels =
      h.biCompression == kBiRle8 || h.biCompression == kBiRle4
          ? h.biSizeImage
          : static_cast<std::uint64_t>(DibStride(std::min<std::uint64_t>(width, 0xFFFFFFF), bits)) * height;
  return headerSize + tableBytes + pixels <= dib.size();
}

// A solid-brush record that takes the place of a pattern brush we do not
// hand to the platform (the object table keeps its numbering).
void AppendSolidBrush(std::string& out) {
  WriteDWord(out, 7);
  WriteWord(out, 0x02FC);  // META_CREATEBRUSHINDIRECT
  WriteWord(out, 0);       // BS_SOLID
  WriteDWord(out, 0x00808080);
  WriteWord(out, 0);
}

}  // namespace

std::string NormalizeWmfRecords(std::string_view wmf) {
  // METAHEADER: type (1 memory, 2 disk), header size 9 words, version,
  // size in words, object count, largest record, 0.
  if (wmf.size() < 18 || (Word(wmf, 0) != 1 && Word(wmf, 0) != 2) || Word(wmf, 2) != 9) return {};
  std::string out(wmf.substr(0, 18));
  std::size_t at = 18;
  std::uint32_t largest = 0;
  for (;;) {
    if (wmf.size() - at < 6) return {};
    const std::uint64_t words = DWordAt(wmf, at);
    if (words < 3 || words * 2 > wmf.size() - at) return {};
    const std::uint16_t function = Word(wmf, at + 4);
    const std::string_view record = wmf.substr(at, static_cast<std::size_t>(words * 2));
    const std::string_view params = record.substr(6);
    at += record.size();
    // Records that carry bitmaps: the bitmap must lie inside the record. The
    // old (Windows 3.0) forms with a device-dependent bitmap are read
    // differently by different platforms and are left out.
    bool keep = true;
    bool brush = false;
    const bool withBitmap = words != static_cast<std::uint64_t>((function >> 8) + 3);
    switch (function) {
      case 0x0922:  // META_BITBLT
      case 0x0B23:  // META_STRETCHBLT
        keep = !withBitmap;
        break;
      case 0x01F9:  // META_CREATEPATTERNBRUSH
        keep = false;
        brush = true;
        break;
      case 0x0142:  // META_DIBCREATEPATTERNBRUSH
        keep = params.size() >= 4 && Word(params, 0) != 3 && DibFits(params.substr(4));
        brush = !keep;
        break;
      case 0x0940:  // META_DIBBITBLT
        keep = !withBitmap || (params.size() >= 16 && DibFits(params.substr(16)));
        break;
      case 0x0B41:  // META_DIBSTRETCHBLT
        keep = !withBitmap || (params.size() >= 20 && DibFits(params.substr(20)));
        break;
      case 0x0F43:  // META_STRETCHDIB
        keep = params.size() >= 22 && DibFits(params.substr(22));
        break;
      case 0x0D33:  // META_SETDIBTODEV
        keep = params.size() >= 18 && DibFits(params.substr(18));
        break;
      default:
        break;
    }
    if (keep) {
      out.append(record);
      largest = std::max<std::uint32_t>(largest, static_cast<std::uint32_t>(words));
    } else if (brush) {
      AppendSolidBrush(out);
      largest = std::max<std::uint32_t>(largest, 7);
    }
    if (function == 0) break;  // META_EOF
  }
  const std::uint32_t totalWords = static_cast<std::uint32_t>(out.size() / 2);
  for (int i = 0; i < 4; ++i) out[6 + i] = static_cast<char>((totalWords >> (8 * i)) & 0xFF);
  for (int i = 0; i < 4; ++i) out[12 + i] = static_cast<char>((largest >> (8 * i)) & 0xFF);
  return out;
}

namespace {

// WinHelp context-string hash table (entries are unsigned bytes).
constexpr std::uint8_t kContextHashTable[256] = {
    0x00, 0xD1, 0xD2, 0xD3, 0xD4, 0xD5, 0xD6, 0xD7, 0xD8, 0xD9, 0xDA, 0xDB, 0xDC, 0xDD, 0xDE, 0xDF,
    0xE0, 0xE1, 0xE2, 0xE3, 0xE4, 0xE5, 0xE6, 0xE7, 0xE8, 0xE9, 0xEA, 0xEB, 0xEC, 0xED, 0xEE, 0xEF,
    0xF0, 0x0B, 0xF2, 0xF3, 0xF4, 0xF5, 0xF6, 0xF7, 0xF8, 0xF9, 0xFA, 0xFB, 0xFC, 0xFD, 0x0C, 0xFF,
    0x0A, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0x0A, 0x0B, 0x0C, 0x0D, 0x0E, 0x0F,
    0x10, 0x11, 0x12, 0x13, 0x14, 0x15, 0x16, 0x17, 0x18, 0x19, 0x1A, 0x1B, 0x1C, 0x1D, 0x1E, 0x1F,
    0x20, 0x21, 0x22, 0x23, 0x24, 0x25, 0x26, 0x27, 0x28, 0x29, 0x2A, 0x0B, 0x0C, 0x0D, 0x0E, 0x0D,
    0x10, 0x11, 0x12, 0x13, 0x14, 0x15, 0x16, 0x17, 0x18, 0x19, 0x1A, 0x1B, 0x1C, 0x1D, 0x1E, 0x1F,
    0x20, 0x21, 0x22, 0x23, 0x24, 0x25, 0x26, 0x27, 0x28, 0x29, 0x2A, 0x2B, 0x2C, 0x2D, 0x2E, 0x2F,
    0x50, 0x51, 0x52, 0x53, 0x54, 0x55, 0x56, 0x57, 0x58, 0x59, 0x5A, 0x5B, 0x5C, 0x5D, 0x5E, 0x5F,
    0x60, 0x61, 0x62, 0x63, 0x64, 0x65, 0x66, 0x67, 0x68, 0x69, 0x6A, 0x6B, 0x6C, 0x6D, 0x6E, 0x6F,
    0x70, 0x71, 0x72, 0x73, 0x74, 0x75, 0x76, 0x77, 0x78, 0x79, 0x7A, 0x7B, 0x7C, 0x7D, 0x7E, 0x7F,
    0x80, 0x81, 0x82, 0x83, 0x0B, 0x85, 0x86, 0x87, 0x88, 0x89, 0x8A, 0x8B, 0x8C, 0x8D, 0x8E, 0x8F,
    0x90, 0x91, 0x92, 0x93, 0x94, 0x95, 0x96, 0x97, 0x98, 0x99, 0x9A, 0x9B, 0x9C, 0x9D, 0x9E, 0x9F,
    0xA0, 0xA1, 0xA2, 0xA3, 0xA4, 0xA5, 0xA6, 0xA7, 0xA8, 0xA9, 0xAA, 0xAB, 0xAC, 0xAD, 0xAE, 0xAF,
    0xB0, 0xB1, 0xB2, 0xB3, 0xB4, 0xB5, 0xB6, 0xB7, 0xB8, 0xB9, 0xBA, 0xBB, 0xBC, 0xBD, 0xBE, 0xBF,
    0xC0, 0xC1, 0xC2, 0xC3, 0xC4, 0xC5, 0xC6, 0xC7, 0xC8, 0xC9, 0xCA, 0xCB, 0xCC, 0xCD, 0xCE, 0xCF,
};

}  // namespace

std::uint32_t ContextHash(std::uint8_t mode, std::string_view context) {
  if (mode == hsMacro) return 1;
  std::uint32_t h = 0;
  for (char c : context) h = h * 43u + kContextHashTable[static_cast<unsigned char>(c)];
  return h;
}

std::uint8_t HasWindowSuffix(std::uint8_t mode, std::string_view context) {
  if (mode == hsMacro) return 8;
  return context.find('>') != std::string_view::npos ? 8 : 0;
}

std::uint8_t HotSpotTypeByte(std::uint8_t mode, bool visible, std::string_view context) {
  std::uint8_t base = mode == hsMacro ? 0xC8 : mode == hsPopup ? 0xE2 : 0xE3;
  return static_cast<std::uint8_t>((base & 0xF3) + (visible ? 0 : 4) + HasWindowSuffix(mode, context));
}

std::uint8_t HotSpotModeOfTypeByte(std::uint8_t typeByte) {
  switch (typeByte) {
    case 0xC8: case 0xCC: return hsMacro;
    case 0xE2: case 0xE6: case 0xEA: case 0xEE: return hsPopup;
    default: return hsJump;
  }
}

std::int32_t MulDiv(std::int32_t a, std::int32_t b, std::int32_t c) {
  if (c == 0) return -1;
  long long num = static_cast<long long>(a) * b;
  long long den = c;
  if (den < 0) { num = -num; den = -den; }
  long long q = num >= 0 ? (num + den / 2) / den : -((-num + den / 2) / den);
  if (q > INT32_MAX || q < INT32_MIN) return -1;
  return static_cast<std::int32_t>(q);
}

}  // namespace qm::hotspot
