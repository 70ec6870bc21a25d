#include "hotspot/core/ShgBmpImport.h"

#include "bitmap/core/QvDib.h"
#include "bitmap/core/QvStream.h"

namespace qm::hotspot {

std::string LoadBmpThroughQvDib(const std::string& path) {
  TQvDIB dib(false);
  dib.LoadFromFile(path);
  switch (dib.GetPixelFormat()) {
    case kPf4BitRle: dib.SetPixelFormat(kPf4Bit); break;
    case kPf8BitRle: dib.SetPixelFormat(kPf8Bit); break;
    default: break;
  }
  QvStringWriteStream stream;
  dib.SaveToStream(stream);
  return std::move(stream.Data());
}

}  // namespace qm::hotspot
