// TShg: one segmented-hypergraphics (.shg) picture with its hotspots, in
// memory. Reads and writes .shg files, imports .bmp, .wmf and .emf pictures
// and rebuilds the stored picture as the bytes of a BMP file or of a
// placeable Windows metafile (the Win32 layer turns those into a graphic).
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "hotspot/core/ShgFormat.h"

namespace qm::hotspot {

struct THotSpot {
  std::uint8_t mode = hsJump;   // 0 macro, 1 pop-up, 2 jump
  std::uint8_t visible = 1;     // 1 = visible (the frame is shown)
  std::uint16_t x = 0, y = 0, width = 0, height = 0;  // picture pixels
  std::string name;
  std::string context;          // macro text for a macro
  // The hash a loaded record carried, with the mode and context it was read
  // with. It is written back while both are unchanged, so a file saved
  // without edits keeps every byte even where its hash is not the one
  // ContextHash gives (an empty jump context stored with hash 1).
  std::uint32_t storedHash = 0;
  std::uint8_t storedMode = hsJump;
  std::string storedContext;
  bool hasStoredHash = false;
};

// The hash written for a hotspot: the stored one while its mode and
// context are as loaded, else ContextHash.
std::uint32_t HotSpotHash(const THotSpot& h);

struct THotSpotRect {
  std::uint16_t x, y, width, height;
};
THotSpotRect MakeHotSpotRect(int x, int y, int width, int height);

constexpr std::uint16_t kShgMagicUpper = 0x506C;  // "lP", written by imports
constexpr std::uint16_t kShgMagicLower = 0x706C;  // "lp"
constexpr std::uint8_t kShgTypeBitmap = 6;
constexpr std::uint8_t kShgTypeMetafile = 8;

// Turns a .bmp file into a plain BMP stream: 14-byte file header, 40-byte
// information header, the colour table, then uncompressed pixel rows.
using TShgBmpLoader = std::function<std::string(const std::string& path)>;
// Turns the bytes of an .emf file into a placeable Windows metafile.
using TShgEmfConverter = std::function<std::string(std::string_view emf)>;


class TShg {
 public:
  TShg();

  // File header
  std::uint16_t magic = kShgMagicUpper;
  std::uint16_t pictureCount = 1;
  std::uint32_t pictureOffset = 8;
  // Picture
  std::uint8_t pictureType = kShgTypeBitmap;
  std::uint8_t packing = 0;
  // Bitmap header
  std::uint32_t xResolution = 96, yResolution = 96;
  std::uint16_t planes = 1, bitCount = 0;
  std::uint32_t width = 0, height = 0, colorsUsed = 0, colorsImportant = 0;
  std::uint32_t compressedSize = 0, hotspotSize = 0, compressedOffset = 0, hotspotOffset = 0;
  // Metafile header (width and height in pixels at 96 dots per inch)
  std::uint16_t mappingMode = 8;
  std::uint32_t mfWidth = 0, mfHeight = 0;
  std::uint32_t mfDecompressedSize = 0, mfCompressedSize = 0, mfHotspotSize = 0;
  std::uint32_t mfCompressedOffset = 0, mfHotspotOffset = 0;

  // For a bitmap the colour table followed by the stored pixel data; for a
  // metafile the stored records.
  std::string pictureBytes;

  // How .bmp and .emf files are turned into importable bytes. Without a bmp
  // loader the bitmap library reads the file (LoadBmpThroughQvDib); without
  // an emf converter .emf files cannot be imported (the Win32 layer has one).
  TShgBmpLoader bmpLoader;
  TShgEmfConverter emfConverter;

  // Replaces the whole content from a .shg file or imports a .bmp, .wmf or
  // .emf picture, by the extension (any case). Refusals raise EShgErrorFile;
  // an unreadable file raises EShgError. After a refusal the picture bytes
  // and the hotspots are empty.
  void LoadFromFile(const std::string& path);
  // Writes the file (replacing it as a whole). Throws on write errors.
  void SaveToFile(const std::string& path) const;

  // The same on bytes in memory.
  void LoadFromBytes(std::string_view bytes);          // a .shg file
  void ImportBmpStream(std::string_view bmpStream);    // a plain BMP stream
  void ImportPlaceableMetafile(std::string_view wmf);  // a placeable .wmf
  std::string SaveToBytes() const;

  // The stored picture rebuilt: a whole BMP file (type 6) or a placeable
  // metafile (type 8). Raise EShgError for a picture that cannot be rebuilt.
  std::string BuildBitmapFile() const;
  std::string BuildPlaceableMetafile() const;

  // Hotspots
  int HotSpotCount() const { return static_cast<int>(hotspots_.size()); }
  THotSpot& AddHotSpot();
  void DeleteHotSpot(int index);        // out-of-range indexes are ignored
  THotSpot& HotSpots(int index);        // 0 .. count-1 (checked)
  const THotSpot& HotSpots(int index) const;
  std::vector<THotSpot>& HotSpotArray() { return hotspots_; }

 private:
  void Clear();
  void ReadShg(std::string_view bytes);
  void ReadBmpStream(std::string_view bmp);
  void ReadPlaceable(std::string_view wmf);

  std::vector<THotSpot> hotspots_;
};

}  // namespace qm::hotspot
