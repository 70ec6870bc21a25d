#include "bitmap/QvDibWin32.h"

#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "bitmap/core/QvDibMemory.h"

static_assert(sizeof(qm::QvBitmapInfoHeader) == sizeof(BITMAPINFOHEADER));
static_assert(offsetof(qm::QvBitmapInfoHeader, biClrUsed) == offsetof(BITMAPINFOHEADER, biClrUsed));
static_assert(sizeof(qm::QvRGBQuad) == sizeof(RGBQUAD));

namespace qm {

namespace {

const BITMAPINFO* InfoOf(const TQvDIBData& d) {
  return reinterpret_cast<const BITMAPINFO*>(&d.Header);
}

HPALETTE MakePalette(const QvRGBQuad* colors, int n) {
  std::vector<unsigned char> buf(sizeof(LOGPALETTE) + 256 * sizeof(PALETTEENTRY));
  LOGPALETTE* lp = reinterpret_cast<LOGPALETTE*>(buf.data());
  lp->palVersion = 0x300;
  lp->palNumEntries = static_cast<WORD>(n);
  for (int i = 0; i < n; ++i) {
    lp->palPalEntry[i].peRed = colors[i].rgbRed;
    lp->palPalEntry[i].peGreen = colors[i].rgbGreen;
    lp->palPalEntry[i].peBlue = colors[i].rgbBlue;
    lp->palPalEntry[i].peFlags = 0;
  }
  return CreatePalette(lp);
}

// The cached palettes of the halftone drawing modes, deleted at exit.
struct HalftonePalettes {
  HPALETTE color = nullptr;
  HPALETTE bw = nullptr;
  ~HalftonePalettes() {
    if (color) DeleteObject(color);
    if (bw) DeleteObject(bw);
  }
  HPALETTE Get(int mode) {
    HPALETTE& p = mode == 1 ? color : bw;
    if (!p) {
      if (mode == 1) {
        auto t = HalftoneColorTable();
        p = MakePalette(t.data(), static_cast<int>(t.size()));
      } else {
        auto t = HalftoneBWTable();
        p = MakePalette(t.data(), static_cast<int>(t.size()));
      }
      if (!p) throw EQvOutOfResources("TQvDIB.GetPalette: Cannot Make Palette(1)");
    }
    return p;
  }
};
HalftonePalettes g_halftone;

// Header and colour table for the DIB functions, with biSizeImage set to the
// encoded size for RLE pixels (the system reads no further).
struct InfoBuffer {
  QvBitmapInfoHeader header;
  QvRGBQuad colors[256];
};

bool PrepareInfo(const TQvDIBData& d, InfoBuffer& info) {
  try {
    TQvInternalDIB::PixelFormatOf(d.Header);
  } catch (const EQvDIBError&) {
    return false;
  }
  info.header = d.Header;
  std::memcpy(info.colors, d.Colors, sizeof info.colors);
  bool rle = d.Header.biCompression == kBiRle4 || d.Header.biCompression == kBiRle8;
  info.header.biSizeImage = rle ? static_cast<uint32_t>(d.Size) : 0;
  return true;
}

// Selects a palette into a DC (forced to the background) for the lifetime.
class PaletteSelection {
 public:
  PaletteSelection(HDC dc, HPALETTE pal) : dc_(dc) {
    if (pal) {
      old_ = SelectPalette(dc, pal, TRUE);
      RealizePalette(dc);
      selected_ = true;
    }
  }
  ~PaletteSelection() {
    if (selected_) SelectPalette(dc_, old_, TRUE);
  }

