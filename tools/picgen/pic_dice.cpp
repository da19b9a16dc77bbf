// PicDiceM: the die faces 6, 5, 4, 3, 2, 1 and a blank one, stacked as a reel. Every face has
// the same frame, so the strip tiles seamlessly while it scrolls.
#include "draw.h"
#include "picgen.h"

namespace picgen {
namespace {

const Color kIvory = gfx::rgb(250, 246, 236);
const Color kIvoryShade = gfx::rgb(226, 218, 200);
const Color kSeam = gfx::rgb(70, 62, 58);
const Color kPip = gfx::rgb(28, 24, 40);
const Color kPipRed = gfx::rgb(214, 24, 36);

void pip(Surface& s, int cx, int cy, int r, Color c) {
  // Centre in half pixels; a highlight up-left and a rim down-right give the pip its hollow.
  disc2(s, cx * 2 + 1, cy * 2 + 3, r * 2, kIvoryShade);
  disc2(s, cx * 2, cy * 2, r * 2, c);
  disc2(s, cx * 2 - r / 2 * 2, cy * 2 - r / 2 * 2, r / 2, shade(c, 110));
}

void face(Surface& s, int top, int value) {
  Rect r = Rect::xywh(0, top, 100, 100);
  fill(s, r, kIvory);
  // The seam between faces, then a soft shade band under it and at the sides.
  hline(s, 0, 99, top, kSeam);
  hline(s, 0, 99, top + 99, kSeam);
  hline(s, 0, 99, top + 1, kIvoryShade);
  hline(s, 0, 99, top + 98, kIvoryShade);
  for (int i = 0; i < 3; ++i) {
    vline(s, i, top + 1, top + 98, mix(kSeam, kIvoryShade, 90 + 80 * i));
    vline(s, 99 - i, top + 1, top + 98, mix(kSeam, kIvoryShade, 90 + 80 * i));
  }
  const int L = 27, M = 50, R = 73;
  const int pr = 9;
  auto at = [&](int x, int y) { pip(s, x, top + y, pr, kPip); };
  switch (value) {
    case 1: pip(s, M, top + M, 17, kPipRed); break;
    case 2: at(R, L), at(L, R); break;
    case 3: at(R, L), at(M, M), at(L, R); break;
    case 4: at(L, L), at(R, L), at(L, R), at(R, R); break;
    case 5: at(L, L), at(R, L), at(M, M), at(L, R), at(R, R); break;
    case 6: at(L, L), at(R, L), at(L, M), at(R, M), at(L, R), at(R, R); break;
    default: break;  // the blank face: its value is drawn fresh when it stops
  }
}

const Register reg("PicDiceM.png", 100, 700, [](Surface& s, const Context&) {
  for (int i = 0; i < 7; ++i) face(s, i * 100, i < 6 ? 6 - i : 0);
});

}  // namespace
}  // namespace picgen
