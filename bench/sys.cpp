// Timing of the waits and of profile-string reads.
//   WaitSec(0.05): median absolute error (target < 200 us) and CPU time per wall time (< 15 %).
//   ReadIni of one key in a 60-key file: time per read (< 30 us).
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "support/process_meter.h"
#include "system/utility.h"

namespace {

using testing_support::clockSeconds;

double cpuSeconds() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
         static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) * 1e-6;
}

// Arg: the wait in tenths of a millisecond (the finest step of a wait).
void BM_WaitSec(benchmark::State& state) {
  using Clock = std::chrono::steady_clock;
  const Fixed seconds = Fixed::fromRaw(state.range(0));
  const double want = seconds.toDouble();
  std::vector<double> errors;
  double wall = 0, cpu = 0, cpuClock = 0;
  for (auto _ : state) {
    double c0 = cpuSeconds();
    // The CPU clock as a second opinion: on some kernels getrusage only sees whole ticks.
    double k0 = clockSeconds(CLOCK_PROCESS_CPUTIME_ID);
    auto t0 = Clock::now();
    WaitSec(seconds);
    auto t1 = Clock::now();
    cpu += cpuSeconds() - c0;
    cpuClock += clockSeconds(CLOCK_PROCESS_CPUTIME_ID) - k0;
    double took = std::chrono::duration<double>(t1 - t0).count();
    wall += took;
    errors.push_back(std::fabs(took - want));
    state.SetIterationTime(took);
  }
  std::sort(errors.begin(), errors.end());
  state.counters["median_err_us"] = errors[errors.size() / 2] * 1e6;
  state.counters["max_err_us"] = errors.back() * 1e6;
  state.counters["cpu_pct"] = 100.0 * cpu / wall;
  state.counters["cpu_clock_pct"] = 100.0 * cpuClock / wall;
}
// 0.05 s is the target (a frame of an animation); 1 ms and 0.5 s show the ends of the range.
BENCHMARK(BM_WaitSec)->Arg(500)->UseManualTime()->Iterations(60)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WaitSec)->Arg(10)->UseManualTime()->Iterations(200)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WaitSec)->Arg(5000)->UseManualTime()->Iterations(6)->Unit(benchmark::kMillisecond);

// A step loop as the animations run it: mark, 30 ms of other work, then the wait.
void BM_WaitSecAfterMark(benchmark::State& state) {
  using Clock = std::chrono::steady_clock;
  std::vector<double> errors;
  for (auto _ : state) {
    auto t0 = Clock::now();
    WaitSec(0);
    usleep(30000);
    WaitSec(0.05);
    double took = std::chrono::duration<double>(Clock::now() - t0).count();
    errors.push_back(std::fabs(took - 0.05));
    state.SetIterationTime(took);
  }
  std::sort(errors.begin(), errors.end());
  state.counters["median_err_us"] = errors[errors.size() / 2] * 1e6;
}
BENCHMARK(BM_WaitSecAfterMark)->UseManualTime()->Iterations(30)->Unit(benchmark::kMillisecond);

struct IniFile {
  std::filesystem::path dir, file;
  IniFile() {
    std::string tmpl = (std::filesystem::temp_directory_path() / "vorak-bench-XXXXXX").string();
    if (!mkdtemp(tmpl.data())) std::abort();
    dir = tmpl;
    file = dir / "game.DAT";
    std::ofstream out(file, std::ios::binary);
    // Four player sections of 14 keys and one of 4: sixty keys, the shape of a saved game.
    for (int p = 0; p < 4; ++p) {
      out << "[PLAYER" << p << "]\r\n";
      for (int k = 0; k < 14; ++k) out << "sKey" << k << "=" << (p * 100 + k) << "\r\n";
    }
    out << "[ALL]\r\nTURN=2\r\nTURNNM=14\r\nSOUBA=15,4,2,3,3\r\nLAST=ブルー\r\n";
  }
  ~IniFile() { std::filesystem::remove_all(dir); }
};

void BM_ReadIniOneKeyOf60(benchmark::State& state) {
  IniFile ini;
  std::string path = ini.file.string();
  for (auto _ : state) {
    std::string v = ReadIni(path, "all", "last");
    benchmark::DoNotOptimize(v);
  }
  if (ReadIni(path, "all", "last") != "ブルー") state.SkipWithError("wrong value read");
}
BENCHMARK(BM_ReadIniOneKeyOf60)->Unit(benchmark::kMicrosecond);

}  // namespace
