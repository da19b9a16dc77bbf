// What the three games of the inn and the game centre share: the event window's picture, the
// pump of a frame loop and the ladder of prizes a good result climbs.
#pragma once

#include <cstdint>
#include <span>

#include "sys/number.h"

namespace gfx {
class Surface;
}

// Shows the event window with `picture` (200 x 200) as its whole picture.
void ShowEventPicture(const gfx::Surface& picture);

// One pump of a frame loop. False once the game was left (inside a game loop the pump has
// thrown GameLeft by then); the game then ends at once, without prize or message.
bool PumpFrame();

// One rung: its line and what it adds to the player.
struct PrizeRung {
  const char* message;
  int32_t drug = 0, lifeMax = 0, str = 0, luck = 0, exp = 0, score = 0;
};
// Climbs the first `reached` rungs: each line, its prize, then `pause`; the ladder's top rung
// pauses only when pauseAtTop.
void ClimbPrizes(int32_t wkID, std::span<const PrizeRung> ladder, int32_t reached, sys::Fixed pause, bool pauseAtTop);
