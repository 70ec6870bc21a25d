#include "classlib/Graphics.h"

#include <cstdint>
#include <cstring>
#include <fstream>
#include <istream>
#include <ostream>
#include <vector>

#include "bitmap/core/QvBmpFormat.h"
#include "classlib/ErrorTexts.h"
#include "core/ByteReader.h"
#include "core/ByteWriter.h"
#include "core/FileErrorTexts.h"
#include "core/LittleEndian.h"

namespace cl {

namespace {

// Reads up to n bytes; returns how many came.
std::size_t ReadSome(std::istream& in, void* dest, std::size_t n) {
  in.read(static_cast<char*>(dest), static_cast<std::streamsize>(n));
  const std::size_t got = static_cast<std::size_t>(in.gcount());
  if (got < n) in.clear(in.rdstate() & ~(std::ios::failbit | std::ios::eofbit));
  return got;
}

void ReadExactly(std::istream& in, void* dest, std::size_t n, const char* what) {
  if (ReadSome(in, dest, n) != n) throw EInvalidGraphic(what);
}

constexpr std::uint32_t kPlaceableKey = 0x9AC6CDD7u;
// Larger pictures are refused rather than allocated.
constexpr std::uint64_t kMaxBytes = 512ull << 20;

struct TMemoryDc {
  HDC dc = CreateCompatibleDC(nullptr);
  ~TMemoryDc() {
    if (dc) DeleteDC(dc);
  }
};

// A BITMAPINFO with room for a full colour table (or three bit masks).
struct BitmapInfo256 {
  BITMAPINFOHEADER h;
  RGBQUAD colors[256];
};

BitmapInfo256 MakeBitmapInfo(int width, int height, int bpp, DWORD compression) {
  BitmapInfo256 info{};
  info.h.biSize = sizeof(BITMAPINFOHEADER);
  info.h.biWidth = width;
  info.h.biHeight = height;
  info.h.biPlanes = 1;
  info.h.biBitCount = static_cast<WORD>(bpp);
  info.h.biCompression = compression;
  return info;
}

}  // namespace

void TGraphic::LoadFromFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw EInvalidGraphic(qm::CannotOpenFileText(path));
  try {
    LoadFromStream(in);
  } catch (const EInvalidGraphic& e) {
    throw EInvalidGraphic(qm::CannotReadFileText(path) + "\n" + e.what());
  }
}

void TGraphic::SaveToFile(const std::string& path) const {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) throw std::runtime_error(qm::CannotCreateFileText(path));
  SaveToStream(out);
  out.close();
  if (!out) throw std::runtime_error(qm::CannotWriteFileText(path));
}

// ---------------------------------------------------------------------------
// TBitmap

TBitmap::TBitmap() = default;

TBitmap::~TBitmap() { Clear(); }

void TBitmap::FreeCanvas() {
  if (!canvas_dc_) return;
  SelectObject(canvas_dc_, canvas_old_);
  if (canvas_old_palette_) SelectPalette(canvas_dc_, canvas_old_palette_, FALSE);
  DeleteDC(canvas_dc_);
  canvas_dc_ = nullptr;
  canvas_old_ = nullptr;
  canvas_old_palette_ = nullptr;
  canvas_.SetHandle(nullptr);
}

void TBitmap::Clear() {
  FreeCanvas();
  if (bitmap_) DeleteObject(bitmap_);
  if (palette_) DeleteObject(palette_);
  bitmap_ = nullptr;
  palette_ = nullptr;
  width_ = height_ = 0;
  format_ = TPixelFormat::pfDevice;
}

