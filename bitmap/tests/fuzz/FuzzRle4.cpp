// libFuzzer: the BI_RLE4 decoder.
#include "bitmap/tests/fuzz/FuzzRle.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  return FuzzRle(data, size, 4);
}
