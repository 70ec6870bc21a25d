// TQvGraphic: a graphic of the class library that knows its own clipboard
// format, so that it can be pasted from the clipboard by itself.
#pragma once

#include <windows.h>

#include "classlib/Clipboard.h"
#include "classlib/Graphics.h"

namespace qm {

class TQvGraphic : public cl::TGraphic {
 public:
  // The clipboard format that the class reads and writes.
  virtual UINT ClipboardFormat() const = 0;
  // Loads the clipboard's data of ClipboardFormat, with its palette if it
  // holds one; the clipboard is closed again in every case. Without such
  // data the graphic's LoadFromClipboardFormat refuses a null handle.
  void Assign(cl::TClipboard& clipboard);
};

}  // namespace qm
