#include "engine/game_loop.h"

#include <cstddef>
#include <string>

#include "data/game_data.h"
#include "data/souba.h"
#include "engine/computer.h"
#include "engine/encounter.h"
#include "engine/ending.h"
#include "engine/turn.h"
#include "presentation/game_windows.h"
#include "presentation/main_form.h"
#include "presentation/menu.h"
#include "presentation/message.h"
#include "presentation/sprites.h"
#include "presentation/status_panel.h"
#include "presentation/turn_counter.h"
#include "system/chances.h"
#include "system/media.h"
#include "system/utility.h"

namespace {

void playNormalMusic() { PlayMusic(Game().WavFolder + "Md-Normal.mid", 100); }

// A seat plays while it is taken and its piece is on the board.
bool anySeatPlays() {
  for (size_t i = 0; i < 4; ++i) {
    const PlayerRecord& p = Game().Players[i];
    if (p.sUser != 0 && p.yPosMap >= 0) return true;
  }
  return false;
}

UcButton& saveButton() { return frmMain().UcBtnClose[GetTagToIndex("保存")]; }

// A computer seat's command: the direction it thinks best, then a herb when life runs low, or a
// treasure hunt when it has no herb left. Both chances are drawn on every turn.
std::string computerCommand(int32_t p) {
  const PlayerRecord& pl = Game().Players[static_cast<size_t>(p)];
  std::string command = ThinkComputer(p) == -1 ? "サイコロ振った(左)" : "サイコロ振った(右)";
  if (ChanceAnd(Percent(80), pl.sDrug >= 1 && pl.sLife < pl.sLifeMax * 3.0 / 4.0)) command = "薬草を使う";
  if (ChanceAnd(Percent(30), pl.sDrug == 0 && pl.sLife < pl.sLifeMax / 2)) command = "宝探し";
  return command;
}

// One seat's turn, repeated while its action asks for another go. False when the game was left.
bool playTurn(int32_t p) {
  GameData& g = Game();
  MainForm& f = frmMain();
  MenuState& m = Menu();
  PlayerRecord& pl = g.Players[static_cast<size_t>(p)];
  std::string result;
  do {
    WriteMessage(pl.sColor + pl.sName + "の番{0&}:", true);
    DropQueuedInput();
    f.PicWinBase.setVisible(false);
    m.MenuCommand = "サイコロ";
    f.PicDice.setVisible(false);
    if (pl.sUser != 2) {
      MakeMenu("サイコロ", p);
      WaitMenuCommand("サイコロ");
    } else {
      PumpOnce();
      m.MenuCommand = computerCommand(p);
    }
    saveButton().setEnabled(false);
    f.PicMenu.setVisible(false);
    result = Init12Action(p, m.MenuCommand, m.MenuChoice);
    if (!GameRunning()) return false;
    WriteCharaSet(p, 0, 0, 0);
    WriteScoreSet(false, false);
  } while (result == "もう一度");
  return true;
}

}  // namespace

void Init10GameLoop01() {
  GameLoopScope loop;
  if (!loop.entered()) return;
  MainForm& f = frmMain();
  GameData& g = Game();
  f.PicStatusUp.Tag = "開始";
  bool goal = false;
  try {
    for (int32_t i = 0; i < 4; ++i) {
      CharaZorder(i);
      WriteCharaSet(i, 0, 0, 0);
      WriteWindowMini(i);
      f.PicStMenu[i].setVisible(false);
    }
    StopMusic();
    SetSouba("");
    WriteMessage("{1&EAA}{2&010}ゲームスタート!!", false);
    playNormalMusic();
    // A game nobody can play (every seat empty or off the board) would pass for ever.
    while (anySeatPlays()) {
      if (RandomPercent(20)) SetSouba("");
      WriteSouba(true);
      goal = Init11GameTurn();
      if (goal || !GameRunning()) break;
      ++g.TurnCount;
    }
    StopMusic();
    // The tally's waits may be left as well.
    if (goal) Init30Ending();
  } catch (const GameLeft&) {
    goal = false;
    StopMusic();
  }
  if (!goal) {
    // Left: nothing of the game stays over the title screen.
    f.PicMenu.setVisible(false);
    f.PicDice.setVisible(false);
    f.PicWinBase.setVisible(false);
  }
  f.PicEnding.setVisible(false);
  f.UcSc2.setVisible(false);
  WriteMessage(" ", false);
  WriteMessage("おつかれさまでした", false);
}

bool Init11GameTurn() {
  GameData& g = Game();
  MainForm& f = frmMain();
  int32_t start = 0;
  // A damaged saved game may hold any number; only a seat resumes.
  if (g.ResumePlayer >= 0 && g.ResumePlayer <= 3) start = g.ResumePlayer;
  g.ResumePlayer = -1;
  bool goal = false;
  for (int32_t p = start; p <= 3; ++p) {
    PlayerRecord& pl = g.Players[static_cast<size_t>(p)];
    saveButton().setEnabled(!goal);
    pl.sMeet = false;
    pl.sMonsterLv = 0;
    if (RandomPercent(50)) pl.sMonsterLv = 1;
    if (pl.yPosMap < 0 || pl.sUser == 0) continue;

    g.CurrentPlayer = p;
    CharaZorder(p);
    WriteScoreSet(false, false);
    WriteCharaSet(p, 0, 0, 0);
    if (!GameRunning()) return false;
    f.PicMenu.setContainer(&f.PicPlayer[p]);
    f.PicMenu.zorder(0);
    g.TurnPlayer = p;
    if (!playTurn(p)) return false;

    if (pl.EndingFlug) {
      goal = true;
      continue;
    }
    if (pl.sMonsterLv > 0 && !pl.sMeet) {
      Init30ActionMeetMonster(p, pl.sMonsterLv);
      playNormalMusic();
    }
    if (!GameRunning()) return false;
  }
  return goal;
}
