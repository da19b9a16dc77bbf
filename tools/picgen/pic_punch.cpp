// PicPunch: one 32 x 32 cell per attacker, drawn both as the moving sight and as the punch
// marks: seats 0-3 throw a fist in their colour inside a cross-hair ring, the opponent (4) claws.
#include <map>

#include "draw.h"
#include "picgen.h"
#include "seat_colours.h"

namespace picgen {
namespace {

const Color kInk = gfx::rgb(0x18, 0x14, 0x24);

void sightRing(Surface& s, int x0, Color ring) {
  // Centre of the 32-px cell in half pixels, so the ring is exactly symmetric.
  ring2(s, x0 * 2 + 32, 32, 29, kInk, 2);
  ring2(s, x0 * 2 + 32, 32, 27, ring, 1);
  for (int d = 0; d < 5; ++d) {
    for (int w = 15; w <= 16; ++w) {
      s.setPixel(x0 + w, d, ring);
      s.setPixel(x0 + w, 31 - d, ring);
      s.setPixel(x0 + d, w, ring);
      s.setPixel(x0 + 31 - d, w, ring);
    }
  }
}

const Register punch("PicPunch.png", 160, 32, [](Surface& s, const Context& ctx) {
  const Surface& fist = ctx.art.sprite("punch_fist");
  const SeatTones& drawn = kSeatTones[0];
  for (int seat = 0; seat < 4; ++seat) {
    const SeatTones& t = kSeatTones[static_cast<size_t>(seat)];
    sightRing(s, seat * 32, t.mid);
    stamp(s, seat * 32 + 7, 9, recoloured(fist, {{drawn.light, t.light}, {drawn.mid, t.mid}, {drawn.dark, t.dark}}));
  }
  sightRing(s, 4 * 32, gfx::rgb(0x90, 0x38, 0xD8));
  stamp(s, 4 * 32 + 6, 9, ctx.art.sprite("punch_claw"));
});

}  // namespace
}  // namespace picgen
