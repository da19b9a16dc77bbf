// Speed of the text renderer and pacing of the pixel-step scroller.
#include <benchmark/benchmark.h>
#include <time.h>

#include <algorithm>
#include <vector>

#include "backend/headless/headless_backend.h"
#include "gfx/surface.h"
#include "presentation/controls/UCFont.h"
#include "presentation/controls/UcScroll.h"
#include "support/process_meter.h"
#include "sys/clock.h"
#include "ui/toolkit.h"
#include "ui/window.h"

namespace {

using testing_support::clockSeconds;

// One message line: 30 Japanese characters at size 15 with a one-pixel shadow (target < 0.4 ms).
void BM_FontWriteMessageLine(benchmark::State& state) {
  UCFont f;
  f.SetFontName("MS UI Gothic");
  f.SetFontSize(15);
  f.SetFontStroke(0);
  f.SetDefaultColor(0xFFFFFF, 0xB4B4B4);
  gfx::Surface target(768, 32, 0x203050);
  const char* line = "{K&1}勇者の番:スライムがあらわれた！勇者は十ゴールドを手に入れた";
  for (auto _ : state) {
    f.FontWrite(target, line, 4, 3);
    benchmark::DoNotOptimize(target.pixels().data());
  }
}
BENCHMARK(BM_FontWriteMessageLine)->Unit(benchmark::kMicrosecond);

// A new message line: AddBlock(0, 32) at 0.001 s per step on the real clock. Targets: 33 steps,
// the whole scroll within 1 ms of 33 ms, and under 20 % of a core while it waits.
void BM_AddBlockMessageLine(benchmark::State& state) {
  ui::init(std::make_unique<ui::HeadlessBackend>());
  auto win = std::make_unique<ui::Window>("frmMain", true);
  win->show();
  UcScroll& sc = win->add<UcScroll>("UcSc");
  sc.move(16, 344, 768, 32);
  sc.SetWaku(0, 0);
  sc.SetScrollSpeed(sys::Fixed::fromRaw(10));
  int steps = 0;
  sc.onRefresh = [&] { ++steps; };
  double wall = 0, cpu = 0;
  std::vector<double> took;
  for (auto _ : state) {
    steps = 0;
    double w0 = clockSeconds(CLOCK_MONOTONIC), c0 = clockSeconds(CLOCK_THREAD_CPUTIME_ID);
    sc.AddBlock(0, 32);
    double w = clockSeconds(CLOCK_MONOTONIC) - w0;
    wall += w;
    cpu += clockSeconds(CLOCK_THREAD_CPUTIME_ID) - c0;
    took.push_back(w);
  }
  std::sort(took.begin(), took.end());
  win.reset();
  ui::shutdown();
  state.counters["steps"] = steps;
  state.counters["ms_median"] = took[took.size() / 2] * 1e3;
  state.counters["ms_worst"] = took.back() * 1e3;
  state.counters["cpu_pct"] = cpu / wall * 100;
}
BENCHMARK(BM_AddBlockMessageLine)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(30);

}  // namespace
