// Pixel memory in an anonymous file mapping (backed by the paging file), so
// that a DIB section can be laid over the same memory; palette handles.
#include <windows.h>

#include "bitmap/core/QvDibMemory.h"

namespace qm {

bool PlatformMapMemory(uint64_t size, void*& handle, uint8_t*& bits, int& failedStep) {
  HANDLE h = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE,
                                static_cast<DWORD>(size >> 32), static_cast<DWORD>(size), nullptr);
  if (!h) {
    failedStep = 1;
    return false;
  }
  void* view = MapViewOfFile(h, FILE_MAP_WRITE, 0, 0, 0);
  if (!view) {
    CloseHandle(h);
    failedStep = 2;
    return false;
  }
  handle = h;
  bits = static_cast<uint8_t*>(view);
  return true;
}

bool PlatformUnmapMemory(void* handle, uint8_t* bits, int& failedStep) {
  if (!UnmapViewOfFile(bits)) {
    failedStep = 1;
    return false;
  }
  if (!CloseHandle(static_cast<HANDLE>(handle))) {
    failedStep = 2;
    return false;
  }
  return true;
}

void PlatformDeletePalette(void* palette) {
  if (palette) DeleteObject(static_cast<HPALETTE>(palette));
}

uint32_t PlatformSysColor(int index) { return GetSysColor(index); }

}  // namespace qm
