#include "bitmap/QvGraphic.h"

namespace qm {

void TQvGraphic::Assign(cl::TClipboard& clipboard) {
  clipboard.Open();
  try {
    const UINT format = ClipboardFormat();
    LoadFromClipboardFormat(format, clipboard.GetAsHandle(format),
                            static_cast<HPALETTE>(clipboard.GetAsHandle(CF_PALETTE)));
  } catch (...) {
    clipboard.Close();
    throw;
  }
  clipboard.Close();
}

}  // namespace qm
