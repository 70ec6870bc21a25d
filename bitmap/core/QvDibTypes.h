// Records, constants and exceptions of the bitmap library.
//
// The header and colour-table records have the layout of the Windows ones
// (BITMAPINFOHEADER, RGBQUAD), so that the address of TQvDIBData::Header is a
// BITMAPINFO for the Windows DIB functions on 32 and 64 bits alike.
#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>

namespace qm {

struct QvBitmapInfoHeader {
  uint32_t biSize;
  int32_t biWidth;
  int32_t biHeight;
  uint16_t biPlanes;
  uint16_t biBitCount;
  uint32_t biCompression;
  uint32_t biSizeImage;
  int32_t biXPelsPerMeter;
  int32_t biYPelsPerMeter;
  uint32_t biClrUsed;
  uint32_t biClrImportant;
};
static_assert(sizeof(QvBitmapInfoHeader) == 40, "BITMAPINFOHEADER layout");

struct QvRGBQuad {
  uint8_t rgbBlue;
  uint8_t rgbGreen;
  uint8_t rgbRed;
  uint8_t rgbReserved;
};
static_assert(sizeof(QvRGBQuad) == 4, "RGBQUAD layout");

constexpr uint32_t kBiRgb = 0;
constexpr uint32_t kBiRle8 = 1;
constexpr uint32_t kBiRle4 = 2;
constexpr uint32_t kBiBitfields = 3;

constexpr int32_t kDefaultPelsPerMeter = 3780;
constexpr int kColorTableEntries = 260;  // three masks ahead of 256 colours

// Largest pixel memory the library makes for one picture (plain rows or
// encoded bytes). Anything a header asks beyond this is refused as invalid.
constexpr int64_t kMaxPixelBytes = int64_t{256} * 1024 * 1024;

// Pixel formats.
enum : int {
  kPf1Bit = 0,
  kPf4Bit = 1,
  kPf4BitRle = 2,
  kPf8Bit = 3,
  kPf8BitRle = 4,
  kPf24Bit = 5,
  kPfHalftone = 6,
  kPfHalftoneBW = 7,
};

// One DIB as it is handed over between readers, decoders and converters.
// Copied as a whole; the pixel memory itself is never copied on hand-over.
struct TQvDIBData {
  int32_t Size;          // bytes of pixel memory
  void* MappingHandle;   // file mapping of the pixel memory, or null (heap)
  uint8_t* Bits;         // the pixel memory
  QvBitmapInfoHeader Header;
  QvRGBQuad Colors[kColorTableEntries];
};
static_assert(offsetof(TQvDIBData, Colors) == offsetof(TQvDIBData, Header) + 40,
              "colour table must follow the header");

// Row stride of plain pixels: rows padded to 4 bytes. 64-bit so that no
// header value can make it wrap.
constexpr int64_t DibStride(int64_t width, int64_t bitCount) {
  return ((bitCount * width + 31) / 32) * 4;
}

// Bytes of stride x rows, or kMaxPixelBytes + 1 for anything larger (the
// product itself may not fit even in 64 bits).
constexpr int64_t DibImageBytes(int64_t width, int64_t bitCount, int64_t rows) {
  const int64_t stride = DibStride(width, bitCount);
  if (rows > 0 && stride > kMaxPixelBytes / rows) return kMaxPixelBytes + 1;
  return stride * rows;
}

// 2^bitCount for 1, 4 and 8 bits; 0 otherwise.
constexpr int DefaultColorCount(int bitCount) {
  return (bitCount == 1 || bitCount == 4 || bitCount == 8) ? (1 << bitCount) : 0;
}

// The exception family: every message names class and method, a colon, a
// blank and the reason.
class EQvDIBError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};
class EQvDIBInvalidDIB : public EQvDIBError { public: using EQvDIBError::EQvDIBError; };
class EQvDIBInvalidDIBFile : public EQvDIBError { public: using EQvDIBError::EQvDIBError; };
class EQvDIBInvalidDIBPara : public EQvDIBError { public: using EQvDIBError::EQvDIBError; };
class EQvDIBBadDIBType : public EQvDIBError { public: using EQvDIBError::EQvDIBError; };
class EQvDIBInvalidPalette : public EQvDIBError { public: using EQvDIBError::EQvDIBError; };
class EQvDIBCompressionFailed : public EQvDIBError { public: using EQvDIBError::EQvDIBError; };
class EQvDIBCanvasFailed : public EQvDIBError { public: using EQvDIBError::EQvDIBError; };

// Errors of the kinds the GUI class library raises (out of resources, out of
// memory, wrong graphic, a short stream read). Kept here so that the portable
// code does not depend on that library.
class EQvOutOfResources : public std::runtime_error { public: using std::runtime_error::runtime_error; };
class EQvOutOfMemory : public std::runtime_error { public: using std::runtime_error::runtime_error; };
class EQvInvalidGraphic : public std::runtime_error { public: using std::runtime_error::runtime_error; };
class EQvReadError : public std::runtime_error { public: using std::runtime_error::runtime_error; };

// A broken internal rule of the library (not bad input).
class EQvAssertionFailed : public std::logic_error {
 public:
  using std::logic_error::logic_error;
};
[[noreturn]] void QvAssertFail(const char* message);
inline void QvAssert(bool condition, const char* message) {
  if (!condition) QvAssertFail(message);
}

}  // namespace qm
