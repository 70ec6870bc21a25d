#include "hotspot/core/Shg.h"

#include <algorithm>
#include <cstdlib>

#include "bitmap/core/QvBmpFormat.h"
#include "core/ByteWriter.h"
#include "core/Cp932.h"
#include "core/FileSystem.h"
#include "core/LittleEndian.h"
#include "hotspot/core/ShgBmpImport.h"

namespace qm::hotspot {

namespace {

// Rebuilt pictures larger than this are refused rather than allocated.
constexpr std::uint64_t kMaxImageBytes = 512ull * 1024 * 1024;

std::uint16_t ToHundredthsMm(std::uint32_t pixels) {
  std::int32_t v = MulDiv(static_cast<std::int32_t>(std::min<std::uint32_t>(pixels, 0x7FFFFFFF)), 2540, 96);
  return static_cast<std::uint16_t>(v < 0 ? 0 : std::min<std::int32_t>(v, 0xFFFF));
}

std::uint32_t ToPixels(std::uint32_t hundredthsMm) {
  return static_cast<std::uint32_t>(MulDiv(static_cast<std::int32_t>(hundredthsMm), 96, 2540));
}

// The most bytes that count stored bytes of picture data can stand for: as
// many unpacked, and at most 127 for every two packed (a run code and its
// byte).
std::uint64_t MostPictureBytes(std::uint32_t count, std::uint8_t packing) {
  return packing == 1 ? static_cast<std::uint64_t>(count / 2) * 127 : count;
}

// True when rows of width pixels of bitCount bits, height of them, need
// more than limit bytes (rows counted without padding).
bool RowsExceed(std::uint32_t width, std::uint32_t height, std::uint32_t bitCount, std::uint64_t limit) {
  const std::uint64_t row = (static_cast<std::uint64_t>(width) * bitCount + 7) / 8;
  return row != 0 && height > limit / row;
}

std::string ReadWholeFile(const std::string& path) {
  std::string bytes;
  if (!ReadFileBytes(path, bytes)) throw EShgError("TShg.LoadFromFile: Cannot open file " + path);
  return bytes;
}

}  // namespace

std::uint32_t HotSpotHash(const THotSpot& h) {
  if (h.hasStoredHash && h.mode == h.storedMode && h.context == h.storedContext) return h.storedHash;
  return ContextHash(h.mode, h.context);
}

THotSpotRect MakeHotSpotRect(int x, int y, int width, int height) {
  return THotSpotRect{static_cast<std::uint16_t>(x), static_cast<std::uint16_t>(y),
                      static_cast<std::uint16_t>(width), static_cast<std::uint16_t>(height)};
}

TShg::TShg() = default;

void TShg::Clear() {
  pictureBytes.clear();
  hotspots_.clear();
}

// ---------------------------------------------------------------------------
// Loading

void TShg::LoadFromFile(const std::string& path) {
  Clear();
  const std::string ext = LowerAscii(ExtractFileExt(path));
  try {
    if (ext == ".shg") {
      ReadShg(ReadWholeFile(path));
    } else if (ext == ".bmp") {
      ReadBmpStream(bmpLoader ? bmpLoader(path) : LoadBmpThroughQvDib(path));
    } else if (ext == ".wmf") {
      ReadPlaceable(ReadWholeFile(path));
    } else if (ext == ".emf") {
      if (!emfConverter) throw EShgError("TShg.LoadFromFile: No enhanced-metafile converter");
      const std::string emf = ReadWholeFile(path);
      ReadPlaceable(emfConverter(emf));
    } else {
      ThrowShgInvalidFile();
    }
  } catch (...) {
    Clear();
    throw;
  }
}

void TShg::LoadFromBytes(std::string_view bytes) {
  Clear();
  try {
    ReadShg(bytes);
  } catch (...) {
    Clear();
    throw;
  }
}

void TShg::ImportBmpStream(std::string_view bmpStream) {
  Clear();
  try {
    ReadBmpStream(bmpStream);
  } catch (...) {
    Clear();
    throw;
  }
}

void TShg::ImportPlaceableMetafile(std::string_view wmf) {
  Clear();
  try {
    ReadPlaceable(wmf);
  } catch (...) {
    Clear();
    throw;
  }
}

void TShg::ReadShg(std::string_view bytes) {
  TShgReader r(bytes);
  const std::uint16_t fileMagic = r.ReadWord();
  if (fileMagic != kShgMagicLower && fileMagic != kShgMagicUpper) ThrowShgInvalidFile();
  const std::uint16_t count = r.ReadWord();
  if (count != 1) ThrowShgInvalidFile();
  const std::uint32_t offset = r.ReadDWord();
  r.Seek(offset);
  const std::uint8_t type = r.ReadByte();
  const std::uint8_t pack = r.ReadByte();
  if (pack > 1) ThrowShgInvalidFile();
  // Only bitmaps and metafiles are drawn and written back.
  if (type != kShgTypeBitmap && type != kShgTypeMetafile) ThrowShgInvalidFile();

  magic = fileMagic;
  pictureCount = count;
  pictureOffset = offset;
  pictureType = type;
  packing = pack;

  std::uint32_t dataSize, dataOffset, hsSize, hsOffset;
  if (type == kShgTypeMetafile) {
    mappingMode = ReadCompressedWord(r);
    mfWidth = ToPixels(r.ReadWord());
    mfHeight = ToPixels(r.ReadWord());
    mfDecompressedSize = ReadCompressedDWord(r);
    mfCompressedSize = ReadCompressedDWord(r);
    mfHotspotSize = ReadCompressedDWord(r);
    mfCompressedOffset = r.ReadDWord();
    mfHotspotOffset = r.ReadDWord();
    // A header that declares more than its data can give is broken.
    if (mfDecompressedSize > MostPictureBytes(mfCompressedSize, pack)) ThrowShgInvalidFile();
    dataSize = mfCompressedSize;
    dataOffset = mfCompressedOffset;
    hsSize = mfHotspotSize;
    hsOffset = mfHotspotOffset;
  } else {
    xResolution = ReadCompressedDWord(r);
    yResolution = ReadCompressedDWord(r);
    planes = ReadCompressedWord(r);
    bitCount = ReadCompressedWord(r);
    width = ReadCompressedDWord(r);
    height = ReadCompressedDWord(r);
    colorsUsed = ReadCompressedDWord(r);
    colorsImportant = ReadCompressedDWord(r);
    compressedSize = ReadCompressedDWord(r);
    hotspotSize = ReadCompressedDWord(r);
    compressedOffset = r.ReadDWord();
    hotspotOffset = r.ReadDWord();
    // A header that declares a picture larger than its data can give is
    // broken; believing it would make the rebuild allocate the whole
    // declared picture.
    if (RowsExceed(width, height, bitCount, MostPictureBytes(compressedSize, pack))) ThrowShgInvalidFile();
    if (colorsUsed > 0) r.ReadBytes(static_cast<std::uint64_t>(colorsUsed) * 4, pictureBytes);
    dataSize = compressedSize;
    dataOffset = compressedOffset;
    hsSize = hotspotSize;
    hsOffset = hotspotOffset;
  }

  r.Seek(static_cast<std::uint64_t>(offset) + dataOffset);
  r.ReadBytes(dataSize, pictureBytes);

  if (hsSize != 0 && hsOffset != 0) {
    r.Seek(static_cast<std::uint64_t>(offset) + hsOffset + 1);  // the marker is not read
    const std::uint16_t n = r.ReadWord();
    const std::uint32_t macroSize = r.ReadDWord();
    if (static_cast<std::uint64_t>(n) * 15 > r.Remaining()) ThrowShgInvalidFile();
    hotspots_.resize(n);
    const bool meta = type == kShgTypeMetafile;
    for (int i = n - 1; i >= 0; --i) {
      THotSpot& h = hotspots_[i];
      const std::uint8_t typeByte = r.ReadByte();
      const std::uint8_t attribute = r.ReadByte();
      r.ReadByte();  // reserved
      std::uint16_t v[4];
      for (auto& c : v) {
        c = r.ReadWord();
        if (meta) c = static_cast<std::uint16_t>(ToPixels(c));
      }
      h.storedHash = r.ReadDWord();
      h.mode = HotSpotModeOfTypeByte(typeByte);
      h.visible = attribute == 0 ? 1 : 0;
      h.x = v[0];
      h.y = v[1];
      h.width = v[2];
      h.height = v[3];
    }
    if (macroSize > 0) r.Skip(macroSize);
    for (int i = n - 1; i >= 0; --i) {
      THotSpot& h = hotspots_[i];
      h.name = r.ReadZString();
      h.context = r.ReadZString();
      h.storedMode = h.mode;
      h.storedContext = h.context;
      h.hasStoredHash = true;
    }
  }
}

void TShg::ReadBmpStream(std::string_view bmp) {
  // A file header and a 40-byte information header, uncompressed pixels.
  ByteReader r(bmp);
  QvBmpFileHeader file;
  std::uint32_t infoSize;
  QvBmpHeader header;
  if (!ReadBmpFileHeader(r, file) || file.type != kBmpFileType || !r.ReadU32(infoSize) ||
      infoSize != kBmpInfoHeaderSize || !ReadBmpHeader(r, infoSize, header))
    ThrowShgInvalidFile();
  const QvBitmapInfoHeader& info = header.info;
  const std::uint32_t offBits = file.offBits;
  const std::int32_t w = info.biWidth;
  const std::int32_t h = info.biHeight;
  const std::uint16_t bits = info.biBitCount;
  if (info.biCompression != kBiRgb || w <= 0 || h == 0) ThrowShgInvalidFile();
  if (bits != 1 && bits != 4 && bits != 8 && bits != 24) ThrowShgInvalidFile();
  const std::uint64_t clrUsed = BmpColorCount(info);
  if (clrUsed > 256) ThrowShgInvalidFile();
  const std::uint64_t tableBytes = 4 * clrUsed;
  if (offBits < r.Position() + tableBytes || offBits > bmp.size()) ThrowShgInvalidFile();
  const std::uint64_t rows = h < 0 ? -static_cast<std::int64_t>(h) : h;
  const std::uint64_t stride = static_cast<std::uint64_t>(DibStride(w, bits));
  const std::uint64_t n = stride * rows;
  if (n > bmp.size() - offBits) ThrowShgInvalidFile();

  std::string_view pixels = bmp.substr(offBits, n);
  std::string flipped;
  if (h < 0) {
    // Stored top-down: keep the rows bottom-up, as every .shg has them.
    flipped.reserve(n);
    for (std::uint64_t row = rows; row-- > 0;) flipped.append(pixels.substr(row * stride, stride));
    pixels = flipped;
  }

  magic = kShgMagicUpper;
  pictureCount = 1;
  pictureOffset = 8;
  pictureType = kShgTypeBitmap;
  packing = 1;
  xResolution = yResolution = 96;
  planes = info.biPlanes;
  bitCount = bits;
  width = static_cast<std::uint32_t>(w);
  height = static_cast<std::uint32_t>(rows);
  colorsUsed = static_cast<std::uint32_t>(clrUsed);
  colorsImportant = info.biClrImportant;
  compressedOffset = hotspotSize = hotspotOffset = 0;

  pictureBytes.assign(bmp.substr(r.Position(), tableBytes));
  RunLenPack(pixels, pictureBytes);
  compressedSize = static_cast<std::uint32_t>(pictureBytes.size() - tableBytes);
  if (compressedSize > n) {
    pictureBytes.resize(tableBytes);
    pictureBytes.append(pixels);
    packing = 0;
    compressedSize = static_cast<std::uint32_t>(n);
  }
}

void TShg::ReadPlaceable(std::string_view wmf) {
  // The placeable header, then at least a metafile header (18 bytes).
  if (wmf.size() < kPlaceableHeaderSize + 18) ThrowShgInvalidFile();
  if (LoadLe32(wmf.data()) != kPlaceableKey) ThrowShgInvalidFile();
  if (LoadLe16(wmf.data() + 20) != PlaceableChecksum(wmf.data())) ThrowShgInvalidFile();
  const std::int32_t left = static_cast<std::int16_t>(LoadLe16(wmf.data() + 6));
  const std::int32_t top = static_cast<std::int16_t>(LoadLe16(wmf.data() + 8));
  const std::int32_t right = static_cast<std::int16_t>(LoadLe16(wmf.data() + 10));
  const std::int32_t bottom = static_cast<std::int16_t>(LoadLe16(wmf.data() + 12));
  std::int32_t inch = LoadLe16(wmf.data() + 14);
  if (inch == 0) inch = 96;
  const std::int32_t w = std::abs(MulDiv(MulDiv(right - left, 2540, inch), 96, 2540));
  const std::int32_t h = std::abs(MulDiv(MulDiv(bottom - top, 2540, inch), 96, 2540));
  // The file holds the size in 0.01 mm as words.
  if (MulDiv(w, 2540, 96) > 0xFFFF || MulDiv(h, 2540, 96) > 0xFFFF) ThrowShgInvalidFile();

  magic = kShgMagicUpper;
  pictureCount = 1;
  pictureOffset = 8;
  pictureType = kShgTypeMetafile;
  packing = 1;
  mappingMode = 8;
  mfWidth = static_cast<std::uint32_t>(w);
  mfHeight = static_cast<std::uint32_t>(h);
  const std::string_view records = wmf.substr(kPlaceableHeaderSize);
  mfDecompressedSize = static_cast<std::uint32_t>(records.size());
  mfHotspotSize = mfCompressedOffset = mfHotspotOffset = 0;
  pictureBytes = RunLenPack(records);
  mfCompressedSize = static_cast<std::uint32_t>(pictureBytes.size());
  if (mfCompressedSize > mfDecompressedSize) {
    pictureBytes.assign(records);
    packing = 0;
    mfCompressedSize = mfDecompressedSize;
  }
}

// ---------------------------------------------------------------------------
// Writing

std::string TShg::SaveToBytes() const {
  if (pictureType != kShgTypeBitmap && pictureType != kShgTypeMetafile)
    throw EShgError("TShg.SaveToFile: Picture type cannot be written");
  const bool meta = pictureType == kShgTypeMetafile;
  std::string out;
  out.reserve(pictureBytes.size() + 64);
  WriteWord(out, magic);
  WriteWord(out, pictureCount);
  WriteDWord(out, 8);  // the picture always follows the file header

  std::uint32_t hsSize = 0;
  if (!hotspots_.empty()) {
    std::uint64_t sum = 7;
    for (const THotSpot& h : hotspots_) sum += 15 + h.name.size() + h.context.size() + 2;
    hsSize = static_cast<std::uint32_t>(sum);
  }

  out.push_back(static_cast<char>(pictureType));
  out.push_back(static_cast<char>(packing));
  std::uint32_t dataOffset, dataSize;
  if (meta) {
    int s = WriteCompressedWord(out, mappingMode);
    WriteWord(out, ToHundredthsMm(mfWidth));
    WriteWord(out, ToHundredthsMm(mfHeight));
    s += 4;
    s += WriteCompressedDWord(out, mfDecompressedSize);
    s += WriteCompressedDWord(out, mfCompressedSize);
    s += WriteCompressedDWord(out, hsSize);
    dataOffset = 10 + s;
    dataSize = mfCompressedSize;
  } else {
    int s = 0;
    s += WriteCompressedDWord(out, xResolution);
    s += WriteCompressedDWord(out, yResolution);
    s += WriteCompressedWord(out, planes);
    s += WriteCompressedWord(out, bitCount);
    s += WriteCompressedDWord(out, width);
    s += WriteCompressedDWord(out, height);
    s += WriteCompressedDWord(out, colorsUsed);
    s += WriteCompressedDWord(out, colorsImportant);
    s += WriteCompressedDWord(out, compressedSize);
    s += WriteCompressedDWord(out, hsSize);
    dataOffset = 10 + s + 4 * colorsUsed;
    dataSize = compressedSize;
  }
  const std::uint32_t hsOffset = hotspots_.empty() ? 0 : dataOffset + dataSize;
  WriteDWord(out, dataOffset);
  WriteDWord(out, hsOffset);
  out += pictureBytes;

  if (!hotspots_.empty()) {
    out.push_back(1);
    WriteWord(out, static_cast<std::uint16_t>(hotspots_.size()));
    WriteDWord(out, 0);
    for (auto it = hotspots_.rbegin(); it != hotspots_.rend(); ++it) {
      const THotSpot& h = *it;
      out.push_back(static_cast<char>(HotSpotTypeByte(h.mode, h.visible != 0, h.context)));
      out.push_back(static_cast<char>(h.visible ? 0 : 4));
      out.push_back(0);
      for (std::uint16_t c : {h.x, h.y, h.width, h.height}) WriteWord(out, meta ? ToHundredthsMm(c) : c);
      WriteDWord(out, HotSpotHash(h));
    }
    for (auto it = hotspots_.rbegin(); it != hotspots_.rend(); ++it) {
      out += it->name;
      out.push_back(0);
      out += it->context;
      out.push_back(0);
    }
  }
  return out;
}

void TShg::SaveToFile(const std::string& path) const { WriteFileReplacing(path, SaveToBytes()); }

// ---------------------------------------------------------------------------
// Rebuilding

std::string TShg::BuildBitmapFile() const {
  if (pictureType != kShgTypeBitmap) throw EShgError("TShg.ToGraphic: Not a bitmap");
  if (width == 0 || height == 0 || width > 0x7FFFFFFF || height > 0x7FFFFFFF)
    throw EShgError("TShg.ToGraphic: Invalid bitmap size");
  if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24 && bitCount != 32)
    throw EShgError("TShg.ToGraphic: Invalid bit count");
  const std::uint64_t tableBytes = 4ull * colorsUsed;
  if (tableBytes > pictureBytes.size() || colorsUsed > 256)
    throw EShgError("TShg.ToGraphic: Invalid colour table");
  const std::uint64_t imageBytes = static_cast<std::uint64_t>(DibStride(width, bitCount)) * height;
  if (imageBytes > kMaxImageBytes) throw EShgError("TShg.ToGraphic: Bitmap too large");

