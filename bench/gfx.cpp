// Drawing core: the sprite blit at the event window's magnification, the gradient of the text
// renderer, and the plain copies the window composes its frames from.
#include <benchmark/benchmark.h>

#include "gfx/blit.h"
#include "system/bitmap.h"

namespace {

gfx::Surface patterned(int w, int h) {
  gfx::Surface s(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) s.setPixel(x, y, (x * 7 + y * 13) % 5 == 0 ? gfx::kMagenta : gfx::rgb(x, y, x ^ y));
  return s;
}

// A 32 x 32 cell of a sheet, about a fifth of it key-coloured, stretched to 200 x 200.
void BM_TransBltStretch32To200(benchmark::State& state) {
  const gfx::Surface sheet = patterned(672, 928);
  const gfx::Surface back = patterned(220, 240);
  gfx::Surface dest(200, 200);
  for (auto _ : state) {
    TransBlt(dest, back, sheet, 64, 96, 96, 128, 0, 0, static_cast<int32_t>(gfx::kMagenta), 200, 200);
    benchmark::DoNotOptimize(dest.row(0));
  }
}
BENCHMARK(BM_TransBltStretch32To200)->Unit(benchmark::kMicrosecond);

// A sprite at its own size, as the board and the pieces are drawn.
void BM_TransBlt32(benchmark::State& state) {
  const gfx::Surface sheet = patterned(672, 928);
  gfx::Surface board = patterned(768, 320);
  int32_t key = -1;
  for (auto _ : state) {
    TransBlt(board, board, sheet, 64, 96, 96, 128, 100, 100, key);
    benchmark::DoNotOptimize(board.row(100));
  }
}
BENCHMARK(BM_TransBlt32)->Unit(benchmark::kMicrosecond);

void BM_GradientFill200(benchmark::State& state) {
  const auto dir = state.range(0) ? gfx::GradientDir::Vertical : gfx::GradientDir::Horizontal;
  gfx::Surface s(200, 200);
  for (auto _ : state) {
    gfx::gradientFill(s, {0, 0, 200, 200}, gfx::rgb(255, 255, 0), gfx::rgb(0, 64, 255), dir);
    benchmark::DoNotOptimize(s.row(0));
  }
}
BENCHMARK(BM_GradientFill200)->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

void BM_SrcCopy800x600(benchmark::State& state) {
  const gfx::Surface src = patterned(800, 600);
  gfx::Surface dst(800, 600);
  for (auto _ : state) {
    gfx::bitBlt(dst, 0, 0, 800, 600, src, 0, 0);
    benchmark::DoNotOptimize(dst.row(0));
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * 800 * 600 * 4);
}
BENCHMARK(BM_SrcCopy800x600)->Unit(benchmark::kMicrosecond);

// A window frame: the background and 30 controls of assorted sizes, each a plain copy, some
// of them clipped by the window's edge.
void BM_ComposeFrame30Controls(benchmark::State& state) {
  const gfx::Surface background = patterned(800, 600);
  const gfx::Surface board = patterned(768, 320);
  const gfx::Surface panel = patterned(200, 140);
  const gfx::Surface button = patterned(96, 24);
  gfx::Surface frame(800, 600);
  for (auto _ : state) {
    gfx::bitBlt(frame, 0, 0, 800, 600, background, 0, 0);
    gfx::bitBlt(frame, 16, 16, 768, 320, board, 0, 0);
    for (int i = 0; i < 4; ++i) gfx::bitBlt(frame, 16 + 200 * i, 345, 200, 140, panel, 0, 0);
    for (int i = 0; i < 24; ++i) gfx::bitBlt(frame, (i % 9) * 96 - 20, 490 + (i / 9) * 40, 96, 24, button, 0, 0);
    benchmark::DoNotOptimize(frame.row(0));
  }
}
BENCHMARK(BM_ComposeFrame30Controls)->Unit(benchmark::kMicrosecond);

// The mini view: 22 x 22 of the board stretched to 25 x 25.
void BM_StretchBltMiniView(benchmark::State& state) {
  const gfx::Surface board = patterned(768, 320);
  gfx::Surface mini(25, 25);
  for (auto _ : state) {
    gfx::stretchBlt(mini, 0, 0, 25, 25, board, 103, 67, 22, 22);
    benchmark::DoNotOptimize(mini.row(0));
  }
}
BENCHMARK(BM_StretchBltMiniView)->Unit(benchmark::kMicrosecond);

// The monster's fade: a 32 x 32 portrait with its flood mask, blended over the battle window.
void BM_AlphaKeyBltFlood32(benchmark::State& state) {
  const gfx::Surface sheet = patterned(672, 928);
  gfx::Surface win = patterned(200, 200);
  for (auto _ : state) {
    int32_t key = 0;
    AlphaKeyBlt(win, 84, 84, 32, 32, sheet, 0, 0, 128, key, false);
    benchmark::DoNotOptimize(win.row(84));
  }
}
BENCHMARK(BM_AlphaKeyBltFlood32)->Unit(benchmark::kMicrosecond);

}  // namespace

namespace {

// Clearing a whole window-sized picture, as a picture box's Cls does.
void BM_FillRect800x600(benchmark::State& state) {
  gfx::Surface s(800, 600);
  for (auto _ : state) {
    gfx::fillRect(s, s.bounds(), gfx::rgb(180, 180, 180));
    benchmark::DoNotOptimize(s.row(0));
  }
}
BENCHMARK(BM_FillRect800x600)->Unit(benchmark::kMicrosecond);

}  // namespace
