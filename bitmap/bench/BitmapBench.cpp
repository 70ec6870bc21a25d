// Loading 4096 x 4096 BMP files from memory: plain 8 bits, RLE8, RLE4 and
// 24 bits. RLE files are decoded to plain pixels as part of the load (as the
// hotspot editor's import does). Bytes processed are the plain pixel bytes;
// the yardsticks are BM_CopyPixels, a memcpy of that many bytes into fresh
// pixel memory, and BM_ByteLoop, a byte-by-byte loop over 4096 x 4096 bytes.
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "bitmap/core/QvBmpFormat.h"
#include "bitmap/core/QvDib.h"
#include "bitmap/core/QvDibMemory.h"
#include "bitmap/core/QvDibRle.h"

namespace {

constexpr int kSize = 4096;

std::string MakeFile(int bits, uint32_t compression, const std::string& pixels) {
  const uint32_t colors = bits <= 8 ? 1u << bits : 0;
  qm::QvBitmapInfoHeader h{};
  h.biSize = qm::kBmpInfoHeaderSize;
  h.biWidth = kSize;
  h.biHeight = kSize;
  h.biPlanes = 1;
  h.biBitCount = static_cast<uint16_t>(bits);
  h.biCompression = compression;
  h.biXPelsPerMeter = 3780;
  h.biYPelsPerMeter = 3780;
  std::string table;
  qm::ByteWriter t(table);
  for (uint32_t i = 0; i < colors; ++i) t.WriteU32(i * 0x010101);
  std::string f;
  qm::ByteWriter w(f);
  qm::WriteBmpHeaders(w, h, table.data(), colors, static_cast<uint32_t>(pixels.size()));
  return f + pixels;
}

// Rows of a picture with flat areas (runs) and noisy patches (absolute runs).
std::vector<uint8_t> Row(int y, std::mt19937& rng, int valueMask) {
  std::vector<uint8_t> r(kSize);
  for (int x = 0; x < kSize; ++x) {
    bool noisy = ((x / 64) + (y / 64)) % 5 == 0;
    r[x] = static_cast<uint8_t>((noisy ? rng() : ((x / 24) ^ (y / 16))) & valueMask);
  }
  return r;
}

// Greedy run-length encoding of one row of units (bytes: one pixel at
// 8 bits, two pixels at 4 bits).
void EncodeRow(const std::vector<uint8_t>& u, int pixelsPerUnit, std::string& out) {
  size_t i = 0;
  while (i < u.size()) {
    size_t r = 1;
    while (i + r < u.size() && u[i + r] == u[i] && r < 127) ++r;
    if (r >= 2) {
      out += static_cast<char>(r * pixelsPerUnit);
      out += static_cast<char>(u[i]);
      i += r;
      continue;
    }
    size_t j = i;  // literal until a run of 2 starts
    while (j < u.size() && j - i < 120 && !(j + 1 < u.size() && u[j] == u[j + 1])) ++j;
    size_t n = j - i;
    if (n * pixelsPerUnit < 3) {
      out += static_cast<char>(pixelsPerUnit);
      out += static_cast<char>(u[i]);
      ++i;
      continue;
    }
    out += '\0';
    out += static_cast<char>(n * pixelsPerUnit);
    out.append(reinterpret_cast<const char*>(&u[i]), n);
    if (n & 1) out += '\0';
    i = j;
  }
  out += '\0';
  out += '\0';
}

std::string Plain8() {
  std::mt19937 rng(1);
  std::string px;
  for (int y = 0; y < kSize; ++y) {
    auto r = Row(y, rng, 0xFF);
    px.append(reinterpret_cast<const char*>(r.data()), r.size());
  }
  return MakeFile(8, 0, px);
}

std::string Rle8() {
  std::mt19937 rng(1);
  std::string px;
  for (int y = 0; y < kSize; ++y) EncodeRow(Row(y, rng, 0xFF), 1, px);
  px += '\0';
  px += '\1';
  return MakeFile(8, 1, px);
}

std::string Rle4() {
  std::mt19937 rng(1);
  std::string px;
  for (int y = 0; y < kSize; ++y) {
    auto r = Row(y, rng, 0x0F);
    std::vector<uint8_t> pairs(kSize / 2);
    for (int x = 0; x < kSize / 2; ++x) pairs[x] = static_cast<uint8_t>(r[2 * x] << 4 | r[2 * x + 1]);
    EncodeRow(pairs, 2, px);
  }
  px += '\0';
  px += '\1';
  return MakeFile(4, 2, px);
}

std::string Plain24() {
  std::mt19937 rng(2);
  std::string px(static_cast<size_t>(kSize) * kSize * 3, '\0');
  for (auto& c : px) c = static_cast<char>(rng() & 0xC0);
  return MakeFile(24, 0, px);
}

void RunLoad(benchmark::State& state, const std::string& file) {
  int64_t plainBytes = 0;
  for (auto _ : state) {
    qm::TQvDIB dib(true);
    qm::QvMemoryReadStream s(file);
    dib.LoadFromStream(s);
    int pf = dib.GetPixelFormat();
    if (pf == qm::kPf4BitRle) dib.SetPixelFormat(qm::kPf4Bit);
    if (pf == qm::kPf8BitRle) dib.SetPixelFormat(qm::kPf8Bit);
    plainBytes = dib.InternalDIB()->Data.Size;
    benchmark::DoNotOptimize(dib.InternalDIB()->Data.Bits);
  }
  state.SetBytesProcessed(state.iterations() * plainBytes);
  state.counters["file_bytes"] = static_cast<double>(file.size());
}

void BM_LoadBmp8(benchmark::State& state) {
  static const std::string file = Plain8();
  RunLoad(state, file);
}
void BM_LoadBmpRle8(benchmark::State& state) {
  static const std::string file = Rle8();
  RunLoad(state, file);
}
void BM_LoadBmpRle4(benchmark::State& state) {
  static const std::string file = Rle4();
  RunLoad(state, file);
}
void BM_LoadBmp24(benchmark::State& state) {
  static const std::string file = Plain24();
  RunLoad(state, file);
}

// The decoders alone, on pixel memory already loaded.
void RunDecode(benchmark::State& state, const std::string& file, bool four) {
  qm::TQvDIB dib(true);
  qm::QvMemoryReadStream s(file);
  dib.LoadFromStream(s);
  const qm::TQvDIBData& src = dib.InternalDIB()->Data;
  int64_t plainBytes = 0;
  for (auto _ : state) {
    qm::TQvDIBData out{};
    if (four) qm::Convert4BitRLETo4BitRGB(src, out, true);
    else qm::Convert8BitRLETo8BitRGB(src, out, true);
    plainBytes = out.Size;
    benchmark::DoNotOptimize(out.Bits);
    qm::ReleaseMemory(out.MappingHandle, out.Bits, true);
  }
  state.SetBytesProcessed(state.iterations() * plainBytes);
}
void BM_DecodeRle8(benchmark::State& state) {
  static const std::string file = Rle8();
  RunDecode(state, file, false);
}
void BM_DecodeRle4(benchmark::State& state) {
  static const std::string file = Rle4();
  RunDecode(state, file, true);
}

// The yardstick of the loads and decoders: a memcpy of n pixel bytes into
// pixel memory got as they get it (fresh each time).
void BM_CopyPixels(benchmark::State& state) {
  const size_t n = static_cast<size_t>(state.range(0));
  const std::string source(n, '\x5A');
  for (auto _ : state) {
    void* handle = nullptr;
    uint8_t* bits = nullptr;
    qm::GetMemory(static_cast<int64_t>(n), handle, bits, true);
    std::memcpy(bits, source.data(), n);
    benchmark::DoNotOptimize(bits);
    qm::ReleaseMemory(handle, bits, true);
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(n));
}

// A byte-by-byte loop writing 4096 x 4096 bytes (fresh memory each time, as
// a decode gets).
void BM_ByteLoop(benchmark::State& state) {
  const size_t n = static_cast<size_t>(kSize) * kSize;
  for (auto _ : state) {
    std::unique_ptr<uint8_t[]> out(new uint8_t[n]);
    uint8_t v = 0;
    for (size_t i = 0; i < n; ++i) {
      out[i] = v;
      v = static_cast<uint8_t>(v + 1);
      benchmark::ClobberMemory();
    }
    benchmark::DoNotOptimize(out.get());
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(n));
}

// The argument is the side of the picture, or the bytes copied.
BENCHMARK(BM_LoadBmp8)->Arg(kSize)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadBmpRle8)->Arg(kSize)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadBmpRle4)->Arg(kSize)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadBmp24)->Arg(kSize)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecodeRle8)->Arg(kSize)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecodeRle4)->Arg(kSize)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ByteLoop)->Arg(kSize)->Unit(benchmark::kMillisecond);
// The plain pixels of a 4096 x 4096 picture at 4, 8 and 24 bits.
BENCHMARK(BM_CopyPixels)
    ->Arg(kSize * kSize / 2)
    ->Arg(kSize * kSize)
    ->Arg(kSize * kSize * 3)
    ->Unit(benchmark::kMillisecond);

}  // namespace
