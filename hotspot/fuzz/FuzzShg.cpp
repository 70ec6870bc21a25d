// Fuzzes the .shg reader, the picture rebuild, the RunLen unpacker and the
// checks of metafile records.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "bitmap/core/QvDibTypes.h"
#include "hotspot/core/Shg.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace qm::hotspot;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  RunLenUnpack(bytes, 1 << 20);
  NormalizeWmfRecords(bytes);
  IsWellFormedEmf(bytes);
  TShg shg;
  try {
    shg.LoadFromBytes(bytes);
    if (shg.pictureType == kShgTypeBitmap) {
      const std::uint64_t stride = static_cast<std::uint64_t>(qm::DibStride(shg.width, shg.bitCount));
      if (stride * shg.height <= (8u << 20)) shg.BuildBitmapFile();
    } else {
      NormalizeWmfRecords(std::string_view(shg.BuildPlaceableMetafile()).substr(kPlaceableHeaderSize));
    }
    shg.SaveToBytes();
  } catch (const EShgError&) {
  }
  try {
    shg.ImportPlaceableMetafile(bytes);
    shg.SaveToBytes();
    NormalizeWmfRecords(bytes.substr(kPlaceableHeaderSize));
  } catch (const EShgError&) {
  }
  try {
    shg.ImportBmpStream(bytes);
  } catch (const EShgError&) {
  }
  return 0;
}
