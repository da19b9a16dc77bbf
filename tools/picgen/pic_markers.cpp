// PicWaku, the star a piece stands on (row 0 at rest, row 1 while it is being handled), and
// PicTarget, the aiming rings of the battle and the duel.
#include <array>
#include <cmath>
#include <vector>

#include "draw.h"
#include "picgen.h"
#include "seat_colours.h"

namespace picgen {
namespace {

// A five-pointed star whose points reach the cell's edges, so they show around the figure.
std::vector<Point> star(double cx, double cy, double outer, double inner) {
  std::vector<Point> pts;
  for (int i = 0; i < 10; ++i) {
    double a = (-90.0 + 36.0 * i) * M_PI / 180.0;
    double r = i % 2 ? inner : outer;
    pts.push_back(
        {static_cast<int>(std::lround(cx + r * std::cos(a))), static_cast<int>(std::lround(cy + r * std::sin(a)))});
  }
  return pts;
}

void marker(Surface& s, int x0, int y0, Color body, Color edge) {
  Surface cell(32, 32, gfx::kMagenta);
  polygon(cell, star(16, 17, 15.5, 7), edge);
  polygon(cell, star(16, 17, 13.5, 6), body);
  polygon(cell, star(16, 17, 9.5, 4), edge);
  polygon(cell, star(16, 17, 8, 3.2), gfx::kMagenta);
  stamp(s, x0, y0, cell);
}

const Register waku("PicWaku.png", 128, 64, [](Surface& s, const Context&) {
  for (int seat = 0; seat < 4; ++seat) {
    const SeatTones& t = kSeatTones[static_cast<size_t>(seat)];
    marker(s, seat * 32, 0, t.dark, shade(t.dark, -120));
    marker(s, seat * 32, 32, t.light, t.dark);
  }
});

// Pure black on pure white only: white is the key over a portrait, and the duel ORs a colour
// onto it, so any grey would come out as a mixed, unkeyed colour.
const Register target("PicTarget.png", 80, 80, [](Surface& s, const Context&) {
  fill(s, s.bounds(), gfx::kWhite);
  // Centred on pixel (40, 40): in half pixels that is 81.
  const int c2 = 81;
  for (int r : {39, 31, 23, 15}) {
    disc2(s, c2, c2, r * 2, gfx::kBlack);
    disc2(s, c2, c2, (r - 3) * 2, gfx::kWhite);
  }
  disc2(s, c2, c2, 7 * 2, gfx::kBlack);
  // Cross hairs through the gaps between the rings.
  for (int d = -39; d <= 39; ++d)
    if (std::abs(d) > 9) {
      s.setPixel(40 + d, 40, gfx::kBlack);
      s.setPixel(40, 40 + d, gfx::kBlack);
    }
});

}  // namespace
}  // namespace picgen
