// libFuzzer: the RLE encoders. Encoding a 4- or 8-bit picture and decoding
// the codes must give the picture back (the padding nibble of an odd 4-bit
// row aside), or the encoding must fail with Compression Failed and nothing
// else. A BMP file (the seeds are the BMP Suite) supplies a picture through
// the library's reader, RLE files decoded first; any other input is one
// byte of depth (even 4, odd 8 bits), one of width - 1, one of rows (low
// four bits + 1, bit 4 for top-down), then pixel bytes, repeated to fill.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "bitmap/core/QvDibMemory.h"
#include "bitmap/core/QvDibRle.h"
#include "bitmap/core/QvInternalDib.h"

namespace {

using qm::TQvDIBData;

// Index of pixel x of memory row y of a plain 4- or 8-bit picture.
unsigned IndexAt(const TQvDIBData& d, int64_t y, int64_t x) {
  const uint8_t* row = d.Bits + qm::DibStride(d.Header.biWidth, d.Header.biBitCount) * y;
  if (d.Header.biBitCount == 8) return row[x];
  return (x & 1) ? row[x >> 1] & 15u : row[x >> 1] >> 4u;
}

struct Owned {
  TQvDIBData d{};
  ~Owned() {
    if (d.Bits) qm::ReleaseMemory(d.MappingHandle, d.Bits, false);
  }
};

void Check(const TQvDIBData& src) {
  const int bits = src.Header.biBitCount;
  Owned codes;
  try {
    if (bits == 8) qm::Convert8BitRGBTo8BitRLE(src, codes.d, false);
    else qm::Convert4BitRGBTo4BitRLE(src, codes.d, false);
  } catch (const qm::EQvDIBCompressionFailed&) {
    return;
  }
  // Exactly sized, so that a decoder reading past the codes is caught.
  std::vector<uint8_t> bytes(codes.d.Bits, codes.d.Bits + codes.d.Size);
  TQvDIBData enc = codes.d;
  enc.Bits = bytes.data();
  Owned plain;
  if (bits == 8) qm::Convert8BitRLETo8BitRGB(enc, plain.d, false);
  else qm::Convert4BitRLETo4BitRGB(enc, plain.d, false);
  const int64_t w = src.Header.biWidth;
  const int64_t h = src.Header.biHeight < 0 ? -int64_t{src.Header.biHeight} : src.Header.biHeight;
  for (int64_t y = 0; y < h; ++y) {
    // The codes are bottom-up; a top-down source's memory rows run the
    // other way.
    const int64_t from = src.Header.biHeight < 0 ? h - 1 - y : y;
    for (int64_t x = 0; x < w; ++x)
      if (IndexAt(src, from, x) != IndexAt(plain.d, y, x)) std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size >= 2 && data[0] == 'B' && data[1] == 'M') {
    auto dib = std::make_unique<qm::TQvInternalDIB>(false);
    try {
      qm::QvMemoryReadStream s(data, size);
      dib->LoadFromStream(s);
      const int pf = dib->GetPixelFormat();
      if (int64_t{dib->Width} * dib->Height > 4 * 1024 * 1024) return 0;
      if (pf == qm::kPf4BitRle || pf == qm::kPf8BitRle) dib->SetPixelsFormat(pf == qm::kPf4BitRle ? qm::kPf4Bit : qm::kPf8Bit, 0, 0, {});
      if (dib->GetPixelFormat() != qm::kPf4Bit && dib->GetPixelFormat() != qm::kPf8Bit) return 0;
    } catch (const std::exception&) {
      return 0;
    }
    Check(dib->Data);
    return 0;
  }
  if (size < 4) return 0;
  const int bits = (data[0] & 1) ? 8 : 4;
  const int width = data[1] + 1;
  const int rows = (data[2] & 15) + 1;
  auto dib = std::make_unique<qm::TQvInternalDIB>(false);
  dib->ClearDIB();
  dib->CreateDIB(width, (data[2] & 16) ? -rows : rows, bits, 1 << bits);
  const uint8_t* px = data + 3;
  const size_t n = size - 3;
  for (int32_t i = 0; i < dib->Data.Size; ++i) dib->Data.Bits[i] = px[static_cast<size_t>(i) % n];
  Check(dib->Data);
  return 0;
}
