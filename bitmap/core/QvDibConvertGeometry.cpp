#include "bitmap/core/QvDibConvertGeometry.h"

#include <climits>
#include <string>

namespace qm {

QvConvertGeometry ConvertGeometry(const TQvDIBData& s, int dstBits, const char* who) {
  const QvBitmapInfoHeader& h = s.Header;
  if (h.biWidth <= 0 || h.biHeight == 0 || h.biHeight == INT32_MIN)
    throw EQvDIBInvalidDIB(std::string(who) + ": Invalid Width or Height");
  QvConvertGeometry g;
  g.width = h.biWidth;
  g.rows = h.biHeight < 0 ? -int64_t{h.biHeight} : int64_t{h.biHeight};
  const int64_t srcBytes = DibImageBytes(g.width, h.biBitCount, g.rows);
  g.dstBytes = DibImageBytes(g.width, dstBits, g.rows);
  if (srcBytes > kMaxPixelBytes || g.dstBytes > kMaxPixelBytes)
    throw EQvDIBInvalidDIB(std::string(who) + ": Image is too large");
  if (!s.Bits || s.Size < srcBytes)
    throw EQvDIBInvalidDIB(std::string(who) + ": Pixel Data is too short");
  g.srcStride = DibStride(g.width, h.biBitCount);
  g.dstStride = DibStride(g.width, dstBits);
  return g;
}

void HandOverResult(const TQvDIBData& s, TQvDIBData& d, QvPixelMemory& mem, int bits,
                    int64_t size) {
  TQvDIBData out = s;
  out.Header.biBitCount = static_cast<uint16_t>(bits);
  out.Header.biCompression = kBiRgb;
  out.Header.biSizeImage = 0;
  mem.HandTo(out, static_cast<int32_t>(size));
  d = out;
}

}  // namespace qm
