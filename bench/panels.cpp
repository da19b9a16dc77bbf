// Speed of the board drawing and of redrawing the four status panels, on the generated pictures
// and the first shipped map. Targets: DrawMap < 1 ms, WriteScoreSet < 1 ms.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "backend/headless/headless_backend.h"
#include "data/board.h"
#include "data/game_data.h"
#include "engine/chara_setup.h"
#include "presentation/board_draw.h"
#include "presentation/status_panel.h"
#include "presentation/main_form.h"
#include "system/picture_store.h"
#include "ui/toolkit.h"

namespace {

// The main window's board and panels over the game folder's pictures and map 1.
struct Scene {
  Scene() {
    ui::init(std::make_unique<ui::HeadlessBackend>());
    const std::string game = VORAK_GAME_DIR;
    InitFolderNames(game + "/");
    InitCellKinds();
    LoadPictureStore(game + "/Vorak-Pic/");
    MainForm& f = frmMain();
    f.PicMap.move(16, 16, 768, 320);
    for (int i = 0; i < 4; ++i) {
      f.PicPlayer[i].move(16 + 192 * i, 384, 192, 176);
      f.PicMiniMap[i].setContainer(&f.PicPlayer[i]);
      f.PicMiniMap[i].move(5, 5, 25, 25);
    }
    loaded = ReadMapFile(Game().MapFolder + "01-Standard.map");
    Init05CharaSetup();
  }
  ~Scene() {
    ResetMainForm();
    ResetPictureStore();
    ui::shutdown();
  }
  bool loaded = false;
};

void BM_DrawMap(benchmark::State& state) {
  Scene scene;
  if (!scene.loaded) state.SkipWithError("map 1 of the game folder could not be read");
  for (auto _ : state) {
    DrawMap();
    benchmark::DoNotOptimize(frmMain().PicMapUra.surface().pixels().data());
  }
}
BENCHMARK(BM_DrawMap)->Unit(benchmark::kMicrosecond);

// Four occupied seats during a game, with values that draw every bar and number.
void BM_WriteScoreSet(benchmark::State& state) {
  Scene scene;
  frmMain().PicStatusUp.Tag = "開始";
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

}  // namespace
