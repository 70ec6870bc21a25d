// Win32 side of TQvDIB: palettes as handles, drawing through StretchDIBits,
// a canvas over the DIB's own pixel memory, clipboard data (CF_DIB) and
// plain bitmap handles.
#pragma once

#include <windows.h>

#include "bitmap/core/QvDib.h"

namespace qm {

// A new palette from the first biClrUsed colours, or null when there are none.
// Throws EQvOutOfResources "GetPaletteFromDIBInfos: Cannot Make Palette".
HPALETTE GetPaletteFromDIBInfos(const TQvDIBData& data);
// A new palette with the same entries; null for null. The caller owns it.
HPALETTE CopyPalette(HPALETTE palette);

// The palette to draw with: the cached halftone palettes in HalftoneMode 1
// and 2, else the DIB's own (made on demand). The handle stays the library's.
HPALETTE QvDibGetPalette(TQvDIB& dib);
// Takes the colours of palette (up to 256) as the DIB's colour table. The
// handle stays the caller's: the DIB keeps a copy and deletes the palette it
// held before. Null empties the colour table.
void QvDibSetPalette(TQvDIB& dib, HPALETTE palette);

// Draws the whole DIB stretched onto rect of dc (raster operation rop): in
// HalftoneMode 0 as it is, in 1 and 2 through a colour or black-and-white
// halftone copy made at the size of rect; other modes draw nothing.
void QvDibDraw(TQvDIB& dib, HDC dc, const RECT& rect, DWORD rop = SRCCOPY);

// Clipboard data of a TQvDIB: format CF_DIB, a new global block (the
// caller's), and no palette handle: the colours travel in the block, and
// the palette handles a DIB uses (its own, or the halftone ones in halftone
// mode) stay the library's.
void QvDibSaveToClipboardFormat(const TQvDIB& dib, UINT& format, HANDLE& data, HPALETTE& palette);
// Loads a packed DIB from a global block (which stays the caller's).
// Throws EQvInvalidGraphic for another format or no data.
void QvDibLoadFromClipboardFormat(TQvDIB& dib, UINT format, HANDLE data, HPALETTE palette);

// Replaces the picture by a device-independent copy of bitmap (palette may
// be null). 16- and 32-bit bitmaps become 24-bit DIBs.
void QvDibAssignBitmap(TQvDIB& dib, HBITMAP bitmap, HPALETTE palette);
// A new bitmap (a DIB section of the DIB's bit count) with the same pixels;
// *palette (when asked for) receives a copy of the DIB's palette or null.
// Both handles belong to the caller.
HBITMAP QvDibToBitmap(TQvDIB& dib, HPALETTE* palette);

// A device context drawing straight into a TQvDIB's pixel memory, through a
// DIB section over its file mapping. The DIB must use mapped memory and hold
// plain pixels.
class TQvDIBCanvas {
 public:
  explicit TQvDIBCanvas(TQvDIB* dib);
  ~TQvDIBCanvas();
  TQvDIBCanvas(const TQvDIBCanvas&) = delete;
  TQvDIBCanvas& operator=(const TQvDIBCanvas&) = delete;
  HDC Handle() const { return memoryDC_; }

 private:
  void Release();
  HDC memoryDC_ = nullptr;
  HBITMAP dibSection_ = nullptr;
  TQvDIB* dib_ = nullptr;
  HGDIOBJ oldBitmap_ = nullptr;
  HPALETTE oldPalette_ = nullptr;
  void* sectionBits_ = nullptr;
};

}  // namespace qm
