// Whole games and a human's wait.
//
// BM_WholeGame: one game of four computer seats on map 1 (seed 1, the same game every time),
// headless on the game's own clock, every frame drawn into the controls; argument 0 switches
// presenting off (target: median under 1 s), 1 composes every frame as the screen would. The
// counters give the passes, the frames drawn (one per timed wait), the frames presented and the
// game's own length in seconds.
//
// BM_HumanDiceMenuCpu: the program as it runs for a player, on the SDL backend under an X server
// (an Xvfb of its own when DISPLAY is unset) with the real clock and its music playing, one human
// seat: the CPU the whole process takes while the dice menu waits 2 s for an answer (target:
// under 1 % of a core), the window's thread alone and the audio device's thread; music is 1
// when the game's music played throughout. settled:1 starts the game once the music's
// start-up work is done, settled:0 at once from a fresh data folder. Escape then leaves the game.
#include <SDL.h>
#include <benchmark/benchmark.h>
#include <signal.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "backend/sdl/sdl_backend.h"
#include "data/game_data.h"
#include "media/audio.h"
#include "presentation/main_form.h"
#include "presentation/menu.h"
#include "program/program.h"
#include "screens/top_menu.h"
#include "support/autoplay.h"
#include "support/headless_program.h"
#include "support/process_meter.h"
#include "sys/path.h"
#include "system/media.h"
#include "system/startup.h"
#include "ui/keys.h"
#include "ui/toolkit.h"

namespace {

using testing_support::clockSeconds;

// Processor time of this process's threads whose name starts with `prefix`, from the
// scheduler's nanosecond count.
double threadsSeconds(const std::string& prefix) {
  double total = 0;
  std::error_code ec;
  for (const auto& task : std::filesystem::directory_iterator("/proc/self/task", ec)) {
    std::string name;
    std::getline(std::ifstream(task.path() / "comm"), name);
    double ns = 0;
    if (name.rfind(prefix, 0) == 0 && (std::ifstream(task.path() / "schedstat") >> ns)) total += ns * 1e-9;
  }
  return total;
}

void BM_WholeGame(benchmark::State& state) {
  testing_support::HeadlessProgram program(state.range(0) != 0);
  program.start(1);
  double passes = 0, frames = 0, presented = 0, gameSeconds = 0, ended = 0;
  for (auto _ : state) {
    const int64_t presents = ui::framesPresented();
    const testing_support::PlayedGame g = testing_support::Autoplay(program, {.seed = 1, .map = 1});
    presented += static_cast<double>(ui::framesPresented() - presents);
    passes += g.passes;
    frames += static_cast<double>(g.waits);
    gameSeconds += g.gameSeconds;
    ended += g.goal && g.faults.empty();
  }
  const double n = static_cast<double>(state.iterations());
  state.counters["passes"] = passes / n;
  state.counters["frames"] = frames / n;
  state.counters["presented"] = presented / n;
  state.counters["game_s"] = gameSeconds / n;
  state.counters["ended"] = ended / n;
}
BENCHMARK(BM_WholeGame)->Arg(0)->Arg(1)->Iterations(1)->Repetitions(3)->Unit(benchmark::kMillisecond);

// The SDL backend as it is, except that once the dice menu has waited 2 s it hands the program
// an Escape, and it times those 2 s.
class TimedWaitBackend final : public ui::Backend {
 public:
  explicit TimedWaitBackend(std::unique_ptr<ui::Backend> inner) : inner_(std::move(inner)) {}
  const char* name() const override { return inner_->name(); }
  void setCaption(const std::string& c) override { inner_->setCaption(c); }
  void showWindow(bool s) override { inner_->showWindow(s); }
  gfx::Rect windowRect() const override { return inner_->windowRect(); }
  void moveWindow(int x, int y) override { inner_->moveWindow(x, y); }
  gfx::Rect desktopRect() const override { return inner_->desktopRect(); }
  void minimize() override { inner_->minimize(); }
  bool minimized() const override { return inner_->minimized(); }
  void present(const gfx::Surface& f) override { inner_->present(f); }
  bool poll(ui::Event& e) override { return inner_->poll(e); }
  bool wait(ui::Event& e, int timeoutMs) override {
    if (frmMainExists() && frmMain().PicMenu.visible() && Menu().MenuCommand == "サイコロ") {
      const double now = clockSeconds(CLOCK_MONOTONIC);
      ++waits;
      if (waitStart == 0) {
        presents = ui::framesPresented();
        waitStart = now;
        cpuStart = clockSeconds(CLOCK_PROCESS_CPUTIME_ID);
        threadStart = clockSeconds(CLOCK_THREAD_CPUTIME_ID);
        audioStart = threadsSeconds("SDLAudio");
        music = Media().Sound && Media().Sound->musicPlaying();
      } else if (now - waitStart >= 2.0 && cpuEnd == 0) {
        wall = now - waitStart;
        cpuEnd = clockSeconds(CLOCK_PROCESS_CPUTIME_ID);
        threadEnd = clockSeconds(CLOCK_THREAD_CPUTIME_ID);
        audioEnd = threadsSeconds("SDLAudio");
        music = music && Media().Sound->musicPlaying();
        presents = ui::framesPresented() - presents;
        e = ui::Event{};
        e.type = ui::Event::Type::KeyDown;
        e.key = ui::kVkEscape;
        return true;
      }
      // The menu may sleep on the window without an end: it is woken when its 2 s are over.
      if (cpuEnd == 0) {
        const int left = static_cast<int>(std::ceil((waitStart + 2.0 - now) * 1000));
        if (timeoutMs < 0 || timeoutMs > left) timeoutMs = std::max(left, 0);
      }
    }
    return inner_->wait(e, timeoutMs);
  }
  void setCursor(int p, const ui::CursorImage* c) override { inner_->setCursor(p, c); }
  void captureMouse(bool on) override { inner_->captureMouse(on); }
  void pointerState(int& x, int& y, int& b) const override { inner_->pointerState(x, y, b); }
  void startTextInput(const gfx::Rect& r) override { inner_->startTextInput(r); }
  void stopTextInput() override { inner_->stopTextInput(); }
  std::vector<ui::DisplayMode> displayModes() override { return inner_->displayModes(); }
  ui::DisplayMode storedMode() override { return inner_->storedMode(); }
  ui::DisplayMode currentMode() override { return inner_->currentMode(); }
  bool setDisplayMode(const ui::DisplayMode* m) override { return inner_->setDisplayMode(m); }

