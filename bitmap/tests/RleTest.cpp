// RLE decoders: code rules, bounds and a comparison with a nibble-by-nibble
// reference decoder on random code streams.
#include <gtest/gtest.h>

#include <random>

#include "bitmap/core/QvDibMemory.h"
#include "bitmap/core/QvDibRle.h"

namespace qm {
namespace {

// Source record over an exactly sized heap copy of the codes, so that any
// read past them is caught by the address checker.
struct Source {
  std::vector<uint8_t> codes;
  TQvDIBData d{};
  Source(int bits, int w, int h, std::vector<uint8_t> c) : codes(std::move(c)) {
    d.Header.biSize = 40;
    d.Header.biWidth = w;
    d.Header.biHeight = h;
    d.Header.biPlanes = 1;
    d.Header.biBitCount = static_cast<uint16_t>(bits);
    d.Header.biCompression = bits == 8 ? kBiRle8 : kBiRle4;
    d.Header.biClrUsed = 3;
    d.Colors[2] = QvRGBQuad{1, 2, 3, 0};
    d.Bits = codes.empty() ? nullptr : codes.data();
    d.Size = static_cast<int32_t>(codes.size());
  }
};

struct Decoded {
  std::vector<uint8_t> bits;
  TQvDIBData d{};
};

Decoded Decode(const Source& s) {
  Decoded r;
  if (s.d.Header.biBitCount == 8) Convert8BitRLETo8BitRGB(s.d, r.d, false);
  else Convert4BitRLETo4BitRGB(s.d, r.d, false);
  r.bits.assign(r.d.Bits, r.d.Bits + r.d.Size);
  ReleaseMemory(r.d.MappingHandle, r.d.Bits, false);
  return r;
}

std::string ErrorOf(const Source& s) {
  try {
    Decode(s);
  } catch (const EQvDIBInvalidDIB& e) {
    return e.what();
  }
  return "(decoded)";
}

int Nibble(const std::vector<uint8_t>& b, int stride, int x, int y) {
  uint8_t v = b[static_cast<size_t>(y * stride + x / 2)];
  return (x & 1) ? v & 15 : v >> 4;
}

TEST(Rle8, RunUpToTheRowEndIsAcceptedOneMoreIsNot) {
  EXPECT_EQ(ErrorOf(Source(8, 4, 1, {4, 7, 0, 1})), "(decoded)");
  EXPECT_EQ(ErrorOf(Source(8, 4, 1, {5, 7, 0, 1})), "Convert8BitRLETo8BitRGB: Bad RLE Data 4");
  EXPECT_EQ(ErrorOf(Source(8, 4, 1, {0, 5, 1, 2, 3, 4, 5, 0, 0, 1})),
            "Convert8BitRLETo8BitRGB: Bad RLE Data 3");
}

TEST(Rle8, EndOfLineOnTheLastRowThenEndOfBitmap) {
  Decoded r = Decode(Source(8, 2, 2, {2, 5, 0, 0, 1, 6, 0, 0, 0, 1}));
  EXPECT_EQ(r.bits, (std::vector<uint8_t>{5, 5, 0, 0, 6, 0, 0, 0}));
  EXPECT_EQ(r.d.Header.biCompression, kBiRgb);
  EXPECT_EQ(r.d.Header.biSizeImage, 0u);
  EXPECT_EQ(r.d.Size, 8);
  EXPECT_EQ(r.d.Colors[2].rgbRed, 3);  // the colour table comes along
  // An end of line onto row H is allowed; a run there is not; one more line is not.
  EXPECT_EQ(ErrorOf(Source(8, 2, 1, {0, 0, 1, 1})), "Convert8BitRLETo8BitRGB: Bad RLE Data 4");
  EXPECT_EQ(ErrorOf(Source(8, 2, 1, {0, 0, 0, 0})), "Convert8BitRLETo8BitRGB: Bad RLE Data 1");
}

TEST(Rle8, DeltaToTheCornerIsAcceptedButNothingAfterIt) {
  EXPECT_EQ(ErrorOf(Source(8, 3, 2, {0, 2, 3, 2, 0, 1})), "(decoded)");
  EXPECT_EQ(ErrorOf(Source(8, 3, 2, {0, 2, 3, 2, 1, 1})), "Convert8BitRLETo8BitRGB: Bad RLE Data 4");
  EXPECT_EQ(ErrorOf(Source(8, 3, 2, {0, 2, 4, 0})), "Convert8BitRLETo8BitRGB: Bad RLE Data 2");
  EXPECT_EQ(ErrorOf(Source(8, 3, 2, {0, 2, 0, 3})), "Convert8BitRLETo8BitRGB: Bad RLE Data 2");
  Decoded r = Decode(Source(8, 3, 2, {0, 2, 1, 1, 1, 9, 0, 1}));
  EXPECT_EQ(r.bits[4 + 1], 9);
}

TEST(Rle8, AbsoluteRunOfThreeConsumesFourBytes) {
  Decoded r = Decode(Source(8, 5, 1, {0, 3, 1, 2, 3, 0xEE, 2, 4, 0, 1}));
  EXPECT_EQ(r.bits, (std::vector<uint8_t>{1, 2, 3, 4, 4, 0, 0, 0}));
}

TEST(Rle8, DataEndingWithoutEndOfBitmapEndsThePicture) {
  // Cut after a code, inside a delta, inside an absolute run, after one byte.
  for (auto codes : std::vector<std::vector<uint8_t>>{
           {2, 7}, {2, 7, 0, 2, 1}, {2, 7, 0, 4, 1, 2}, {2, 7, 0}, {}}) {
    Decoded r = Decode(Source(8, 8, 2, codes));
    ASSERT_EQ(r.bits.size(), 16u);
    if (!codes.empty()) {
      EXPECT_EQ(r.bits[0], 7);
    }
    EXPECT_EQ(r.bits[2], 0);
    EXPECT_EQ(r.bits[8], 0);  // rows never reached stay index 0
  }
}

TEST(Rle, WrongTypeAndAbsurdSizesAreRefused) {
  Source s(8, 4, 1, {0, 1});
  s.d.Header.biCompression = kBiRle4;
  TQvDIBData out{};
  try {
    Convert8BitRLETo8BitRGB(s.d, out, false);
    FAIL();
  } catch (const EQvDIBBadDIBType& e) {
    EXPECT_STREQ(e.what(), "Convert8BitRLETo8BitRGB: Invalid Bitcount & Compression Combination");
  }
  try {
    Convert4BitRLETo4BitRGB(s.d, out, false);
    FAIL();
  } catch (const EQvDIBBadDIBType& e) {
    EXPECT_STREQ(e.what(), "Convert4BitRLETo4BitRGB: Invalid Bitcount & Compression Combination");
  }
  EXPECT_THROW(Decode(Source(8, 0x7FFFFFFF, 0x7FFFFFFF, {0, 1})), EQvDIBInvalidDIB);
  EXPECT_THROW(Decode(Source(4, 1, INT32_MIN, {0, 1})), EQvDIBInvalidDIB);
  EXPECT_THROW(Decode(Source(4, 0, 1, {0, 1})), EQvDIBInvalidDIB);
  EXPECT_EQ(out.Bits, nullptr);
}

TEST(Rle4, OddWidthMayUseThePaddingNibble) {
  EXPECT_EQ(ErrorOf(Source(4, 5, 1, {6, 0x12, 0, 1})), "(decoded)");
  EXPECT_EQ(ErrorOf(Source(4, 5, 1, {7, 0x12, 0, 1})), "Convert4BitRLETo4BitRGB: Bad RLE Data 8");
  EXPECT_EQ(ErrorOf(Source(4, 5, 1, {0, 7, 1, 2, 3, 4, 0, 1})), "Convert4BitRLETo4BitRGB: Bad RLE Data 7");
  EXPECT_EQ(ErrorOf(Source(4, 5, 1, {0, 2, 7, 0})), "Convert4BitRLETo4BitRGB: Bad RLE Data 6");
  EXPECT_EQ(ErrorOf(Source(4, 5, 1, {0, 0, 0, 0})), "Convert4BitRLETo4BitRGB: Bad RLE Data 5");
}

TEST(Rle4, RunFromAnOddColumn) {
  Decoded r = Decode(Source(4, 8, 1, {0, 2, 1, 0, 5, 0x12, 0, 1}));
  const int expect[8] = {0, 1, 2, 1, 2, 1, 0, 0};
  for (int x = 0; x < 8; ++x) EXPECT_EQ(Nibble(r.bits, 4, x, 0), expect[x]) << x;
}

TEST(Rle4, AbsoluteRunsConsumeWholeWords) {
  // 3 pixels take 2 bytes, 5 pixels take 4 bytes.
  Decoded r = Decode(Source(4, 16, 1, {0, 3, 0x12, 0x30, 0, 5, 0x45, 0x67, 0x80, 0xFF, 2, 0x99, 0, 1}));
  const int expect[10] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 9};
  for (int x = 0; x < 10; ++x) EXPECT_EQ(Nibble(r.bits, 8, x, 0), expect[x]) << x;
  EXPECT_EQ(Nibble(r.bits, 8, 10, 0), 0);
}

// Straightforward decoder, one pixel at a time, for the comparison below.
std::vector<uint8_t> Reference(int bits, int w, int h, const std::vector<uint8_t>& c, bool& bad) {
  const int stride = static_cast<int>(DibStride(w, bits));
  std::vector<uint8_t> out(static_cast<size_t>(stride * h));
  const int X = bits == 4 ? (w + 1) / 2 * 2 : w;
  auto put = [&](int x, int y, int v) {
    if (bits == 8) out[y * stride + x] = static_cast<uint8_t>(v);
    else if (x & 1) out[y * stride + x / 2] |= static_cast<uint8_t>(v);
    else out[y * stride + x / 2] = static_cast<uint8_t>(v << 4);
  };
  size_t i = 0;
  int x = 0, y = 0;
  bad = false;
  while (i + 2 <= c.size()) {
    int a = c[i], b = c[i + 1];
    i += 2;
    if (a) {
      if (x + a > X || y >= h) { bad = true; break; }
      for (int j = 0; j < a; ++j) put(x + j, y, bits == 8 ? b : (j & 1) ? b & 15 : b >> 4);
      x += a;
    } else if (b == 0) {
      x = 0;
      if (++y > h) { bad = true; break; }
    } else if (b == 1) {
      break;
    } else if (b == 2) {
      if (i + 2 > c.size()) break;
      x += c[i];
      y += c[i + 1];
      i += 2;
      if (x > X || y > h) { bad = true; break; }
    } else {
      if (x + b > X || y >= h) { bad = true; break; }
      size_t need = bits == 8 ? b : (b + 1) / 2;
      if (i + need > c.size()) break;
      for (int j = 0; j < b; ++j)
        put(x + j, y, bits == 8 ? c[i + j] : (j & 1) ? c[i + j / 2] & 15 : c[i + j / 2] >> 4);
      size_t adv = bits == 8 ? (b + 1) / 2 * 2 : (b + 3) / 4 * 2;
      i += std::min(adv, c.size() - i);
      x += b;
    }
  }
  return out;
}

TEST(Rle, RandomCodeStreamsDecodeAsTheReferenceDoes) {
  std::mt19937 rng(12345);
  int decodedCount = 0;
  for (int iter = 0; iter < 3000; ++iter) {
    int bits = iter % 2 ? 8 : 4;
    // One row in five is wide, with long runs and absolute runs.
    const bool wide = iter % 5 == 0;
    int w = 1 + static_cast<int>(rng() % (wide ? 320 : 40)), h = 1 + static_cast<int>(rng() % 6);
    const unsigned longest = wide ? 252 : 12;
    std::vector<uint8_t> c;
    int codes = static_cast<int>(rng() % 30);
    for (int k = 0; k < codes; ++k) {
      switch (rng() % 6) {
        case 0: case 1:
          c.push_back(static_cast<uint8_t>(1 + rng() % longest));
          c.push_back(static_cast<uint8_t>(rng()));
          break;
        case 2: {
          int n = 3 + static_cast<int>(rng() % longest);
          c.push_back(0);
          c.push_back(static_cast<uint8_t>(n));
          int len = bits == 8 ? (n + 1) / 2 * 2 : (n + 3) / 4 * 2;
          for (int j = 0; j < len; ++j) c.push_back(static_cast<uint8_t>(rng()));
          break;
        }
        case 3: c.push_back(0); c.push_back(0); break;
        case 4:
          c.push_back(0); c.push_back(2);
          c.push_back(static_cast<uint8_t>(rng() % 5));
          c.push_back(static_cast<uint8_t>(rng() % 2));
          break;
        default: c.push_back(static_cast<uint8_t>(rng() % 3)); break;  // noise
      }
    }
    if (rng() % 4 == 0 && !c.empty()) c.resize(rng() % c.size());
    bool bad = false;
    std::vector<uint8_t> want = Reference(bits, w, h, c, bad);
    Source s(bits, w, h, c);
    if (bad) {
      EXPECT_THROW(Decode(s), EQvDIBInvalidDIB) << iter;
    } else {
      ++decodedCount;
      EXPECT_EQ(Decode(s).bits, want) << "iteration " << iter;
    }
  }
  EXPECT_GT(decodedCount, 300);
}

}  // namespace
}  // namespace qm
