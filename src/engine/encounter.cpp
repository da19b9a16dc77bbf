#include "engine/encounter.h"

#include <algorithm>
#include <array>
#include <cstddef>

#include "data/game_data.h"
#include "engine/battle.h"
#include "engine/stats.h"
#include "gfx/color.h"
#include "presentation/board_draw.h"
#include "presentation/game_windows.h"
#include "presentation/main_form.h"
#include "presentation/menu.h"
#include "presentation/message.h"
#include "presentation/sprites.h"
#include "presentation/status_panel.h"
#include "sys/number.h"
#include "system/bitmap.h"
#include "system/media.h"
#include "system/picture_store.h"
#include "system/utility.h"

namespace {

constexpr int kCell = 32;
// Monster-table rows of bosses 1 to 5.
constexpr std::array<int32_t, 6> kBossRow{0, 4, 9, 14, 19, 24};

std::string Wav(const char* name) { return Game().WavFolder + name; }

// Where the floor's band starts in the monster table: the higher the floor, the later the rows.
int32_t BandOffset(int32_t row) {
  switch (row) {
    case 0:
    case 1: return 20;
    case 2:
    case 3: return 15;
    case 4:
    case 5: return 10;
    case 6:
    case 7: return 5;
    default: return 0;
  }
}

// A greeting: the boss's line (with its colours when `colored`; "%P" is the player's name), then
// for `push` the one-button confirmation and the line `after`, then the wait (none below 0).
struct Greeting {
  bool colored;
  const char* line;
  bool push;
  const char* after;
  double wait;
};
// By boss (1 to 5) and by meetings before this one: none, one, two or more.
const Greeting kGreetings[5][3] = {
    {{true, "「%Pちゃん、こんにちは。」", false, nullptr, 1},
     {true, "「このあいだ、まけた人だね!」", false, nullptr, 1},
     {true, "「なんどもまけた人だね?」", false, nullptr, 1}},
    {{false, "待っていたぞ。%Pよ。」", false, nullptr, 1},
     {false, "「また来たか%P！」", true, "「今度こそ、殺してやる。」", 0.05},
     {false, "「しぶといなぁ」", false, nullptr, 0.05}},
    {{false, "「何だお前は？儂と闘う気か？」", false, nullptr, 1},
     {false, "「死を恐れぬ馬鹿が・・・」", true, nullptr, 0.05},
     {false, "「愚か者よ」", false, nullptr, -1}},
    {{false, "「私を倒せると思っているのか？」", false, nullptr, 1},
     {false, "「祈るがいい。」", false, nullptr, 1},
     {false, "「げへへへへ・・・・」", true, nullptr, 0.05}},
    {{false, "「ワシは、今までの奴とは強さのケタが違うぞ。」", false, nullptr, 1},
     {false, "「うぬが儂を倒せるとでも」", false, nullptr, 1},
     {false, "「何度やっても同じ事だ!」", false, nullptr, 1}},
};
const char* const kDefeatLines[5] = {
    "「まけちゃったよぉー」",
    "「この私が敗れるとは…悔しいが、行くがいい･･･」",
    "「信じられん。この私が･･･貴様何者だ？」",
    "「まいった!」",
    "「ぐぉーー負けた」",
};

void Greet(int32_t& wkID, int32_t n, int32_t met) {
  const Greeting& gr = kGreetings[n - 1][met < 2 ? met : 2];
  const PlayerRecord& boss = Fighter(4);
  std::string line = gr.colored ? FighterName(4) : boss.sName;
  std::string text = gr.line;
  if (size_t at = text.find("%P"); at != std::string::npos) text.replace(at, 2, Fighter(wkID).sName);
  WriteMessage(line + text, false);
  if (gr.push) {
    PushButton(wkID);
    if (gr.after) WriteMessage(boss.sName + gr.after, false);
  }
  if (gr.wait >= 0) WaitSec(gr.wait);
}

// The opponent's portrait in player's battle window.
void ShowOpponent(int32_t player) {
  WriteWindow(player, true, "", true);
  BigWrite(4, player, 0);
}

}  // namespace

void Init30ActionMeetMonster(int32_t wkID, int32_t Lev) {
  GameData& g = Game();
  if (g.Monsters.empty()) return;  // nobody to meet
  PlayerRecord& p = Fighter(wkID);
  p.sMeet = true;
  WriteMessage("{1&F05}{2&F85}なにかいる・・・:", true);
  WriteAnimation(wkID, "発見");
  WriteScoreSet(false, false);
  WaitSec(0.3);

  p.yPosMap = sys::divInt(p.yPos, kCell);
  p.xPosMap = sys::divInt(p.xPos, kCell);
  const int32_t last = static_cast<int32_t>(g.Monsters.size()) - 1;
  int32_t low = 0, high = 0;
  switch (Lev) {
    case 0:
    case 1: high = 1; break;
    case 2:
      low = 1;
      high = 2;
      break;
    case 3:
      low = 2;
      high = 3;
      break;
    case 4:
      low = 1;
      high = last;
      break;
    default: break;
  }
  const int32_t index = std::min(RandomRange(low, high, 0) + BandOffset(p.yPosMap), last);
  g.Players[4] = g.Monsters[static_cast<size_t>(index)];
  const PlayerRecord& m = g.Players[4];

  StopMusic();
  PlaySound(1, Wav("QV-Meet.wav"), false, true, false, 0);
  if (m.sLevel >= p.sLevel) PlayMusic(Wav("Md-Battle.mid"), 100);
  int32_t ambush = 0;
  if (m.sLevel > p.sLevel) {
    WriteMessage(m.sColor + m.sName + "が、いきなり襲ってきた!", false);
    ambush = 1;
  } else {
    WriteMessage(FighterName(4) + "だっ!", false);
  }
  WaitSec(1);
  frmMain().PicWin.refresh();
  ShowOpponent(wkID);
  int32_t winner = kNoWinner;
  Init31AttackSet(wkID, 4, ambush, winner);
}