  int64_t waits = 0, presents = 0;
  double waitStart = 0, cpuStart = 0, cpuEnd = 0, threadStart = 0, threadEnd = 0, audioStart = 0, audioEnd = 0,
         wall = 0;
  bool music = false;

 private:
  std::unique_ptr<ui::Backend> inner_;
};

// An X server of our own for as long as it lives, when none is named; only the one we started
// is ended.
class OwnXServer {
 public:
  OwnXServer() {
    if (getenv("DISPLAY")) return;
    int fds[2];
    if (pipe(fds) != 0) return;
    pid_ = fork();
    if (pid_ == 0) {
      close(fds[0]);
      const std::string fd = std::to_string(fds[1]);
      execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1024x768x24", "-nolisten", "tcp",
             static_cast<char*>(nullptr));
      _exit(127);
    }
    close(fds[1]);
    char buf[16] = {};
    const ssize_t n = pid_ > 0 ? read(fds[0], buf, sizeof buf - 1) : -1;
    close(fds[0]);
    if (n > 0) {
      setenv("DISPLAY", (":" + std::string(buf, static_cast<size_t>(n) - (buf[n - 1] == '\n'))).c_str(), 1);
      unsetenv("SDL_VIDEODRIVER");
    }
  }
  ~OwnXServer() {
    if (pid_ <= 0) return;
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
    unsetenv("DISPLAY");
  }
  OwnXServer(const OwnXServer&) = delete;
  OwnXServer& operator=(const OwnXServer&) = delete;

 private:
  pid_t pid_ = -1;
};

void BM_HumanDiceMenuCpu(benchmark::State& state) {
  OwnXServer x;
  // Without a sound device the game plays no music; SDL's dummy driver stands in for one here,
  // so the music plays as it would for a player.
  if (!getenv("SDL_AUDIODRIVER") && SDL_InitSubSystem(SDL_INIT_AUDIO) == 0) {
    if (SDL_GetNumAudioDevices(0) <= 0) setenv("SDL_AUDIODRIVER", "dummy", 1);
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
  }
  testing_support::GameFolder folder;
  for (auto _ : state) {
    ResetProgramState();
    auto sdl = ui::openSdlBackend("VorakTalmor");
    if (!sdl) {
      state.SkipWithError("no SDL backend");
      return;
    }
    auto timed = std::make_unique<TimedWaitBackend>(std::move(sdl));
    TimedWaitBackend* t = timed.get();
    ui::init(std::move(timed));
    Startup().EndProgram = [] {};
    Main();
    // Settled: the music's start-up work (the levels of a fresh data folder, rendering) is
    // done, as it is once a player has looked at the title for a few seconds.
    if (state.range(0) != 0 && Media().Sound) Media().Sound->waitMusic();
    Game().PlayerKinds = {1, 0, 0, 0};
    UcBtnClose_Click(GetTagToIndex("開始"));
    if (t->cpuEnd == 0) {
      state.SkipWithError("the dice menu never waited");
      return;
    }
    state.counters["cpu_percent"] = 100.0 * (t->cpuEnd - t->cpuStart) / t->wall;
    state.counters["main_thread_percent"] = 100.0 * (t->threadEnd - t->threadStart) / t->wall;
    state.counters["audio_thread_percent"] = 100.0 * (t->audioEnd - t->audioStart) / t->wall;
    state.counters["music"] = t->music;
    state.counters["pumps"] = static_cast<double>(t->waits);
    state.counters["presents"] = static_cast<double>(t->presents);
    state.counters["left"] = frmMain().PicStatusUp.Tag == "ゲーム";
    ResetProgramState();
    ui::shutdown();
  }
  Startup().EndProgram = nullptr;
  sys::setAppFolderForTests("");
}
BENCHMARK(BM_HumanDiceMenuCpu)->ArgName("settled")->Arg(1)->Arg(0)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
