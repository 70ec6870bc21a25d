#include "bitmap/QvDibClassLib.h"

#include "bitmap/QvDibWin32.h"

namespace qm {

void QvDibAssignFromBitmap(TQvDIB& dib, cl::TBitmap& bitmap) {
  // The pixels are read with the bitmap out of its canvas's DC.
  bitmap.FreeCanvas();
  QvDibAssignBitmap(dib, bitmap.Handle(), bitmap.Palette());
}

void QvDibAssignToBitmap(TQvDIB& dib, cl::TBitmap& bitmap) {
  HPALETTE palette = nullptr;
  HBITMAP handle = QvDibToBitmap(dib, &palette);
  bitmap.SetHandle(handle, palette);
}

}  // namespace qm