void TBitmap::UpdateInfo() {
  width_ = height_ = 0;
  format_ = TPixelFormat::pfDevice;
  if (!bitmap_) return;
  DIBSECTION ds{};
  if (GetObjectA(bitmap_, sizeof ds, &ds) == sizeof ds) {
    width_ = ds.dsBm.bmWidth;
    height_ = ds.dsBm.bmHeight;
    switch (ds.dsBmih.biBitCount) {
      case 1: format_ = TPixelFormat::pf1bit; break;
      case 4: format_ = TPixelFormat::pf4bit; break;
      case 8: format_ = TPixelFormat::pf8bit; break;
      case 16:
        format_ = ds.dsBmih.biCompression == BI_BITFIELDS && ds.dsBitfields[0] == 0xF800
                      ? TPixelFormat::pf16bit
                      : TPixelFormat::pf15bit;
        break;
      case 24: format_ = TPixelFormat::pf24bit; break;
      case 32: format_ = TPixelFormat::pf32bit; break;
      default: break;
    }
    return;
  }
  BITMAP bm{};
  if (GetObjectA(bitmap_, sizeof bm, &bm)) {
    width_ = bm.bmWidth;
    height_ = bm.bmHeight;
  }
}

void TBitmap::SetHandle(HBITMAP bitmap, HPALETTE palette) {
  FreeCanvas();
  if (bitmap_ && bitmap_ != bitmap) DeleteObject(bitmap_);
  if (palette_ && palette_ != palette) DeleteObject(palette_);
  bitmap_ = bitmap;
  palette_ = palette;
  UpdateInfo();
}

HBITMAP TBitmap::ReleaseHandle() {
  FreeCanvas();
  HBITMAP b = bitmap_;
  bitmap_ = nullptr;
  UpdateInfo();
  return b;
}

HPALETTE TBitmap::ReleasePalette() {
  FreeCanvas();
  HPALETTE p = palette_;
  palette_ = nullptr;
  return p;
}

void TBitmap::SetSize(int width, int height, TPixelFormat format) {
  if (width <= 0 || height <= 0) {
    Clear();
    return;
  }
  int bpp = 24;
  switch (format) {
    case TPixelFormat::pf1bit: bpp = 1; break;
    case TPixelFormat::pf4bit: bpp = 4; break;
    case TPixelFormat::pf8bit: bpp = 8; break;
    case TPixelFormat::pf15bit:
    case TPixelFormat::pf16bit: bpp = 16; break;
    case TPixelFormat::pf32bit: bpp = 32; break;
    default: break;
  }
  BitmapInfo256 info = MakeBitmapInfo(width, height, bpp, BI_RGB);
  HPALETTE palette = nullptr;
  if (bpp <= 8) {
    // Black and white, then the halftone colours.
    HPALETTE halftone = nullptr;
    HDC screen = GetDC(nullptr);
    halftone = CreateHalftonePalette(screen);
    ReleaseDC(nullptr, screen);
    PALETTEENTRY pe[256]{};
    const int n = 1 << bpp;
    UINT got = halftone ? GetPaletteEntries(halftone, 0, n, pe) : 0;
    if (halftone) DeleteObject(halftone);
    if (bpp == 1 || got < static_cast<UINT>(n)) {
      for (int i = 0; i < n; ++i) {
        const BYTE v = static_cast<BYTE>(i * 255 / (n - 1));
        pe[i] = PALETTEENTRY{v, v, v, 0};
      }
    }
    std::vector<unsigned char> lp(sizeof(LOGPALETTE) + n * sizeof(PALETTEENTRY));
    auto* log = reinterpret_cast<LOGPALETTE*>(lp.data());
    log->palVersion = 0x300;
    log->palNumEntries = static_cast<WORD>(n);
    for (int i = 0; i < n; ++i) {
      log->palPalEntry[i] = pe[i];
      info.colors[i] = RGBQUAD{pe[i].peBlue, pe[i].peGreen, pe[i].peRed, 0};
    }
    info.h.biClrUsed = static_cast<DWORD>(n);
    palette = CreatePalette(log);
  } else if (format == TPixelFormat::pf16bit) {
    info.h.biCompression = BI_BITFIELDS;
    const DWORD masks[3] = {0xF800, 0x07E0, 0x001F};
    std::memcpy(info.colors, masks, sizeof masks);
  }
  void* bits = nullptr;
  HBITMAP bmp = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS,
                                 &bits, nullptr, 0);
  if (!bmp) {
    if (palette) DeleteObject(palette);
    throw std::runtime_error(kOutOfResourcesText);
  }
  SetHandle(bmp, palette);
  RECT r{0, 0, width, height};
  TCanvas& c = Canvas();
  ::FillRect(c.Handle(), &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
}

