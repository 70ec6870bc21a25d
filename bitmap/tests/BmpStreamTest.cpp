// BMP files and packed DIBs: layouts, accepted variants, refusals.
#include <gtest/gtest.h>

#include <climits>

#include "bitmap/core/QvInternalDib.h"
#include "bitmap/tests/DibTestUtil.h"

namespace qm {
namespace {

using test::BmpSpec;
using test::MakeBmp;
using test::Rows;

void Load(TQvInternalDIB& d, const std::string& file) {
  QvMemoryReadStream s(file);
  d.LoadFromStream(s);
}

// Message of the EQvDIBError (or read error) that loading raises.
std::string Refusal(const std::string& file) {
  TQvInternalDIB d(false);
  try {
    Load(d, file);
  } catch (const EQvDIBError& e) {
    return e.what();
  } catch (const EQvReadError& e) {
    return std::string("read: ") + e.what();
  }
  return "(loaded)";
}

std::string PackedRefusal(const std::string& block) {
  TQvInternalDIB d(false);
  try {
    d.LoadFromPackedDIB(block.data(), block.size());
  } catch (const EQvDIBError& e) {
    return e.what();
  }
  return "(loaded)";
}

uint32_t U32(const std::string& s, size_t at) { return LoadLe32(s.data() + at); }

BmpSpec Pal8(int w, int h) {
  BmpSpec b;
  b.width = w;
  b.height = h;
  b.colors.assign(256, 0);
  b.pixels = Rows(h, std::string(static_cast<size_t>(DibStride(w, 8)), '\x01'));
  return b;
}

TEST(BmpWrite, FileHeaderSizesFollowTheColourTable) {
  TQvInternalDIB d(false);
  QvStringWriteStream out;
  d.SaveToStream(out);
  EXPECT_EQ(out.Data().substr(0, 2), "BM");
  EXPECT_EQ(U32(out.Data(), 10), 1078u);
  EXPECT_EQ(U32(out.Data(), 2), 1082u);
  EXPECT_EQ(out.Data().size(), 1082u);

  d.ClearDIB();
  d.CreateDIB(2, 2, 24, 0);
  QvStringWriteStream out24;
  d.SaveToStream(out24);
  EXPECT_EQ(U32(out24.Data(), 10), 54u);
  EXPECT_EQ(out24.Data().size(), 54u + 16);
}

TEST(BmpWrite, WhatIsWrittenReadsBackTheSame) {
  BmpSpec b = Pal8(3, -2);
  b.clrUsed = 4;
  b.colors = {0x00112233, 0x00445566, 0x00778899, 0x00AABBCC};
  b.pixels = std::string("\x00\x01\x02\x00\x03\x02\x01\x00", 8);
  TQvInternalDIB d(false);
  Load(d, MakeBmp(b));
  QvStringWriteStream out;
  d.SaveToStream(out);
  TQvInternalDIB e(true);
  Load(e, out.Data());
  EXPECT_EQ(test::ToRgb(d.Data), test::ToRgb(e.Data));
  EXPECT_EQ(e.Data.Header.biHeight, -2);
  EXPECT_EQ(e.Data.Header.biClrUsed, 4u);
  // And as a packed DIB.
  std::string packed = d.SaveToPackedDIB();
  EXPECT_EQ(packed.size(), 40u + 16 + 8);
  TQvInternalDIB f(false);
  f.LoadFromPackedDIB(packed.data(), packed.size());
  EXPECT_EQ(test::ToRgb(f.Data), test::ToRgb(d.Data));
}

TEST(BmpRead, GapAfterColourTableAndOversizedTable) {
  BmpSpec b = Pal8(4, 1);
  b.gap = 10;
  b.pixels = "\x05\x06\x07\x08";
  TQvInternalDIB d(false);
  Load(d, MakeBmp(b));
  EXPECT_EQ(d.Data.Bits[0], 5);

  BmpSpec big = Pal8(4, 1);
  big.clrUsed = 300;
  big.colors.assign(300, 0x00FF0000);
  big.colors[255] = 0x00000001;
  big.pixels = "\x09\x06\x07\x08";
  Load(d, MakeBmp(big));
  EXPECT_EQ(d.Data.Header.biClrUsed, 256u);
  EXPECT_EQ(d.Data.Colors[255].rgbBlue, 1);
  EXPECT_EQ(d.Data.Bits[0], 9);
}

TEST(BmpRead, SixteenBitPixelsBecome24Bits) {
  BmpSpec b;
  b.width = 2;
  b.height = 1;
  b.bits = 16;
  b.pixels = std::string("\xFF\x7F\x01\x00", 4);  // 0x7FFF, 0x0001
  TQvInternalDIB d(false);
  Load(d, MakeBmp(b));
  EXPECT_EQ(d.Data.Header.biBitCount, 24);
  EXPECT_EQ(d.Data.Header.biCompression, kBiRgb);
  EXPECT_EQ(d.Data.Size, 8);
  EXPECT_EQ(test::ToRgb(d.Data), (std::vector<uint8_t>{255, 255, 255, 0, 0, 8}));
}

TEST(BmpRead, BitFields565WithColourTable) {
  BmpSpec b;
  b.width = 3;
  b.height = 1;
  b.bits = 16;
  b.compression = kBiBitfields;
  b.masks = {0xF800, 0x07E0, 0x001F};
  b.clrUsed = 2;
  b.colors = {0x00010203, 0x00040506};
  // full red, green 1 (of 63), full blue
  b.pixels = std::string("\x00\xF8\x20\x00\x1F\x00\x00\x00", 8);
  TQvInternalDIB d(false);
  Load(d, MakeBmp(b));
  EXPECT_EQ(test::ToRgb(d.Data), (std::vector<uint8_t>{255, 0, 0, 0, 4, 0, 0, 0, 255}));
  EXPECT_EQ(d.Data.Colors[0].rgbBlue, 3);  // table starts at entry 0, not at the masks
  EXPECT_EQ(d.Data.Colors[1].rgbRed, 4);
  EXPECT_EQ(d.Data.Header.biClrUsed, 2u);
}

TEST(BmpRead, TopDown32BitKeepsRowOrder) {
  BmpSpec b;
  b.width = 1;
  b.height = -2;
  b.bits = 32;
  b.pixels = std::string("\x01\x02\x03\x00\x04\x05\x06\x00", 8);
  TQvInternalDIB d(false);
  Load(d, MakeBmp(b));
  EXPECT_EQ(d.Data.Header.biHeight, -2);
  EXPECT_EQ(d.Height, 2);
  EXPECT_EQ(test::ToRgb(d.Data), (std::vector<uint8_t>{3, 2, 1, 6, 5, 4}));
}

TEST(BmpRead, CoreHeaderBecomesAnInformationHeader) {
  std::string f = "BM";
  test::Put32(f, 14 + 12 + 6 + 4);
  test::Put32(f, 0);
  test::Put32(f, 14 + 12 + 6);
  test::Put32(f, 12);
  test::Put16(f, 3);
  test::Put16(f, 1);
  test::Put16(f, 1);
  test::Put16(f, 1);
  f += std::string("\x00\x00\x00\xFF\xFF\xFF", 6);
  f += std::string("\xA0\x00\x00\x00", 4);  // 1 0 1
  TQvInternalDIB d(false);
  Load(d, f);
  EXPECT_EQ(d.Data.Header.biSize, 40u);
  EXPECT_EQ(d.Data.Header.biHeight, 1);
  EXPECT_EQ(d.Data.Header.biClrUsed, 2u);
  EXPECT_EQ(d.Data.Header.biXPelsPerMeter, 3780);
  EXPECT_EQ(test::ToRgb(d.Data), (std::vector<uint8_t>{255, 255, 255, 0, 0, 0, 255, 255, 255}));
}

TEST(BmpRead, UnusablePairingLoadsButHasNoPixelFormat) {
  BmpSpec b;
  b.bits = 24;
  b.compression = kBiRle8;
  b.pixels = std::string(4, '\0');
  TQvInternalDIB d(false);
  Load(d, MakeBmp(b));
  EXPECT_THROW(d.GetPixelFormat(), EQvDIBInvalidDIB);
}

TEST(BmpRead, RefusalsWithTheirMessages) {
  BmpSpec ok = Pal8(2, 2);
  std::string notBm = MakeBmp(ok);
  notBm[0] = 'X';
  EXPECT_EQ(Refusal(notBm), "TQvInternalDIB.LoadFromFile: File type is invalid");
  BmpSpec b = ok;
  b.headerSize = 20;
  EXPECT_EQ(Refusal(MakeBmp(b)), "TQvInternalDIB.LoadFromStream: Invalid Bitmap Header Size");
  b = ok;
  b.bits = 2;
  EXPECT_EQ(Refusal(MakeBmp(b)), "TQvInternalDIB.LoadFromStream: Invalid BitCout");
  b = ok;
  b.offBitsDelta = -1;
  EXPECT_EQ(Refusal(MakeBmp(b)), "TQvInternalDIB.LoadFromFile: bfOffBits is too small");
  b = ok;
  b.width = 0;
  EXPECT_EQ(Refusal(MakeBmp(b)), "TQvInternalDIB.LoadFromStream: Invalid Width or Height");
  b = ok;
  b.height = 0;
  EXPECT_EQ(Refusal(MakeBmp(b)), "TQvInternalDIB.LoadFromStream: Invalid Width or Height");
  b = ok;
  b.height = INT32_MIN;
  EXPECT_EQ(Refusal(MakeBmp(b)), "TQvInternalDIB.LoadFromStream: Invalid Width or Height");
  b = BmpSpec{};
  b.bits = 16;
  b.compression = kBiBitfields;
  b.masks = {0xF800, 0, 0x1F};
  b.pixels = std::string(4, '\0');
  EXPECT_EQ(Refusal(MakeBmp(b)), "TQvInternalDIB.LoadFromStream: Invalid Masks");
  // A core header with 16 bits.
  std::string core = "BM";
  test::Put32(core, 30);
  test::Put32(core, 0);
  test::Put32(core, 26);
  test::Put32(core, 12);
  test::Put16(core, 1);
  test::Put16(core, 1);
  test::Put16(core, 1);
  test::Put16(core, 16);
  core += std::string(4, '\0');
  EXPECT_EQ(Refusal(core), "TQvInternalDIB.LoadFromStream: Invalid BitCount");
  EXPECT_EQ(Refusal("BM"), "read: Stream read error");
}

TEST(BmpRead, UntrustedSizesAreRefusedWithoutWrapping) {
  // Plain pixels shorter than stride x rows.
  BmpSpec b = Pal8(4, 2);
  b.pixels.resize(7);
  EXPECT_EQ(Refusal(MakeBmp(b)), "TQvInternalDIB.LoadFromStream: Pixel Data is too short");
  // bfSize below bfOffBits.
  b = Pal8(4, 2);
  b.sizeDelta = -static_cast<int64_t>(b.pixels.size()) - 1;
  EXPECT_EQ(Refusal(MakeBmp(b)), "TQvInternalDIB.LoadFromStream: Invalid Pixel Data Size");
  // bfSize beyond the end of the file.
  b = Pal8(4, 2);
  b.sizeDelta = 1000;
  EXPECT_EQ(Refusal(MakeBmp(b)), "read: Stream read error");
  // A colour count whose table size wraps in 32 bits.
  b = Pal8(4, 2);
  b.clrUsed = 0x40000001;
  EXPECT_EQ(Refusal(MakeBmp(b)), "read: Stream read error");
  b.offBitsDelta = -100;
  EXPECT_NE(Refusal(MakeBmp(b)), "(loaded)");
  // Stride x rows beyond 32 bits, at every depth.
  for (uint16_t bits : {1, 4, 8, 16, 24, 32}) {
    BmpSpec huge;
    huge.bits = bits;
    huge.width = 0x7FFFFFFF;
    huge.height = 0x7FFFFFFF;
    if (bits <= 8) huge.colors.assign(static_cast<size_t>(1) << bits, 0);
    huge.pixels = std::string(64, '\0');
    EXPECT_EQ(Refusal(MakeBmp(huge)), "TQvInternalDIB.LoadFromStream: Image is too large") << bits;
  }
  // 16-bit rows that the file does not hold.
  b = BmpSpec{};
  b.bits = 16;
  b.width = 3;
  b.height = 3;
  b.pixels = std::string(20, '\0');
  EXPECT_EQ(Refusal(MakeBmp(b)), "read: Stream read error");
  b.planes = 2;
  EXPECT_EQ(Refusal(MakeBmp(b)), "TQvInternalDIB.LoadFromStream: Invalid Planes");
}

// A stream that cannot tell how much it holds.
class UnsizedStream : public QvStream {
 public:
  explicit UnsizedStream(const std::string& bytes) : in_(bytes) {}
  size_t Read(void* buf, size_t n) override { return in_.Read(buf, n); }
  void Write(const void*, size_t) override {}
  size_t Position() const { return in_.Position(); }

