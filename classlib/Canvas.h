// Drawing on a device context: pen, brush and font as plain values, turned
// into GDI objects for each drawing call (so a canvas never leaves one of
// its objects selected in a DC it does not own).
#pragma once

#include <windows.h>

#include <string>

namespace cl {

class TGraphic;

// Pen modes are the raster operations of SetROP2.
enum TPenMode : int {
  pmBlack = R2_BLACK,
  pmWhite = R2_WHITE,
  pmNop = R2_NOP,
  pmNot = R2_NOT,
  pmCopy = R2_COPYPEN,
  pmNotCopy = R2_NOTCOPYPEN,
  pmXor = R2_XORPEN,
  pmNotXor = R2_NOTXORPEN,
  pmMask = R2_MASKPEN,
  pmMerge = R2_MERGEPEN,
};

struct TPen {
  COLORREF Color = RGB(0, 0, 0);
  int Width = 1;
  int Style = PS_SOLID;
  int Mode = pmCopy;
  bool operator==(const TPen& o) const {
    return Color == o.Color && Width == o.Width && Style == o.Style && Mode == o.Mode;
  }
};

struct TBrush {
  COLORREF Color = RGB(255, 255, 255);
  bool Clear = false;  // bsClear: shapes are not filled, text has no background
  bool operator==(const TBrush& o) const { return Color == o.Color && Clear == o.Clear; }
};

// Height in pixels (negative: character height); the name is Shift-JIS.
struct TFont {
  std::string Name = "MS UI Gothic";
  int Height = -12;
  bool Bold = false;
  bool Italic = false;
  COLORREF Color = RGB(0, 0, 0);
};

class TCanvas {
 public:
  TCanvas() = default;
  explicit TCanvas(HDC dc) : dc_(dc) {}
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;

  // The device context drawn on; the canvas does not own it.
  HDC Handle() const { return dc_; }
  void SetHandle(HDC dc) { dc_ = dc; }
  bool HandleAllocated() const { return dc_ != nullptr; }

  TPen Pen;
  TBrush Brush;
  TFont Font;
  // Raster operation of Draw, StretchDraw and CopyRect (bitmaps only).
  DWORD CopyMode = SRCCOPY;
  POINT PenPos() const;

  void MoveTo(int x, int y);
  void LineTo(int x, int y);
  void Polyline(const POINT* points, int count);
  void Polygon(const POINT* points, int count);
  void Rectangle(int x1, int y1, int x2, int y2);
  void RoundRect(int x1, int y1, int x2, int y2, int cx, int cy);
  void Ellipse(int x1, int y1, int x2, int y2);
  // Fills with the brush, without an outline (nothing for a clear brush).
  void FillRect(const RECT& r);
  void FrameRect(const RECT& r);
  void TextOut(int x, int y, const std::string& text);
  SIZE TextExtent(const std::string& text);
  // The graphic at its own size with its top-left corner at x, y.
  void Draw(int x, int y, TGraphic& graphic);
  // The graphic stretched over r.
  void StretchDraw(const RECT& r, TGraphic& graphic);
  // Copies source_rect of source onto dest with CopyMode.
  void CopyRect(const RECT& dest, TCanvas& source, const RECT& source_rect);

  COLORREF Pixel(int x, int y) const;
  void SetPixel(int x, int y, COLORREF c);

 private:
  HDC Dc() const;
  HDC dc_ = nullptr;
};

}  // namespace cl