 private:
  HDC dc_;
  HPALETTE old_ = nullptr;
  bool selected_ = false;
};

}  // namespace

HPALETTE GetPaletteFromDIBInfos(const TQvDIBData& data) {
  int n = static_cast<int>(data.Header.biClrUsed > 256 ? 256 : data.Header.biClrUsed);
  if (n == 0) return nullptr;
  HPALETTE p = MakePalette(data.Colors, n);
  if (!p) throw EQvOutOfResources("GetPaletteFromDIBInfos: Cannot Make Palette");
  return p;
}

HPALETTE CopyPalette(HPALETTE palette) {
  if (!palette) return nullptr;
  WORD count = 0;
  if (!GetObject(palette, sizeof count, &count) || count == 0) return nullptr;
  std::vector<unsigned char> buf(sizeof(LOGPALETTE) + count * sizeof(PALETTEENTRY));
  LOGPALETTE* lp = reinterpret_cast<LOGPALETTE*>(buf.data());
  lp->palVersion = 0x300;
  lp->palNumEntries = count;
  GetPaletteEntries(palette, 0, count, lp->palPalEntry);
  return CreatePalette(lp);
}

HPALETTE QvDibGetPalette(TQvDIB& dib) {
  TQvInternalDIB* in = dib.InternalDIB();
  if (!in) QvAssertFail("TQvDIB.GetPalette: InternalDIB Should not be Nil");
  if (dib.HalftoneMode == 1 || dib.HalftoneMode == 2) return g_halftone.Get(dib.HalftoneMode);
  if (!in->Palette && in->Data.Header.biClrUsed != 0) in->Palette = GetPaletteFromDIBInfos(in->Data);
  return static_cast<HPALETTE>(in->Palette);
}

void QvDibSetPalette(TQvDIB& dib, HPALETTE value) {
  if (!dib.InternalDIB()) QvAssertFail("TQvDIB.SetPalette: InternalDIB Should not be Nil");
  PALETTEENTRY entries[256];
  UINT n = 0;
  if (value) {
    n = GetPaletteEntries(value, 0, 256, entries);
    if (n == 0) throw EQvDIBInvalidPalette("TQvDIB.SetPalette: Invalid Palette");
  }
  dib.UniqueDIB();
  TQvInternalDIB* in = dib.InternalDIB();
  in->Data.Header.biClrUsed = n;
  for (UINT i = 0; i < n; ++i)
    in->Data.Colors[i] = QvRGBQuad{entries[i].peBlue, entries[i].peGreen, entries[i].peRed, 0};
  // Drops (deletes) the palette held so far; the new one is made from the
  // colours when next asked for. The caller's handle is never taken.
  in->UpdatePalette();
  dib.UpdatePaletteModified();
  dib.Changed();
}

void QvDibDraw(TQvDIB& dib, HDC dc, const RECT& r, DWORD rop) {
  TQvInternalDIB* in = dib.InternalDIB();
  if (!in) return;
  if (dib.HalftoneMode == 0) {
    InfoBuffer info;
    if (!PrepareInfo(in->Data, info)) return;
    PaletteSelection sel(dc, QvDibGetPalette(dib));
    int oldMode = SetStretchBltMode(dc, COLORONCOLOR);
    StretchDIBits(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, 0, 0, in->Width, in->Height,
                  in->Data.Bits, reinterpret_cast<const BITMAPINFO*>(&info), DIB_RGB_COLORS, rop);
    SetStretchBltMode(dc, oldMode);
    return;
  }
  if (dib.HalftoneMode > 2 || r.right == r.left || r.bottom == r.top) return;
  // Halftone: convert a copy at the size of the target rectangle. The copy
  // is drawn on through a DIB section, so its pixels are always mapped.
  const uint8_t mode = dib.HalftoneMode;
  TQvDIB temp(true);
  dib.HalftoneMode = 0;
  try {
    temp.SetWidth(std::abs(r.right - r.left));
    temp.SetHeight(std::abs(r.bottom - r.top));
    int bits = dib.GetBitCount();
    if (bits != temp.GetBitCount()) temp.SetBitCount(bits);
    QvDibSetPalette(temp, QvDibGetPalette(dib));
    {
      TQvDIBCanvas canvas(&temp);
      RECT to{0, 0, r.right - r.left, r.bottom - r.top};
      QvDibDraw(dib, canvas.Handle(), to, SRCCOPY);
    }
    dib.HalftoneMode = mode;
    temp.SetPixelFormat(mode == 1 ? kPfHalftone : kPfHalftoneBW);
  } catch (...) {
    dib.HalftoneMode = mode;
    throw;
  }
  QvDibDraw(temp, dc, r, rop);
}

void QvDibSaveToClipboardFormat(const TQvDIB& dib, UINT& format, HANDLE& data, HPALETTE& palette) {
  std::string packed = dib.SaveToPackedDIB();
  HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, packed.size());
  if (!h) throw EQvOutOfMemory("TQvInternalDIB.SaveToClipboardFormat: Out Of Memory");
  void* p = GlobalLock(h);
  std::memcpy(p, packed.data(), packed.size());
  GlobalUnlock(h);
  format = CF_DIB;
  data = h;
  palette = nullptr;
}