 private:
  QvMemoryReadStream in_;
};

TEST(BmpRead, TheStreamIsLeftJustAfterThePicture) {
  BmpSpec b = Pal8(3, 2);
  b.gap = 6;
  const std::string file = MakeBmp(b);
  const std::string followed = file + "TAIL";
  TQvInternalDIB d(false);
  QvMemoryReadStream sized(followed);
  d.LoadFromStream(sized);
  EXPECT_EQ(sized.Position(), file.size());
  UnsizedStream unsized(followed);
  d.LoadFromStream(unsized);
  EXPECT_EQ(unsized.Position(), file.size());
  EXPECT_EQ(d.Data.Bits[0], 1);
  // Cut inside the colour table, with and without a known length.
  const std::string cutBytes = file.substr(0, 100);
  UnsizedStream cut(cutBytes);
  EXPECT_THROW(d.LoadFromStream(cut), EQvReadError);
  EXPECT_EQ(Refusal(file.substr(0, 100)), "read: Stream read error");
}

TEST(BmpRead, FailedLoadKeepsThePreviousPicture) {
  TQvInternalDIB d(false);
  BmpSpec b = Pal8(3, 3);
  Load(d, MakeBmp(b));
  b.pixels.resize(5);
  EXPECT_THROW(Load(d, MakeBmp(b)), EQvDIBInvalidDIB);
  EXPECT_EQ(d.Width, 3);
  EXPECT_EQ(d.Data.Bits[0], 1);
}

TEST(PackedDib, RefusalsAndBounds) {
  TQvInternalDIB src(false);
  src.ClearDIB();
  src.CreateDIB(3, 2, 8, 16);
  std::string block = src.SaveToPackedDIB();
  EXPECT_EQ(PackedRefusal(block), "(loaded)");
  std::string bad = block;
  bad[14] = 2;  // biBitCount
  EXPECT_EQ(PackedRefusal(bad), "TQvInternalDIB.LoadFromClipboardFormat: Invalid biBitCount");
  bad = block;
  bad[0] = 20;
  EXPECT_EQ(PackedRefusal(bad), "TQvDIB.LoadFromClipboardFormat: Invalid Clipboard Data");
  EXPECT_EQ(PackedRefusal(block.substr(0, 3)), "TQvDIB.LoadFromClipboardFormat: Invalid Clipboard Data");
  EXPECT_EQ(PackedRefusal(block.substr(0, 60)), "TQvDIB.LoadFromClipboardFormat: Invalid Clipboard Data");
  EXPECT_EQ(PackedRefusal(block.substr(0, block.size() - 1)),
            "TQvInternalDIB.LoadFromClipboardFormat: Pixel Data is too short");
  bad = block;
  uint32_t many = 0xFFFFFFF0u;
  std::memcpy(bad.data() + 32, &many, 4);  // biClrUsed
  EXPECT_EQ(PackedRefusal(bad), "TQvDIB.LoadFromClipboardFormat: Invalid Clipboard Data");
  // 16-bit rows past the block.
  bad = block.substr(0, 40);
  bad[14] = 16;
  uint32_t zero = 0;
  std::memcpy(bad.data() + 32, &zero, 4);
  bad += std::string(8, '\0');
  EXPECT_EQ(PackedRefusal(bad), "TQvInternalDIB.LoadFromClipboardFormat: Pixel Data is too short");
  bad += std::string(8, '\xFF');
  EXPECT_EQ(PackedRefusal(bad), "(loaded)");
}

}  // namespace
}  // namespace qm
