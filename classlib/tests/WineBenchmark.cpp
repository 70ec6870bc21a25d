#include "classlib/tests/WineBenchmark.h"

#include <windows.h>

#include <cstdio>
#include <ctime>
#include <vector>

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
    std::fprintf(f,
                 "    {\n      \"name\": %s,\n      \"family_index\": %u,\n"
                 "      \"per_family_instance_index\": 0,\n      \"run_name\": %s,\n"
                 "      \"run_type\": \"iteration\",\n      \"repetitions\": 1,\n"
                 "      \"repetition_index\": 0,\n      \"threads\": 1,\n      \"iterations\": %lld,\n"
                 "      \"real_time\": %.6f,\n      \"cpu_time\": %.6f,\n      \"time_unit\": \"ms\"\n    }%s\n",
                 JsonString(r.name).c_str(), static_cast<unsigned>(i), JsonString(r.name).c_str(),
                 r.iterations, r.ms_per_iteration, r.ms_per_iteration, i + 1 < results.size() ? "," : "");
  }
  std::fprintf(f, "  ]\n}\n");
  std::fclose(f);
}

}  // namespace

struct Runner {
  static Result Run(const Entry& e) {
    const long long limit_iterations = 1000;
    const double limit_ms = 1000.0;
    TimedRun run;
    long long n = 0;
    while (n < limit_iterations && (n < 3 || TicksToMs(run.elapsed_) < limit_ms)) {
      e.body(run);
      if (run.running_) run.Stop();
      ++n;
    }
    return {e.name, n, TicksToMs(run.elapsed_) / static_cast<double>(n)};
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
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    if (a.rfind("--benchmark_out=", 0) == 0) out = a.substr(16);
    else if (a.rfind("--benchmark_filter=", 0) == 0) filter = a.substr(19);
    else if (a.rfind("--benchmark_out_format=", 0) == 0) continue;  // JSON only
    else {
      std::fprintf(stderr, "Unknown argument %s\n", a.c_str());
      return 2;
    }
  }
  std::vector<Result> results;
  std::printf("%-40s %14s %12s\n", "Benchmark", "Time", "Iterations");
  for (const Entry& e : Registry()) {
    if (!filter.empty() && e.name.find(filter) == std::string::npos) continue;
    Result r = Runner::Run(e);
    std::printf("%-40s %11.2f ms %12lld\n", r.name.c_str(), r.ms_per_iteration, r.iterations);
    std::fflush(stdout);
    results.push_back(r);
  }
  if (!out.empty()) WriteJson(out, argc > 0 ? argv[0] : "", results);
  return 0;
}

}  // namespace qmbench
