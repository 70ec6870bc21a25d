#include "hotspot/ShgGraphic.h"

#include <cstring>
#include <vector>

#include "bitmap/core/QvBmpFormat.h"

namespace qm::hotspot {

namespace {

struct DcHolder {
  HDC dc;
  explicit DcHolder(HDC d) : dc(d) {}
  ~DcHolder() {
    if (dc) DeleteDC(dc);
  }
};

HMETAFILE MakeWinMetafile(const TShg& shg) {
  if (shg.pictureType != kShgTypeMetafile) throw EShgError("TShg.ToGraphic: Not a metafile");
  const std::string placeable = shg.BuildPlaceableMetafile();
  const std::string records = NormalizeWmfRecords(std::string_view(placeable).substr(kPlaceableHeaderSize));
  if (records.empty()) throw EShgError("TShg.ToGraphic: Invalid metafile");
  HMETAFILE mf = SetMetaFileBitsEx(static_cast<UINT>(records.size()), reinterpret_cast<const BYTE*>(records.data()));
  if (!mf) throw EShgError("TShg.ToGraphic: Invalid metafile");
  return mf;
}

// Plays the records straight onto a white 24-bit bitmap of the picture's
// size: the picture fills the bitmap (anisotropic mapping; the records set
// their own window extent).
HBITMAP DrawMetafile(const TShg& shg) {
  const int w = static_cast<int>(shg.mfWidth), h = static_cast<int>(shg.mfHeight);
  if (w <= 0 || h <= 0) throw EShgError("TShg.ToGraphic: Invalid metafile size");
  HMETAFILE mf = MakeWinMetafile(shg);
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = h;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 24;
  void* bits = nullptr;
  HBITMAP bmp = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  DcHolder dc(CreateCompatibleDC(nullptr));
  if (!bmp || !dc.dc) {
    if (bmp) DeleteObject(bmp);
    DeleteMetaFile(mf);
    throw EShgError("TShg.ToGraphic: Out of system resources");
  }
  HGDIOBJ old = SelectObject(dc.dc, bmp);
  RECT r{0, 0, w, h};
  FillRect(dc.dc, &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  const int saved = SaveDC(dc.dc);
  SetMapMode(dc.dc, MM_ANISOTROPIC);
  SetWindowExtEx(dc.dc, w, h, nullptr);
  SetViewportExtEx(dc.dc, w, h, nullptr);
  PlayMetaFile(dc.dc, mf);
  RestoreDC(dc.dc, saved);
  GdiFlush();
  SelectObject(dc.dc, old);
  DeleteMetaFile(mf);
  return bmp;
}

}  // namespace

HBITMAP ToGraphic(const TShg& shg) {
  if (shg.pictureType == kShgTypeMetafile) return DrawMetafile(shg);
  const std::string file = shg.BuildBitmapFile();
  // BITMAPINFO with room for a whole colour table: a picture stored without
  // one (colours used 0) must not make GDI read past the header.
  std::vector<unsigned char> info(sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD), 0);
  const std::size_t tableBytes = 4u * shg.colorsUsed;
  std::memcpy(info.data(), file.data() + kBmpFileHeaderSize, kBmpInfoHeaderSize + tableBytes);
  void* bits = nullptr;
  HBITMAP bmp = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(info.data()), DIB_RGB_COLORS,
                                 &bits, nullptr, 0);
  if (!bmp || !bits) throw EShgError("TShg.ToGraphic: Out of system resources");
  const std::size_t offBits = kBmpFileHeaderSize + kBmpInfoHeaderSize + tableBytes;
  std::memcpy(bits, file.data() + offBits, file.size() - offBits);
  GdiFlush();
  return bmp;
}

HMETAFILE ToWinMetafile(const TShg& shg) { return MakeWinMetafile(shg); }

