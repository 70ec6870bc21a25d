// Reading and writing a large project: 10,000 topics in books five levels
// deep, every fifth topic hidden under the topic before it.
#include <benchmark/benchmark.h>

#include <functional>
#include <string>

#include "core/FileSystem.h"
#include "core/tests/TempFolder.h"
#include "editor/core/ProjectFiles.h"

using namespace qm;
using namespace qm::editor;

namespace {

// Writes the project into dir.
void MakeProject(const std::string& dir, int topics) {
  ProjectModel m;
  m.ProjectDir = dir;
  m.ProjectFile = "big.hpj";
  m.MapFile = "big.hm";
  m.HelpTitle = "大きなヘルプ";
  // Books: 5 at the top, 4 under each book, five levels.
  std::vector<ContentsNode*> leaves;
  std::function<void(ContentsNode*, int)> books = [&](ContentsNode* parent, int level) {
    for (int i = 0; i < (level == 1 ? 5 : 4); ++i) {
      ContentsNode* b = m.Contents.AddChild(parent, "Book " + std::to_string(level) + "." +
                                                        std::to_string(i), kBookClosed, 0);
      if (level == 5) leaves.push_back(b);
      else books(b, level + 1);
    }
  };
  books(nullptr, 1);
  ContentsNode* last = nullptr;
  for (int t = 0; t < topics; ++t) {
    // Most ids carry their number; every tenth takes an allocated one.
    std::string id = t % 10 == 9 ? "Page_" + std::string(1, char('a' + t % 26)) + "_x" +
                                       std::string(1, char('a' + (t / 26) % 26)) + std::to_string(t) + "z"
                                 : MakeTopicId(t + 1);
    int n = m.AllocateMapNumber();
    int row = m.AddTopic(id, n);
    m.TopicTitles[row] = "トピック " + std::to_string(t);
    ContentsNode* leaf = leaves[static_cast<std::size_t>(t / 8) % leaves.size()];
    if (t % 5 == 4 && last != nullptr) {
      m.Contents.AddChild(last, m.TopicTitles[row], kHiddenTopicNode, row);
    } else {
      // Topics go before the books of their level: leaves hold no books.
      last = m.Contents.AddChild(leaf, m.TopicTitles[row], kTopicNode, row);
    }
  }
  WriteProject(m);
}

// The project of 10,000 topics in a folder of its own, made on first use and
// removed when the benchmarks end.
struct BigProject {
  qmtest::TempFolder folder{"qmbench"};
  BigProject() { MakeProject(folder.path(), 10000); }
  std::string HpjPath() const { return folder.path() + "/big.hpj"; }
};

void BM_ProjectReadWrite10k(benchmark::State& state) {
  static const BigProject project;
  const std::string path = project.HpjPath();
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
  const std::string path = project.HpjPath();
  for (auto _ : state) {
    ProjectModel m;
    ReadProject(m, path);
    benchmark::DoNotOptimize(m.TopicCount());
  }
}
BENCHMARK(BM_ProjectRead10k)->Unit(benchmark::kMillisecond);

}  // namespace
