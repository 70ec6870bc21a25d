#include "classlib/tests/WineBenchmark.h"

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <vector>

#include "classlib/Application.h"
#include "classlib/Dialogs.h"

namespace qmbench {

namespace {

long long Ticks() {
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return t.QuadPart;
}

double TicksToMs(long long ticks) {
  LARGE_INTEGER f;
  QueryPerformanceFrequency(&f);
  return 1000.0 * static_cast<double>(ticks) / static_cast<double>(f.QuadPart);
}

struct Entry {
  std::string name;
  BenchmarkBody body;
};

std::vector<Entry>& Registry() {
  static std::vector<Entry> entries;
  return entries;
}

struct Result {
  std::string name;
  std::string run_name;
  const char* run_type;  // "iteration" or "aggregate"
  const char* aggregate;  // "median", "mean"; "" for a repetition
  int repetitions;
  int repetition_index;
  unsigned family_index;
  long long iterations;
  double ms_per_iteration;
};

std::string JsonString(const std::string& s) {
  std::string out = "\"";
  for (char c : s) {
    if (c == '"' || c == '\\') out += '\\';
    out += c;
  }
  return out + "\"";
}

void WriteJson(const std::string& path, const char* program, const std::vector<Result>& results) {
  FILE* f = std::fopen(path.c_str(), "w");
  if (!f) {
    std::fprintf(stderr, "Cannot write %s\n", path.c_str());
    return;
  }
  char date[64];
  std::time_t now = std::time(nullptr);
  std::strftime(date, sizeof date, "%Y-%m-%dT%H:%M:%S", std::localtime(&now));
  SYSTEM_INFO si;
  GetSystemInfo(&si);
  std::fprintf(f, "{\n  \"context\": {\n    \"date\": %s,\n    \"executable\": %s,\n"
               "    \"num_cpus\": %lu,\n    \"library_build_type\": \"release\"\n  },\n"
               "  \"benchmarks\": [\n",
               JsonString(date).c_str(), JsonString(program).c_str(),
               static_cast<unsigned long>(si.dwNumberOfProcessors));
  for (std::size_t i = 0; i < results.size(); ++i) {
    const Result& r = results[i];
    std::string kind = *r.aggregate ? ",\n      \"aggregate_name\": " + JsonString(r.aggregate)
                                    : ",\n      \"repetition_index\": " + std::to_string(r.repetition_index);
    std::fprintf(f,
                 "    {\n      \"name\": %s,\n      \"family_index\": %u,\n"
                 "      \"per_family_instance_index\": 0,\n      \"run_name\": %s,\n"
                 "      \"run_type\": \"%s\",\n      \"repetitions\": %d%s,\n"
                 "      \"threads\": 1,\n      \"iterations\": %lld,\n"
                 "      \"real_time\": %.6f,\n      \"cpu_time\": %.6f,\n      \"time_unit\": \"ms\"\n    }%s\n",
                 JsonString(r.name).c_str(), r.family_index, JsonString(r.run_name).c_str(), r.run_type,
                 r.repetitions, kind.c_str(), r.iterations, r.ms_per_iteration, r.ms_per_iteration,
                 i + 1 < results.size() ? "," : "");
  }
  std::fprintf(f, "  ]\n}\n");
  std::fclose(f);
}

}  // namespace

struct Runner {
  // One repetition: milliseconds per iteration, and the iterations.
  static std::pair<double, long long> Repetition(const Entry& e) {
    const long long limit_iterations = 1000;
    const double limit_ms = 250.0;
    TimedRun run;
    long long n = 0;
    while (n < limit_iterations && (n < 1 || TicksToMs(run.elapsed_) < limit_ms)) {
      e.body(run);
      if (run.running_) run.Stop();
      ++n;
    }
    return {TicksToMs(run.elapsed_) / static_cast<double>(n), n};
  }
};

void TimedRun::Start() {
  running_ = true;
  started_ = Ticks();
}

void TimedRun::Stop() {
  if (!running_) return;
  elapsed_ += Ticks() - started_;
  running_ = false;
}

void Register(const std::string& name, BenchmarkBody body) { Registry().push_back({name, std::move(body)}); }

int RunBenchmarks(int argc, char** argv) {
  std::string out;
  std::string filter;
  int repetitions = 5;
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    if (a.rfind("--benchmark_out=", 0) == 0) out = a.substr(16);
    else if (a.rfind("--benchmark_filter=", 0) == 0) filter = a.substr(19);
    else if (a.rfind("--benchmark_repetitions=", 0) == 0) repetitions = std::max(1, std::atoi(a.c_str() + 24));
    else if (a.rfind("--benchmark_out_format=", 0) == 0) continue;  // JSON only
    else {
      std::fprintf(stderr, "Unknown argument %s\n", a.c_str());
      return 2;
    }
  }
  std::vector<Result> results;
  std::printf("%-40s %14s %12s\n", "Benchmark", "Time", "Iterations");
  unsigned family = 0;
  for (const Entry& e : Registry()) {
    if (!filter.empty() && e.name.find(filter) == std::string::npos) continue;
    std::vector<double> times;
    long long iterations = 0;
    for (int rep = 0; rep < repetitions; ++rep) {
      auto [ms, n] = Runner::Repetition(e);
      times.push_back(ms);
      iterations += n;
      results.push_back({e.name, e.name, "iteration", "", repetitions, rep, family, n, ms});
      std::printf("%-40s %11.2f ms %12lld\n", e.name.c_str(), ms, n);
      std::fflush(stdout);
    }
    std::vector<double> sorted = times;
    std::sort(sorted.begin(), sorted.end());
    const std::size_t k = sorted.size();
    const double median = k % 2 ? sorted[k / 2] : (sorted[k / 2 - 1] + sorted[k / 2]) / 2;
    double mean = 0;
    for (double t : times) mean += t / static_cast<double>(k);
    for (auto [aggregate, value] : {std::pair<const char*, double>{"median", median}, {"mean", mean}}) {
      std::string name = e.name + "_" + aggregate;
      results.push_back({name, e.name, "aggregate", aggregate, repetitions, 0, family, iterations, value});
      std::printf("%-40s %11.2f ms\n", name.c_str(), value);
    }
    ++family;
  }
  if (!out.empty()) WriteJson(out, argc > 0 ? argv[0] : "", results);
  return 0;
}

void StartWindowProgram() {
  INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_WIN95_CLASSES | ICC_BAR_CLASSES | ICC_COOL_CLASSES};
  InitCommonControlsEx(&icc);
  cl::Application().Initialize();
  // A message box would wait for a click: none is expected, none is waited for.
  cl::SetMessageBoxHook([](const cl::MessageBoxCall& c) {
    std::fprintf(stderr, "Message box: %s\n", c.text.c_str());
    return IDOK;
  });
}

}  // namespace qmbench
