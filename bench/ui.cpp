// Speed of the toolkit: composing and presenting the window, an empty pump, and the CPU a
// modal message box costs while it waits for a human.
#include <SDL.h>
#include <benchmark/benchmark.h>
#include <time.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

#include "backend/headless/headless_backend.h"
#include "backend/sdl/sdl_backend.h"
#include "gfx/blit.h"
#include "support/process_meter.h"
#include "sys/clock.h"
#include "ui/keys.h"
#include "ui/label.h"
#include "ui/message_box.h"
#include "ui/picture_box.h"
#include "ui/toolkit.h"
#include "ui/window.h"

namespace {

using testing_support::clockSeconds;

// The main window's shape: a top strip, the play area with the board, the message window,
// four status panels each with a menu of four buttons and a mini view, labels: 30 controls.
struct Scene {
  ui::Window main{"frmMain", true};
  std::vector<ui::Control*> all;

  Scene() {
    main.show();
    auto pic = [&](const char* name, ui::Control* in, int x, int y, int w, int h, gfx::Color c) -> ui::PictureBox& {
      auto& p = main.add<ui::PictureBox>(name, in);
      p.move(x, y, w, h);
      p.setBackColor(c);
      gfx::fillRect(p.surface(), {2, 2, w / 2, h / 2}, c ^ 0x808080);
      all.push_back(&p);
      return p;
    };
    auto& strip = pic("PicStatusUp", nullptr, 0, 0, 800, 24, 0x202020);
    auto& bgv = pic("PicBgv", nullptr, 0, 24, 800, 576, 0x402010);
    pic("PicMap", &bgv, 16, 16, 768, 320, 0x104020);
    pic("UcSc", &bgv, 16, 344, 768, 32, 0x000000);
    for (int i = 0; i < 4; ++i) {
      auto& panel = pic("PicPlayer", &bgv, 16 + 192 * i, 384, 192, 176, 0x303060);
      auto& menu = pic("PicMenu", &panel, 88, 71, 100, 100, 0);
      for (int b = 0; b < 4; ++b) pic("UcBtnMenu", &menu, 0, 25 * b, 100, 25, 0x606060 + 0x10 * b);
      pic("PicMiniMap", &panel, 5, 5, 25, 25, 0x00FF00);
    }
    auto& souba = main.add<ui::Label>("PicSouba", &strip);
    souba.move(248, 3, 240, 17);
    souba.setCaption("ターン 12");
    all.push_back(&souba);
  }
};

void BM_ComposeAndPresent30Controls(benchmark::State& state) {
  sys::ScopedVirtualClock clk;
  ui::init(std::make_unique<ui::HeadlessBackend>());
  {
    Scene s;
    state.counters["controls"] = static_cast<double>(s.all.size());
    for (auto _ : state) {
      ui::invalidate();
      ui::Present(true);
      benchmark::DoNotOptimize(ui::frame().pixels().data());
    }
  }
  ui::shutdown();
}
BENCHMARK(BM_ComposeAndPresent30Controls)->Unit(benchmark::kMicrosecond);

void emptyPump(benchmark::State& state, std::unique_ptr<ui::Backend> backend) {
  if (!backend) {
    state.SkipWithError("no backend");
    return;
  }
  ui::init(std::move(backend));
  {
    Scene s;
    ui::Present(true);
    for (auto _ : state) ui::DoEvents();
  }
  ui::shutdown();
}

void BM_EmptyPumpHeadless(benchmark::State& state) { emptyPump(state, std::make_unique<ui::HeadlessBackend>()); }
BENCHMARK(BM_EmptyPumpHeadless)->Unit(benchmark::kMicrosecond);

void BM_EmptyPumpSdlDummy(benchmark::State& state) {
  setenv("SDL_VIDEODRIVER", "dummy", 0);
  emptyPump(state, ui::openSdlBackend("VorakTalmor"));
}
BENCHMARK(BM_EmptyPumpSdlDummy)->Unit(benchmark::kMicrosecond);

// A modal message box that waits 2 s for its answer (Return, sent from another thread as a
// person would type it), as every wait for a human does: the processor time it costs while
// nobody touches anything. Target: under 1 % of a core. On SDL the window is the real one
// when there is a display (bench/window_start.sh runs it under Xvfb), else SDL's dummy.
void modalWait(benchmark::State& state, std::unique_ptr<ui::Backend> backend, std::function<void()> answer) {
  if (!backend) {
    state.SkipWithError("no backend");
    return;
  }
  ui::init(std::move(backend));
  {
    Scene s;
    ui::Present(true);
    for (auto _ : state) {
      double wall0 = clockSeconds(CLOCK_MONOTONIC), cpu0 = clockSeconds(CLOCK_PROCESS_CPUTIME_ID);
      std::thread human([&] {
        std::this_thread::sleep_for(std::chrono::seconds(2));
        answer();
      });
      int result = ui::MsgBox("待っています", ui::kMbOkOnly, "確認");
      human.join();
      double wall = clockSeconds(CLOCK_MONOTONIC) - wall0, cpu = clockSeconds(CLOCK_PROCESS_CPUTIME_ID) - cpu0;
      if (result != ui::kMbOk) state.SkipWithError("the box was not answered with OK");
      state.counters["cpu_percent"] = 100.0 * cpu / wall;
    }
  }
  ui::shutdown();
}

void BM_ModalMessageBoxWaitHeadless(benchmark::State& state) {
  auto b = std::make_unique<ui::HeadlessBackend>();
  ui::HeadlessBackend* hb = b.get();
  std::atomic<bool> answered{false};
  // The headless window has no queue other threads may fill: the answer lands at its next look.
  hb->onIdle = [&] {
    if (answered.exchange(false)) hb->key(ui::kVkReturn);
  };
  modalWait(state, std::move(b), [&] { answered = true; });
}
BENCHMARK(BM_ModalMessageBoxWaitHeadless)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_ModalMessageBoxWaitSdl(benchmark::State& state) {
  if (!std::getenv("DISPLAY")) setenv("SDL_VIDEODRIVER", "dummy", 0);
  modalWait(state, ui::openSdlBackend("VorakTalmor"), [] {
    SDL_Event e{};
    e.type = SDL_KEYDOWN;
    e.key.keysym.sym = SDLK_RETURN;
    e.key.keysym.scancode = SDL_SCANCODE_RETURN;
    SDL_PushEvent(&e);
    e.type = SDL_KEYUP;
    SDL_PushEvent(&e);
  });
}
BENCHMARK(BM_ModalMessageBoxWaitSdl)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
