// PicTitle: the game's logo, the crowned King Vorak over the name. It is keyed by its magenta
// corner onto black for the staff roll and squashed to 25 x 25 for a player who left the board,
// so the emblem is big and every edge is hard.
#include "draw.h"
#include "pic_chara.h"
#include "picgen.h"
#include "text.h"

namespace picgen {
namespace {

constexpr int kKingVorak = 24;

const Register title("PicTitle.png", 201, 122, [](Surface& s, const Context& ctx) {
  stampScaled(s, 52, 2, monsterPortrait(ctx.art, kKingVorak), 3);
  TextStyle st;
  st.face = Face::Heavy;
  st.px = 30;
  st.top = gfx::rgb(0xFF, 0xF4, 0xB0);
  st.bottom = gfx::rgb(0xF0, 0x98, 0x18);
  st.outline = 2;
  st.outlineColor = gfx::rgb(0x30, 0x10, 0x40);
  st.shadow = 2;
  st.shadowColor = gfx::rgb(0x60, 0x10, 0x20);
  st.smooth = false;  // anti-aliased edges would mix with the magenta key
  st.maxWidth = 193;
  drawTextCentered(s, Rect::xywh(0, 86, 201, 36), "VorakTalmor", st);
  s.setPixel(0, 0, gfx::kMagenta);
});

}  // namespace
}  // namespace picgen
