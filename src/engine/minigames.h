// What the three games of the inn and the game centre share: the event window's picture, the
// end of a frame loop when the game was left, and the ladder of prizes a good result climbs.
#pragma once

#include <cstdint>
#include <span>

#include "sys/number.h"

namespace gfx {
class Surface;
}

// Shows the event window with `picture` (200 x 200) as its whole picture.
void ShowEventPicture(const gfx::Surface& picture);

// PumpFrame, then whether the game still runs. Inside a game loop a leave has thrown GameLeft
// by then; outside one the caller ends the game at once, without prize or message.
bool FramePumped();

// One rung: its line and what it adds to the player.
struct PrizeRung {
  const char* message;
  int32_t drug = 0, lifeMax = 0, str = 0, luck = 0, exp = 0, score = 0;
};
// Climbs the first `reached` rungs: each line, its prize, then `pause`; the ladder's top rung
// pauses only when pauseAtTop.
void ClimbPrizes(int32_t wkID, std::span<const PrizeRung> ladder, int32_t reached, sys::Fixed pause, bool pauseAtTop);
