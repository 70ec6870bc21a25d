// TQvInternalDIB: one device-independent bitmap (header, colour table and
// pixel memory), shared by reference count between TQvDIB objects.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "bitmap/core/QvDibTypes.h"
#include "bitmap/core/QvStream.h"

namespace qm {

using QvProgressCallback = std::function<void()>;

class TQvInternalDIB {
 public:
  // A 1 x 1, 8-bit DIB with 256 black colours and a zero pixel.
  explicit TQvInternalDIB(bool useFMO);
  ~TQvInternalDIB();
  TQvInternalDIB(const TQvInternalDIB&) = delete;
  TQvInternalDIB& operator=(const TQvInternalDIB&) = delete;

  int32_t RefCount = 1;
  int32_t Width = 0;
  int32_t Height = 0;          // always |biHeight|
  void* Palette = nullptr;     // palette handle made on demand; owned
  TQvDIBData Data{};
  bool PaletteChanged = false;
  bool UseFMO;

  // Releases the pixel memory and the palette handle.
  void ClearDIB();
  // Makes a blank DIB; the object must be empty (ClearDIB) or new.
  void CreateDIB(int32_t width, int32_t height, int bitCount, int numColors);
  // The colour table changed: drops the palette handle, sets PaletteChanged.
  void UpdatePalette();
  // Pixel format number of the stored DIB; EQvDIBInvalidDIB for a pairing
  // of bit count and compression that the library does not know.
  int GetPixelFormat() const;
  // Whether Data, as held, is a pairing GetPixelFormat accepts.
  static int PixelFormatOf(const QvBitmapInfoHeader& h);

  // BMP files.
  void LoadFromStream(QvStream& stream);
  void SaveToStream(QvStream& stream) const;
  // Packed DIBs (header, colour table, pixels in one block, as CF_DIB).
  void LoadFromPackedDIB(const void* block, size_t blockSize);
  std::string SaveToPackedDIB() const;

  // Replaces the held DIB by d (pixel memory from GetMemory with this
  // object's UseFMO): releases the old pixel memory, takes d whole and, when
  // setSize is set, Width and Height from its header; then UpdatePalette.
  void Install(const TQvDIBData& d, bool setSize);

  // The pixel-format dispatcher: converts the held DIB to newFormat (0-7).
  // A failing step leaves the DIB as it was.
  void SetPixelsFormat(int newFormat, int quality, uint32_t color,
                       const QvProgressCallback& progress);
};

// Number of right shifts that bring mask into 128..255 (negative: left).
int MaskShift(uint32_t mask);

// Conversion routines of the dispatcher. Each group of converters (RLE
// decoders and encoders, depth conversions, colour reductions, halftone)
// enters its routines into the table when the dispatcher is first used;
// RegisterDIBConversion replaces one (tests put stand-ins there).
struct QvConvertContext {
  int quality;
  uint32_t color;                      // key colour of the 1-bit conversions (COLORREF)
  const QvProgressCallback* progress;  // one step per palette entry of a reduction
};
using QvConvertFn = void (*)(const TQvDIBData& src, TQvDIBData& dst, bool useFMO,
                             const QvConvertContext& ctx);
enum class QvConversion : int {
  k1To4, k1To8, k1To24, k4To1, k4To8, k4To24, k8To1, k8To4, k8To24,
  k24To1, k24To4Low, k24To4High, k24To8Low, k24To8High,
  kEncode4, kEncode8, kDecode4, kDecode8, kHalftone, kHalftoneBW, kCount
};
using QvConversionTable = std::array<QvConvertFn, static_cast<size_t>(QvConversion::kCount)>;
inline void SetConversion(QvConversionTable& table, QvConversion which, QvConvertFn fn) {
  table[static_cast<size_t>(which)] = fn;
}
void RegisterDIBConversion(QvConversion which, QvConvertFn fn);
QvConvertFn GetDIBConversion(QvConversion which);
// The chain of routines from one pixel format to another, as the dispatcher
// runs it. Refused pairs fail the assertion of the dispatcher.
std::vector<QvConversion> ConversionChain(int fromFormat, int toFormat, int quality);

}  // namespace qm
