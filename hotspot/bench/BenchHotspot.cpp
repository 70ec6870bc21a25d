// Import of a 2048 x 2048 8-bit bitmap into a .shg (pack, save) and its load
// (read, unpack, rebuild the BMP bytes).
#include <benchmark/benchmark.h>

#include <random>

#include "bitmap/core/QvBmpFormat.h"
#include "hotspot/core/Shg.h"

namespace {

using qm::hotspot::TShg;

// A picture like a screen shot: runs of a few colours with some noise.
std::string MakeBmp2048() {
  const int w = 2048, h = 2048, colors = 256;
  qm::QvBitmapInfoHeader header{};
  header.biSize = qm::kBmpInfoHeaderSize;
  header.biWidth = w;
  header.biHeight = h;
  header.biPlanes = 1;
  header.biBitCount = 8;
  header.biClrUsed = colors;
  std::string table;
  qm::ByteWriter t(table);
  for (int i = 0; i < colors; ++i) t.WriteU32(0x00010101u * i);
  std::string b;
  qm::ByteWriter writer(b);
  qm::WriteBmpHeaders(writer, header, table.data(), colors, w * h);
  std::mt19937 rng(1);
  std::string rows(static_cast<std::size_t>(w) * h, '\0');
  for (std::size_t i = 0; i < rows.size();) {
    const std::size_t run = 1 + rng() % 40;
    const char c = static_cast<char>(rng() % 8 == 0 ? rng() : rng() % 4);
    for (std::size_t k = 0; k < run && i < rows.size(); ++k, ++i) rows[i] = rng() % 16 == 0 ? static_cast<char>(rng()) : c;
  }
  return b + rows;
}

const std::string& Bmp2048() {
  static const std::string bmp = MakeBmp2048();
  return bmp;
}

void BM_ShgImport2048(benchmark::State& state) {
  const std::string& bmp = Bmp2048();
  for (auto _ : state) {
    TShg shg;
    shg.ImportBmpStream(bmp);
    std::string file = shg.SaveToBytes();
    benchmark::DoNotOptimize(file.data());
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bmp.size()));
}
BENCHMARK(BM_ShgImport2048)->Unit(benchmark::kMillisecond);

void BM_ShgLoad2048(benchmark::State& state) {
  TShg source;
  source.ImportBmpStream(Bmp2048());
  const std::string file = source.SaveToBytes();
  for (auto _ : state) {
    TShg shg;
    shg.LoadFromBytes(file);
    std::string bmp = shg.BuildBitmapFile();
    benchmark::DoNotOptimize(bmp.data());
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(Bmp2048().size()));
}
BENCHMARK(BM_ShgLoad2048)->Unit(benchmark::kMillisecond);

// Packing and unpacking by size, to show they grow linearly.
void BM_RunLenPack(benchmark::State& state) {
  const std::string data = Bmp2048().substr(1078, static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(qm::hotspot::RunLenPack(data).size());
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_RunLenPack)->RangeMultiplier(4)->Range(1 << 14, 1 << 22)->Complexity(benchmark::oN);

void BM_RunLenUnpack(benchmark::State& state) {
  const std::string packed = qm::hotspot::RunLenPack(Bmp2048().substr(1078, static_cast<std::size_t>(state.range(0))));
  for (auto _ : state) benchmark::DoNotOptimize(qm::hotspot::RunLenUnpack(packed).size());
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_RunLenUnpack)->RangeMultiplier(4)->Range(1 << 14, 1 << 22)->Complexity(benchmark::oN);

}  // namespace
