// Fuzzes the preview's picture reader: whatever the bytes, it reads inside
// them, and what it builds is as large as it says.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "bitmap/core/QvDibTypes.h"
#include "core/LittleEndian.h"
#include "editor/core/ShgPicture.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace qm::editor;
  const ShgPicture p = ReadShgPicture(std::string_view(reinterpret_cast<const char*>(data), size));
  switch (p.Kind) {
    case ShgPictureKind::Bitmap: {
      if (p.Width <= 0 || p.Height <= 0 || p.Bytes.size() < 54) std::abort();
      const auto* b = reinterpret_cast<const unsigned char*>(p.Bytes.data());
      const std::uint32_t offBits = qm::LoadLe32(b + 10);
      const std::uint16_t bits = qm::LoadLe16(b + 28);
      const std::uint64_t image = static_cast<std::uint64_t>(qm::DibStride(p.Width, bits)) * p.Height;
      if (offBits + image != p.Bytes.size()) std::abort();
      break;
    }
    case ShgPictureKind::Metafile:
      if (p.Width <= 0 || p.Height <= 0 || p.Bytes.size() < 22 + 18) std::abort();
      break;
    default:
      if (!p.Bytes.empty()) std::abort();
  }
  return 0;
}