std::unique_ptr<cl::TGraphic> ToClassGraphic(const TShg& shg) {
  if (shg.pictureType == kShgTypeMetafile) {
    const int w = static_cast<int>(shg.mfWidth), h = static_cast<int>(shg.mfHeight);
    if (w <= 0 || h <= 0) throw EShgError("TShg.ToGraphic: Invalid metafile size");
    HMETAFILE mf = MakeWinMetafile(shg);
    const UINT size = GetMetaFileBitsEx(mf, 0, nullptr);
    std::vector<BYTE> records(size);
    const UINT got = size ? GetMetaFileBitsEx(mf, size, records.data()) : 0;
    DeleteMetaFile(mf);
    // The picture fills its frame: w x h pixels at 96 per inch.
    METAFILEPICT mfp{};
    mfp.mm = MM_ANISOTROPIC;
    mfp.xExt = MulDiv(w, 2540, 96);
    mfp.yExt = MulDiv(h, 2540, 96);
    HENHMETAFILE emf = got == size && size ? SetWinMetaFileBits(size, records.data(), nullptr, &mfp) : nullptr;
    if (!emf) throw EShgError("TShg.ToGraphic: Invalid metafile");
    auto graphic = std::make_unique<cl::TMetafile>();
    graphic->SetHandle(emf, w, h);
    return graphic;
  }
  HBITMAP bmp = ToGraphic(shg);
  HPALETTE palette = nullptr;
  DcHolder dc(CreateCompatibleDC(nullptr));
  if (dc.dc) {
    HGDIOBJ old = SelectObject(dc.dc, bmp);
    RGBQUAD table[256];
    const UINT n = GetDIBColorTable(dc.dc, 0, 256, table);
    SelectObject(dc.dc, old);
    if (n > 0) {
      std::vector<unsigned char> buffer(sizeof(LOGPALETTE) + n * sizeof(PALETTEENTRY));
      auto* log = reinterpret_cast<LOGPALETTE*>(buffer.data());
      log->palVersion = 0x300;
      log->palNumEntries = static_cast<WORD>(n);
      for (UINT i = 0; i < n; ++i)
        log->palPalEntry[i] = PALETTEENTRY{table[i].rgbRed, table[i].rgbGreen, table[i].rgbBlue, 0};
      palette = CreatePalette(log);
    }
  }
  auto graphic = std::make_unique<cl::TBitmap>();
  graphic->SetHandle(bmp, palette);
  return graphic;
}

std::string EmfToPlaceableMetafile(std::string_view emfBytes) {
  if (!IsWellFormedEmf(emfBytes)) ThrowShgInvalidFile();
  HENHMETAFILE emf = SetEnhMetaFileBits(static_cast<UINT>(emfBytes.size()),
                                        reinterpret_cast<const BYTE*>(emfBytes.data()));
  if (!emf) ThrowShgInvalidFile();
  ENHMETAHEADER header{};
  GetEnhMetaFileHeader(emf, sizeof header, &header);
  HDC ref = GetDC(nullptr);
  const UINT size = GetWinMetaFileBits(emf, 0, nullptr, MM_ANISOTROPIC, ref);
  std::string records(size, '\0');
  const UINT got = size ? GetWinMetaFileBits(emf, size, reinterpret_cast<BYTE*>(records.data()),
                                             MM_ANISOTROPIC, ref)
                        : 0;
  ReleaseDC(nullptr, ref);
  DeleteEnhMetaFile(emf);
  if (size == 0 || got != size) ThrowShgInvalidFile();

  // Size: the picture frame (0.01 mm) in pixels at 96 per inch; the bounds
  // (device pixels) when the frame is empty.
  long w = MulDiv(header.rclFrame.right - header.rclFrame.left, 96, 2540);
  long h = MulDiv(header.rclFrame.bottom - header.rclFrame.top, 96, 2540);
  if (w <= 0 || h <= 0) {
    w = header.rclBounds.right - header.rclBounds.left + 1;
    h = header.rclBounds.bottom - header.rclBounds.top + 1;
  }
  if (w <= 0 || h <= 0 || w > 0x7FFF || h > 0x7FFF) ThrowShgInvalidFile();
  std::string out;
  WriteDWord(out, kPlaceableKey);
  WriteWord(out, 0);
  WriteWord(out, 0);
  WriteWord(out, 0);
  WriteWord(out, static_cast<std::uint16_t>(w));
  WriteWord(out, static_cast<std::uint16_t>(h));
  WriteWord(out, 96);
  WriteDWord(out, 0);
  WriteWord(out, PlaceableChecksum(out.data()));
  return out + records;
}

void UsePlatformConverters(TShg& shg) { shg.emfConverter = EmfToPlaceableMetafile; }

}  // namespace qm::hotspot
