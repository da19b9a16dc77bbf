// PicMato: the shooting gallery's four targets, each a board on a post with its prize painted
// on and named on a plank. A hit counts within x 8-40 of a slice near its y 61, which the
// board covers.
#include <string>

#include "draw.h"
#include "picgen.h"
#include "seat_colours.h"
#include "text.h"

namespace picgen {
namespace {

const Color kInk = gfx::rgb(0x18, 0x14, 0x24);
const Color kBoardWhite = gfx::rgb(0xF4, 0xF0, 0xE4);
const Color kBoardRed = gfx::rgb(0xD8, 0x30, 0x38);
const Color kWood = gfx::rgb(0xA8, 0x70, 0x38);
const Color kWoodDark = gfx::rgb(0x6A, 0x42, 0x20);
const Color kWoodLight = gfx::rgb(0xD0, 0x98, 0x58);

// A shield-shaped board over y 8-72 of the slice, its rings round the prize and the prize's
// name along the bottom, where the arrow's tip lands; a post holds it up.
void board(Surface& s, int x0, bool plain) {
  fill(s, Rect::xywh(x0 + 21, 70, 8, 30), kInk);
  fill(s, Rect::xywh(x0 + 22, 70, 6, 30), kWood);
  vline(s, x0 + 22, 70, 99, kWoodLight);
  vline(s, x0 + 27, 70, 99, kWoodDark);
  roundRect(s, Rect::xywh(x0 + 1, 8, 48, 65), 10, kInk);
  roundRect(s, Rect::xywh(x0 + 2, 9, 46, 63), 9, kBoardRed);
  roundRect(s, Rect::xywh(x0 + 4, 11, 42, 59), 7, kBoardWhite);
  // Rings centred on pixel (25, 31), in half pixels.
  const int cx2 = x0 * 2 + 51, cy2 = 63;
  disc2(s, cx2, cy2, 36, kBoardRed);
  disc2(s, cx2, cy2, 30, kBoardWhite);
  disc2(s, cx2, cy2, 22, kBoardRed);
  disc2(s, cx2, cy2, 16, kBoardWhite);
  if (plain) disc2(s, cx2, cy2, 8, kBoardRed);
}

void plank(Surface& s, int x0, const std::string& label) {
  fill(s, Rect::xywh(x0 + 4, 52, 42, 17), kInk);
  fill(s, Rect::xywh(x0 + 5, 53, 40, 15), kWood);
  hline(s, x0 + 5, x0 + 44, 53, kWoodLight);
  hline(s, x0 + 5, x0 + 44, 67, kWoodDark);
  TextStyle st;
  st.face = Face::Bold;
  st.px = 12;
  st.top = gfx::kWhite;
  st.bottom = gfx::rgb(0xFF, 0xE8, 0xA0);
  st.outline = 1;
  st.outlineColor = kWoodDark;
  st.maxWidth = 38;
  drawTextCentered(s, Rect::xywh(x0 + 5, 53, 40, 15), label, st);
}

void centred(Surface& s, int x0, const Surface& art) {
  stamp(s, x0 + 25 - art.width() / 2, 31 - art.height() / 2, art);
}

const Register mato("PicMato.png", 200, 100, [](Surface& s, const Context& ctx) {
  const char* labels[4] = {"薬草", "お金", "はずれ", "パワー"};
  for (int k = 0; k < 4; ++k) {
    int x0 = k * 50;
    board(s, x0, k == 2);
    if (k == 0) centred(s, x0, ctx.art.sprite("prize_herb"));
    if (k == 1) centred(s, x0, ctx.art.sprite("prize_bag"));
    if (k == 3) {
      // The fist of the punches, in red for strength.
      const SeatTones& drawn = kSeatTones[0];
      centred(s, x0,
              recoloured(ctx.art.sprite("punch_fist"), {{drawn.light, gfx::rgb(0xFF, 0x90, 0x80)},
                                                        {drawn.mid, gfx::rgb(0xE8, 0x30, 0x28)},
                                                        {drawn.dark, gfx::rgb(0x98, 0x10, 0x18)}}));
    }
    plank(s, x0, labels[k]);
  }
});

}  // namespace
}  // namespace picgen
