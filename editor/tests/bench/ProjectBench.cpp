// Reading and writing a large project of 10,000 topics.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include "editor/core/ProjectFiles.h"
#include "editor/tests/bench/BigProject.h"

using namespace qm;
using namespace qm::editor;

namespace {

// The project's folder under /tmp.
std::string MakeProject(int topics) {
  char tmpl[] = "/tmp/qmbenchXXXXXX";
  std::string dir = ::mkdtemp(tmpl);
  bench::WriteBigProject(dir, topics);
  return dir;
}

void BM_ProjectReadWrite10k(benchmark::State& state) {
  static const std::string dir = MakeProject(10000);
  const std::string path = dir + "/big.hpj";
  for (auto _ : state) {
    ProjectModel m;
    ReadProject(m, path);
    WriteProject(m);
    benchmark::DoNotOptimize(m.TopicCount());
  }
}
BENCHMARK(BM_ProjectReadWrite10k)->Unit(benchmark::kMillisecond);

void BM_ProjectRead10k(benchmark::State& state) {
  static const std::string dir = MakeProject(10000);
  const std::string path = dir + "/big.hpj";
  for (auto _ : state) {
    ProjectModel m;
    ReadProject(m, path);
    benchmark::DoNotOptimize(m.TopicCount());
  }
}
BENCHMARK(BM_ProjectRead10k)->Unit(benchmark::kMillisecond);

}  // namespace
