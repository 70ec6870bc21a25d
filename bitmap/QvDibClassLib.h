// TQvDIB to and from the class library's bitmaps (cl::TBitmap).
#pragma once

#include "bitmap/core/QvDib.h"
#include "classlib/Graphics.h"

namespace qm {

// Replaces the DIB's picture by a device-independent copy of the bitmap's
// pixels and palette (16- and 32-bit bitmaps become 24-bit DIBs). Throws
// EQvInvalidGraphic for an empty bitmap.
void QvDibAssignFromBitmap(TQvDIB& dib, cl::TBitmap& bitmap);
// Gives the bitmap a copy of the DIB's pixels (a DIB section of its bit
// count) and of its palette.
void QvDibAssignToBitmap(TQvDIB& dib, cl::TBitmap& bitmap);

}  // namespace qm
