#include "engine/accident.h"

#include <cstddef>

#include "data/game_data.h"
#include "engine/stats.h"
#include "presentation/message.h"
#include "presentation/sprites.h"
#include "system/chances.h"
#include "system/utility.h"

namespace {

// The amount a happening names, as its last digit in full width.
std::string Wide(int32_t n) { return FormatNum(std::to_string(n), 1, 4); }

}  // namespace

void Accident(int32_t ID, std::string& wkAct) {
  if (ID < 0 || ID > 3) return;
  PlayerRecord& p = Game().Players[static_cast<size_t>(ID)];
  if (wkAct.empty()) {
    wkAct = ChanceChain<std::string>({{Percent(70), "薬草発見"},
                                      {Percent(20), "お金を拾う"},
                                      {Percent(40), "気分がいい"},
                                      {Percent(20), "とっても気分がいい"}},
                                     "何も無かった");
    // A player with nothing left to heal with is most likely to find a herb.
    if (ChanceAnd(Percent(80), p.sDrug == 0 && p.sLife < 3)) wkAct = "薬草発見";
    if (RandomPercent(80)) p.sMonsterLv = 1;
  }

  if (wkAct == "薬草発見") {
    WriteAnimation(ID, "発見");
    const int32_t n = RandomRange(1, 2, 0);
    WriteMessage(Wide(n) + "個の{1&AFA}{2&0F0}薬草{0&}を見つけた。", false);
    PlayerPlus(ID, 0, n);
    WaitSec(0.6);
  } else if (wkAct == "お金を拾う") {
    WriteAnimation(ID, "発見");
    const int32_t n = RandomRange(1, 5, 0) + 1;
    WriteMessage(Wide(n) + "GPを拾った。", false);
    PlayerPlus(ID, n);
    WaitSec(0.6);
  } else if (wkAct == "転んだ") {
    WriteAnimation(ID, "転ぶ");
    WriteMessage("足をくじいた", false);
    PlayerPlus(ID, 0, 0, 0, 0, 0, 0, -(p.sLife / 2));
    WaitSec(0.6);
  } else if (wkAct == "気分がいい" || wkAct == "とっても気分がいい") {
    const int32_t k = wkAct == "気分がいい" ? 1 : 2;
    WriteAnimation(ID, "ハッピー");
    WriteMessage("「気分がいい！全て" + std::to_string(k) + "あがった!」", false);
    PlayerPlus(ID, k, k, k, k, k, k, k, k);
    WaitSec(k == 1 ? 0.8 : 1.0);
  } else if (wkAct == "何も無かった") {
    WriteMessage("何も無かった", false);
    WaitSec(1);
  }
}
