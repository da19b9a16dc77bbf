// PicSlot: the reel strip, seven symbols of 60 x 38 and the first one again at the end so a
// window starting anywhere up to y 266 shows an unbroken reel. The strip is blitted over its
// own previous frame, so it carries no key colour at all: every pixel is reel paper or ink.
#include <cmath>
#include <string>
#include <utility>

#include "draw.h"
#include "gfx/blit.h"
#include "picgen.h"
#include "text.h"

namespace picgen {
namespace {

constexpr int kW = 60, kH = 38;
const Color kPaper = gfx::rgb(0xFA, 0xF6, 0xEA);
const Color kPaperShade = gfx::rgb(0xE2, 0xDA, 0xC8);
const Color kSeam = gfx::rgb(0xB4, 0xAA, 0x96);
const Color kInk = gfx::rgb(0x18, 0x14, 0x24);

TextStyle symbolStyle(int px, Color top, Color bottom) {
  TextStyle st;
  st.face = Face::Heavy;
  st.px = px;
  st.top = top;
  st.bottom = bottom;
  st.outline = 1;
  st.outlineColor = kInk;
  return st;
}

void cellPaper(Surface& s, int top) {
  fill(s, Rect::xywh(0, top, kW, kH), kPaper);
  // The reel curves away at the sides and each symbol sits on its own panel.
  for (int i = 0; i < 4; ++i) {
    Color c = mix(kPaperShade, kPaper, i * 64);
    vline(s, i, top, top + kH - 1, c);
    vline(s, kW - 1 - i, top, top + kH - 1, c);
  }
  hline(s, 0, kW - 1, top, kSeam);
  hline(s, 0, kW - 1, top + kH - 1, kPaperShade);
}

void centred(Surface& s, int top, const Surface& art) {
  stamp(s, (kW - art.width()) / 2, top + (kH - art.height()) / 2, art);
}

// A half-moon slice: red flesh with black seeds, a pale band, then the green rind.
void melon(Surface& s, int top) {
  const int cx2 = 60, cy2 = (top + 9) * 2 + 1, r = 23;
  for (int y = top + 9; y < top + 9 + r + 2; ++y)
    for (int x = 0; x < kW; ++x) {
      int dx = x * 2 + 1 - cx2, dy = y * 2 + 1 - cy2;
      double d = std::sqrt(dx * dx + dy * dy) / 2.0;
      if (d > r + 1) continue;
      Color c = d > r          ? kInk
                : d > r - 2    ? gfx::rgb(0x1C, 0x6A, 0x26)
                : d > r - 3.5  ? gfx::rgb(0x58, 0xB8, 0x48)
                : d > r - 5    ? gfx::rgb(0xF0, 0xFF, 0xE0)
                : y == top + 9 ? gfx::rgb(0xFF, 0x80, 0x78)
                               : gfx::rgb(0xF0, 0x3A, 0x3A);
      s.setPixel(x, y, c);
    }
  hline(s, 30 - r - 1, 30 + r, top + 8, kInk);
  for (auto [sx, sy] : {std::pair{22, 13}, {30, 16}, {38, 13}, {26, 20}, {34, 20}, {16, 11}, {44, 11}}) {
    s.setPixel(sx, top + sy, kInk);
    s.setPixel(sx, top + sy + 1, kInk);
  }
}

void symbol(Surface& s, int k, const Context& ctx) {
  const int top = k * kH;
  cellPaper(s, top);
  Rect cell = Rect::xywh(0, top + 1, kW, kH - 1);
  switch (k) {
    case 0:
      drawTextCentered(s, cell, "7", symbolStyle(38, gfx::rgb(0xFF, 0x60, 0x50), gfx::rgb(0xB0, 0x08, 0x10)));
      break;
    case 1:
      drawTextCentered(s, cell, "V", symbolStyle(36, gfx::rgb(0x60, 0xA0, 0xFF), gfx::rgb(0x10, 0x30, 0xA0)));
      break;
    case 2: {
      Rect bar = Rect::xywh(6, top + 10, 48, 18);
      fill(s, bar, kInk);
      fill(s, Rect::xywh(8, top + 12, 44, 14), gfx::rgb(0x30, 0x28, 0x40));
      drawTextCentered(s, bar, "BAR", symbolStyle(15, gfx::rgb(0xFF, 0xF0, 0xA0), gfx::rgb(0xE0, 0xA0, 0x20)));
      break;
    }
    case 3: melon(s, top); break;
    case 4: centred(s, top, ctx.art.sprite("slot_bell")); break;
    case 5: centred(s, top, ctx.art.sprite("slot_cherry")); break;
    case 6: {
      TextStyle st = symbolStyle(14, gfx::rgb(0x70, 0xE0, 0x70), gfx::rgb(0x10, 0x80, 0x30));
      st.maxWidth = 52;
      drawTextCentered(s, cell, "REPLAY", st);
      break;
    }
    default: break;
  }
}

const Register slot("PicSlot.png", kW, 8 * kH, [](Surface& s, const Context& ctx) {
  for (int k = 0; k < 7; ++k) symbol(s, k, ctx);
  gfx::bitBlt(s, 0, 7 * kH, kW, kH, s, 0, 0);
});

}  // namespace
}  // namespace picgen
