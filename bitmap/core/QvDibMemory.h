// Pixel memory of the bitmap library: a zero-filled heap block, or a view of
// an anonymous file mapping (UseFMO) that a DIB section can draw into.
#pragma once

#include <cstdint>

#include "bitmap/core/QvDibTypes.h"

namespace qm {

// Allocates size bytes, zero-filled. Throws EQvOutOfResources when no file
// mapping or view can be made, EQvOutOfMemory when the heap has no room, and
// EQvDIBInvalidDIB for a negative or oversized request.
void GetMemory(int64_t size, void*& mappingHandle, uint8_t*& bits, bool useFMO);
// Gives back memory from GetMemory.
void ReleaseMemory(void* mappingHandle, uint8_t* bits, bool useFMO);

// Owns memory from GetMemory until Release() hands it on.
class QvPixelMemory {
 public:
  QvPixelMemory(int64_t size, bool useFMO) : useFMO_(useFMO) {
    GetMemory(size, handle_, bits_, useFMO);
  }
  ~QvPixelMemory() {
    if (bits_) ReleaseMemory(handle_, bits_, useFMO_);
  }
  QvPixelMemory(const QvPixelMemory&) = delete;
  QvPixelMemory& operator=(const QvPixelMemory&) = delete;
  uint8_t* Bits() const { return bits_; }
  void* Handle() const { return handle_; }
  // Stores the memory in d and gives up ownership.
  void HandTo(TQvDIBData& d, int32_t size) {
    d.Size = size;
    d.MappingHandle = handle_;
    d.Bits = bits_;
    handle_ = nullptr;
    bits_ = nullptr;
  }

 private:
  bool useFMO_;
  void* handle_ = nullptr;
  uint8_t* bits_ = nullptr;
};

// Platform parts (one definition for POSIX, one over Win32).
// Makes a zero-filled mapped block; failedStep is 1 when no mapping could be
// made and 2 when no view could be made (the mapping is then closed again).
bool PlatformMapMemory(uint64_t size, void*& handle, uint8_t*& bits, int& failedStep);
// Unmaps and closes; false (with step 1 unmap, 2 close) on failure.
bool PlatformUnmapMemory(void* handle, uint8_t* bits, int& failedStep);
// Deletes a palette handle held by an internal DIB.
void PlatformDeletePalette(void* palette);
// The RGB value (COLORREF) of system colour index (COLOR_WINDOW and so on).
uint32_t PlatformSysColor(int index);

}  // namespace qm
