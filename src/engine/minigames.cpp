#include "engine/minigames.h"

#include <algorithm>

#include "engine/stats.h"
#include "gfx/blit.h"
#include "presentation/main_form.h"
#include "presentation/menu.h"
#include "presentation/message.h"
#include "system/utility.h"

void ShowEventPicture(const gfx::Surface& picture) {
  MainForm& f = frmMain();
  f.PicWinBase.setVisible(true);
  gfx::bitBlt(f.PicWin.surface(), 0, 0, 200, 200, picture, 0, 0);
}

bool FramePumped() {
  PumpFrame();
  return GameRunning();
}

void ClimbPrizes(int32_t wkID, std::span<const PrizeRung> ladder, int32_t reached, sys::Fixed pause, bool pauseAtTop) {
  const size_t n = std::min(ladder.size(), static_cast<size_t>(std::max(reached, 0)));
  for (size_t i = 0; i < n; ++i) {
    const PrizeRung& r = ladder[i];
    WriteMessage(r.message, false);
    PlayerPlus(wkID, 0, r.drug, r.lifeMax, r.str, r.luck, r.exp, 0, r.score);
    if (i + 1 < ladder.size() || pauseAtTop) WaitSec(pause);
  }
}
