#include "engine/ending.h"

#include <cstddef>
#include <functional>

#include "data/game_data.h"
#include "engine/stats.h"
#include "presentation/main_form.h"
#include "presentation/menu.h"
#include "presentation/message.h"
#include "sys/number.h"
#include "system/media.h"
#include "system/utility.h"

namespace {

struct Bonus {
  const char* message;
  bool pauseBefore, pauseAfter;
  std::function<int64_t(const PlayerRecord&)> amount;
};

// The five bonuses after the game's own score, counted in this order.
const Bonus kBonuses[] = {
    {"力と運ボーナス(×2倍)", true, true, [](const PlayerRecord& p) { return (int64_t{p.sStr} + p.sLuck) * 2; }},
    {"薬草ボーナス(×1倍)", false, true, [](const PlayerRecord& p) { return int64_t{p.sDrug}; }},
    {"所持金ボーナス(×2倍)", true, true, [](const PlayerRecord& p) { return int64_t{p.sMoney} * 2; }},
    {"レベルボーナス(×5倍)", true, true, [](const PlayerRecord& p) { return int64_t{p.sLevel} * 5; }},
    {"エンディングボーナス(×300倍)", true, false,
     [](const PlayerRecord& p) { return p.EndingFlug ? int64_t{300} : int64_t{0}; }},
};

void pause(int64_t tenThousandths) { WaitSec(Fixed::fromRaw(tenThousandths)); }

void countIn(const std::function<int64_t(const PlayerRecord&)>& amount) {
  for (size_t i = 0; i < 4; ++i) {
    PlayerRecord& p = Game().Players[i];
    if (p.sUser != 0) p.sBonus = sys::clampInt(amount(p));
  }
  PlayerPlusAll();
}

}  // namespace

void Init30Ending() {
  MainForm& f = frmMain();
  GameData& g = Game();
  f.PicWinBase.setVisible(false);
  DropQueuedInput();
  f.window.refresh();
  StopMusic();
  f.PicMenu.setVisible(false);
  f.PicDice.setVisible(false);

  WriteMessage("おつかれさまでした。それでは、スコア集計です", false);
  for (size_t i = 0; i < 4; ++i) g.Players[i].sScoreAll = 0;
  countIn([](const PlayerRecord& p) { return int64_t{p.sScore}; });
  f.PicWinBase.setVisible(false);
  pause(10000);

  for (const Bonus& b : kBonuses) {
    WriteMessage(b.message, false);
    if (b.pauseBefore) pause(10000);
    countIn(b.amount);
    if (b.pauseAfter) pause(10000);
  }

  WriteMessage(" ", false);
  pause(10000);
  PlaySound(1, g.WavFolder + "QV-STAGE.wav", false, true, false, 0);
  pause(20000);
  StopMusic();
  PlayMusic(g.WavFolder + "MD-Ending.mid", 1);
}
