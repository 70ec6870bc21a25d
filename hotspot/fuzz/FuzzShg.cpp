// Fuzzes the .shg reader, the picture rebuild and the RunLen unpacker.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "hotspot/core/Shg.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace qm::hotspot;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  RunLenUnpack(bytes, 1 << 20);
  TShg shg;
  try {
    shg.LoadFromBytes(bytes);
    if (shg.pictureType == kShgTypeBitmap) {
      if (BitmapStride(shg.width, shg.bitCount) * shg.height <= (8u << 20)) shg.BuildBitmapFile();
    } else {
      shg.BuildPlaceableMetafile();
    }
    shg.SaveToBytes();
  } catch (const EShgError&) {
  }
  try {
    shg.ImportPlaceableMetafile(bytes);
    shg.SaveToBytes();
  } catch (const EShgError&) {
  }
  try {
    shg.ImportBmpStream(bytes);
  } catch (const EShgError&) {
  }
  return 0;
}
