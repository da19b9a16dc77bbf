#include "engine/battle_moves.h"

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <vector>

#include "data/game_data.h"
#include "engine/battle.h"
#include "engine/battle_commands.h"
#include "engine/encounter.h"
#include "engine/stats.h"
#include "gfx/blit.h"
#include "gfx/color.h"
#include "presentation/game_windows.h"
#include "presentation/main_form.h"
#include "presentation/menu.h"
#include "presentation/message.h"
#include "presentation/sprites.h"
#include "sys/number.h"
#include "system/bitmap.h"
#include "system/chances.h"
#include "system/media.h"
#include "system/picture_store.h"
#include "system/utility.h"

namespace {

constexpr int kCell = 32;
constexpr int32_t kMagenta = static_cast<int32_t>(gfx::kMagenta);
constexpr int32_t kWhite = static_cast<int32_t>(gfx::kWhite);

bool IsHuman(int32_t id) { return id >= 0 && id < 4 && Fighter(id).sUser == 1; }

// The computer's and the monster's command: each rule overrides the ones before it, and every
// chance is drawn whatever the rule's other conditions.
std::string ComputerCommand(const PlayerRecord& a, const PlayerRecord& d) {
  std::string c = "1";
  if (Percent(10).draw()) c = "3";
  // A herb it may not eat would be refused, and the same rules would choose it again for ever.
  const bool herbs = a.sDrug > 0 && a.sDrugBan != 1;
  if (a.sLife < a.sLifeMax / 2 && herbs) c = "2";
  if (ChanceAnd(Percent(30), d.sLevel > a.sLevel && a.sDrug == 0)) c = "3";
  if (ChanceAnd(Percent(85), int64_t{a.sExp} + 2 > a.sExpNext)) c = "1";
  if (ChanceAnd(Percent(75), d.sLuck < a.sLuck && d.sLife < a.sStr)) c = "1";
  if (ChanceAnd(Percent(30), d.sLife < a.sStr)) c = "1";
  if (d.sEtc == "1" || d.sEtc == "3")
    if (ChanceAnd(Percent(90), d.sLife < a.sLifeMax / 2 && herbs)) c = "2";
  if (d.sEtc == "8") {
    if (ChanceAnd(Percent(90), d.sLife < a.sLifeMax / 3 && herbs)) c = "2";
    if (ChanceAnd(Percent(50), d.sLife < a.sLifeMax / 3 && herbs)) c = "2";
  }
  if (d.sEtc == "2")
    if (ChanceAnd(Percent(70), d.sLife > a.sLifeMax / 3)) c = "3";
  if (d.sEtc == "8")
    if (ChanceAnd(Percent(50), d.sLife > a.sLifeMax / 3)) c = "3";
  return c;
}

// How far the sight may stray from the centre: the luckier, stronger and higher-levelled the
// attacker against the defender, the steadier.
int32_t AimSpread(const PlayerRecord& a, const PlayerRecord& d) {
  int32_t s = 100;
  if (a.sLuck > d.sLuck) s -= 10;
  if (int64_t{a.sLevel} + 2 > d.sLevel) s -= 50;
  if (a.sLuck > int64_t{2} * d.sLuck) s -= 20;
  if (a.sLuck > int64_t{3} * d.sLuck) s = sys::roundInt(s / 2.0);
  if (int64_t{a.sLuck} + a.sStr + a.sLife > int64_t{d.sLuck} + d.sStr + d.sLife) s -= 10;
  if (Percent(40).draw()) s = sys::roundInt(s * 0.9);
  return s < 0 ? 0 : s;
}

// One coordinate of the sight: the centre, strayed by up to the spread to either side.
int32_t AimDraw(int32_t spread) {
  const int32_t sign = RandomOneIn(2) ? -1 : 1;
  return 100 + sign * RandomRange(0, spread, 0);
}

// The attacker's 32 x 32 cell of the punch strip (its sight and its punch), centred on (x, y).
void DrawPunch(gfx::Surface& dest, int32_t attacker, int32_t x, int32_t y) {
  const int32_t left = attacker * kCell;
  TransBlt(dest, dest, frmPic().PicPunch.surface(), left, 0, left + kCell, kCell, x - kCell / 2, y - kCell / 2,
           kMagenta);
}

void CopyPicture(ui::PictureBox& to, const ui::PictureBox& from) {
  gfx::bitBlt(to.surface(), 0, 0, from.width(), from.height(), from.surface(), 0, 0);
}
void SaveWindow() { CopyPicture(frmMain().PicWinUra, frmMain().PicWin); }
void RestoreWindow() { CopyPicture(frmMain().PicWin, frmMain().PicWinUra); }

struct Offset {
  int32_t x, y;
};
struct PunchPattern {
  int32_t kind;
  std::vector<Offset> offsets;
  double multiplier;
};
const PunchPattern& Pattern(int32_t n) {
  static const PunchPattern patterns[6] = {
      {1, {{-50, 0}, {50, 0}}, 1.2},
      {2, {{0, -50}, {0, 50}, {-50, 0}, {50, 0}}, 1.4},
      {3, {{0, -50}, {0, 50}, {-50, 0}, {50, 0}, {-50, -50}, {50, 50}}, 1.6},
      {4, {{0, -50}, {0, 50}, {-50, 0}, {50, 0}, {-50, -50}, {-50, 50}, {50, -50}, {50, 50}}, 1.8},
      {5, {{-32, -32}, {-32, 0}, {-32, 32}, {0, -32}, {0, 32}, {32, -32}, {32, 0}, {32, 32}}, 2},
      {6, {{-39, -54}, {24, -58}, {43, -28}, {0, 0}, {-10, 25}, {-12, 57}, {5, 85}}, 2.5},
  };
  return patterns[n];
}

// The punch pattern an aim earns (-1: none): the nearer the centre, the better the odds of a
// strong one, and the centre itself always gives the last.
int32_t ChoosePattern(int32_t x, int32_t y) {
  auto within = [](int32_t v, int32_t lo, int32_t hi) { return lo < v && v < hi; };
  int32_t pattern = -1;
  if ((x == 100 && within(y, 90, 110)) || (y == 100 && within(x, 90, 110))) pattern = RandomRange(0, 3, 0);
  if (ChanceAnd(Percent(80), within(x, 95, 105) && within(y, 95, 105))) pattern = RandomRange(0, 2, 0);
  if (ChanceAnd(Percent(80), within(x, 98, 102) && within(y, 98, 102))) pattern = RandomRange(3, 4, 0);
  if (ChanceAnd(Percent(10), within(x, 80, 120) && within(y, 80, 120))) pattern = RandomRange(0, 1, 0);
  if (x == 100 && y == 100) pattern = 5;
  return pattern;
}

// Of the 26 x 26 square beside the aim, the share that covers the portrait on the work surface,
// as 0 to 50.
int32_t Coverage(int32_t x, int32_t y) {
  const gfx::Surface& s = frmPic().PicDummy.surface();
  int32_t count = 0;
  for (int32_t j = y + 3; j <= y + 28; ++j)
    for (int32_t i = x + 3; i <= x + 28; ++i)
      if (i >= 0 && j >= 0 && i < s.width() && j < s.height() && s.pixel(i, j) != gfx::kMagenta) ++count;
  return sys::roundInt(count / 676.0 * 50);
}

int32_t Closeness(int32_t x, int32_t y) {
  const int32_t k = std::max(std::abs(x - 100), std::abs(y - 100));
  return k <= 100 ? sys::roundInt((100 - k) / 2.0) : 0;
}

}  // namespace

