// Speed of the text renderer and pacing of the pixel-step scroller.
#include <benchmark/benchmark.h>

#include "gfx/surface.h"
#include "presentation/controls/UCFont.h"

namespace {

// One message line: 30 Japanese characters at size 15 with a one-pixel shadow (target < 0.4 ms).
void BM_FontWriteMessageLine(benchmark::State& state) {
  UCFont f;
  f.SetFontName("MS UI Gothic");
  f.SetFontSize(15);
  f.SetFontStroke(0);
  f.SetDefaultColor(0xFFFFFF, 0xB4B4B4);
  gfx::Surface target(768, 32, 0x203050);
  const char* line = "{K&1}勇者の番:スライムがあらわれた！勇者は十ゴールドを手に入れた";
  for (auto _ : state) {
    f.FontWrite(target, line, 4, 3);
    benchmark::DoNotOptimize(target.pixels().data());
  }
}
BENCHMARK(BM_FontWriteMessageLine)->Unit(benchmark::kMicrosecond);

}  // namespace
