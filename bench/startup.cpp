// Start-up to the first presented title frame (target: under 400 ms on the headless backend,
// warm disk) and the resident memory on the title screen (target: under 120 MB), from a game
// folder that links the assembled pictures, sounds and maps.
#include "system/startup.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "backend/headless/headless_backend.h"
#include "data/game_data.h"
#include "presentation/message.h"
#include "program/program.h"
#include "screens/frmMain.h"
#include "support/headless_program.h"
#include "support/process_meter.h"
#include "sys/path.h"
#include "system/media.h"
#include "system/picture_store.h"
#include "ui/toolkit.h"

namespace fs = std::filesystem;

namespace {

using testing_support::residentMegabytes;

void BM_StartUpToTitleFrame(benchmark::State& state) {
  // The music loads as with a sound device (with none the game plays none).
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  testing_support::GameFolder folder;  // the lock and the settings go there
  Startup().EndProgram = [] {};
  double rss = 0;
  for (auto _ : state) {
    state.PauseTiming();
    auto b = std::make_unique<ui::HeadlessBackend>();
    ui::HeadlessBackend* hb = b.get();
    ui::init(std::move(b));
    ResetProgramState();
    state.ResumeTiming();

    Main();
    ui::Present(true);
    if (hb->presentCount() == 0) state.SkipWithError("no frame was presented");

    state.PauseTiming();
    rss = residentMegabytes();
    ResetProgramState();
    ui::shutdown();
    state.ResumeTiming();
  }
  state.counters["title_rss_MB"] = rss;
  Startup().EndProgram = nullptr;
  sys::setAppFolderForTests("");
}
BENCHMARK(BM_StartUpToTitleFrame)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