TCanvas& TBitmap::Canvas() {
  if (!bitmap_) throw std::runtime_error("Canvas does not allow drawing");
  if (!canvas_dc_) {
    canvas_dc_ = CreateCompatibleDC(nullptr);
    if (!canvas_dc_) throw std::runtime_error(kOutOfResourcesText);
    canvas_old_ = SelectObject(canvas_dc_, bitmap_);
    if (palette_) {
      canvas_old_palette_ = SelectPalette(canvas_dc_, palette_, FALSE);
      RealizePalette(canvas_dc_);
    }
    canvas_.SetHandle(canvas_dc_);
  }
  return canvas_;
}

void TBitmap::Assign(const TBitmap& other) {
  if (&other == this) return;
  if (other.Empty()) {
    Clear();
    return;
  }
  HBITMAP copy = static_cast<HBITMAP>(CopyImage(other.bitmap_, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  if (!copy) throw std::runtime_error(kOutOfResourcesText);
  HPALETTE pal = nullptr;
  if (other.palette_) {
    PALETTEENTRY pe[256];
    const UINT n = GetPaletteEntries(other.palette_, 0, 256, pe);
    std::vector<unsigned char> lp(sizeof(LOGPALETTE) + 256 * sizeof(PALETTEENTRY));
    auto* log = reinterpret_cast<LOGPALETTE*>(lp.data());
    log->palVersion = 0x300;
    log->palNumEntries = static_cast<WORD>(n);
    std::memcpy(log->palPalEntry, pe, n * sizeof(PALETTEENTRY));
    pal = CreatePalette(log);
  }
  SetHandle(copy, pal);
}

namespace {

// What a .bmp file says in front of its pixels, as TBitmap reads it.
struct BmpFront {
  qm::QvBmpFileHeader file;
  qm::QvBmpHeader header;
  unsigned entries = 0;      // colour-table entries read (kept for 8 bits or fewer)
  qm::QvRGBQuad table[256];  // their colours
};

// Parses a .bmp file up to its pixels: the headers, the colour table (or
// masks) and a gap before bfOffBits. Refusals throw; false when the bytes end
// too early.
bool ParseBmpFront(qm::ByteReader& r, BmpFront& out) {
  if (!qm::ReadBmpFileHeader(r, out.file)) return false;
  if (out.file.type != qm::kBmpFileType) throw EInvalidGraphic(kBadBitmapText);
  std::uint32_t header_size;
  if (!r.ReadU32(header_size)) return false;
  if (header_size != qm::kBmpCoreHeaderSize && (header_size < 40 || header_size > 124))
    throw EInvalidGraphic(kBadBitmapText);
  if (!qm::ReadBmpHeader(r, header_size, out.header)) return false;

  const qm::QvBitmapInfoHeader& h = out.header.info;
  const long width = h.biWidth;
  const long height = h.biHeight;
  const unsigned bpp = h.biBitCount;
  const unsigned compression = h.biCompression;
  const bool top_down = height < 0;
  const long rows = top_down ? -height : height;
  if (width <= 0 || rows <= 0 || width > 0x7FFFFF || rows > 0x7FFFFF) throw EInvalidGraphic(kBadBitmapText);
  if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32)
    throw EInvalidGraphic(kBadBitmapText);
  const bool rle = compression == BI_RLE8 || compression == BI_RLE4;
  if ((compression == BI_RLE8 && bpp != 8) || (compression == BI_RLE4 && bpp != 4) ||
      (compression == BI_BITFIELDS && bpp != 16 && bpp != 32) ||
      (compression != BI_RGB && compression != BI_BITFIELDS && !rle) || (rle && top_down))
    throw EInvalidGraphic(kBadBitmapText);

  // Colour table and masks.
  const std::uint32_t colors_used = h.biClrUsed;
  if (bpp <= 8) out.entries = colors_used && colors_used < (1u << bpp) ? colors_used : 1u << bpp;
  else if (colors_used <= 256) out.entries = colors_used;  // an optional table, skipped
  else throw EInvalidGraphic(kBadBitmapText);
  if (compression == BI_BITFIELDS && !qm::ReadBmpMasks(r, out.header)) return false;
  if (!qm::ReadBmpColors(r, out.header, out.entries, out.table, 256)) return false;
  // A gap before the pixels, as the file header says.
  if (out.file.offBits > r.Position()) {
    const std::uint64_t gap = out.file.offBits - r.Position();
    if (gap > (16u << 20)) throw EInvalidGraphic(kBadBitmapText);
    if (!r.Skip(gap)) return false;
  }
  return true;
}

}  // namespace

void TBitmap::LoadFromStream(std::istream& in) {
  // The front of the file is parsed from memory as it is read; the stream
  // ends up just after the pixels.
  BmpFront front;
  std::string bytes;
  const bool parsed = qm::ParseGrowing(
      bytes,
      [&](qm::ByteReader& r) {
        front = BmpFront{};
        return ParseBmpFront(r, front);
      },
      [&](std::uint64_t count) {
        return qm::AppendFromSource(bytes, count,
                                    [&](void* dest, std::size_t n) { return ReadSome(in, dest, n); });
      });
  if (!parsed) throw EInvalidGraphic(kBadBitmapText);

  const qm::QvBitmapInfoHeader& h = front.header.info;
  const long width = h.biWidth;
  const long height = h.biHeight;
  const long rows = height < 0 ? -height : height;
  const unsigned bpp = h.biBitCount;
  const unsigned compression = h.biCompression;
  const bool rle = compression == BI_RLE8 || compression == BI_RLE4;
  const std::uint64_t plain_bytes = static_cast<std::uint64_t>(qm::DibStride(width, bpp)) * rows;
  const std::uint64_t want = rle ? h.biSizeImage : plain_bytes;
  if (want == 0 || want > kMaxBytes || plain_bytes > kMaxBytes) throw EInvalidGraphic(kBadBitmapText);
  std::vector<unsigned char> pixels(static_cast<std::size_t>(want), 0);
  // A file cut short keeps the rows it has; the rest stays black.
  const std::size_t got = ReadSome(in, pixels.data(), pixels.size());
  if (got == 0) throw EInvalidGraphic(kBadBitmapText);

  BitmapInfo256 info =
      MakeBitmapInfo(width, height, bpp, compression == BI_BITFIELDS ? BI_BITFIELDS : BI_RGB);
  const unsigned colors = bpp <= 8 ? front.entries : 0;
  info.h.biClrUsed = colors;
  for (unsigned i = 0; i < colors; ++i) {
    const qm::QvRGBQuad& e = front.table[i];
    info.colors[i] = RGBQUAD{e.rgbBlue, e.rgbGreen, e.rgbRed, 0};
  }
  if (compression == BI_BITFIELDS) std::memcpy(info.colors, front.header.masks, sizeof front.header.masks);

  void* bits = nullptr;
  HBITMAP bmp = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS,
                                 &bits, nullptr, 0);
  if (!bmp || !bits) {
    if (bmp) DeleteObject(bmp);
    throw std::runtime_error(kOutOfResourcesText);
  }
  if (!rle) {
    std::memcpy(bits, pixels.data(), pixels.size());
  } else {
    // The platform decodes the runs into the section.
    info.h.biCompression = compression;
    info.h.biSizeImage = static_cast<DWORD>(pixels.size());
    TMemoryDc mem;
    if (!mem.dc || !SetDIBits(mem.dc, bmp, 0, static_cast<UINT>(rows), pixels.data(),
                              reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS)) {
      DeleteObject(bmp);
      throw EInvalidGraphic(kBadBitmapText);
    }
  }
  GdiFlush();
  HPALETTE palette = nullptr;
  if (colors) {
    std::vector<unsigned char> lp(sizeof(LOGPALETTE) + colors * sizeof(PALETTEENTRY));
    auto* log = reinterpret_cast<LOGPALETTE*>(lp.data());
    log->palVersion = 0x300;
    log->palNumEntries = static_cast<WORD>(colors);
    for (unsigned i = 0; i < colors; ++i)
      log->palPalEntry[i] = PALETTEENTRY{info.colors[i].rgbRed, info.colors[i].rgbGreen,
                                         info.colors[i].rgbBlue, 0};
    palette = CreatePalette(log);
  }
  SetHandle(bmp, palette);
}

