// libFuzzer: BMP file reading, then everything a loaded picture is used for.
#include <cstddef>
#include <cstdint>

#include "bitmap/core/QvDib.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  qm::TQvDIB dib(true);
  try {
    qm::QvMemoryReadStream s(data, size);
    dib.LoadFromStream(s);
    int pf = dib.GetPixelFormat();
    if (pf == qm::kPf4BitRle) dib.SetPixelFormat(qm::kPf4Bit);
    if (pf == qm::kPf8BitRle) dib.SetPixelFormat(qm::kPf8Bit);
    qm::QvStringWriteStream out;
    dib.SaveToStream(out);
  } catch (const std::exception&) {
  }
  return 0;
}
