// RLE encoders: the bytes of the rows that the rules spell out, the same
// bytes as a unit-by-unit state machine written from the rules, round trips
// through our decoders, Compression Failed for pictures that cannot fit, and
// the BMP Suite's palette files encoded, written and read back by our
// decoders and by ImageMagick.
#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <random>

#include "bitmap/core/QvDib.h"
#include "bitmap/core/QvDibRle.h"
#include "bitmap/tests/ConvertTestUtil.h"
#include "bitmap/tests/DibTestUtil.h"
#include "core/FileSystem.h"

namespace qm {
namespace {

using test::Picture;
using test::Result;

using Bytes = std::vector<uint8_t>;

// The unit-by-unit state machine of the rules, with the room each write
// asks for; nullopt when the encoding does not fit.
std::optional<Bytes> Reference(const TQvDIBData& s) {
  const int bits = s.Header.biBitCount;
  const int64_t w = s.Header.biWidth, h = std::abs(s.Header.biHeight);
  const int64_t stride = DibStride(w, bits);
  const size_t limit = static_cast<size_t>(stride * h), L = bits == 8 ? 255 : 127;
  const size_t units = bits == 8 ? size_t(w) : size_t(w + 1) / 2;
  Bytes out;
  int64_t written = 0;
  struct Full {};
  auto need = [&](size_t room) {
    if (limit - out.size() < room) throw Full{};
  };
  auto pixels = [&](size_t n) {
    const int64_t p = std::min<int64_t>(2 * int64_t(n), w - written);
    written += p;
    return uint8_t(p);
  };
  auto run = [&](uint8_t u, size_t count) {
    need(6);
    out.push_back(bits == 8 ? uint8_t(count) : pixels(count));
    out.push_back(u);
  };
  auto absolute = [&](const Bytes& lit) {
    const size_t n = lit.size();
    need((n + 1) / 2 * 2 + 6);
    if (n <= (bits == 8 ? 2u : 1u)) {
      for (uint8_t u : lit) run(u, 1);
      return;
    }
    out.push_back(0);
    out.push_back(bits == 8 ? uint8_t(n) : pixels(n));
    out.insert(out.end(), lit.begin(), lit.end());
    if (n & 1) out.push_back(0);
  };
  try {
    for (int64_t r = 0; r < h; ++r) {
      const uint8_t* row = s.Bits + stride * (s.Header.biHeight > 0 ? r : h - 1 - r);
      enum { kEmpty, kOne, kRun, kLiteral } state = kEmpty;
      uint8_t unit = 0;
      size_t count = 0;
      Bytes lit;
      written = 0;
      for (size_t i = 0; i < units; ++i) {
        const uint8_t u = row[i];
        switch (state) {
          case kEmpty: unit = u; state = kOne; break;
          case kOne:
            if (u == unit) {
              count = 2;
              state = kRun;
            } else {
              lit = {unit, u};
              state = kLiteral;
            }
            break;
          case kRun:
            if (u == unit && count < L) {
              ++count;
            } else {
              run(unit, count);
              unit = u;
              state = kOne;
            }
            break;
          case kLiteral:
            if (u != lit.back() && lit.size() < L) {
              lit.push_back(u);
            } else if (u == lit.back()) {
              lit.pop_back();
              absolute(lit);
              unit = u;
              count = 2;
              state = kRun;
            } else {
              absolute(lit);
              unit = u;
              state = kOne;
            }
            break;
        }
      }
      if (state == kOne) run(unit, 1);
      if (state == kRun) run(unit, count);
      if (state == kLiteral) absolute(lit);
      need(4);
      out.insert(out.end(), {0, 0});
    }
    need(2);
    out.insert(out.end(), {0, 1});
  } catch (Full) {
    return std::nullopt;
  }
  return out;
}

// Our encoding, or nullopt after Compression Failed.
std::optional<Bytes> Encode(const TQvDIBData& s) {
  Result r;
  try {
    if (s.Header.biBitCount == 8) Convert8BitRGBTo8BitRLE(s, r.d, false);
    else Convert4BitRGBTo4BitRLE(s, r.d, false);
  } catch (const EQvDIBCompressionFailed& e) {
    EXPECT_STREQ(e.what(), s.Header.biBitCount == 8 ? "Convert8BitRGBTo8BitRLE: Compression Failed"
                                                     : "Convert4BitRGBTo4BitRLE: Compression Failed");
    return std::nullopt;
  }
  EXPECT_EQ(r.d.Header.biSizeImage, uint32_t(r.d.Size));
  EXPECT_EQ(r.d.Header.biHeight, std::abs(s.Header.biHeight));
  EXPECT_EQ(r.d.Header.biCompression, s.Header.biBitCount == 8 ? kBiRle8 : kBiRle4);
  return Bytes(r.d.Bits, r.d.Bits + r.d.Size);
}

// A row: a pattern of values (8-bit pixels or 4-bit pixels), then a long
// run of the value 9 up to the width (and in the padding nibble of an odd
// 4-bit row), one row high.
Bytes EncodeRow(int bits, int width, const std::vector<uint32_t>& start) {
  auto src = Picture(width, 1, bits, {}, [&](int x, int) { return x < int(start.size()) ? start[x] : 9; });
  if (bits == 4 && width % 2) src->Data.Bits[width / 2] |= 9;
  auto e = Encode(src->Data);
  EXPECT_TRUE(e.has_value());
  return e.value_or(Bytes{});
}

Bytes Prefix(const Bytes& b, size_t n) { return Bytes(b.begin(), b.begin() + std::min(n, b.size())); }

TEST(RleEncode, RowsAsTheRulesSpellThem) {
  const uint8_t A = 1, B = 2, p = 7;
  EXPECT_EQ(Prefix(EncodeRow(8, 64, {p, p, p, p}), 2), (Bytes{4, p}));
  EXPECT_EQ(Prefix(EncodeRow(8, 64, {A, B, A}), 6), (Bytes{0, 3, A, B, A, 0}));
  EXPECT_EQ(Prefix(EncodeRow(8, 64, {A, B}), 4), (Bytes{1, A, 1, B}));
  EXPECT_EQ(Prefix(EncodeRow(8, 64, {A, B, B}), 4), (Bytes{1, A, 2, B}));
  EXPECT_EQ(EncodeRow(8, 300, std::vector<uint32_t>(300, p)), (Bytes{255, p, 45, p, 0, 0, 0, 1}));
  // Width 13 at 4 bits: seven equal bytes, the run cut at the row's end.
  // (Narrower 4-bit pictures can never fit: a row takes at least 4 bytes,
  // all that a row of up to 8 pixels has, and the end of bitmap needs more.)
  EXPECT_EQ(EncodeRow(4, 13, std::vector<uint32_t>(13, 9)), (Bytes{13, 0x99, 0, 0, 0, 1}));
  // A 1 x 1 picture needs 6 bytes where the plain one has 4.
  auto one = Picture(1, 1, 8, {}, [](int, int) { return 5; });
  EXPECT_FALSE(Encode(one->Data).has_value());
}

TEST(RleEncode, TopDownSourcesGiveBottomUpCodes) {
  for (int bits : {4, 8}) {
    auto down = Picture(40, -3, bits, {}, [](int x, int y) { return y * 3 + x / 10; });
    auto up = Picture(40, 3, bits, {}, [](int x, int y) { return y * 3 + x / 10; });
    EXPECT_EQ(Encode(down->Data), Encode(up->Data));
    ASSERT_TRUE(Encode(up->Data).has_value());
  }
}

// Random rows of runs (up to 300 long) and noisy stretches of a few values.
std::unique_ptr<TQvInternalDIB> RandomRuns(std::mt19937& rng, int bits, int width, int height) {
  std::vector<uint32_t> values;
  for (int y = 0; y < std::abs(height); ++y) {
    int x = 0;
    while (x < width) {
      const int len = 1 + int(rng() % (rng() % 4 == 0 ? 300 : 12));
      const bool noisy = rng() % 3 == 0;
      const uint32_t v = rng() % 3;
      for (int k = 0; k < len && x < width; ++k, ++x) values.push_back(noisy ? rng() % 16 : v);
    }
  }
  return Picture(width, height, bits, {}, [&](int x, int y) { return values[size_t(y) * width + x]; });
}

TEST(RleEncode, SameBytesAsTheStateMachineOfTheRules) {
  std::mt19937 rng(17);
  int fitted = 0;
  for (int i = 0; i < 1500; ++i) {
    const int bits = i % 2 ? 8 : 4;
    const int width = 1 + int(rng() % (i % 5 == 0 ? 700 : 60));
    const int height = (1 + int(rng() % 4)) * (rng() % 2 ? 1 : -1);
    auto src = RandomRuns(rng, bits, width, height);
    SCOPED_TRACE(testing::Message() << bits << " bits, " << width << " x " << height);
    const auto ours = Encode(src->Data);
    ASSERT_EQ(ours, Reference(src->Data));
    fitted += ours.has_value();
  }
  EXPECT_GT(fitted, 600);
}

// The 4- or 8-bit indices of a plain picture, top row first; only the
// width's pixels (the padding nibble of an odd 4-bit row is free).
std::vector<unsigned> Indices(const TQvDIBData& d) {
  std::vector<unsigned> v;
  const int w = d.Header.biWidth, h = std::abs(d.Header.biHeight), bits = d.Header.biBitCount;
  for (int y = 0; y < h; ++y) {
    const uint8_t* row = d.Bits + DibStride(w, bits) * (d.Header.biHeight < 0 ? y : h - 1 - y);
    for (int x = 0; x < w; ++x) v.push_back(bits == 8 ? row[x] : (x & 1) ? row[x / 2] & 15u : row[x / 2] >> 4u);
  }
  return v;
}

std::vector<unsigned> Decoded(const TQvDIBData& s, const Bytes& codes) {
  TQvDIBData enc = s;
  enc.Header.biHeight = std::abs(s.Header.biHeight);
  enc.Header.biCompression = s.Header.biBitCount == 8 ? kBiRle8 : kBiRle4;
  Bytes copy = codes;  // exactly sized, so that no read passes the end
  enc.Bits = copy.data();
  enc.Size = int32_t(copy.size());
  Result plain;
  if (s.Header.biBitCount == 8) Convert8BitRLETo8BitRGB(enc, plain.d, false);
  else Convert4BitRLETo4BitRGB(enc, plain.d, false);
  return Indices(plain.d);
}

TEST(RleEncode, DecodingGivesThePictureBackAndNoiseDoesNotFit) {
  std::mt19937 rng(23);
  int fitted = 0, tried = 0;
  for (int bits : {4, 8}) {
    for (int width = 1; width <= 40; ++width) {
      for (int k = 0; k < 12; ++k) {
        const int height = (1 + int(rng() % 6)) * (k % 2 ? -1 : 1);
        // Runs of a few colours.
        auto src = RandomRuns(rng, bits, width, height);
        ++tried;
        if (auto codes = Encode(src->Data)) {
          ++fitted;
          ASSERT_EQ(Decoded(src->Data, *codes), Indices(src->Data)) << width << " x " << height;
        }
        // Noise: no pixel equals either of the two before it, so no unit
        // (pixel or byte of two) equals the one before.
        unsigned last[2] = {99, 99};
        auto noise = Picture(width, height, bits, {}, [&](int x, int) {
          if (x == 0) last[0] = last[1] = 99;
          unsigned v;
          do v = rng() % (bits == 8 ? 256 : 16);
          while (v == last[0] || v == last[1]);
          last[1] = last[0];
          return last[0] = v;
        });
        EXPECT_FALSE(Encode(noise->Data).has_value()) << width << " x " << height;
      }
    }
  }
  EXPECT_GT(fitted, tried / 3);
}

TEST(RleEncode, WrongSourcesAreRefused) {
  auto four = Picture(8, 8, 4, {}, [](int, int) { return 0; });
  Result r;
  try {
    Convert8BitRGBTo8BitRLE(four->Data, r.d, false);
    FAIL();
  } catch (const EQvDIBBadDIBType& e) {
    EXPECT_STREQ(e.what(), "Convert8BitRGBTo8BitRLE: Invalid Bitcount & Compression Combination");
  }
  four->Data.Header.biCompression = kBiRle4;
  EXPECT_THROW(Convert4BitRGBTo4BitRLE(four->Data, r.d, false), EQvDIBBadDIBType);
  EXPECT_EQ(r.d.Bits, nullptr);
}

// ImageMagick's reading of a BMP file: RGB triples, top row first.
std::vector<uint8_t> ImageMagickPixels(const std::string& path) {
  std::vector<uint8_t> rgb;
  const std::string cmd = std::string(QM_IMAGEMAGICK_CONVERT) + " '" + path + "' -depth 8 txt:- 2>/dev/null";
  FILE* p = popen(cmd.c_str(), "r");
  if (!p) return rgb;
  char line[512];
  while (std::fgets(line, sizeof line, p)) {
    unsigned x, y, r, g, b;
    if (std::sscanf(line, "%u,%u: (%u,%u,%u", &x, &y, &r, &g, &b) == 5)
      rgb.insert(rgb.end(), {uint8_t(r), uint8_t(g), uint8_t(b)});
  }
  pclose(p);
  return rgb;
}

TEST(RleEncode, SuitePalettePicturesReadBackByUsAndByImageMagick) {
  if (std::string(QM_IMAGEMAGICK_CONVERT).empty()) GTEST_SKIP() << "ImageMagick is missing";
  const std::string temp = testing::TempDir() + "qm-rle-encode-test.bmp";
  int checked = 0, failed = 0;
  for (const char* folder : {"g", "q"}) {
    const std::string dir = std::string(QM_TESTDATA_DIR) + "/bmp/" + folder + "/";
    for (const std::string& name : ListFiles(dir, ".bmp")) {
      TQvDIB d(false);
      try {
        d.LoadFromFile(dir + name);
        const int pf = d.GetPixelFormat();
        if (pf != kPf4Bit && pf != kPf4BitRle && pf != kPf8Bit && pf != kPf8BitRle) continue;
        if (pf == kPf4BitRle) d.SetPixelFormat(kPf4Bit);
        if (pf == kPf8BitRle) d.SetPixelFormat(kPf8Bit);
      } catch (const std::exception&) {
        continue;  // files that the library refuses
      }
      SCOPED_TRACE(std::string(folder) + "/" + name);
      const std::vector<uint8_t> want = test::ToRgb(d.InternalDIB()->Data);
      const int plain = d.GetPixelFormat();
      try {
        d.SetPixelFormat(plain == kPf8Bit ? kPf8BitRle : kPf4BitRle);
      } catch (const EQvDIBCompressionFailed&) {
        ++failed;
        EXPECT_EQ(d.GetPixelFormat(), plain);  // the picture is kept
        continue;
      }
      ++checked;
      d.SaveToFile(temp);
      TQvDIB back(false);
      back.LoadFromFile(temp);
      EXPECT_EQ(test::ToRgb(back.InternalDIB()->Data), want);
      EXPECT_EQ(ImageMagickPixels(temp), want);
    }
  }
  std::remove(temp.c_str());
  EXPECT_GE(checked, 10);
  RecordProperty("encoded", checked);
  RecordProperty("compression_failed", failed);
}

}  // namespace
}  // namespace qm