void TBitmap::SaveToStream(std::ostream& out) const {
  if (!bitmap_) throw std::runtime_error("Cannot save an empty bitmap");
  DIBSECTION ds{};
  int bpp = 24;
  if (GetObjectA(bitmap_, sizeof ds, &ds) == sizeof ds &&
      (ds.dsBmih.biBitCount <= 8 || ds.dsBmih.biBitCount == 32))
    bpp = ds.dsBmih.biBitCount;
  BitmapInfo256 info = MakeBitmapInfo(width_, height_, bpp, BI_RGB);
  const std::size_t stride = static_cast<std::size_t>(qm::DibStride(width_, bpp));
  std::vector<char> pixels(stride * static_cast<std::size_t>(height_));
  TMemoryDc mem;
  GdiFlush();
  // A bitmap selected into its canvas cannot be read by GetDIBits.
  const bool selected = canvas_dc_ != nullptr;
  if (selected) SelectObject(canvas_dc_, canvas_old_);
  const int lines = GetDIBits(mem.dc, bitmap_, 0, static_cast<UINT>(height_), pixels.data(),
                              reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
  if (selected) SelectObject(canvas_dc_, bitmap_);
  if (lines != height_) throw std::runtime_error(kBitmapPixelsText);
  const unsigned colors = bpp <= 8 ? (info.h.biClrUsed ? info.h.biClrUsed : 1u << bpp) : 0;
  info.h.biSizeImage = static_cast<DWORD>(pixels.size());
  info.h.biClrUsed = colors;
  qm::QvBitmapInfoHeader header;
  static_assert(sizeof header == sizeof info.h, "BITMAPINFOHEADER layout");
  std::memcpy(&header, &info.h, sizeof header);
  std::string head;
  qm::ByteWriter w(head);
  qm::WriteBmpHeaders(w, header, info.colors, colors, static_cast<std::uint32_t>(pixels.size()));
  out.write(head.data(), static_cast<std::streamsize>(head.size()));
  out.write(pixels.data(), static_cast<std::streamsize>(pixels.size()));
}

void TBitmap::DrawOn(TCanvas& canvas, const RECT& r) {
  HDC dest = canvas.Handle();
  if (!dest || !bitmap_) return;
  HDC src = canvas_dc_;
  TMemoryDc temp;
  HGDIOBJ old = nullptr;
  if (!src) {
    src = temp.dc;
    old = SelectObject(src, bitmap_);
  }
  HPALETTE old_pal = nullptr;
  if (palette_ && GetDeviceCaps(dest, RASTERCAPS) & RC_PALETTE) {
    old_pal = SelectPalette(dest, palette_, TRUE);
    RealizePalette(dest);
  }
  const int mode = SetStretchBltMode(dest, COLORONCOLOR);
  StretchBlt(dest, r.left, r.top, r.right - r.left, r.bottom - r.top, src, 0, 0, width_, height_,
             canvas.CopyMode);
  SetStretchBltMode(dest, mode);
  if (old_pal) SelectPalette(dest, old_pal, TRUE);
  if (old) SelectObject(src, old);
}

// ---------------------------------------------------------------------------
// TMetafile

TMetafile::~TMetafile() { Clear(); }

void TMetafile::Clear() {
  if (emf_) DeleteEnhMetaFile(emf_);
  emf_ = nullptr;
  width_ = height_ = 0;
  inch_ = 96;
}

void TMetafile::SetHandle(HENHMETAFILE emf, int width, int height) {
  if (emf_ && emf_ != emf) DeleteEnhMetaFile(emf_);
  emf_ = emf;
  inch_ = 96;
  width_ = width;
  height_ = height;
  if (emf_ && (width_ <= 0 || height_ <= 0)) {
    ENHMETAHEADER h{};
    GetEnhMetaFileHeader(emf_, sizeof h, &h);
    width_ = MulDiv(h.rclFrame.right - h.rclFrame.left, 96, 2540);
    height_ = MulDiv(h.rclFrame.bottom - h.rclFrame.top, 96, 2540);
    if (width_ <= 0 || height_ <= 0) {
      width_ = h.rclBounds.right - h.rclBounds.left + 1;
      height_ = h.rclBounds.bottom - h.rclBounds.top + 1;
    }
  }
  if (!emf_) width_ = height_ = 0;
}

void TMetafile::LoadFromStream(std::istream& in) {
  unsigned char first[4];
  ReadExactly(in, first, sizeof first, kBadMetafileText);
  const std::uint32_t key = qm::LoadLe32(first);
  if (key == kPlaceableKey) {
    LoadWindowsMetafile(in, true, reinterpret_cast<const char*>(first), 4);
  } else if (key == 1) {  // EMR_HEADER
    LoadEnhanced(in, reinterpret_cast<const char*>(first), 4);
  } else if ((qm::LoadLe16(first) == 1 || qm::LoadLe16(first) == 2) && qm::LoadLe16(first + 2) == 9) {
    LoadWindowsMetafile(in, false, reinterpret_cast<const char*>(first), 4);
  } else {
    throw EInvalidGraphic(kBadMetafileText);
  }
}

void TMetafile::LoadWindowsMetafile(std::istream& in, bool placeable, const char* first,
                                    std::size_t got) {
  int width = 0, height = 0, inch = 96;
  std::vector<unsigned char> records;
  unsigned char wmf_header[18];
  if (placeable) {
    unsigned char ph[22];
    std::memcpy(ph, first, got);
    ReadExactly(in, ph + got, sizeof ph - got, kBadMetafileText);
    const int left = static_cast<std::int16_t>(qm::LoadLe16(ph + 6));
    const int top = static_cast<std::int16_t>(qm::LoadLe16(ph + 8));
    const int right = static_cast<std::int16_t>(qm::LoadLe16(ph + 10));
    const int bottom = static_cast<std::int16_t>(qm::LoadLe16(ph + 12));
    inch = qm::LoadLe16(ph + 14);
    if (inch == 0) throw EInvalidGraphic(kBadMetafileText);
    width = MulDiv(right - left < 0 ? left - right : right - left, 96, inch);
    height = MulDiv(bottom - top < 0 ? top - bottom : bottom - top, 96, inch);
    ReadExactly(in, wmf_header, sizeof wmf_header, kBadMetafileText);
  } else {
    std::memcpy(wmf_header, first, got);
    ReadExactly(in, wmf_header + got, sizeof wmf_header - got, kBadMetafileText);
  }
  if (qm::LoadLe16(wmf_header + 2) != 9) throw EInvalidGraphic(kBadMetafileText);
  const std::uint64_t size = static_cast<std::uint64_t>(qm::LoadLe32(wmf_header + 6)) * 2;
  if (size < sizeof wmf_header || size > kMaxBytes) throw EInvalidGraphic(kBadMetafileText);
  records.resize(static_cast<std::size_t>(size));
  std::memcpy(records.data(), wmf_header, sizeof wmf_header);
  ReadExactly(in, records.data() + sizeof wmf_header, records.size() - sizeof wmf_header,
              kBadMetafileText);

  METAFILEPICT mfp{};
  mfp.mm = MM_ANISOTROPIC;
  mfp.xExt = MulDiv(width, 2540, 96);
  mfp.yExt = MulDiv(height, 2540, 96);
  HENHMETAFILE emf = SetWinMetaFileBits(static_cast<UINT>(records.size()), records.data(), nullptr,
                                        placeable && width > 0 && height > 0 ? &mfp : nullptr);
  if (!emf) throw EInvalidGraphic(kBadMetafileText);
  SetHandle(emf, width, height);
  inch_ = inch;
}

void TMetafile::LoadEnhanced(std::istream& in, const char* first, std::size_t got) {
  unsigned char head[88]{};
  std::memcpy(head, first, got);
  ReadExactly(in, head + got, sizeof head - got, kBadMetafileText);
  const std::uint32_t record_size = qm::LoadLe32(head + 4);
  const std::uint32_t signature = qm::LoadLe32(head + 40);
  const std::uint64_t total = qm::LoadLe32(head + 48);
  if (signature != 0x464D4520u || record_size < sizeof head || total < record_size ||
      total > kMaxBytes)
    throw EInvalidGraphic(kBadMetafileText);
  std::vector<unsigned char> bytes(static_cast<std::size_t>(total));
  std::memcpy(bytes.data(), head, sizeof head);
  ReadExactly(in, bytes.data() + sizeof head, bytes.size() - sizeof head, kBadMetafileText);
  HENHMETAFILE emf = SetEnhMetaFileBits(static_cast<UINT>(bytes.size()), bytes.data());
  if (!emf) throw EInvalidGraphic(kBadMetafileText);
  SetHandle(emf);
}

void TMetafile::SaveToStream(std::ostream& out) const {
  if (!emf_) throw std::runtime_error("Cannot save an empty metafile");
  HDC ref = GetDC(nullptr);
  const UINT size = GetWinMetaFileBits(emf_, 0, nullptr, MM_ANISOTROPIC, ref);
  std::string records(size, '\0');
  const UINT got =
      size ? GetWinMetaFileBits(emf_, size, reinterpret_cast<BYTE*>(&records[0]), MM_ANISOTROPIC, ref)
           : 0;
  ReleaseDC(nullptr, ref);
  if (size == 0 || got != size) throw std::runtime_error(kMetafileConvertText);
  std::string head;
  qm::ByteWriter w(head);
  w.WriteU32(kPlaceableKey);
  w.WriteU16(0);  // handle
  w.WriteU16(0);  // bounding box
  w.WriteU16(0);
  w.WriteU16(static_cast<std::uint16_t>(width_ & 0x7FFF));
  w.WriteU16(static_cast<std::uint16_t>(height_ & 0x7FFF));
  w.WriteU16(96);
  w.WriteU32(0);
  std::uint16_t sum = 0;
  for (std::size_t i = 0; i < head.size(); i += 2) sum ^= qm::LoadLe16(head.data() + i);
  w.WriteU16(sum);
  out.write(head.data(), static_cast<std::streamsize>(head.size()));
  out.write(records.data(), static_cast<std::streamsize>(records.size()));
}

void TMetafile::SaveToEnhancedStream(std::ostream& out) const {
  if (!emf_) throw std::runtime_error("Cannot save an empty metafile");
  const UINT size = GetEnhMetaFileBits(emf_, 0, nullptr);
  std::string bytes(size, '\0');
  if (!size || GetEnhMetaFileBits(emf_, size, reinterpret_cast<BYTE*>(&bytes[0])) != size)
    throw std::runtime_error(kMetafileReadText);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void TMetafile::DrawOn(TCanvas& canvas, const RECT& r) {
  if (!emf_ || !canvas.Handle()) return;
  PlayEnhMetaFile(canvas.Handle(), emf_, &r);
}

}  // namespace cl
