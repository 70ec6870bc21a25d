// libFuzzer: packed DIB (clipboard) reading and writing back.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "bitmap/core/QvDib.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // The suite's seeds are BMP files: the packed form starts after the file header.
  if (size >= 14 && data[0] == 'B' && data[1] == 'M') {
    data += 14;
    size -= 14;
  }
  std::vector<uint8_t> block(data, data + size);  // exactly sized
  qm::TQvDIB dib(false);
  try {
    dib.LoadFromPackedDIB(block.data(), block.size());
    int pf = dib.GetPixelFormat();
    if (pf == qm::kPf4BitRle) dib.SetPixelFormat(qm::kPf4Bit);
    if (pf == qm::kPf8BitRle) dib.SetPixelFormat(qm::kPf8Bit);
    std::string again = dib.SaveToPackedDIB();
    (void)again;
  } catch (const std::exception&) {
  }
  return 0;
}
