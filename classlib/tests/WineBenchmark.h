// Benchmarks of window code, run under Wine: Google Benchmark is built for
// the host only, so the Windows build times its benchmarks here and writes
// the results in Google Benchmark's JSON form (--benchmark_out=FILE), for
// bench.sh to merge with the others. --benchmark_filter=TEXT runs the
// benchmarks whose names hold TEXT. Window code under Wine is timed on a
// busy machine: each benchmark runs in repetitions (--benchmark_repetitions=N,
// 5 unless told) and reports each and their median and mean, as Google
// Benchmark does with repetitions.
#pragma once

#include <functional>
#include <string>

namespace qmbench {

// The clock of one benchmark: the body runs between Start and Stop, the
// untimed preparation outside them.
class TimedRun {
 public:
  void Start();
  void Stop();

 private:
  friend struct Runner;
  long long started_ = 0;
  long long elapsed_ = 0;
  bool running_ = false;
};

// One iteration: prepares, then times its work with run.Start() / run.Stop().
using BenchmarkBody = std::function<void(TimedRun& run)>;

// Registers a benchmark; in each repetition its iterations repeat until
// they took a quarter of a second (at least one, at most 1000).
void Register(const std::string& name, BenchmarkBody body);

// Readies a benchmark program of window code: the common controls, the
// application, and message boxes that say their text instead of waiting.
void StartWindowProgram();

// Runs the registered benchmarks as the command line asks; the exit code.
int RunBenchmarks(int argc, char** argv);

}  // namespace qmbench
