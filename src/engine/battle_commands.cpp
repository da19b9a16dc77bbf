#include "engine/battle_commands.h"

#include <cstddef>

#include "data/game_data.h"
#include "engine/stats.h"
#include "presentation/message.h"
#include "system/media.h"
#include "system/utility.h"

bool UseDrug(int32_t index) {
  if (index < 0 || index > 4) return false;
  GameData& g = Game();
  const PlayerRecord& p = g.Players[static_cast<size_t>(index)];
  bool eaten = false;
  if (p.sLife == p.sLifeMax) {
    WriteMessage("すでに、全快している!", false);
  } else if (p.sDrug > 0) {
    WriteMessage("「モグモグ・・・」", false);
    PlayerPlus(index, 0, -1, 0, 0, 0, 0, sys::clampInt(int64_t{p.sLevel} * 10));
    PlaySound(2, g.WavFolder + "QV-Food.wav", false, true, false, 0);
    eaten = true;
  } else {
    WriteMessage("薬草を持っていない！", false);
  }
  WaitSec(Fixed::fromRaw(5000));
  return eaten;
}
