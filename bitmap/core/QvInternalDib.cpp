#include "bitmap/core/QvInternalDib.h"

#include <array>
#include <climits>
#include <cstring>

#include "bitmap/core/QvDibDepth.h"
#include "bitmap/core/QvDibHalftone.h"
#include "bitmap/core/QvDibMemory.h"
#include "bitmap/core/QvDibReduce.h"
#include "bitmap/core/QvDibRle.h"

namespace qm {

TQvInternalDIB::TQvInternalDIB(bool useFMO) : UseFMO(useFMO) {
  CreateDIB(1, 1, 8, 256);
}

TQvInternalDIB::~TQvInternalDIB() { ClearDIB(); }

void TQvInternalDIB::ClearDIB() {
  if (Data.Bits) {
    ReleaseMemory(Data.MappingHandle, Data.Bits, UseFMO);
    Data.Size = 0;
    Data.MappingHandle = nullptr;
    Data.Bits = nullptr;
  }
  if (Palette) {
    PlatformDeletePalette(Palette);
    Palette = nullptr;
  }
}

void TQvInternalDIB::CreateDIB(int32_t width, int32_t height, int bitCount, int numColors) {
  bool ok = width > 0 && height != 0 && height != INT32_MIN && numColors >= 0 &&
            numColors <= 256 &&
            (bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 24);
  int64_t rows = height < 0 ? -int64_t{height} : int64_t{height};
  int64_t size = ok ? DibImageBytes(width, bitCount, rows) : 0;
  if (!ok || size > kMaxPixelBytes)
    throw EQvDIBInvalidDIBPara("TQvInternalDIB.CreateDIB: Invalid Parameters");
  GetMemory(size, Data.MappingHandle, Data.Bits, UseFMO);
  Data.Size = static_cast<int32_t>(size);
  Palette = nullptr;
  Width = width;
  Height = static_cast<int32_t>(rows);
  QvBitmapInfoHeader& h = Data.Header;
  h = QvBitmapInfoHeader{};
  h.biSize = 40;
  h.biWidth = width;
  h.biHeight = height;
  h.biPlanes = 1;
  h.biBitCount = static_cast<uint16_t>(bitCount);
  h.biCompression = kBiRgb;
  h.biXPelsPerMeter = kDefaultPelsPerMeter;
  h.biYPelsPerMeter = kDefaultPelsPerMeter;
  h.biClrUsed = static_cast<uint32_t>(numColors);
  std::memset(Data.Colors, 0, 256 * sizeof(QvRGBQuad));
  PaletteChanged = true;
}

void TQvInternalDIB::UpdatePalette() {
  QvAssert(RefCount == 1, "TQvInternalDIB.UpdatePalette: RefCount Must be 1");
  if (Palette) {
    PlatformDeletePalette(Palette);
    Palette = nullptr;
  }
  PaletteChanged = true;
}

int TQvInternalDIB::PixelFormatOf(const QvBitmapInfoHeader& h) {
  switch (h.biBitCount) {
    case 1:
      if (h.biCompression == kBiRgb) return kPf1Bit;
      throw EQvDIBInvalidDIB("TQvInternalDIB.GetPixelFormat: Invalid DIB(1Bit)");
    case 4:
      if (h.biCompression == kBiRgb) return kPf4Bit;
      if (h.biCompression == kBiRle4) return kPf4BitRle;
      throw EQvDIBInvalidDIB("TQvInternalDIB.GetPixelFormat: Invalid DIB(4Bit)");
    case 8:
      if (h.biCompression == kBiRgb) return kPf8Bit;
      if (h.biCompression == kBiRle8) return kPf8BitRle;
      throw EQvDIBInvalidDIB("TQvInternalDIB.GetPixelFormat: Invalid DIB(8Bit)");
    case 24:
      if (h.biCompression == kBiRgb) return kPf24Bit;
      throw EQvDIBInvalidDIB("TQvInternalDIB.GetPixelFormat: Invalid DIB(24Bit)");
    default:
      throw EQvDIBInvalidDIB("TQvInternalDIB.GetPixelFormat: Invalid DIB(Illegal BitCount)");
  }
}

int TQvInternalDIB::GetPixelFormat() const { return PixelFormatOf(Data.Header); }

void TQvInternalDIB::Install(const TQvDIBData& d, bool setSize) {
  if (Data.Bits && Data.Bits != d.Bits) ReleaseMemory(Data.MappingHandle, Data.Bits, UseFMO);
  Data = d;
  if (setSize) {
    Width = d.Header.biWidth;
    Height = d.Header.biHeight < 0 ? -d.Header.biHeight : d.Header.biHeight;
  }
  UpdatePalette();
}

int MaskShift(uint32_t mask) {
  int s = 0;
  if (mask == 0) return 0;
  while (mask >= 256) {
    mask >>= 1;
    ++s;
  }
  while (mask < 128) {
    mask <<= 1;
    --s;
  }
  return s;
}

// ---- the dispatcher ----

namespace {

void Decode4Step(const TQvDIBData& s, TQvDIBData& d, bool useFMO, const QvConvertContext&) {
  Convert4BitRLETo4BitRGB(s, d, useFMO);
}
void Decode8Step(const TQvDIBData& s, TQvDIBData& d, bool useFMO, const QvConvertContext&) {
  Convert8BitRLETo8BitRGB(s, d, useFMO);
}

QvConversionTable& Registry() {
  static QvConversionTable table = [] {
    QvConversionTable t{};
    SetConversion(t, QvConversion::kDecode4, &Decode4Step);
    SetConversion(t, QvConversion::kDecode8, &Decode8Step);
    AddDepthConversions(t);
    AddColorReductions(t);
    AddHalftoneConversions(t);
    AddRleEncoders(t);
    return t;
  }();
  return table;
}

[[noreturn]] void PixelFormatError() {
  QvAssertFail("TQvIntenalDIB.SetPixelsFormat: PixelFormat Error");
}

}  // namespace

void RegisterDIBConversion(QvConversion which, QvConvertFn fn) {
  Registry().at(static_cast<size_t>(which)) = fn;
}

QvConvertFn GetDIBConversion(QvConversion which) {
  return Registry().at(static_cast<size_t>(which));
}

std::vector<QvConversion> ConversionChain(int from, int to, int quality) {
  using C = QvConversion;
  if (from < 0 || from > 5 || to < 0 || to > 7 || from == to) PixelFormatError();
  std::vector<C> chain;
  // Decode RLE first; then go on from the plain format.
  if (from == kPf4BitRle) {
    chain.push_back(C::kDecode4);
    from = kPf4Bit;
  } else if (from == kPf8BitRle) {
    chain.push_back(C::kDecode8);
    from = kPf8Bit;
  }
  if (to == kPfHalftone || to == kPfHalftoneBW) {
    chain.push_back(to == kPfHalftone ? C::kHalftone : C::kHalftoneBW);
    return chain;
  }
  if (from == to) return chain;  // only the decoder was wanted
  auto plain = [](int f) { return f == kPf4BitRle ? kPf4Bit : f == kPf8BitRle ? kPf8Bit : f; };
  int target = plain(to);
  bool encode = to == kPf4BitRle || to == kPf8BitRle;
  if (target != from) {
    switch (from) {
      case kPf1Bit:
        chain.push_back(target == kPf4Bit ? C::k1To4 : target == kPf8Bit ? C::k1To8 : C::k1To24);
        break;
      case kPf4Bit:
        chain.push_back(target == kPf1Bit ? C::k4To1 : target == kPf8Bit ? C::k4To8 : C::k4To24);
        break;
      case kPf8Bit:
        chain.push_back(target == kPf1Bit ? C::k8To1 : target == kPf4Bit ? C::k8To4 : C::k8To24);
        break;
      case kPf24Bit:
        if (target == kPf1Bit) {
          chain.push_back(C::k24To1);
        } else {
          if (quality != 0 && quality != 1) PixelFormatError();
          if (target == kPf4Bit) chain.push_back(quality == 0 ? C::k24To4Low : C::k24To4High);
          else chain.push_back(quality == 0 ? C::k24To8Low : C::k24To8High);
        }
        break;
      default:
        PixelFormatError();
    }
  }
  if (encode) chain.push_back(to == kPf4BitRle ? C::kEncode4 : C::kEncode8);
  return chain;
}

void TQvInternalDIB::SetPixelsFormat(int newFormat, int quality, uint32_t color,
                                     const QvProgressCallback& progress) {
  int from = GetPixelFormat();
  std::vector<QvConversion> chain = ConversionChain(from, newFormat, quality);
  QvConvertContext ctx{quality, color, &progress};
  TQvDIBData cur = Data;
  bool own = false;
  try {
    for (QvConversion step : chain) {
      QvConvertFn fn = GetDIBConversion(step);
      if (!fn)
        throw EQvDIBBadDIBType("TQvIntenalDIB.SetPixelsFormat: Conversion Not Available");
      TQvDIBData next = cur;
      next.Bits = nullptr;
      next.MappingHandle = nullptr;
      fn(cur, next, UseFMO, ctx);
      if (own) ReleaseMemory(cur.MappingHandle, cur.Bits, UseFMO);
      cur = next;
      own = true;
    }
  } catch (...) {
    if (own) ReleaseMemory(cur.MappingHandle, cur.Bits, UseFMO);
    throw;
  }
  if (own) Install(cur, false);
}

}  // namespace qm
