// Cost of the game data files: loading a saved game (about 150 key look-ups), a map and the
// monster file, and saving a game; then a whole save slot as the save/load dialog saves and
// loads it (three files written and swapped in; three files checked and read). Target: a slot's
// save and its load each under 20 ms.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "data/board.h"
#include "data/game_data.h"
#include "data/monsters.h"
#include "data/save_game.h"
#include "data/save_slot.h"

namespace {

// A folder with one saved slot in it, removed when the program ends.
struct Slot {
  Slot() {
    char pattern[] = "/tmp/vorak-bench-XXXXXX";
    dir = ::mkdtemp(pattern);
    InitCellKinds();
    InitMonsterTable();
    NewBlankMap();
    for (auto& p : Game().Players) {
      p.sUser = 1;
      p.sName = "ブルー";
      p.sLifeMax = p.sLife = p.sExpNext = 10;
      p.sLevel = 1;
    }
    Game().TurnCount = 1;
    Game().SoubaText = "15,4,2,3,3";
    SaveGameData(file("s.DAT"));
    WriteMapFile(file("s.MAP"));
    SaveMonsterFile(file("s.Mon"));
  }
  ~Slot() { std::filesystem::remove_all(dir); }
  std::string file(const char* name) const { return dir + "/" + name; }
  std::string dir;
};

const Slot& slot() {
  static Slot s;
  return s;
}

void BM_LoadGameData(benchmark::State& state) {
  std::string f = slot().file("s.DAT");
  for (auto _ : state) benchmark::DoNotOptimize(LoadGameData(f));
}
BENCHMARK(BM_LoadGameData)->Unit(benchmark::kMicrosecond);

void BM_SaveGameData(benchmark::State& state) {
  std::string f = slot().file("s.DAT");
  for (auto _ : state) benchmark::DoNotOptimize(SaveGameData(f));
}
BENCHMARK(BM_SaveGameData)->Unit(benchmark::kMicrosecond);

void BM_ReadMapFile(benchmark::State& state) {
  std::string f = slot().file("s.MAP");
  for (auto _ : state) benchmark::DoNotOptimize(ReadMapFile(f));
}
BENCHMARK(BM_ReadMapFile)->Unit(benchmark::kMicrosecond);

void BM_LoadMonsterFile(benchmark::State& state) {
  std::string f = slot().file("s.Mon");
  for (auto _ : state) benchmark::DoNotOptimize(LoadMonsterFile(f));
}
BENCHMARK(BM_LoadMonsterFile)->Unit(benchmark::kMicrosecond);

void BM_SaveSlot(benchmark::State& state) {
  Game().DatFolder = slot().dir + "/";
  for (auto _ : state)
    if (!SaveSlot("スロット")) state.SkipWithError("the slot was not saved");
}
BENCHMARK(BM_SaveSlot)->Unit(benchmark::kMillisecond);

void BM_LoadSlot(benchmark::State& state) {
  Game().DatFolder = slot().dir + "/";
  if (!SaveSlot("スロット")) state.SkipWithError("the slot was not saved");
  for (auto _ : state)
    if (LoadSlot("スロット") != SlotStatus::Ok) state.SkipWithError("the slot was not loaded");
}
BENCHMARK(BM_LoadSlot)->Unit(benchmark::kMillisecond);

}  // namespace
