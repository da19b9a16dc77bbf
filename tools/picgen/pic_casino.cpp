// PicCasino0, 1 and 3: the backgrounds of the slot machine, the shooting gallery and the time
// attack, each copied whole into the 200 x 200 event window.
#include <cmath>
#include <cstdlib>

#include "draw.h"
#include "picgen.h"

namespace picgen {
namespace {

const Color kInk = gfx::rgb(0x18, 0x14, 0x24);
const Color kGold = gfx::rgb(0xF0, 0xC0, 0x40);
const Color kGoldDark = gfx::rgb(0xA0, 0x70, 0x18);
const Color kGoldLight = gfx::rgb(0xFF, 0xF0, 0xA0);

void bulbs(Surface& s, int y, int from, int to, int step) {
  for (int x = from, i = 0; x <= to; x += step, ++i) {
    disc2(s, x * 2 + 1, y * 2 + 1, 5, kInk);
    disc2(s, x * 2 + 1, y * 2 + 1, 3, i % 2 ? gfx::rgb(0xFF, 0xFF, 0xE0) : gfx::rgb(0xFF, 0xB0, 0x30));
  }
}

// The reel windows are at x 5, 69, 133 and y 30, 73, 116 (60 x 38 each); the reels cover them,
// so only their frames show. The counter at 130, 160 (70 x 40) is an unlit LCD.
void slotFace(Surface& s) {
  bandGradient(s, s.bounds(), gfx::rgb(0xB0, 0x18, 0x28), gfx::rgb(0x60, 0x08, 0x18), 10);
  // Marquee with chasing lights.
  fill(s, Rect::xywh(0, 0, 200, 26), gfx::rgb(0x40, 0x08, 0x30));
  bevel(s, Rect::xywh(0, 0, 200, 26), kGoldLight, kGoldDark, 2);
  bulbs(s, 7, 8, 192, 10);
  bulbs(s, 18, 13, 187, 10);
  // The glass over the reels, recessed, with gold pay-line marks at the ends of each row.
  fill(s, Rect::xywh(1, 26, 196, 132), kInk);
  bevel(s, Rect::xywh(1, 26, 196, 132), kGoldDark, kGoldLight, 2, true);
  for (int row = 0; row < 3; ++row)
    for (int col = 0; col < 3; ++col) {
      Rect w = Rect::xywh(5 + 64 * col, 30 + 43 * row, 60, 38);
      fill(s, w, gfx::rgb(0xFA, 0xF6, 0xEA));
    }
  for (int row = 0; row < 3; ++row) {
    int y = 30 + 43 * row + 17;
    fill(s, Rect::xywh(193, y, 4, 4), kGold);
    fill(s, Rect::xywh(1, y, 4, 4), kGold);
  }
  // Lower panel: coin tray on the left, the counter on the right.
  fill(s, Rect::xywh(0, 158, 200, 42), gfx::rgb(0x50, 0x08, 0x18));
  hline(s, 0, 199, 158, kGoldLight);
  roundRect(s, Rect::xywh(8, 170, 110, 24), 6, kInk);
  roundRect(s, Rect::xywh(10, 172, 106, 20), 5, gfx::rgb(0x70, 0x74, 0x80));
  fill(s, Rect::xywh(14, 180, 98, 10), gfx::rgb(0x38, 0x3C, 0x48));
  for (int i = 0; i < 6; ++i) {
    int cx = 22 + i * 15 + (i % 2) * 3;
    ellipse(s, Rect::xywh(cx - 6, 180 + (i % 2), 13, 8), kGoldDark);
    ellipse(s, Rect::xywh(cx - 6, 179 + (i % 2), 13, 7), kGold);
    hline(s, cx - 2, cx + 1, 181 + (i % 2), kGoldLight);
  }
  Rect lcd = Rect::xywh(130, 160, 70, 40);
  fill(s, lcd, kInk);
  fill(s, Rect::xywh(132, 162, 66, 36), gfx::rgb(0x10, 0x1C, 0x18));
  bevel(s, Rect::xywh(131, 161, 68, 38), gfx::rgb(0x30, 0x40, 0x38), gfx::rgb(0x06, 0x0A, 0x08), 1, true);
}

// The targets stand at (50 i, 4), 50 x 100 each; the arrow runs along the counter at y 152-184.
void galleryBooth(Surface& s) {
  // A striped curtain behind the targets, in blues so the red and white boards stand out.
  for (int x = 0; x < 200; ++x) {
    bool dark = (x / 20) % 2 == 0;
    Color c = dark ? gfx::rgb(0x24, 0x38, 0x6C) : gfx::rgb(0x34, 0x52, 0x8E);
    Color edge = dark ? gfx::rgb(0x16, 0x24, 0x4C) : gfx::rgb(0x28, 0x40, 0x74);
    vline(s, x, 0, 109, x % 20 == 19 ? edge : c);
  }
  for (int x = 0; x < 200; ++x) {
    int sag = 3 - std::abs((x % 20) - 10) / 3;
    vline(s, x, 0, 5 + sag, gfx::rgb(0xA8, 0x20, 0x28));
  }
  hline(s, 0, 199, 6, kGold);
  // The rail the targets' posts stand on, and a dim back room.
  fill(s, Rect::xywh(0, 104, 200, 6), gfx::rgb(0x5A, 0x36, 0x18));
  hline(s, 0, 199, 104, gfx::rgb(0xA0, 0x70, 0x38));
  bandGradient(s, Rect::xywh(0, 110, 200, 38), gfx::rgb(0x38, 0x24, 0x30), gfx::rgb(0x20, 0x14, 0x20), 4);
  // The counter.
  fill(s, Rect::xywh(0, 148, 200, 52), gfx::rgb(0x8C, 0x58, 0x28));
  hline(s, 0, 199, 148, gfx::rgb(0xE0, 0xB0, 0x70));
  hline(s, 0, 199, 149, gfx::rgb(0xC0, 0x88, 0x48));
  hline(s, 0, 199, 187, gfx::rgb(0x5A, 0x36, 0x18));
  for (int y = 160; y < 187; y += 9) hline(s, 0, 199, y, gfx::rgb(0x7A, 0x4A, 0x20));
  for (int x = 24; x < 200; x += 50) vline(s, x, 188, 199, gfx::rgb(0x5A, 0x36, 0x18));
  fill(s, Rect::xywh(0, 188, 200, 12), gfx::rgb(0x6A, 0x40, 0x1C));
  for (int x = 24; x < 200; x += 50) vline(s, x, 188, 199, gfx::rgb(0x4A, 0x2C, 0x10));
}

void stopwatch(Surface& s, int cx, int cy, int r) {
  fill(s, Rect::xywh(cx - 3, cy - r - 6, 7, 5), kGoldDark);
  disc2(s, cx * 2 + 1, cy * 2 + 1, r * 2 + 2, kInk);
  disc2(s, cx * 2 + 1, cy * 2 + 1, r * 2, kGold);
  disc2(s, cx * 2 + 1, cy * 2 + 1, r * 2 - 4, gfx::rgb(0xF4, 0xF0, 0xE0));
  for (int i = 0; i < 12; ++i) {
    double a = i * 3.14159265 / 6;
    s.setPixel(cx + static_cast<int>(std::lround((r - 4) * std::sin(a))),
               cy - static_cast<int>(std::lround((r - 4) * std::cos(a))), kInk);
  }
  line(s, cx, cy, cx, cy - r + 5, kInk);
  line(s, cx, cy, cx + r / 2, cy + r / 3, gfx::rgb(0xD0, 0x20, 0x20));
}

// Three bands for "目標タイム", the target seconds and the running clock, dark and plain so the
// white lettering reads.
void timeAttack(Surface& s) {
  bandGradient(s, s.bounds(), gfx::rgb(0x18, 0x20, 0x48), gfx::rgb(0x08, 0x0C, 0x20), 8);
  for (int top : {8, 58, 118}) {
    Rect band = Rect::xywh(6, top, 188, 44);
    fill(s, band, gfx::rgb(0x0A, 0x0E, 0x1C));
    frame(s, band, gfx::rgb(0x40, 0x58, 0x98));
  }
  for (int x = 10; x < 194; x += 8) s.setPixel(x, 110, gfx::rgb(0x40, 0x58, 0x98));
  stopwatch(s, 100, 182, 12);
  stopwatch(s, 30, 182, 9);
  stopwatch(s, 170, 182, 9);
}

const Register casino0("PicCasino0.png", 200, 200, [](Surface& s, const Context&) { slotFace(s); });
const Register casino1("PicCasino1.png", 200, 200, [](Surface& s, const Context&) { galleryBooth(s); });
const Register casino3("PicCasino3.png", 200, 200, [](Surface& s, const Context&) { timeAttack(s); });

}  // namespace
}  // namespace picgen
