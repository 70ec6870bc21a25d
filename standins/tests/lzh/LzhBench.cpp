// Backing up a real project: andes-fbd laid out as the editor keeps it
// (topics in rtf/, pictures in bmp/), packed with -lh5- by the archiver's own
// command, from nothing each time. Counters: the archive's size, and, where
// Debian's jlha-utils is installed, the size of its -lh5- archive of the
// same files and the ratio of the two.
#include <benchmark/benchmark.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "core/FileSystem.h"
#include "core/tests/TempFolder.h"
#include "standins/unlha32/core/ArchiveUpdate.h"

namespace fs = std::filesystem;

namespace {

struct Project {
  std::string dir;
  std::uint64_t bytes = 0;  // of the files the backup takes
};

// Made on first use; its folder goes when the benchmarks end.
const Project& AndesProject() {
  static const qmtest::TempFolder folder("qmlzhbench");
  static const Project p = [] {
    Project p;
    p.dir = folder.path();
    fs::create_directories(p.dir + "/rtf");
    fs::create_directories(p.dir + "/bmp");
    for (const auto& e : fs::directory_iterator(std::string(QM_TESTDATA_DIR) + "/projects/andes-fbd")) {
      std::string ext = e.path().extension().string();
      for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
      const std::string name = e.path().filename().string();
      // The rest (compiled help, logs) stays at the top, as in a real
      // project folder, and is not backed up.
      std::string sub;
      if (ext == ".rtf") sub = "rtf/";
      else if (ext == ".bmp" || ext == ".shg") sub = "bmp/";
      std::string data;
      qm::ReadFileBytes(e.path().string(), data);
      qm::WriteFileReplacing(p.dir + "/" + sub + name, data);
      if (!sub.empty() || name == "FBD.hpj" || name == "FBD.cnt" || name == "FBD.hm") p.bytes += data.size();
    }
    return p;
  }();
  return p;
}

std::uint64_t FileSize(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 ? static_cast<std::uint64_t>(st.st_size) : 0;
}

// Size of jlha's -lh5- archive (header level 2) of the same files; 0 when it
// is not installed.
std::uint64_t JlhaSize(const Project& p) {
  if (std::system("command -v jlha >/dev/null 2>&1") != 0) return 0;
  const std::string archive = p.dir + "/../" + fs::path(p.dir).filename().string() + "-jlha.lzh";
  std::remove(archive.c_str());
  const std::string cmd = "cd '" + p.dir + "' && jlha ao52q '" + archive +
                          "' FBD.hpj FBD.cnt FBD.hm bmp/* rtf/* >/dev/null 2>&1";
  if (std::system(cmd.c_str()) != 0) return 0;
  const std::uint64_t size = FileSize(archive);
  std::remove(archive.c_str());
  return size;
}

void BM_LzhWrite(benchmark::State& state) {
  const Project& p = AndesProject();
  const std::string archive = p.dir + "/FBD.hpj.lzh";
  const std::string line = "u -x1 -jm3 -a1 \"" + archive + "\" \"" + p.dir +
                           "\\\" \"FBD.hpj\" \"FBD.cnt\" \"FBD.hm\" bmp\\*.* rtf\\*.* *.avi *.wav";
  for (auto _ : state) {
    state.PauseTiming();
    std::remove(archive.c_str());
    state.ResumeTiming();
    std::string report;
    if (qm::lzh::RunUnlha(line, report) != qm::lzh::kUnlhaOk) {
      state.SkipWithError(report.c_str());
      return;
    }
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * p.bytes));
  const double size = static_cast<double>(FileSize(archive));
  state.counters["archive_bytes"] = size;
  state.counters["input_bytes"] = static_cast<double>(p.bytes);
  if (const std::uint64_t jlha = JlhaSize(p); jlha != 0) {
    state.counters["jlha_archive_bytes"] = static_cast<double>(jlha);
    state.counters["size_vs_jlha"] = size / static_cast<double>(jlha);
  }
}
BENCHMARK(BM_LzhWrite)->Unit(benchmark::kMillisecond);

}  // namespace