void QvDibLoadFromClipboardFormat(TQvDIB& dib, UINT format, HANDLE data, HPALETTE) {
  if (format != CF_DIB || !data)
    throw EQvInvalidGraphic("TQvDIB.LoadFromClipboardFormat: Invalid Clipboard Format or No Data");
  const void* p = GlobalLock(data);
  if (!p) throw EQvInvalidGraphic("TQvDIB.LoadFromClipboardFormat: Invalid Clipboard Format or No Data");
  try {
    dib.LoadFromPackedDIB(p, GlobalSize(data));
  } catch (...) {
    GlobalUnlock(data);
    throw;
  }
  GlobalUnlock(data);
}

void QvDibAssignBitmap(TQvDIB& dib, HBITMAP bitmap, HPALETTE palette) {
  BITMAP bm{};
  if (!bitmap || !GetObject(bitmap, sizeof bm, &bm))
    throw EQvInvalidGraphic("TQvDIB.Assign: Invalid Bitmap");
  int bits = bm.bmBitsPixel * bm.bmPlanes;
  if (bits == 16 || bits == 32) bits = 24;
  std::unique_ptr<TQvInternalDIB> fresh(new TQvInternalDIB(dib.GetUseFMO()));
  fresh->ClearDIB();
  fresh->CreateDIB(bm.bmWidth, bm.bmHeight, bits, 0);
  HDC dc = GetDC(nullptr);
  int lines;
  {
    PaletteSelection sel(dc, palette);
    lines = GetDIBits(dc, bitmap, 0, static_cast<UINT>(fresh->Height), fresh->Data.Bits,
                      reinterpret_cast<BITMAPINFO*>(&fresh->Data.Header), DIB_RGB_COLORS);
  }
  ReleaseDC(nullptr, dc);
  if (lines == 0) throw EQvOutOfResources("TQvDIB.Assign: Cannot Get Bitmap Bits");
  QvBitmapInfoHeader& h = fresh->Data.Header;
  h.biSize = 40;
  h.biCompression = kBiRgb;
  h.biSizeImage = 0;
  if (h.biClrUsed == 0) h.biClrUsed = static_cast<uint32_t>(DefaultColorCount(h.biBitCount));
  if (h.biXPelsPerMeter == 0) h.biXPelsPerMeter = kDefaultPelsPerMeter;
  if (h.biYPelsPerMeter == 0) h.biYPelsPerMeter = kDefaultPelsPerMeter;
  fresh->UpdatePalette();
  dib.TakeInternalDIB(fresh.release());
}

