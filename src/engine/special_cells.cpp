#include "engine/special_cells.h"

#include <cstddef>
#include <string>

#include "data/game_data.h"
#include "engine/dice.h"
#include "engine/encounter.h"
#include "engine/facilities.h"
#include "engine/stats.h"
#include "presentation/game_windows.h"
#include "presentation/main_form.h"
#include "presentation/menu.h"
#include "presentation/message.h"
#include "system/utility.h"

namespace {

PlayerRecord& Seat(int32_t wkID) { return Game().Players[static_cast<size_t>(wkID)]; }
bool IsSeat(int32_t wkID) { return wkID >= 0 && wkID <= 3; }
void Say(const std::string& text) { WriteMessage(text, false); }

// Every scene opens in the player's event window under its title.
void OpenScene(int32_t wkID, const std::string& title) {
  MainForm& f = frmMain();
  WriteWindow(wkID, true, title, true);
  f.PicWinBase.setVisible(true);
  f.PicDice.setVisible(false);
}

// The "質問" menu: はい "1", いいえ "2", 攻撃 "3", 無視 "0". A computer always ignores the
// question. Empty when the wait ended without an answer (the game was left).
std::string Ask(int32_t wkID) {
  MenuState& m = Menu();
  MakeMenu("質問", wkID);
  if (Seat(wkID).sUser == 1) {
    WaitMenuCommand("質問");
  } else {
    PumpOnce();
    m.MenuChoice = "0";
    m.MenuCommand = "";
  }
  frmMain().PicMenu.setVisible(false);
  return m.MenuCommand == "質問" ? "" : m.MenuChoice;
}

// The answers the old man and the god take alike: ignoring them calls a monster at once,
// refusing or attacking one after the turn.
bool Ignored(int32_t wkID, const std::string& choice) {
  if (choice != "0") return false;
  Say("ピクピク・・・");
  Init30ActionMeetMonster(wkID, 0);
  Seat(wkID).sMonsterLv = 1;
  return true;
}
void Answered(int32_t wkID, const char* line, Fixed pause, int32_t monsterLv) {
  Say(line);
  if (pause > Fixed()) WaitSec(pause);
  Seat(wkID).sMonsterLv = monsterLv;
}
void Refused(int32_t wkID, Fixed pause) { Answered(wkID, "ふっ・・・金をよこせばいいものを・・・", pause, 2); }
void Attacked(int32_t wkID, Fixed pause) { Answered(wkID, "ギギギギ・・・怒りのモンスターよ仇を！", pause, 3); }

}  // namespace

bool Init20Stop(int32_t wkID) {
  if (!IsSeat(wkID)) return false;
  MainForm& f = frmMain();
  OpenScene(wkID, "止まれ");
  Say("ここは、一旦停止だよ");
  f.window.refresh();
  WaitSec(0.5);
  f.PicWinBase.setVisible(false);
  f.window.refresh();
  return false;
}

bool Init20Ryokinjyo(int32_t wkID) {
  if (!IsSeat(wkID)) return true;
  OpenScene(wkID, "料金所");
  const int32_t toll = RandomRange(5, 10, 0);
  Say("料金所" + std::to_string(toll) + "ＧＰもらうよ。");
  WaitSec(1.1);
  if (Seat(wkID).sMoney < toll) {
    Say("あら、お金ないのね。じゃあ、いいや。");
  } else {
    Say("さぁ、通ってくれ。");
    PlayerPlus(wkID, -toll);
  }
  WaitSec(0.9);
  return true;
}

void Init20Roujin(int32_t wkID) {
  if (!IsSeat(wkID)) return;
  OpenScene(wkID, "謎の老人");
  const int32_t request = RandomRange(1, 6, 0);
  Say("おじょうさん、" + std::to_string(request) + "ＧＰのおめぐみを・・・");
  const std::string choice = Ask(wkID);
  if (Ignored(wkID, choice)) {
    WaitSec(0.5);
  } else if (choice == "1") {
    Say("ありがとう。・・・ふっふっ");
    // Giving more than one has still counts as giving: the panel keeps GP at 0 or more.
    PlayerPlus(wkID, -request);
    WaitSec(0.5);
    if (RandomPercent(50)) {
      Say("力と運が1づつあがった");
      PlayerPlus(wkID, 0, 0, 0, 1, 1);
      WaitSec(1);
    }
  } else if (choice == "2") {
    Refused(wkID, 0.4);
  } else if (choice == "3") {
    Attacked(wkID, 0.4);
  }
}

void Init20God(int32_t wkID) {
  if (!IsSeat(wkID)) return;
  OpenScene(wkID, "謎の老人");
  const int32_t stake = RandomRange(1, 6, 0);
  for (;;) {
    Say(std::to_string(stake) + "ＧＰでサイコロ勝負しよう。1・3・5が出れば運と力を上げるよ。");
    const std::string choice = Ask(wkID);
    if (Ignored(wkID, choice)) return;
    if (choice == "2") return Refused(wkID, 1);
    if (choice == "3") return Attacked(wkID, 0);
    if (choice != "1") return;
    if (Seat(wkID).sMoney < stake) {
      WarningNomoney();
      continue;
    }
    PlayerPlus(wkID, -stake);
    const int32_t roll = Dice(wkID);
    if (roll == 1 || roll == 3 || roll == 5) {
      Say("力と運が3づつあがった");
      PlayerPlus(wkID, 0, 0, 0, 3, 3);
      WaitSec(1);
    } else {
      Say("ざんねんだねぇ・・・ぷぷっ");
      WaitSec(0.3);
    }
    return;
  }
}

void Init20Goal(int32_t wkID) {
  if (!IsSeat(wkID)) return;
  OpenScene(wkID, "ゴール");
  Say("おめでとう、これで、あなたは、クリアです!!");
  PlayerRecord& p = Seat(wkID);
  p.EndingFlug = true;
  // Off the board in its pixels too, or the next redraw would put it back on its cell.
  p.yPosMap = -1;
  p.yPos = -1;
}
