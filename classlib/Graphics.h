// Pictures: the abstract graphic, bitmaps (a DIB section with its palette)
// and metafiles (an enhanced metafile; placeable Windows metafiles are read
// and written too).
#pragma once

#include <windows.h>

#include <iosfwd>
#include <memory>
#include <stdexcept>
#include <string>

#include "classlib/Canvas.h"
#include "classlib/ErrorTexts.h"

namespace cl {

// A stream or file that does not hold a picture of the expected kind.
class EInvalidGraphic : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class TGraphic {
 public:
  virtual ~TGraphic() = default;
  TGraphic() = default;
  TGraphic(const TGraphic&) = delete;
  TGraphic& operator=(const TGraphic&) = delete;

  virtual int Width() const = 0;
  virtual int Height() const = 0;
  virtual bool Empty() const = 0;
  // Reads one picture from the stream's current position; the stream is
  // left just after it (the size comes from the picture's headers).
  virtual void LoadFromStream(std::istream& in) = 0;
  virtual void SaveToStream(std::ostream& out) const = 0;
  void LoadFromFile(const std::string& path);
  void SaveToFile(const std::string& path) const;

  // Draws the picture stretched over r (TCanvas::Draw and StretchDraw).
  virtual void DrawOn(TCanvas& canvas, const RECT& r) = 0;

  // Clipboard data, for the graphic classes that the clipboard carries
  // (TClipboard::Assign, TPicture::LoadFromClipboardFormat). Loading takes
  // the data and palette handles as they are and leaves them the caller's;
  // saving gives new handles (palette may be null) for the caller to hand
  // to the clipboard.
  virtual void LoadFromClipboardFormat(UINT format, HANDLE data, HPALETTE palette) {
    throw EInvalidGraphic(kClipboardPictureFormatText);
  }
  virtual void SaveToClipboardFormat(UINT& format, HANDLE& data, HPALETTE& palette) const {
    throw EInvalidGraphic(kClipboardPictureFormatText);
  }
};

enum class TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit };

// A bitmap: a DIB section and, for 8 bits or fewer, a palette of its
// colours. Both handles are the bitmap's own.
class TBitmap : public TGraphic {
 public:
  TBitmap();
  ~TBitmap() override;

  int Width() const override { return width_; }
  int Height() const override { return height_; }
  bool Empty() const override { return bitmap_ == nullptr; }
  TPixelFormat PixelFormat() const { return format_; }
  // A new white picture of the size and format (pfDevice: 24 bits).
  void SetSize(int width, int height, TPixelFormat format = TPixelFormat::pf24bit);

  HBITMAP Handle() const { return bitmap_; }
  HPALETTE Palette() const { return palette_; }
  // Takes both handles (either may be null); frees the ones held before.
  void SetHandle(HBITMAP bitmap, HPALETTE palette = nullptr);
  // Gives up the handles to the caller; the bitmap becomes empty.
  HBITMAP ReleaseHandle();
  HPALETTE ReleasePalette();
  // A copy of the pixels and palette of another bitmap.
  void Assign(const TBitmap& other);

  // Draws on the picture (a memory DC with the bitmap selected, made on
  // first use). Empty bitmaps have no canvas.
  TCanvas& Canvas();
  // Lets the bitmap out of its canvas's DC (for functions that must not see
  // it selected); the canvas gets a new DC when next used.
  void FreeCanvas();

  // A .bmp file: BITMAPFILEHEADER, an info or core header, colours, pixels
  // (also RLE). Throws EInvalidGraphic for anything else.
  void LoadFromStream(std::istream& in) override;
  // Writes an uncompressed .bmp file.
  void SaveToStream(std::ostream& out) const override;
  void DrawOn(TCanvas& canvas, const RECT& r) override;

 private:
  void Clear();
  void UpdateInfo();
  HBITMAP bitmap_ = nullptr;
  HPALETTE palette_ = nullptr;
  int width_ = 0, height_ = 0;
  TPixelFormat format_ = TPixelFormat::pfDevice;
  HDC canvas_dc_ = nullptr;
  HGDIOBJ canvas_old_ = nullptr;
  HPALETTE canvas_old_palette_ = nullptr;
  TCanvas canvas_;
};

// A metafile, kept as an enhanced metafile. Width and Height are in pixels
// (96 per inch).
class TMetafile : public TGraphic {
 public:
  TMetafile() = default;
  ~TMetafile() override;

  int Width() const override { return width_; }
  int Height() const override { return height_; }
  bool Empty() const override { return emf_ == nullptr; }
  // Units per inch of the placeable header read (96 when not placeable).
  int Inch() const { return inch_; }

  HENHMETAFILE Handle() const { return emf_; }
  // Takes the handle; the size is the picture frame's unless given.
  void SetHandle(HENHMETAFILE emf, int width = 0, int height = 0);
  void Clear();

  // A placeable Windows metafile (key 9AC6CDD7h) or an enhanced metafile,
  // told apart by their first bytes and read up to the size their headers
  // give. Throws EInvalidGraphic for anything else.
  void LoadFromStream(std::istream& in) override;
  // Writes a placeable Windows metafile (96 units per inch, bounding box
  // 0, 0, Width, Height).
  void SaveToStream(std::ostream& out) const override;
  // The enhanced metafile's own bytes.
  void SaveToEnhancedStream(std::ostream& out) const;
  void DrawOn(TCanvas& canvas, const RECT& r) override;

 private:
  void LoadWindowsMetafile(std::istream& in, bool placeable, const char* first, std::size_t got);
  void LoadEnhanced(std::istream& in, const char* first, std::size_t got);
  HENHMETAFILE emf_ = nullptr;
  int width_ = 0, height_ = 0;
  int inch_ = 96;
};

}  // namespace cl
