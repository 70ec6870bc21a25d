// Pixel conversions of square pictures of 1024, 2048 and 4096 pixels a side
// (the complexity fit shows the growth with the pixel count). Bytes
// processed are the source's pixel bytes.
//
// Halftone and reduction run on a 24-bit "photograph": smooth gradients in
// red and green, a pattern in blue and some noise in every channel, so that
// it fills many colour cells; its colours are spread alike at every size.
// The RLE encoders run on 8- and 4-bit "drawings": flat areas in stripes 24
// pixels wide (runs), with one 64 x 64 block in five filled with noise
// (absolute runs), and on 8- and 4-bit "photographs" (the ...Photo
// benchmarks, see FractalPhoto).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <random>
#include <vector>

#include "bitmap/core/QvDibHalftone.h"
#include "bitmap/core/QvDibMemory.h"
#include "bitmap/core/QvDibReduce.h"
#include "bitmap/core/QvDibRle.h"

namespace {

std::unique_ptr<qm::TQvInternalDIB> Photo(int side) {
  auto dib = std::make_unique<qm::TQvInternalDIB>(false);
  dib->ClearDIB();
  dib->CreateDIB(side, side, 24, 0);
  std::mt19937 rng(5);
  const int64_t stride = qm::DibStride(side, 24);
  for (int y = 0; y < side; ++y) {
    uint8_t* p = dib->Data.Bits + stride * y;
    for (int x = 0; x < side; ++x, p += 3) {
      const unsigned noise = rng();
      p[0] = static_cast<uint8_t>((x ^ y) * 128 / side + (noise & 7));
      p[1] = static_cast<uint8_t>(y * 255 / side + ((noise >> 3) & 3));
      p[2] = static_cast<uint8_t>(x * 255 / side + ((noise >> 5) & 7));
    }
  }
  return dib;
}

const qm::TQvDIBData& PhotoOf(int side) {
  static std::unique_ptr<qm::TQvInternalDIB> cache[3];
  const int slot = side == 1024 ? 0 : side == 2048 ? 1 : 2;
  if (!cache[slot]) cache[slot] = Photo(side);
  return cache[slot]->Data;
}

std::unique_ptr<qm::TQvInternalDIB> Drawing(int side, int bits) {
  auto dib = std::make_unique<qm::TQvInternalDIB>(false);
  dib->ClearDIB();
  dib->CreateDIB(side, side, bits, 1 << bits);
  std::mt19937 rng(1);
  const int64_t stride = qm::DibStride(side, bits);
  const unsigned mask = (1u << bits) - 1;
  for (int y = 0; y < side; ++y) {
    uint8_t* row = dib->Data.Bits + stride * y;
    for (int x = 0; x < side; ++x) {
      const bool noisy = ((x / 64) + (y / 64)) % 5 == 0;
      const unsigned v = (noisy ? rng() : unsigned((x / 24) ^ (y / 16))) & mask;
      if (bits == 8) row[x] = static_cast<uint8_t>(v);
      else row[x / 2] = static_cast<uint8_t>(row[x / 2] | (x % 2 ? v : v << 4));
    }
  }
  return dib;
}

// Make(side, bits) at 8 or 4 bits and one of the three sizes, made once.
template <std::unique_ptr<qm::TQvInternalDIB> (*Make)(int, int)>
const qm::TQvDIBData& Made(int side, int bits) {
  static std::unique_ptr<qm::TQvInternalDIB> cache[2][3];
  const int slot = side == 1024 ? 0 : side == 2048 ? 1 : 2;
  auto& d = cache[bits == 8][slot];
  if (!d) d = Make(side, bits);
  return d->Data;
}

// A "photograph" for the RLE encoders: three fractal landscapes (midpoint
// displacement, seeded) of 1024 x 1024 as red, green and blue, blurred over
// 3 x 3 pixels, reduced to 256 or 16 colours; larger pictures repeat it
// mirrored, so that every size has the same runs. Neighbours are alike but
// seldom equal: short runs between short literals.
constexpr float kRoughness = 0.6f;
std::vector<float> Fractal(int side, std::mt19937& rng) {
  const int n = side + 1;  // side is a power of 2
  std::vector<float> h(static_cast<size_t>(n) * n, 0.0f);
  auto at = [&](int x, int y) -> float& { return h[static_cast<size_t>(y) * n + x]; };
  std::uniform_real_distribution<float> jitter(-1.0f, 1.0f);
  float scale = 1.0f;
  for (int step = side; step > 1; step /= 2, scale *= kRoughness) {
    const int half = step / 2;
    for (int y = half; y < n; y += step)
      for (int x = half; x < n; x += step)
        at(x, y) = (at(x - half, y - half) + at(x + half, y - half) + at(x - half, y + half) +
                    at(x + half, y + half)) / 4 + scale * jitter(rng);
    for (int y = 0; y < n; y += half)
      for (int x = (y / half) % 2 ? 0 : half; x < n; x += step) {
        float sum = 0;
        int count = 0;
        if (x >= half) sum += at(x - half, y), ++count;
        if (x + half < n) sum += at(x + half, y), ++count;
        if (y >= half) sum += at(x, y - half), ++count;
        if (y + half < n) sum += at(x, y + half), ++count;
        at(x, y) = sum / count + scale * jitter(rng);
      }
  }
  // Blur, then stretch to 0 .. 255.
  std::vector<float> b(static_cast<size_t>(side) * side);
  float lo = 1e9f, hi = -1e9f;
  for (int y = 0; y < side; ++y)
    for (int x = 0; x < side; ++x) {
      float sum = 0;
      for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
          sum += at(std::clamp(x + dx, 0, side - 1), std::clamp(y + dy, 0, side - 1));
      const float v = sum / 9;
      b[static_cast<size_t>(y) * side + x] = v;
      lo = std::min(lo, v);
      hi = std::max(hi, v);
    }
  for (float& v : b) v = (v - lo) * 255.0f / (hi - lo);
  return b;
}

std::unique_ptr<qm::TQvInternalDIB> FractalPhoto(int side, int bits) {
  qm::TQvInternalDIB rgb(false);
  rgb.ClearDIB();
  rgb.CreateDIB(side, side, 24, 0);
  std::mt19937 rng(7);
  const int64_t stride = qm::DibStride(side, 24);
  constexpr int kTile = 1024;
  // Tile coordinate of t: forward in even tiles, backward in odd ones.
  auto mirror = [](int t) { return (t / kTile) % 2 ? kTile - 1 - t % kTile : t % kTile; };
  for (int c = 0; c < 3; ++c) {
    const std::vector<float> f = Fractal(kTile, rng);
    for (int y = 0; y < side; ++y)
      for (int x = 0; x < side; ++x)
        rgb.Data.Bits[stride * y + 3 * x + c] =
            static_cast<uint8_t>(f[static_cast<size_t>(mirror(y)) * kTile + mirror(x)]);
  }
  auto dib = std::make_unique<qm::TQvInternalDIB>(false);
  dib->ClearDIB();
  if (bits == 8) qm::ConvertTrueColorTo8BitRGBLow(rgb.Data, dib->Data, {}, false);
  else qm::ConvertTrueColorTo4BitRGBLow(rgb.Data, dib->Data, {}, false);
  return dib;
}

// Encoded size over plain size.
double RleRatio(const qm::TQvDIBData& s, int bits) {
  qm::TQvDIBData out{};
  if (bits == 8) qm::Convert8BitRGBTo8BitRLE(s, out, false);
  else qm::Convert4BitRGBTo4BitRLE(s, out, false);
  const double ratio = static_cast<double>(out.Size) / s.Size;
  qm::ReleaseMemory(out.MappingHandle, out.Bits, false);
  return ratio;
}

template <class Convert>
void Run(benchmark::State& state, const qm::TQvDIBData& src, Convert convert) {
  for (auto _ : state) {
    qm::TQvDIBData out{};
    convert(src, out);
    benchmark::DoNotOptimize(out.Bits);
    qm::ReleaseMemory(out.MappingHandle, out.Bits, false);
  }
  state.SetBytesProcessed(state.iterations() * src.Size);
  state.SetComplexityN(state.range(0) * state.range(0));
}

template <class Convert>
void Run(benchmark::State& state, Convert convert) {
  Run(state, PhotoOf(static_cast<int>(state.range(0))), convert);
}

void BM_HalftoneColor(benchmark::State& state) {
  Run(state, [](const qm::TQvDIBData& s, qm::TQvDIBData& d) { qm::ConvertToHalfTone(s, d, false); });
}
void BM_HalftoneBW(benchmark::State& state) {
  Run(state, [](const qm::TQvDIBData& s, qm::TQvDIBData& d) { qm::ConvertToHalfToneBW(s, d, false); });
}
void BM_ReduceLow(benchmark::State& state) {
  Run(state, [](const qm::TQvDIBData& s, qm::TQvDIBData& d) {
    qm::ConvertTrueColorTo8BitRGBLow(s, d, {}, false);
  });
}
void BM_ReduceHigh(benchmark::State& state) {
  Run(state, [](const qm::TQvDIBData& s, qm::TQvDIBData& d) {
    qm::ConvertTrueColorTo8BitRGBHigh(s, d, {}, false);
  });
}

void BM_ReduceHigh4(benchmark::State& state) {
  Run(state, [](const qm::TQvDIBData& s, qm::TQvDIBData& d) {
    qm::ConvertTrueColorTo4BitRGBHigh(s, d, {}, false);
  });
}

void BM_EncodeRle8(benchmark::State& state) {
  Run(state, Made<Drawing>(static_cast<int>(state.range(0)), 8),
      [](const qm::TQvDIBData& s, qm::TQvDIBData& d) { qm::Convert8BitRGBTo8BitRLE(s, d, false); });
}
void BM_EncodeRle4(benchmark::State& state) {
  Run(state, Made<Drawing>(static_cast<int>(state.range(0)), 4),
      [](const qm::TQvDIBData& s, qm::TQvDIBData& d) { qm::Convert4BitRGBTo4BitRLE(s, d, false); });
}

void BM_EncodeRle8Photo(benchmark::State& state) {
  Run(state, Made<FractalPhoto>(static_cast<int>(state.range(0)), 8),
      [](const qm::TQvDIBData& s, qm::TQvDIBData& d) { qm::Convert8BitRGBTo8BitRLE(s, d, false); });
  state.counters["ratio"] = RleRatio(Made<FractalPhoto>(static_cast<int>(state.range(0)), 8), 8);
}
void BM_EncodeRle4Photo(benchmark::State& state) {
  Run(state, Made<FractalPhoto>(static_cast<int>(state.range(0)), 4),
      [](const qm::TQvDIBData& s, qm::TQvDIBData& d) { qm::Convert4BitRGBTo4BitRLE(s, d, false); });
  state.counters["ratio"] = RleRatio(Made<FractalPhoto>(static_cast<int>(state.range(0)), 4), 4);
}

#define QM_SIZES ->Arg(1024)->Arg(2048)->Arg(4096)->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond)
BENCHMARK(BM_EncodeRle8) QM_SIZES;
BENCHMARK(BM_EncodeRle4) QM_SIZES;
BENCHMARK(BM_EncodeRle8Photo) QM_SIZES;
BENCHMARK(BM_EncodeRle4Photo) QM_SIZES;
BENCHMARK(BM_HalftoneColor) QM_SIZES;
BENCHMARK(BM_HalftoneBW) QM_SIZES;
BENCHMARK(BM_ReduceLow) QM_SIZES;
BENCHMARK(BM_ReduceHigh) QM_SIZES;
BENCHMARK(BM_ReduceHigh4) QM_SIZES;

}  // namespace
