// The status panels' art (PicPlayer: one 192 x 176 slice per seat), their bar strips (PicBar)
// and the event window's wooden frame (PicStage). Everything the game writes over them is light
// text, so the panels stay dark.
#include <array>
#include <cmath>

#include "draw.h"
#include "picgen.h"
#include "text.h"

namespace picgen {
namespace {

const Color kInk = gfx::rgb(10, 10, 16);

// --- PicBar -------------------------------------------------------------------------------------------

const Color kBarBorder = gfx::rgb(214, 218, 232);
const Color kTrough = gfx::rgb(18, 18, 26);

// A strip of h rows at y: the border's top and bottom rows and left column, the inside a
// vertical gradient, uniform along x so any width cut from its left looks right.
void strip(Surface& s, int y, int h, int width, Color top, Color bottom, bool rightBorder) {
  Rect in{1, y + 1, width - (rightBorder ? 1 : 0), y + h - 1};
  bandGradient(s, in, top, bottom, std::max(2, h - 2));
  if (h >= 12) hline(s, 1, width - 1, y + 2, shade(top, 90));  // a glint along the top
  hline(s, 0, width - 1, y, kBarBorder);
  hline(s, 0, width - 1, y + h - 1, kBarBorder);
  vline(s, 0, y, y + h - 1, kBarBorder);
  if (rightBorder) vline(s, width - 1, y, y + h - 1, kBarBorder);
}

const Register bars("PicBar.png", 153, 96, [](Surface& s, const Context&) {
  fill(s, s.bounds(), kBarBorder);
  strip(s, 0, 16, 153, kTrough, gfx::rgb(40, 40, 52), true);                     // long frame
  strip(s, 16, 16, 153, gfx::rgb(120, 22, 28), gfx::rgb(70, 10, 16), false);     // maximum life
  strip(s, 32, 16, 153, gfx::rgb(140, 250, 90), gfx::rgb(20, 150, 40), false);   // life
  strip(s, 48, 16, 153, gfx::rgb(110, 220, 255), gfx::rgb(20, 90, 200), false);  // experience
  strip(s, 64, 8, 48, kTrough, gfx::rgb(40, 40, 52), true);                      // short frame
  strip(s, 72, 8, 153, gfx::rgb(255, 170, 70), gfx::rgb(210, 70, 20), false);    // strength
  strip(s, 80, 8, 153, gfx::rgb(255, 240, 110), gfx::rgb(150, 200, 30), false);  // luck
  fill(s, Rect{48, 64, 153, 72}, kBarBorder);
});

// --- PicPlayer -----------------------------------------------------------------------------------------

struct Seat {
  Color top, bottom, accent;
};
const std::array<Seat, 5> kSeats = {{
    {gfx::rgb(36, 48, 128), gfx::rgb(14, 18, 60), gfx::rgb(110, 140, 255)},  // blue
    {gfx::rgb(120, 40, 56), gfx::rgb(56, 16, 26), gfx::rgb(255, 130, 140)},  // pink
    {gfx::rgb(30, 100, 44), gfx::rgb(12, 46, 20), gfx::rgb(120, 240, 120)},  // green
    {gfx::rgb(112, 96, 24), gfx::rgb(52, 42, 10), gfx::rgb(250, 236, 110)},  // yellow
    {gfx::rgb(70, 70, 76), gfx::rgb(34, 34, 38), gfx::rgb(170, 170, 176)},   // spare
}};

void sunken(Surface& s, Rect r, Color base) {
  fill(s, r, shade(base, -150));
  bevel(s, r, shade(base, -200), shade(base, 90), 2);
}

void coin(Surface& s, int cx, int cy) {
  disc2(s, cx * 2, cy * 2, 14, gfx::rgb(150, 96, 10));
  disc2(s, cx * 2 - 1, cy * 2 - 1, 12, gfx::rgb(250, 204, 50));
  disc2(s, cx * 2 - 1, cy * 2 - 1, 7, gfx::rgb(220, 160, 30));
  fill(s, Rect{cx - 1, cy - 3, cx, cy + 3}, gfx::rgb(255, 244, 170));
}

void herb(Surface& s, int cx, int cy) {
  // Two leaves on a stem, each with its midrib.
  const Color leaf = gfx::rgb(96, 214, 84), dark = gfx::rgb(26, 104, 36), light = gfx::rgb(180, 250, 150);
  polygon(s, {{cx - 1, cy + 1}, {cx - 8, cy - 3}, {cx - 7, cy - 7}, {cx - 2, cy - 4}}, leaf);
  polygon(s, {{cx + 1, cy - 1}, {cx + 3, cy - 8}, {cx + 8, cy - 9}, {cx + 6, cy - 3}}, leaf);
  line(s, cx - 1, cy, cx - 7, cy - 5, dark);
  line(s, cx + 1, cy - 2, cx + 7, cy - 8, dark);
  s.setPixel(cx - 6, cy - 6, light);
  s.setPixel(cx + 4, cy - 8, light);
  line(s, cx, cy + 7, cx, cy - 1, dark);
  line(s, cx + 1, cy + 7, cx + 1, cy, leaf);
}

TextStyle labelStyle(int px, Color c) {
  TextStyle st;
  st.face = Face::Heavy;
  st.px = px;
  st.top = gfx::kWhite;
  st.bottom = c;
  st.outline = 1;
  st.outlineColor = kInk;
  return st;
}

void slice(Surface& s, int i) {
  const Seat& seat = kSeats[static_cast<size_t>(i)];
  int x0 = 192 * i;
  Surface p(192, 176);
  bandGradient(p, p.bounds(), seat.top, seat.bottom, 11);
  // A faint diagonal weave so the panel is not flat.
  for (int y = 0; y < 176; ++y)
    for (int x = 0; x < 192; ++x)
      if ((x + y) % 6 == 0) p.setPixel(x, y, shade(p.pixel(x, y), 12));
  bevel(p, p.bounds(), shade(seat.top, 110), shade(seat.bottom, -120), 2);
  // The name band, under the name and the level.
  hline(p, 2, 189, 30, shade(seat.accent, -40));
  // The mini view's frame around (5, 5, 25 x 25).
  sunken(p, Rect{3, 3, 32, 32}, seat.top);
  // Close to the level number (right-aligned at 176, "99" from 146), clear of a four-kana name.
  pixelText(p, 132, 12, "LV", seat.accent, 2);
  // Bar labels at their rows.
  drawTextLeft(p, 3, 32, 48, "体力", labelStyle(13, seat.accent));
  drawTextLeft(p, 3, 51, 67, "経験", labelStyle(13, seat.accent));
  pixelText(p, 14, 70, "STR", gfx::rgb(255, 190, 110));
  pixelText(p, 14, 78, "LUK", gfx::rgb(255, 240, 130));
  // GP, herbs and the score sit right-aligned against x 80.
  // GP and herbs may run left over their icons' column, so they get rules rather than boxes.
  hline(p, 4, 82, 108, shade(seat.accent, -90));
  hline(p, 4, 82, 131, shade(seat.accent, -90));
  // Five score digits at size 14 reach back to x 1, so the score's recess spans the whole column.
  sunken(p, Rect{2, 150, 84, 169}, seat.top);
  coin(p, 12, 95);
  pixelText(p, 3, 102, "GP", gfx::rgb(255, 230, 120));
  herb(p, 13, 119);
  drawTextLeft(p, 4, 134, 149, "SCORE", [&] {
    TextStyle st = labelStyle(12, seat.accent);
    st.face = Face::Bold;
    return st;
  }());
  // The recess of the menu, die and rank slot (88, 71, 100 x 100).
  sunken(p, Rect{86, 69, 190, 173}, seat.top);
  stamp(s, x0, 0, p, gfx::kInvalidColor);
}

const Register panels("PicPlayer.png", 960, 176, [](Surface& s, const Context&) {
  for (int i = 0; i < 5; ++i) slice(s, i);
});

// --- PicStage -------------------------------------------------------------------------------------------

// Wood with its grain running along x (or along y when `vertical`), in planks `plank` wide.
void wood(Surface& s, Rect r, Color base, bool vertical, int plank) {
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) {
      int u = vertical ? y : x, v = vertical ? x : y;  // u along the grain, v across it
      int across = v - (vertical ? r.left : r.top);
      int board = across / plank, inBoard = across % plank;
      double wave = 2.2 * std::sin(u / 11.0 + board * 1.7) + 1.3 * std::sin(u / 4.3 + board);
      int g = (inBoard * 4 + static_cast<int>(std::floor(wave)) + 40) % 7;
      Color c = shade(base, (board % 2) ? -12 : 6);
      if (g == 0) c = shade(c, -46);
      else if (g == 3) c = shade(c, 22);
      if (inBoard == 0) c = shade(base, -110);  // the joint between two planks
      s.setPixel(x, y, c);
    }
}

const Register stage("PicStage.png", 220, 240, [](Surface& s, const Context&) {
  const Color base = gfx::rgb(150, 96, 50), woodDark = gfx::rgb(84, 50, 24), woodLight = gfx::rgb(196, 140, 80);
  wood(s, Rect{0, 0, 220, 30}, base, false, 10);
  wood(s, Rect{0, 230, 220, 240}, base, false, 10);
  wood(s, Rect{0, 30, 10, 230}, base, true, 10);
  wood(s, Rect{210, 30, 220, 230}, base, true, 10);
  // The title band is darker wood, so light titles read on it.
  Rect band{4, 3, 216, 27};
  wood(s, band, gfx::rgb(62, 36, 18), false, 24);
  bevel(s, band, gfx::rgb(30, 16, 8), gfx::rgb(176, 122, 70), 1);
  bevel(s, s.bounds(), woodLight, gfx::rgb(50, 28, 12), 2);
  // The picture's opening with a dark lip; the window inside covers it.
  fill(s, Rect{10, 30, 210, 230}, gfx::rgb(20, 14, 10));
  frame(s, Rect{8, 28, 212, 232}, woodDark, 2);
  hline(s, 8, 211, 232, woodLight);
  // Brass nails in the corners.
  for (auto [x, y] : {std::pair{5, 30}, {214, 30}, {5, 234}, {214, 234}}) {
    disc2(s, x * 2 + 1, y * 2 + 1, 5, gfx::rgb(120, 90, 30));
    s.setPixel(x, y, gfx::rgb(250, 220, 120));
  }
});

}  // namespace
}  // namespace picgen
