#include "bitmap/core/QvDibMemory.h"

#include <cstdlib>

namespace qm {

void QvAssertFail(const char* message) {
  throw EQvAssertionFailed(std::string(message) + " (QvDib)");
}

void GetMemory(int64_t size, void*& mappingHandle, uint8_t*& bits, bool useFMO) {
  if (size < 0 || size > kMaxPixelBytes)
    throw EQvDIBInvalidDIB("GetMemory: Invalid Memory Size");
  if (useFMO) {
    int step = 0;
    void* h = nullptr;
    uint8_t* b = nullptr;
    if (!PlatformMapMemory(static_cast<uint64_t>(size), h, b, step)) {
      if (step == 2) throw EQvOutOfResources("GetMemory: Cannot Make View of File Map");
      throw EQvOutOfResources("GetMemory: Cannot Make File Mapping Object");
    }
    mappingHandle = h;
    bits = b;
    return;
  }
  void* p = std::calloc(size > 0 ? static_cast<size_t>(size) : 1, 1);
  if (!p) throw EQvOutOfMemory("Out of memory");
  mappingHandle = nullptr;
  bits = static_cast<uint8_t*>(p);
}

void ReleaseMemory(void* mappingHandle, uint8_t* bits, bool useFMO) {
  if (!useFMO) {
    std::free(bits);
    return;
  }
  int step = 0;
  if (!PlatformUnmapMemory(mappingHandle, bits, step)) {
    if (step == 1) QvAssertFail("ReleaseMemory: Failed To Unmap View of File map");
    QvAssertFail("ReleaseMemory: Failed To Close File Map");
  }
}

}  // namespace qm
