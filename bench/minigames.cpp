// Speed of one frame of the slot machine's nine reels and of the time attack's clock, on the real
// program over the generated pictures. Each frame then waits 1 ms for its beat; the work of a
// frame has to stay far below that.
#include <benchmark/benchmark.h>

#include "data/game_data.h"
#include "engine/slot.h"
#include "engine/time_attack.h"
#include "presentation/main_form.h"
#include "presentation/menu.h"
#include "support/headless_program.h"

namespace {

// A game running, seat 0 a computer at the machine; with the screen on (presenting) every
// fourth frame of 1 ms is also composed and shown, as in the real window.
struct Hall {
  explicit Hall(bool presenting) : program(presenting) {
    program.start(1);
    frmMain().PicStatusUp.Tag = "開始";
    Game().Players[0].sUser = 2;
  }
  testing_support::HeadlessProgram program;
};

// Nine reels spinning (a human's spin, so no stop comes by chance): the frame's pump, the
// reels moved and drawn, the window refreshed.
void BM_SlotFrame(benchmark::State& state) {
  Hall hall(state.range(0) != 0);
  Game().Players[0].sUser = 1;
  SlotMachine machine(0);
  machine.BeginSpin();
  for (auto _ : state) {
    PumpFrame();
    if (!machine.Frame() || Menu().MenuCommand != "はい") {
      state.PauseTiming();
      machine.BeginSpin();
      state.ResumeTiming();
    }
  }
}
BENCHMARK(BM_SlotFrame)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// The clock redrawn (a pretended figure after the first half second), the input read and both
// of a computer's chances drawn.
void BM_TimeAttackFrame(benchmark::State& state) {
  Hall hall(state.range(0) != 0);
  TimeAttack(0, 4);  // draws the window and its clean copy
  TimeAttackTiming timing(0, 4);
  timing.Start();
  for (auto _ : state) {
    PumpFrame();
    benchmark::DoNotOptimize(timing.Frame());
  }
}
BENCHMARK(BM_TimeAttackFrame)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace
