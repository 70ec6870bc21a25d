// TQvDIBGraphic: a TQvDIB as a graphic of the class library. It draws in
// the DIB's halftone mode with the canvas's copy mode, reads and writes BMP
// streams, and travels on the clipboard as CF_DIB.
//
// Linking this unit registers the class with TPicture for files ending in
// ".dib" ("Device Independent Bitmap") and for CF_DIB; the registration is
// taken back when the program ends.
#pragma once

#include "bitmap/QvGraphic.h"
#include "bitmap/core/QvDib.h"

namespace qm {

class TQvDIBGraphic : public TQvGraphic {
 public:
  TQvDIBGraphic() = default;
  explicit TQvDIBGraphic(bool useFMO) : dib_(useFMO) {}

  TQvDIB& DIB() { return dib_; }
  const TQvDIB& DIB() const { return dib_; }

  int Width() const override { return dib_.GetWidth(); }
  int Height() const override { return dib_.GetHeight(); }
  bool Empty() const override { return dib_.GetEmpty(); }
  // A BMP file from the stream's position; the stream is left after it.
  void LoadFromStream(std::istream& in) override;
  void SaveToStream(std::ostream& out) const override;
  void DrawOn(cl::TCanvas& canvas, const RECT& r) override;

  UINT ClipboardFormat() const override { return CF_DIB; }
  // Only CF_DIB with data; any other format, or no data, raises
  // EInvalidGraphic "TQvDIB.LoadFromClipboardFormat: Invalid Clipboard
  // Format or No Data". The palette handle is not used.
  void LoadFromClipboardFormat(UINT format, HANDLE data, HPALETTE palette) override;
  // CF_DIB as a new global block, and no palette handle: the DIB's colours
  // travel in the block.
  void SaveToClipboardFormat(UINT& format, HANDLE& data, HPALETTE& palette) const override;

  using TQvGraphic::Assign;
  // Another TQvDIBGraphic: shares its storage. A bitmap: copies its pixels
  // and palette. Null: the default 1 x 1 picture. Any other graphic raises
  // EInvalidGraphic.
  void Assign(cl::TGraphic* source);
  void AssignTo(cl::TBitmap& bitmap);

 private:
  TQvDIB dib_;
};

}  // namespace qm
