#include "system/startup.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <memory>
#include <system_error>

#include "data/game_data.h"
#include "data/settings.h"
#include "sys/instance.h"
#include "sys/path.h"
#include "system/display_panel.h"
#include "system/media.h"
#include "system/random.h"
#include "system/window_helpers.h"
#include "ui/toolkit.h"

namespace {

struct StartupState {
  std::unique_ptr<sys::SingleInstanceLock> lock;
  bool ended = false;
};

StartupState& state() {
  static StartupState s;
  return s;
}

// The data folder holds the lock and the settings; a fresh game folder has none yet.
void makeDataFolder(const std::string& folder) {
  std::error_code ec;
  std::filesystem::create_directories(sys::resolvePath(folder), ec);
}

void endProcess() {
  MediaReset();
  ui::shutdown();
  std::fflush(nullptr);
  // Every window is gone and no handler may run again: leave without unwinding the handler
  // that asked for the end.
  std::_Exit(0);
}

}  // namespace

StartupHooks& Startup() {
  static StartupHooks h{endProcess};
  return h;
}

bool AppEnded() { return state().ended; }

void ResetStartup() {
  state().lock.reset();
  state().ended = false;
}

std::string GetAppPath(const std::string& Path) {
  return Path.empty() ? sys::appFolder() : sys::withTrailingSeparator(Path);
}

bool AppStartCheck() {
  const std::string dat = DataFolderOf(GetAppPath(""));
  makeDataFolder(dat);
  auto lock = std::make_unique<sys::SingleInstanceLock>(dat);
  // An unusable data folder cannot hold the lock; the game then runs without one.
  if (lock->heldElsewhere()) return false;
  state().lock = std::move(lock);

  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  RandomSeed(static_cast<uint64_t>(local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec));
  return true;
}

void AppEnd() {
  GameData& g = Game();
  makeDataFolder(g.DatFolder);
  if (!SaveSettings(g.DataFile))
    std::fprintf(stderr, "VorakTalmor: the settings could not be saved to %s\n", g.DataFile.c_str());
  if (g.DisplayChanged) {
    g.DisplayChanged = !DispUndo();
    int32_t w = 800, h = 600;
    if (ui::Window* main = ui::mainWindow()) FitFormWindow(*main, w, h, false);
    if (g.DisplayChanged) g.DisplayChanged = !DispUndo();
  }
  state().ended = true;
  Startup().EndProgram();
}
