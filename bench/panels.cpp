// Speed of the board drawing, of redrawing the four status panels and of one frame of a walking
// piece, on the real program over the generated pictures and the first shipped map. Targets:
// DrawMap < 1 ms, WriteScoreSet < 1 ms.
#include <benchmark/benchmark.h>

#include "data/game_data.h"
#include "engine/chara_setup.h"
#include "presentation/board_draw.h"
#include "presentation/main_form.h"
#include "presentation/sprites.h"
#include "presentation/status_panel.h"
#include "support/headless_program.h"
#include "system/utility.h"

namespace {

// The program on its title screen with map 1, its pieces on the start cell, as in a game.
struct Scene {
  explicit Scene(bool presenting = true) : program(presenting) {
    program.start(1);
    frmMain().PicStatusUp.Tag = "開始";
    Init06CharaSetup();
  }
  testing_support::HeadlessProgram program;
};

void BM_DrawMap(benchmark::State& state) {
  Scene scene;
  for (auto _ : state) {
    DrawMap();
    benchmark::DoNotOptimize(frmMain().PicMapUra.surface().pixels().data());
  }
}
BENCHMARK(BM_DrawMap)->Unit(benchmark::kMicrosecond);

// Four occupied seats during a game, with values that draw every bar and number.
void BM_WriteScoreSet(benchmark::State& state) {
  Scene scene;
  for (auto& p : Game().Players) {
    p.sLifeMax = 80;
    p.sLife = 55;
    p.sExp = 7;
    p.sStr = 40;
    p.sLuck = 33;
    p.sMoney = 321;
    p.sScore = 4567;
  }
  for (auto _ : state) {
    WriteScoreSet(false, false);
    benchmark::DoNotOptimize(frmMain().PicPlayer[3].surface().pixels().data());
  }
}
BENCHMARK(BM_WriteScoreSet)->Unit(benchmark::kMicrosecond);

// One frame of a piece walking: the pieces redrawn one pixel on, then the frame's wait on the
// virtual clock, which presents the frame when the screen is on (argument 1) and not when whole
// games run without one (0).
void BM_WalkFrame(benchmark::State& state) {
  Scene scene(state.range(0) != 0);
  Game().Players[0].sUser = 2;
  int32_t step = 1;
  for (auto _ : state) {
    WriteCharaSet(0, 1, step, 0);
    WaitSec(sys::Fixed::fromRaw(100));
    step = -step;
  }
  state.counters["presents"] = scene.program.backend().presentCount();
}
BENCHMARK(BM_WalkFrame)->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

}  // namespace
