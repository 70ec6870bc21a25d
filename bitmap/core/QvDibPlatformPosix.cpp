// POSIX stand-in for the file-mapped pixel memory: a zero-filled heap block
// (so that the memory checkers watch it), refused for 0 bytes as a real
// mapping is.
#include <cstdlib>

#include "bitmap/core/QvDibMemory.h"

namespace qm {

bool PlatformMapMemory(uint64_t size, void*& handle, uint8_t*& bits, int& failedStep) {
  if (size == 0) {
    failedStep = 1;
    return false;
  }
  void* p = std::calloc(static_cast<size_t>(size), 1);
  if (!p) {
    failedStep = 1;
    return false;
  }
  bits = static_cast<uint8_t*>(p);
  handle = p;  // any non-null value stands for the mapping
  return true;
}

bool PlatformUnmapMemory(void* handle, uint8_t* bits, int& failedStep) {
  if (!bits || handle != bits) {
    failedStep = 1;
    return false;
  }
  std::free(bits);
  return true;
}

void PlatformDeletePalette(void*) {}

// There are no system colours outside Windows; every one reads as black.
uint32_t PlatformSysColor(int) { return 0; }

}  // namespace qm
