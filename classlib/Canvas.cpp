#include "classlib/Canvas.h"

#include <stdexcept>

#include "classlib/Graphics.h"

namespace cl {

namespace {

// Selects the canvas's pen, brush and pen mode into the DC for one call and
// puts the DC back as it was afterwards.
class TDrawingTools {
 public:
  TDrawingTools(HDC dc, const TPen& pen, const TBrush& brush) : dc_(dc) {
    pen_ = CreatePen(pen.Style, pen.Width, pen.Color);
    brush_ = brush.Clear ? static_cast<HBRUSH>(GetStockObject(NULL_BRUSH))
                         : CreateSolidBrush(brush.Color);
    own_brush_ = !brush.Clear;
    old_pen_ = SelectObject(dc_, pen_);
    old_brush_ = SelectObject(dc_, brush_);
    old_rop_ = SetROP2(dc_, pen.Mode);
  }
  ~TDrawingTools() {
    SetROP2(dc_, old_rop_);
    SelectObject(dc_, old_pen_);
    SelectObject(dc_, old_brush_);
    DeleteObject(pen_);
    if (own_brush_) DeleteObject(brush_);
  }
  TDrawingTools(const TDrawingTools&) = delete;
  TDrawingTools& operator=(const TDrawingTools&) = delete;

 private:
  HDC dc_;
  HPEN pen_;
  HBRUSH brush_;
  bool own_brush_;
  HGDIOBJ old_pen_, old_brush_;
  int old_rop_;
};

class TFontTool {
 public:
  TFontTool(HDC dc, const TFont& f, const TBrush& brush) : dc_(dc) {
    font_ = CreateFontA(f.Height, 0, 0, 0, f.Bold ? FW_BOLD : FW_NORMAL, f.Italic, 0, 0,
                        SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                        DEFAULT_PITCH | FF_DONTCARE, f.Name.c_str());
    old_font_ = SelectObject(dc_, font_);
    old_color_ = SetTextColor(dc_, f.Color);
    old_bk_color_ = SetBkColor(dc_, brush.Color);
    old_bk_mode_ = SetBkMode(dc_, brush.Clear ? TRANSPARENT : OPAQUE);
  }
  ~TFontTool() {
    SetBkMode(dc_, old_bk_mode_);
    SetBkColor(dc_, old_bk_color_);
    SetTextColor(dc_, old_color_);
    SelectObject(dc_, old_font_);
    DeleteObject(font_);
  }
  TFontTool(const TFontTool&) = delete;
  TFontTool& operator=(const TFontTool&) = delete;

 private:
  HDC dc_;
  HFONT font_;
  HGDIOBJ old_font_;
  COLORREF old_color_, old_bk_color_;
  int old_bk_mode_;
};

}  // namespace

HDC TCanvas::Dc() const {
  if (!dc_) throw std::runtime_error("Canvas does not allow drawing");
  return dc_;
}

POINT TCanvas::PenPos() const {
  POINT p{0, 0};
  GetCurrentPositionEx(Dc(), &p);
  return p;
}

void TCanvas::MoveTo(int x, int y) { MoveToEx(Dc(), x, y, nullptr); }

void TCanvas::LineTo(int x, int y) {
  TDrawingTools t(Dc(), Pen, Brush);
  ::LineTo(dc_, x, y);
}

void TCanvas::Polyline(const POINT* points, int count) {
  if (count <= 0) return;
  TDrawingTools t(Dc(), Pen, Brush);
  ::Polyline(dc_, points, count);
}

void TCanvas::Polygon(const POINT* points, int count) {
  if (count <= 0) return;
  TDrawingTools t(Dc(), Pen, Brush);
  ::Polygon(dc_, points, count);
}

void TCanvas::Rectangle(int x1, int y1, int x2, int y2) {
  TDrawingTools t(Dc(), Pen, Brush);
  ::Rectangle(dc_, x1, y1, x2, y2);
}

void TCanvas::RoundRect(int x1, int y1, int x2, int y2, int cx, int cy) {
  TDrawingTools t(Dc(), Pen, Brush);
  ::RoundRect(dc_, x1, y1, x2, y2, cx, cy);
}

void TCanvas::Ellipse(int x1, int y1, int x2, int y2) {
  TDrawingTools t(Dc(), Pen, Brush);
  ::Ellipse(dc_, x1, y1, x2, y2);
}

void TCanvas::FillRect(const RECT& r) {
  HDC dc = Dc();
  if (Brush.Clear) return;
  HBRUSH b = CreateSolidBrush(Brush.Color);
  ::FillRect(dc, &r, b);
  DeleteObject(b);
}

void TCanvas::FrameRect(const RECT& r) {
  HDC dc = Dc();
  HBRUSH b = CreateSolidBrush(Brush.Color);
  ::FrameRect(dc, &r, b);
  DeleteObject(b);
}

void TCanvas::TextOut(int x, int y, const std::string& text) {
  TFontTool f(Dc(), Font, Brush);
  ::TextOutA(dc_, x, y, text.data(), static_cast<int>(text.size()));
}

SIZE TCanvas::TextExtent(const std::string& text) {
  TFontTool f(Dc(), Font, Brush);
  SIZE s{0, 0};
  GetTextExtentPoint32A(dc_, text.data(), static_cast<int>(text.size()), &s);
  return s;
}

void TCanvas::Draw(int x, int y, TGraphic& graphic) {
  if (graphic.Empty()) return;
  RECT r{x, y, x + graphic.Width(), y + graphic.Height()};
  graphic.DrawOn(*this, r);
}

void TCanvas::StretchDraw(const RECT& r, TGraphic& graphic) {
  if (graphic.Empty()) return;
  graphic.DrawOn(*this, r);
}

void TCanvas::CopyRect(const RECT& dest, TCanvas& source, const RECT& sr) {
  const int old = SetStretchBltMode(Dc(), COLORONCOLOR);
  StretchBlt(dc_, dest.left, dest.top, dest.right - dest.left, dest.bottom - dest.top,
             source.Dc(), sr.left, sr.top, sr.right - sr.left, sr.bottom - sr.top, CopyMode);
  SetStretchBltMode(dc_, old);
}

COLORREF TCanvas::Pixel(int x, int y) const {
  GdiFlush();
  return GetPixel(Dc(), x, y);
}

void TCanvas::SetPixel(int x, int y, COLORREF c) { ::SetPixel(Dc(), x, y, c); }

}  // namespace cl
