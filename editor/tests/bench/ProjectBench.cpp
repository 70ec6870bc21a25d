// Reading and writing a large project of 10,000 topics.
#include <benchmark/benchmark.h>

#include <string>

#include "core/tests/TempFolder.h"
#include "editor/core/ProjectFiles.h"
#include "editor/tests/bench/BigProject.h"

using namespace qm;
using namespace qm::editor;

namespace {

// The project of 10,000 topics in a folder of its own, made on first use and
// removed when the benchmarks end.
struct BigProject {
  qmtest::TempFolder folder{"qmbench"};
  std::string hpj = bench::WriteBigProject(folder.path(), 10000);
};

void BM_ProjectReadWrite10k(benchmark::State& state) {
  static const BigProject project;
  const std::string& path = project.hpj;
  for (auto _ : state) {
    ProjectModel m;
    ReadProject(m, path);
    WriteProject(m);
    benchmark::DoNotOptimize(m.TopicCount());
  }
}
BENCHMARK(BM_ProjectReadWrite10k)->Unit(benchmark::kMillisecond);

void BM_ProjectRead10k(benchmark::State& state) {
  static const BigProject project;
  const std::string& path = project.hpj;
  for (auto _ : state) {
    ProjectModel m;
    ReadProject(m, path);
    benchmark::DoNotOptimize(m.TopicCount());
  }
}
BENCHMARK(BM_ProjectRead10k)->Unit(benchmark::kMillisecond);

}  // namespace