std::string PushFight(int32_t attacker, int32_t defender, int32_t& aimX, int32_t& aimY) {
  MainForm& f = frmMain();
  MenuState& menu = Menu();
  f.PicMenu.setVisible(true);
  f.PicDice.setVisible(false);
  const PlayerRecord& a = Fighter(attacker);
  const PlayerRecord& d = Fighter(defender);
  const bool human = IsHuman(attacker);
  if (human)
    MakeMenu("戦闘", attacker);
  else
    menu.MenuChoice = ComputerCommand(a, d);

  const int32_t spread = AimSpread(a, d);
  SaveWindow();
  const int32_t maxX = f.PicWin.width() - kCell, maxY = f.PicWin.height() - kCell;
  do {
    aimX = AimDraw(spread);
    aimY = AimDraw(spread);
    if (Percent(3).draw()) aimX = aimY = 100;
    aimX = std::clamp(aimX, 0, maxX);
    aimY = std::clamp(aimY, 0, maxY);
    RestoreWindow();
    DrawPunch(f.PicWin.surface(), attacker, aimX, aimY);
    f.PicWin.refresh();
    if (!human && Percent(10).draw()) break;
    if (human) {
      PumpFrame();
      if (!GameRunning()) break;
      // A sight that cannot stray has nothing to wait for.
      if (aimX == 100 && aimY == 100 && spread == 0) {
        menu.MenuChoice = "1";
        break;
      }
    }
    WaitSec(0.03);
    if (!GameRunning()) break;
  } while (menu.MenuCommand == "戦闘");
  f.PicMenu.setVisible(false);
  return menu.MenuChoice;
}

