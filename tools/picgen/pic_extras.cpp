// The program's pictures outside the store's sheets: the hand cursor, the gallery's arrow, the
// save/load dialog's banners, the play area's background and the top strip.
#include "draw.h"
#include "picgen.h"
#include "text.h"

namespace picgen {
namespace {

constexpr Color M = gfx::kMagenta;
const Color kInk = gfx::rgb(16, 16, 24);

// A white glove pointing up, drawn as pixel art; the fingertip's outline is the hot spot (14, 0).
const Register hand("Hand.png", 32, 32, [](Surface& s, const Context& ctx) { s = ctx.art.sprite("hand"); });

// An arrow pointing up, tip at the top of the middle, fletched at the foot.
const Register arrow("ImgArrow.png", 32, 32, [](Surface& s, const Context&) {
  Surface a(32, 32, M);
  const Color steel = gfx::rgb(210, 216, 230), steelDark = gfx::rgb(120, 126, 146);
  const Color wood = gfx::rgb(196, 140, 70), feather = gfx::rgb(230, 40, 50);
  fill(a, Rect{15, 8, 17, 27}, wood);
  vline(a, 15, 8, 26, gfx::rgb(236, 186, 110));
  polygon(a, {{16, 0}, {22, 10}, {10, 10}}, steel);
  vline(a, 16, 2, 9, steelDark);
  // Fletching: a vane on each side of the shaft's foot, with a white band, and the nock.
  polygon(a, {{15, 19}, {10, 25}, {10, 31}, {15, 27}}, feather);
  polygon(a, {{17, 19}, {22, 25}, {22, 31}, {17, 27}}, feather);
  line(a, 14, 23, 11, 27, gfx::rgb(245, 245, 245));
  line(a, 17, 23, 20, 27, gfx::rgb(245, 245, 245));
  fill(a, Rect{15, 27, 17, 31}, wood);
  outline(a, a.bounds(), M, kInk);
  s = a;
});

// The save/load dialog's banners: a lettered title on a band in the dialog's mode colour.
void banner(Surface& s, const std::string& title, Color top, Color bottom) {
  bandGradient(s, s.bounds(), top, bottom, 12);
  hline(s, 0, 399, 0, shade(top, 120));
  hline(s, 0, 399, 23, shade(bottom, -120));
  // A row of small diamonds on each side frames the title.
  for (int x = 8; x < 400; x += 12) {
    if (x > 92 && x < 308) continue;
    polygon(s, {{x, 12}, {x + 3, 9}, {x + 6, 12}, {x + 3, 15}}, shade(top, 90));
  }
  TextStyle st;
  st.face = Face::Heavy;
  st.px = 19;
  st.top = gfx::kWhite;
  st.bottom = gfx::rgb(255, 236, 170);
  st.outline = 2;
  st.outlineColor = shade(bottom, -140);
  drawTextCentered(s, s.bounds(), title, st);
}

const Register loadTitle("LoadTitle0.png", 400, 24, [](Surface& s, const Context&) {
  banner(s, "続きから開始する", gfx::rgb(60, 120, 220), gfx::rgb(20, 50, 130));
});
const Register saveTitle("LoadTitle1.png", 400, 24, [](Surface& s, const Context&) {
  banner(s, "ゲームを保存する", gfx::rgb(220, 110, 40), gfx::rgb(130, 40, 20));
});

// The play area behind the board and the panels. Only its margins show; (50, 50) is the message
// window's colour and (5, 5) the editor palette's, so both are chosen here on purpose.
const Color kBack = gfx::rgb(22, 26, 52);  // (50, 50): dark, so white text with a shadow reads
const Color kRim = gfx::rgb(58, 66, 104);  // (5, 5): light enough that dark tile outlines show
const Register background("PicBgv.png", 800, 576, [](Surface& s, const Context&) {
  fill(s, s.bounds(), kBack);
  // A faint weave in the gaps between the panels.
  for (int y = 0; y < 576; ++y)
    for (int x = 0; x < 800; ++x)
      if (((x / 4 + y / 4) % 2) && ditherOn(x, y, 4)) s.setPixel(x, y, gfx::rgb(28, 33, 62));
  // The outer rim, lit from the top left.
  frame(s, s.bounds(), kRim, 8);
  hline(s, 0, 799, 0, shade(kRim, 80));
  vline(s, 0, 0, 575, shade(kRim, 80));
  hline(s, 1, 799, 575, shade(kRim, -80));
  vline(s, 799, 1, 575, shade(kRim, -80));
  frame(s, Rect{7, 7, 793, 569}, shade(kBack, -60));
  // Openings of the board (16, 16, 768 x 320) and of the lower row get a dark lip.
  frame(s, Rect{15, 15, 785, 337}, gfx::rgb(8, 10, 20));
});

// The top strip: a dark band with a lit edge; the turn counter copies its pixels as its back.
const Register statusUp("PicStatusUp.png", 800, 24, [](Surface& s, const Context&) {
  bandGradient(s, s.bounds(), gfx::rgb(64, 74, 124), gfx::rgb(26, 30, 60), 8);
  hline(s, 0, 799, 0, gfx::rgb(120, 134, 190));
  hline(s, 0, 799, 23, gfx::rgb(10, 12, 26));
});

}  // namespace
}  // namespace picgen