HBITMAP QvDibToBitmap(TQvDIB& dib, HPALETTE* palette) {
  TQvInternalDIB* in = dib.InternalDIB();
  if (!in) QvAssertFail("TQvDIB.AssignTo: InternalDIB Should not be Nil");
  int bits;
  switch (in->GetPixelFormat()) {
    case kPf1Bit: bits = 1; break;
    case kPf4Bit: case kPf4BitRle: bits = 4; break;
    case kPf8Bit: case kPf8BitRle: bits = 8; break;
    case kPf24Bit: bits = 24; break;
    default: QvAssertFail("TQvDIB.AssignTo: Illegal PixelFormat");
  }
  InfoBuffer info{};
  info.header = in->Data.Header;
  info.header.biBitCount = static_cast<uint16_t>(bits);
  info.header.biCompression = kBiRgb;
  info.header.biSizeImage = 0;
  info.header.biHeight = in->Height;
  std::memcpy(info.colors, in->Data.Colors, sizeof info.colors);
  const uint8_t mode = dib.HalftoneMode;
  dib.HalftoneMode = 0;
  HPALETTE pal = nullptr;
  try {
    pal = CopyPalette(QvDibGetPalette(dib));
  } catch (...) {
    dib.HalftoneMode = mode;
    throw;
  }
  dib.HalftoneMode = mode;
  HDC dc = CreateCompatibleDC(nullptr);
  void* sectionBits = nullptr;
  HBITMAP bmp = dc ? CreateDIBSection(dc, reinterpret_cast<const BITMAPINFO*>(&info), DIB_RGB_COLORS,
                                      &sectionBits, nullptr, 0)
                   : nullptr;
  if (!bmp) {
    if (dc) DeleteDC(dc);
    if (pal) DeleteObject(pal);
    throw EQvOutOfResources("TQvDIB.AssignTo: Cannot Make Bitmap");
  }
  HGDIOBJ old = SelectObject(dc, bmp);
  {
    InfoBuffer src;
    if (PrepareInfo(in->Data, src)) {
      PaletteSelection sel(dc, pal);
      StretchDIBits(dc, 0, 0, in->Width, in->Height, 0, 0, in->Width, in->Height, in->Data.Bits,
                    reinterpret_cast<const BITMAPINFO*>(&src), DIB_RGB_COLORS, SRCCOPY);
    }
  }
  GdiFlush();
  SelectObject(dc, old);
  DeleteDC(dc);
  if (palette) *palette = pal;
  else if (pal) DeleteObject(pal);
  return bmp;
}

TQvDIBCanvas::TQvDIBCanvas(TQvDIB* dib) {
  if (!dib || !dib->GetUseFMO()) throw EQvDIBCanvasFailed("TQvDIBCanvas.Create: Cannot Create Canvas");
  try {
    dib_ = dib;
    dib->UniqueDIB();
    memoryDC_ = CreateCompatibleDC(nullptr);
    if (!memoryDC_) throw EQvOutOfResources("TQvDIBCanvas.Create: Cannot Create Memory DC");
    const uint8_t mode = dib->HalftoneMode;
    dib->HalftoneMode = 0;
    HPALETTE pal;
    try {
      pal = QvDibGetPalette(*dib);
    } catch (...) {
      dib->HalftoneMode = mode;
      throw;
    }
    dib->HalftoneMode = mode;
    if (pal) {
      oldPalette_ = SelectPalette(memoryDC_, pal, TRUE);
      RealizePalette(memoryDC_);
    }
    TQvInternalDIB* in = dib->InternalDIB();
    dibSection_ = CreateDIBSection(memoryDC_, InfoOf(in->Data), DIB_RGB_COLORS, &sectionBits_,
                                   static_cast<HANDLE>(in->Data.MappingHandle), 0);
    if (!dibSection_) throw EQvOutOfResources("TQvDIBCanvas.Create: Cannot Create Memory DC");
    oldBitmap_ = SelectObject(memoryDC_, dibSection_);
  } catch (...) {
    Release();
    throw;
  }
}

TQvDIBCanvas::~TQvDIBCanvas() { Release(); }

void TQvDIBCanvas::Release() {
  GdiFlush();
  if (oldBitmap_) SelectObject(memoryDC_, oldBitmap_);
  oldBitmap_ = nullptr;
  if (oldPalette_) SelectPalette(memoryDC_, oldPalette_, TRUE);
  oldPalette_ = nullptr;
  if (dibSection_) DeleteObject(dibSection_);
  dibSection_ = nullptr;
  if (memoryDC_) DeleteDC(memoryDC_);
  memoryDC_ = nullptr;
  if (dib_) {
    TQvDIB* d = dib_;
    dib_ = nullptr;
    d->UpdatePaletteModified();
    d->Changed();
  }
}

}  // namespace qm
