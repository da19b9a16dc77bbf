// Speed of the duel's sight. A computer's shot runs one frame per pixel until its aim, and at the
// fastest motion a frame has 1 ms: its drawing must fit in that for the sight to keep its speed.
// The two runs differ only in how far both sights travel (1 and 2 frames against 200 and 199), so
// (long - short) / 396 is the cost of one frame. Target: below 1 ms a frame.
#include <benchmark/benchmark.h>

#include "data/game_data.h"
#include "engine/chara_setup.h"
#include "engine/duel.h"
#include "presentation/main_form.h"
#include "support/draws.h"
#include "support/headless_program.h"
#include "system/random.h"

namespace {

void BM_DuelShots(benchmark::State& state) {
  testing_support::HeadlessProgram program;
  program.start(1);
  frmMain().PicStatusUp.Tag = "開始";
  Init06CharaSetup();
  GameData& g = Game();
  const bool far = state.range(0) != 0;
  const int32_t aim0 = far ? 200 : 1, aim1 = far ? 199 : 2;
  for (auto _ : state) {
    state.PauseTiming();
    for (int i : {0, 1}) {
      g.Players[static_cast<size_t>(i)].sUser = 2;
      g.Players[static_cast<size_t>(i)].sExpNext = 100000;
    }
    // Both aims by the 20 % chance, from the left edge at 1 ms a frame.
    using testing_support::Range;
    ScriptedRandom script{Range(-50, 50, 0),     Range(-50, 50, 0),
                          testing_support::kYes, Range(-100, 100, aim0 - 100),
                          testing_support::kYes, Range(-100, 100, aim1 - 100),
                          Range(0, 7, 0)};
    state.ResumeTiming();
    int32_t mover = 0, met = 1;
    Init40AttackUser(mover, met);
  }
  state.counters["presents"] = static_cast<double>(program.backend().presentCount());
}
BENCHMARK(BM_DuelShots)->ArgName("far")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
