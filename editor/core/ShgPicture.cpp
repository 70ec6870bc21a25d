#include "editor/core/ShgPicture.h"

#include <algorithm>
#include <cstdint>

#include "bitmap/core/QvBmpFormat.h"
#include "bitmap/core/QvDibTypes.h"
#include "core/ByteWriter.h"
#include "hotspot/core/ShgFormat.h"

namespace qm::editor {

namespace {

using hotspot::ReadCompressedDWord;
using hotspot::ReadCompressedWord;
using hotspot::TShgReader;

constexpr std::uint16_t kMagicLower = 0x706C;  // "lp"
constexpr std::uint16_t kMagicUpper = 0x506C;  // "lP"
constexpr std::uint8_t kTypeBitmap = 6;
constexpr std::uint8_t kTypeMetafile = 8;
// Previews larger than this are not built.
constexpr std::uint64_t kMostPreviewBytes = 256ull * 1024 * 1024;

// The most bytes count stored bytes can stand for: as many when stored as
// they are, at most 127 for every two when packed (a run code and its byte).
std::uint64_t MostUnpackedBytes(std::uint64_t count, std::uint8_t packing) {
  return packing == 1 ? count / 2 * 127 : count;
}

// The stored data unpacked or copied, at most limit bytes.
void AppendPictureData(std::string_view data, std::uint8_t packing, std::uint64_t limit, std::string& out) {
  if (packing == 1) {
    hotspot::RunLenUnpackTo(data, out, static_cast<std::size_t>(limit));
  } else {
    out.append(data.substr(0, static_cast<std::size_t>(std::min<std::uint64_t>(data.size(), limit))));
  }
}

// The stored data of a picture, bounded by the file.
std::string_view StoredData(std::string_view file, std::uint64_t pictureOffset, std::uint32_t dataOffset,
                            std::uint32_t dataSize) {
  const std::uint64_t start = pictureOffset + dataOffset;
  if (start > file.size() || dataSize > file.size() - start) hotspot::ThrowShgInvalidFile();
  return file.substr(static_cast<std::size_t>(start), dataSize);
}

bool ValidBitCount(std::uint32_t bits) {
  return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

ShgPicture ReadBitmap(std::string_view file, TShgReader& r, std::uint64_t offset, std::uint8_t packing) {
  ReadCompressedDWord(r);  // x resolution, not used
  ReadCompressedDWord(r);  // y resolution
  ReadCompressedWord(r);   // planes: a DIB has one
  const std::uint16_t bitCount = ReadCompressedWord(r);
  const std::uint32_t width = ReadCompressedDWord(r);
  const std::uint32_t height = ReadCompressedDWord(r);
  std::uint32_t colorsUsed = ReadCompressedDWord(r);
  std::uint32_t colorsImportant = ReadCompressedDWord(r);
  const std::uint32_t dataSize = ReadCompressedDWord(r);
  ReadCompressedDWord(r);  // hotspot size
  const std::uint32_t dataOffset = r.ReadDWord();
  r.ReadDWord();  // hotspot offset

  ShgPicture p;
  if (!ValidBitCount(bitCount) || width == 0 || height == 0 || width > 0x7FFFFFFF || height > 0x7FFFFFFF) return p;
  // Colours: never more than the bit count can index (256 at most); none
  // given for a palette depth means the whole palette.
  const std::uint32_t most = bitCount <= 8 ? 1u << bitCount : 256u;
  if (colorsUsed == 0 && bitCount <= 8) colorsUsed = most;
  colorsUsed = std::min(colorsUsed, most);
  colorsImportant = std::min(colorsImportant, colorsUsed);
  std::string table;
  r.ReadBytes(4ull * colorsUsed, table);

  // The picture may be no larger than the stored bytes can stand for.
  const std::uint64_t rowBytes = (static_cast<std::uint64_t>(width) * bitCount + 7) / 8;
  if (height > MostUnpackedBytes(dataSize, packing) / rowBytes) return p;
  const std::uint64_t imageBytes = static_cast<std::uint64_t>(DibStride(width, bitCount)) * height;
  if (imageBytes > kMostPreviewBytes) return p;
  const std::string_view data = StoredData(file, offset, dataOffset, dataSize);

  QvBitmapInfoHeader info{};
  info.biSize = kBmpInfoHeaderSize;
  info.biWidth = static_cast<std::int32_t>(width);
  info.biHeight = static_cast<std::int32_t>(height);
  info.biPlanes = 1;
  info.biBitCount = bitCount;
  info.biClrUsed = colorsUsed;
  info.biClrImportant = colorsImportant;
  const std::uint64_t offBits = kBmpFileHeaderSize + kBmpInfoHeaderSize + table.size();
  p.Bytes.reserve(static_cast<std::size_t>(offBits + imageBytes));
  ByteWriter w(p.Bytes);
  WriteBmpHeaders(w, info, table.data(), colorsUsed, static_cast<std::uint32_t>(imageBytes));
  AppendPictureData(data, packing, imageBytes, p.Bytes);
  p.Bytes.resize(static_cast<std::size_t>(offBits + imageBytes), '\0');  // short data: black rows
  p.Kind = ShgPictureKind::Bitmap;
  p.Width = static_cast<int>(width);
  p.Height = static_cast<int>(height);
  return p;
}

ShgPicture ReadMetafile(std::string_view file, TShgReader& r, std::uint64_t offset, std::uint8_t packing) {
  ReadCompressedWord(r);  // mapping mode, not used
  const std::uint16_t widthMm = r.ReadWord();
  const std::uint16_t heightMm = r.ReadWord();
  const std::uint32_t unpackedSize = ReadCompressedDWord(r);
  const std::uint32_t dataSize = ReadCompressedDWord(r);
  ReadCompressedDWord(r);  // hotspot size
  const std::uint32_t dataOffset = r.ReadDWord();
  r.ReadDWord();  // hotspot offset

  ShgPicture p;
  const std::string_view data = StoredData(file, offset, dataOffset, dataSize);
  std::string records;
  const std::uint64_t limit = packing == 1 ? std::min<std::uint64_t>(unpackedSize, MostUnpackedBytes(dataSize, 1))
                                           : dataSize;
  AppendPictureData(data, packing, limit, records);
  // Only whole records up to the end record reach the platform.
  records = hotspot::NormalizeWmfRecords(records);
  if (records.empty()) return p;
  const int width = hotspot::MulDiv(widthMm, 96, 2540);
  const int height = hotspot::MulDiv(heightMm, 96, 2540);
  if (width <= 0 || height <= 0) return p;

  ByteWriter w(p.Bytes);
  w.WriteU32(hotspot::kPlaceableKey);
  w.WriteU16(0);  // handle
  w.WriteU16(0);  // bounding box: left, top, right, bottom
  w.WriteU16(0);
  w.WriteU16(static_cast<std::uint16_t>(width));
  w.WriteU16(static_cast<std::uint16_t>(height));
  w.WriteU16(96);  // units per inch
  w.WriteU32(0);
  w.WriteU16(hotspot::PlaceableChecksum(p.Bytes.data()));
  p.Bytes += records;
  p.Kind = ShgPictureKind::Metafile;
  p.Width = width;
  p.Height = height;
  return p;
}

}  // namespace

ShgPicture ReadShgPicture(std::string_view file) {
  try {
    TShgReader r(file);
    const std::uint16_t magic = r.ReadWord();
    if (magic != kMagicLower && magic != kMagicUpper) return {};
    r.ReadWord();  // picture count: the first picture is taken
    const std::uint32_t offset = r.ReadDWord();
    r.Seek(offset);
    const std::uint8_t type = r.ReadByte();
    const std::uint8_t packing = r.ReadByte();
    if (packing > 1) return {};
    if (type == kTypeBitmap) return ReadBitmap(file, r, offset, packing);
    if (type == kTypeMetafile) return ReadMetafile(file, r, offset, packing);
    ShgPicture other;
    other.Kind = ShgPictureKind::Other;
    return other;
  } catch (const hotspot::EShgError&) {
    return {};
  }
}

PreviewSize PicturePreviewSize(int width, int height, int most) {
  return {std::clamp(width, 0, most), std::clamp(height, 0, most)};
}

}  // namespace qm::editor
