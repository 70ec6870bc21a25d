// Pixel conversions of square pictures of 1024, 2048 and 4096 pixels a side
// (the complexity fit shows the growth with the pixel count). Bytes
// processed are the source's pixel bytes.
//
// Halftone and reduction run on a 24-bit "photograph": smooth gradients in
// red and green, a pattern in blue and some noise in every channel, so that
// it fills many colour cells. The RLE encoders run on 8- and 4-bit
// "drawings": flat areas in stripes 24 pixels wide (runs), with one 64 x 64
// block in five filled with noise (absolute runs).
#include <benchmark/benchmark.h>

#include <memory>
#include <random>

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
      p[0] = static_cast<uint8_t>(((x ^ y) >> 3) + (noise & 7));
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

const qm::TQvDIBData& DrawingOf(int side, int bits) {
  static std::unique_ptr<qm::TQvInternalDIB> cache[2][3];
  const int slot = side == 1024 ? 0 : side == 2048 ? 1 : 2;
  auto& d = cache[bits == 8][slot];
  if (!d) d = Drawing(side, bits);
  return d->Data;
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

void BM_EncodeRle8(benchmark::State& state) {
  Run(state, DrawingOf(static_cast<int>(state.range(0)), 8),
      [](const qm::TQvDIBData& s, qm::TQvDIBData& d) { qm::Convert8BitRGBTo8BitRLE(s, d, false); });
}
void BM_EncodeRle4(benchmark::State& state) {
  Run(state, DrawingOf(static_cast<int>(state.range(0)), 4),
      [](const qm::TQvDIBData& s, qm::TQvDIBData& d) { qm::Convert4BitRGBTo4BitRLE(s, d, false); });
}

#define QM_SIZES ->Arg(1024)->Arg(2048)->Arg(4096)->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond)
BENCHMARK(BM_EncodeRle8) QM_SIZES;
BENCHMARK(BM_EncodeRle4) QM_SIZES;
BENCHMARK(BM_HalftoneColor) QM_SIZES;
BENCHMARK(BM_HalftoneBW) QM_SIZES;
BENCHMARK(BM_ReduceLow) QM_SIZES;
BENCHMARK(BM_ReduceHigh) QM_SIZES;

}  // namespace