  QvBitmapInfoHeader info{};
  info.biSize = kBmpInfoHeaderSize;
  info.biWidth = static_cast<std::int32_t>(width);
  info.biHeight = static_cast<std::int32_t>(height);
  info.biPlanes = planes;
  info.biBitCount = bitCount;
  info.biClrUsed = colorsUsed;
  info.biClrImportant = colorsImportant;
  const std::uint64_t offBits = kBmpFileHeaderSize + kBmpInfoHeaderSize + tableBytes;
  std::string out;
  out.reserve(offBits + imageBytes);
  ByteWriter w(out);
  WriteBmpHeaders(w, info, pictureBytes.data(), colorsUsed, static_cast<std::uint32_t>(imageBytes));
  const std::string_view data = std::string_view(pictureBytes).substr(tableBytes);
  if (packing == 1) {
    RunLenUnpackTo(data, out, imageBytes);
  } else {
    out.append(data.substr(0, std::min<std::uint64_t>(data.size(), imageBytes)));
  }
  out.resize(offBits + imageBytes, '\0');  // short data leaves black rows
  return out;
}

std::string TShg::BuildPlaceableMetafile() const {
  if (pictureType != kShgTypeMetafile) throw EShgError("TShg.ToGraphic: Not a metafile");
  std::string out;
  WriteDWord(out, kPlaceableKey);
  WriteWord(out, 0);
  WriteWord(out, 0);
  WriteWord(out, 0);
  WriteWord(out, static_cast<std::uint16_t>(std::min<std::uint32_t>(mfWidth, 0x7FFF)));
  WriteWord(out, static_cast<std::uint16_t>(std::min<std::uint32_t>(mfHeight, 0x7FFF)));
  WriteWord(out, 96);
  WriteDWord(out, 0);
  WriteWord(out, PlaceableChecksum(out.data()));
  if (packing == 1) {
    RunLenUnpackTo(pictureBytes, out, mfDecompressedSize);
  } else {
    out += pictureBytes;
  }
  return out;
}

// ---------------------------------------------------------------------------
// Hotspots

THotSpot& TShg::AddHotSpot() {
  hotspots_.emplace_back();
  return hotspots_.back();
}

void TShg::DeleteHotSpot(int index) {
  if (index < 0 || index >= HotSpotCount()) return;
  hotspots_.erase(hotspots_.begin() + index);
}

THotSpot& TShg::HotSpots(int index) { return hotspots_.at(static_cast<std::size_t>(index)); }
const THotSpot& TShg::HotSpots(int index) const { return hotspots_.at(static_cast<std::size_t>(index)); }

}  // namespace qm::hotspot