void Init25MeetVorak(int32_t& wkID, std::string VorakID) {
  GameData& g = Game();
  int32_t n = sys::roundInt(sys::val(VorakID));
  if (n < 1) n = 1;
  if (n > 5 || static_cast<size_t>(kBossRow[static_cast<size_t>(n)]) >= g.Monsters.size()) {
    // A loaded monster table may stop before the boss rows: nobody is there to fight.
    WriteMessage("{1&CCF}{2&88A}ヴォラクの気配はない・・・", false);
    return;
  }
  StopMusic();
  g.Players[4] = g.Monsters[static_cast<size_t>(kBossRow[static_cast<size_t>(n)])];
  PlayerPlus(wkID, 0, 0, 0, 0, 0, 0, 0, 5 * n);
  int32_t& met = Fighter(wkID).sTimes[static_cast<size_t>(n)];
  Greet(wkID, n, met);
  ++met;

  StopMusic();
  PlayMusic(Wav("Md-Battle.mid"), 100);
  PlaySound(1, Wav("QV-Meet.wav"), false, true, false, 0);
  frmMain().PicWin.refresh();
  WriteMessage(FighterName(4) + "だっ!", false);
  ShowOpponent(wkID);
  Fighter(wkID).sMeet = true;

  int32_t winner = kNoWinner;
  Init31AttackSet(wkID, 4, 0, winner);
  if (winner != wkID) return;
  WriteMessage(Fighter(4).sName + kDefeatLines[n - 1], false);
  Fighter(wkID).sTimes[static_cast<size_t>(n)] = 10;
  WaitSec(1);
  DrawMap();
  WriteCharaSet(wkID, Fighter(wkID).sPtn);
}

std::string LifeColorTag(int32_t Life, int32_t LifeMax) {
  // Without a maximum there is no share to take: anyone alive shows as unhurt.
  const int32_t p = LifeMax > 0 ? sys::roundInt(static_cast<double>(Life) / LifeMax * 100) : (Life > 0 ? 100 : 0);
  if (p == 0) return "{1&000}{2&F00}";
  if (p >= 1 && p <= 5) return "{1&F55}{2&A00}";
  if (p >= 6 && p <= 10) return "{1&F99}{2&A00}";
  if (p >= 11 && p <= 20) return "{1&FAA}{2&A44}";
  if (p >= 21 && p <= 50) return "{1&FEE}{2&A55}";
  if (p >= 51 && p <= 60) return "{1&FFFE}{2&A55}";
  if (p >= 61 && p <= 70) return "{1&FFE}{2&A55}";
  return "{1&FFF}{2&AAA}";
}

int32_t PortraitTop(int32_t id) {
  const PlayerRecord& r = Fighter(id);
  const int64_t top = int64_t{id == 4 ? r.yPos : r.sChara} * kCell;
  const int32_t height = frmPic().PicChara.height();
  return top < 0 || top >= height ? height : static_cast<int32_t>(top);
}

void BigWrite(int32_t target, int32_t player, int32_t shake) {
  MainForm& f = frmMain();
  PictureStore& pic = frmPic();
  f.PicWinBase.setBackColor(gfx::rgb(200, 200, 200));
  ui::PictureBox& dummy = pic.PicDummy;
  dummy.move(dummy.left(), dummy.top(), f.PicWin.width(), f.PicWin.height());
  dummy.setBackColor(gfx::kMagenta);

  PlayerRecord& t = Fighter(target);
  const int32_t top = PortraitTop(target);
  gfx::Surface& win = f.PicWin.surface();
  const gfx::Surface& sheet = pic.PicChara.surface();
  const int32_t w = f.PicWin.width(), h = f.PicWin.height();
  auto portrait = [&](gfx::Surface& dest, int32_t x) {
    TransBlt(dest, dest, sheet, 0, top, kCell, top + kCell, x, 0, -1, w, h);
  };
  if (shake > 0) {
    int32_t step = shake + 3, offset = 0;
    for (int frame = 0; frame < 4; ++frame) {
      WriteWindow(player, true, "", false);
      offset += step;
      portrait(win, offset);
      step = -step;
      f.PicWin.refresh();
      WaitSec(0.05);
    }
  }
  WriteWindow(player, true, "", true);
  portrait(win, 0);
  portrait(dummy.surface(), 0);
  f.PicWin.refresh();

  if (t.sLife < 1) t.sLife = 0;
  UCFont& ft = f.UCFt;
  ft.SetFontSize(14);
  ft.FontWrite(f.PicWinBase.surface(), LifeColorTag(t.sLife, t.sLifeMax) + t.sName + "LV" + std::to_string(t.sLevel), 0,
               3, 220, 25, "CV");
  f.PicWinBase.refresh();
}