// The defender's portrait is already on the work surface, drawn there by BigWrite.
void Init30Attack(int32_t attacker, int32_t /*defender*/, int32_t x, int32_t y, int32_t& punch, int32_t& coverage,
                  int32_t& closeness, int32_t& hit) {
  MainForm& f = frmMain();
  gfx::Surface& win = f.PicWin.surface();
  coverage = closeness = hit = 0;
  double multiplier = 1;
  const int32_t n = ChoosePattern(x, y);
  if (n >= 0) {
    const PunchPattern& pattern = Pattern(n);
    SaveWindow();
    punch = pattern.kind;
    multiplier = pattern.multiplier;
    if (pattern.offsets.size() > 1) {
      WaitSec(0.3);
      for (const Offset& o : pattern.offsets) {
        DrawPunch(win, attacker, x + o.x, y + o.y);
        f.PicWin.refresh();
        PlaySound(1, Game().WavFolder + "QV-Hit04.wav", false, true, false, 0);
        WaitSec(0.1);
      }
    }
  }
  PumpOnce();
  if (!GameRunning()) return;

  const gfx::Surface& target = frmPic().PicTarget.surface();
  TransBlt(win, win, target, 0, 0, target.width(), target.height(), x - 40, y - 40, kWhite);
  f.PicWin.refresh();
  f.PicMenu.setVisible(false);
  for (int blink = 0; blink < 3; ++blink) {
    DrawPunch(win, attacker, x, y);
    f.PicWin.refresh();
    WaitSec(0.05);
    RestoreWindow();
    f.PicWin.refresh();
    WaitSec(0.05);
  }
  coverage = Coverage(x, y);
  closeness = Closeness(x, y);
  hit = sys::roundInt((coverage + closeness) * multiplier);
}

void FadeOutTeki(int32_t index) {
  MainForm& f = frmMain();
  PictureStore& pic = frmPic();
  gfx::Surface& fade = pic.PicFade.surface();
  pic.PicFade.move(pic.PicFade.left(), pic.PicFade.top(), 500, 200);
  pic.PicFade.setBackColor(gfx::kBlack);
  const int32_t w = f.PicWin.width(), h = f.PicWin.height();
  gfx::stretchBlt(fade, 0, 0, w, h, pic.PicChara.surface(), 0, PortraitTop(index), kCell, kCell);
  gfx::Mask mask;
  FloodMaskFromCorners(mask, fade, 0, 0, w, h);
  for (int32_t level = 250; level >= 0; level -= 25) {
    WriteWindow(-1, true, "", false);
    AlphaMaskBlt(f.PicWin.surface(), 0, 0, fade, 0, 0, level, mask);
    f.PicWin.refresh();
    WaitSec(std::min(level / 10000.0, 0.01));
  }
}

void PlusPack(int32_t wkWinner, int32_t wkLoser) {
  GameData& g = Game();
  Fighter(wkWinner).sDrugBan = 0;
  Fighter(wkLoser).sDrugBan = 0;
  if (wkLoser != 4) {
    PlayerRecord& l = Fighter(wkLoser);
    WriteMessage(FighterName(wkLoser) + "「とばされる～」", false);
    WriteAnimation(wkLoser, "とばされる");
    PlayerPlus(wkLoser, 0, 0, 0, 0, 0, 2);
    if (l.sLife == 0) {
      if (l.sDrug < 1)
        PlayerPlus(wkLoser, 0, 0, 0, 0, 0, 0, l.sLifeMax);
      else
        UseDrug(wkLoser);
    }
    return;
  }
  const PlayerRecord& m = g.Players[4];
  const int32_t gp = m.sMoney, exp = m.sExp, herbs = RandomRange(0, m.sDrug, 0);
  WaitSec(0.3);
  struct Gain {
    const char* tags;
    int32_t amount;
    const char* unit;
    double wait;
  };
  const Gain gains[] = {
      {"{1&FF9}{2&FF3}", gp, "GP ", 0.3},
      {"{1&6FF}{2&EFF}", exp, "の経験 ", 0.4},
      {"{1&6F9}{2&EFA}", herbs, "コの薬草", 0.5},
  };
  bool any = false;
  for (const Gain& gain : gains) {
    if (gain.amount <= 0) continue;
    WriteMessage(gain.tags + std::to_string(gain.amount) + gain.unit, true);
    WaitSec(gain.wait);
    any = true;
  }
  if (any) WriteMessage("{0&}を手に入れた", false);
  PlayerPlus(wkWinner, gp, herbs, 0, 0, 0, exp);
  WriteAnimation(wkWinner, "勝利");
}
