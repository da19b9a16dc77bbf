#include "engine/duel.h"

#include <algorithm>
#include <cstddef>
#include <string>

#include "data/game_data.h"
#include "engine/battle.h"
#include "engine/battle_moves.h"
#include "engine/stats.h"
#include "gfx/blit.h"
#include "gfx/color.h"
#include "presentation/game_windows.h"
#include "presentation/main_form.h"
#include "presentation/menu.h"
#include "presentation/message.h"
#include "presentation/status_panel.h"
#include "sys/number.h"
#include "system/bitmap.h"
#include "system/chances.h"
#include "system/media.h"
#include "system/picture_store.h"
#include "system/utility.h"

namespace {

constexpr int32_t kSight = 32;
constexpr int32_t kWhite = static_cast<int32_t>(gfx::kWhite);
constexpr int32_t kMagenta = static_cast<int32_t>(gfx::kMagenta);

// How the sight moves in a bout: from the left (0, 2) or the right (1, 3) edge, turning back at
// the ends (0, 1) or coming round on the other side (2, 3), and the pause of each frame.
struct Motion {
  int32_t mode;
  double pause;
};
constexpr Motion kMotions[8] = {{0, 0.001}, {1, 0.001}, {2, 0.001}, {3, 0.001},
                                {0, 0.005}, {1, 0.005}, {0, 0.01},  {1, 0.01}};

// The sight's row in the window, for the mover and for the player met.
constexpr int32_t kSightRow[2] = {84, 116};

void DrawTarget() {
  MainForm& f = frmMain();
  gfx::Surface& win = f.PicWin.surface();
  const gfx::Surface& t = f.PicTarget.surface();
  TransBlt(win, win, t, 0, 0, t.width(), t.height(), 60, 60, kWhite);
}

void DrawSight(int32_t who, int32_t fighter, int32_t pos) {
  gfx::Surface& win = frmMain().PicWin.surface();
  const int32_t left = kSight * who;
  TransBlt(win, win, frmPic().PicPunch.surface(), left, 0, left + kSight, kSight, pos - kSight / 2,
           kSightRow[fighter] - kSight / 2, kMagenta);
}

// A text of the fighter's side of the window: the mover's at the top left, the other's at the
// bottom right.
void WriteSide(int32_t fighter, const std::string& text, int32_t moverY, int32_t otherFromBottom) {
  MainForm& f = frmMain();
  UCFont& ft = f.UCFt;
  ft.SetFontSize(14);
  if (fighter == 0)
    ft.FontWrite(f.PicWin.surface(), text, 0, moverY);
  else
    ft.FontWrite(f.PicWin.surface(), text, 0, f.PicWin.height() - otherFromBottom, f.PicWin.width(), 32, "R");
}

// One shot of fighter 0 or 1 (player `who`): the sight runs until a press or, for a computer,
// until it reaches the aim. The points, or -1 when the game was left.
int32_t Shoot(int32_t fighter, int32_t who, int32_t aim, const Motion& motion) {
  MainForm& f = frmMain();
  GameData& g = Game();
  MenuState& menu = Menu();
  ui::PictureBox& win = f.PicWin;
  gfx::bitBlt(f.PicWinUra.surface(), 0, 0, win.width(), win.height(), win.surface(), 0, 0);
  g.CurrentPlayer = who;
  WriteMessage(FighterName(who) + "さんの攻撃", true);
  WriteScoreSet();
  menu.MenuCommand = "";
  MakeMenu("はい", who);

  const int32_t width = win.width();
  const bool fromRight = motion.mode == 1 || motion.mode == 3;
  const bool wraps = motion.mode >= 2;
  int32_t pos = fromRight ? width : 0, step = fromRight ? -1 : 1;
  const bool human = Fighter(who).sUser == 1;
  auto restore = [&] { gfx::bitBlt(win.surface(), 0, 0, width, win.height(), f.PicWinUra.surface(), 0, 0); };
  for (;;) {
    WaitSec(0);
    pos += step;
    if (!wraps) {
      if (pos < -kSight / 2 || pos > width) step = -step;
    } else {
      if (pos > width) pos = 0;
      if (pos < -kSight / 2) pos = width;
    }
    restore();
    DrawSight(who, fighter, pos);
    win.refresh();
    WaitSec(motion.pause);
    PumpFrame();
    if (!GameRunning()) return -1;
    if (!human && aim <= pos && pos <= aim + 3) break;
    if (menu.MenuCommand != "はい") break;
  }

  PlaySound(2, g.WavFolder + "QV-Hit01.wav ", false, true, false, 0);
  int32_t points = pos <= 100 ? pos : 200 - pos;
  if (points < 1) points = 0;
  MakeTargetPic(Fighter(who).sRGB);
  restore();
  DrawTarget();
  DrawSight(who, fighter, pos);
  f.PicMenu.setVisible(false);
  PumpOnce();
  WaitSec(0.5);

  const std::string text = FormatNum(std::to_string(points), 0, 5) + "ポイント";
  WriteMessage(text, false);
  WriteSide(fighter, text, 32, 64);
  PlayerPlus(who, 0, 0, 0, 0, 0, 1);
  if (points == 100) {
    WaitSec(1);
    WriteSide(fighter, "{2&F00}{1&FF0}100点 ボーナス", 16, 32);
    PlayerPlus(who, 10, 0, 0, 0, 0, 10, 0, 10);
  }
  return points;
}

}  // namespace

void MakeTargetPic(int32_t color) {
  ui::PictureBox& target = frmMain().PicTarget;
  const gfx::Surface& art = frmPic().PicTarget.surface();
  target.move(target.left(), target.top(), art.width(), art.height());
  target.setBackColor(static_cast<gfx::Color>(color));
  gfx::bitBlt(target.surface(), 0, 0, art.width(), art.height(), art, 0, 0, gfx::Rop::SrcPaint);
}

void Init40AttackUser(int32_t& ID, int32_t& TkID) {
  MainForm& f = frmMain();
  f.PicWinBase.setVisible(true);
  const int32_t who[2] = {ID, TkID};
  int32_t points[2] = {0, 0};
  for (;;) {
    int32_t aim[2];
    for (int32_t& a : aim) a = RandomRange(-50, 50, 0) + 100;
    for (int32_t& a : aim)
      if (Percent(20).draw()) a = RandomRange(-100, 100, 0) + 100;
    const Motion& motion = kMotions[std::clamp(RandomRange(0, 7, 0), 0, 7)];

    WriteWindow(ID, true, "中央を狙おう", true);
    MakeTargetPic(static_cast<int32_t>(gfx::rgb(200, 200, 200)));
    DrawTarget();
    f.PicWin.refresh();
    for (int32_t i = 0; i < 2; ++i) {
      points[i] = Shoot(i, who[i], aim[i], motion);
      if (points[i] < 0) {
        Game().CurrentPlayer = ID;
        return;
      }
    }
    f.PicWin.refresh();
    WaitSec(1.5);
    if (points[0] != points[1]) break;
    WriteMessage("相討ち! もう一度!", false);
  }

  const int32_t won = points[0] > points[1] ? ID : TkID;
  const int32_t lost = won == ID ? TkID : ID;
  WriteMessage(FighterName(won) + "の勝利!", false);
  WaitSec(0.8);
  PlayerPlus(won, 0, 0, 0, 0, 0, sys::clampInt(int64_t{Fighter(lost).sLevel} * 5));
  PlusPack(won, lost);
  Game().CurrentPlayer = ID;
}
