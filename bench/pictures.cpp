// Start-up cost of the picture store: reading and decoding every picture of the game folder.
// No target is given for it; it lies on the way to the first window, so keep it small.
#include <benchmark/benchmark.h>

#include <string>

#include "system/picture_store.h"

static void BM_LoadPictureStore(benchmark::State& state) {
  const std::string dir = std::string(VORAK_GAME_DIR) + "/Vorak-Pic/";
  for (auto _ : state) {
    ResetPictureStore();
    LoadPictureStore(dir);
    benchmark::DoNotOptimize(frmPic().PicDice.surface().pixel(50, 750));
  }
  state.counters["missing"] = static_cast<double>(frmPic().missing.size());
}
BENCHMARK(BM_LoadPictureStore)->Unit(benchmark::kMillisecond);
