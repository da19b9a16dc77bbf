#include "engine/battle.h"

#include <cstddef>

#include "data/game_data.h"
#include "engine/battle_commands.h"
#include "engine/battle_moves.h"
#include "engine/encounter.h"
#include "engine/stats.h"
#include "presentation/main_form.h"
#include "presentation/menu.h"
#include "presentation/message.h"
#include "sys/number.h"
#include "system/chances.h"
#include "system/media.h"
#include "system/utility.h"

namespace {

void Sound(int32_t slot, const char* file) { PlaySound(slot, Game().WavFolder + file, false, true, false, 0); }

const char* const kPunchNames[7] = {"", "ダブル拳!", "十字拳!", "クロス拳!", "痛拳!", "爆裂拳!", "北斗七星拳!"};

struct Grade {
  int32_t from;  // the lowest hit score of the grade
  const char* word;
  const char* sound;
};
// Highest first. The sound names end in a blank, as the files are named everywhere else.
constexpr Grade kGrades[] = {
    {101, "", "QV-Hit05.wav "},      {100, "ジャストミート", "QV-Hit05.wav "}, {90, "スーパーヒット", "QV-Hit04.wav "},
    {80, "はっ!", "QV-Hit04.wav "},  {70, "本気!", "QV-Hit03.wav "},           {60, "手応えあり", "QV-Hit02.wav "},
    {50, "よっし", "QV-Hit01.wav "}, {1, "えいっ", "QV-Hit01.wav "},
};
const Grade* GradeOf(int32_t hit) {
  for (const Grade& g : kGrades)
    if (hit >= g.from) return &g;
  return nullptr;
}

int64_t FloorDiv(int64_t a, int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0)) ? 1 : 0); }

enum class TurnEnd { Next, Fallen, Fled, Left };

class Battle {
 public:
  Battle(int32_t player, int32_t opponent) : player_(player), opponent_(opponent) {}
  // One turn of attacker against defender; a refused herb lets the same side choose again.
  TurnEnd Turn(int32_t attacker, int32_t defender);
  int32_t loser() const { return loser_; }

 private:
  bool Attack(int32_t attacker, int32_t defender, int32_t x, int32_t y);
  void Secret(int32_t attacker, int32_t defender);
  bool Steal(int32_t attacker, int32_t defender, int32_t effect);
  void Flee(int32_t who) { loser_ = who; }

  int32_t player_, opponent_;
  int32_t loser_ = kNoWinner;
};

TurnEnd Battle::Turn(int32_t attacker, int32_t defender) {
  for (;;) {
    Game().CurrentPlayer = attacker;
    WriteMessage(FighterName(attacker) + "のターン:", true);
    BigWrite(defender, player_, 0);
    int32_t x = 0, y = 0;
    const std::string command = PushFight(attacker, defender, x, y);
    // A choice left from before the leave is never acted on.
    if (!GameRunning()) return TurnEnd::Left;
    switch (static_cast<int32_t>(sys::val(command))) {
      case 1:
        if (!Attack(attacker, defender, x, y)) return TurnEnd::Left;
        break;
      case 2:
        if (Fighter(attacker).sDrugBan == 1) {
          WriteMessage("{1&ECF}{2&ACC}薬草:禁止されている", false);
          WaitSec(1);
          continue;
        }
        WriteMessage("{1&ECF}{2&ACC}薬草:", true);
        if (!UseDrug(attacker)) continue;
        break;
      case 0:
        WriteMessage("{1&ECF}{2&ACC}にげる:", true);
        Flee(attacker);
        break;
      case 3: Secret(attacker, defender); break;
      default: break;
    }
    break;
  }
  if (Fighter(defender).sLife <= 0) return TurnEnd::Fallen;
  return loser_ != kNoWinner ? TurnEnd::Fled : TurnEnd::Next;
}

bool Battle::Attack(int32_t attacker, int32_t defender, int32_t x, int32_t y) {
  MainForm& f = frmMain();
  WriteMessage("{1&ECF}{2&ACC}攻撃:", true);
  int32_t punch = -1, coverage = 0, closeness = 0, hit = 0;
  Init30Attack(attacker, defender, x, y, punch, coverage, closeness, hit);
  PumpOnce();
  if (!GameRunning()) return false;

  const Grade* grade = GradeOf(hit);
  const std::string line = punch >= 1 && punch <= 6 ? kPunchNames[punch] : grade ? grade->word : "";
  if (grade) Sound(1, grade->sound);
  if (!line.empty()) WriteMessage(line, true);

  const PlayerRecord& a = Fighter(attacker);
  const PlayerRecord& d = Fighter(defender);
  int32_t damage = sys::clampInt(FloorDiv(int64_t{hit} * a.sStr, 100) - FloorDiv(d.sLuck, 8));
  if (damage < 1) damage = 0;
  if (coverage > 30 && damage == 0) damage = RandomRange(0, 4, 0);
  if (coverage < 5) damage = 0;  // the punch missed the portrait
  const int32_t exp = RandomRange(0, 2, 0);
  if (damage == 0) {
    Sound(1, "QV-Miss.wav ");
    WriteMessage("{1&000}{2&F00}失敗・・・。", false);
  } else {
    PlayerPlus(defender, 0, 0, 0, 0, 0, 0, -damage);
    BigWrite(defender, player_, sys::roundInt(damage / 10.0 + 1));
    WriteMessage("{1&FAA}" + FormatNum(std::to_string(damage), 0, 5) + "{0&}のダメージを与えた", false);
  }
  PlayerPlus(attacker, 0, 0, 0, 0, 0, exp);
  f.PicDice.setVisible(false);
  if (defender < 4) f.PicPlayer[defender].refresh();
  WaitSec(1);
  PlayerPlus(defender);
  return true;
}

// Effects 1 and 2 take herbs or GP; nothing to take means no steal (false).
bool Battle::Steal(int32_t attacker, int32_t defender, int32_t effect) {
  const bool herbs = effect == 1;
  const int32_t n = RandomRange(0, herbs ? Fighter(defender).sDrug : Fighter(defender).sMoney, 0);
  if (n <= 0) return false;
  WriteMessage("もらった～!!", false);
  WaitSec(1);
  if (herbs) {
    PlayerPlus(defender, 0, -n);
    PlayerPlus(attacker, 0, n);
    WriteMessage(std::to_string(n) + "個の薬草を奪った!!", false);
  } else {
    PlayerPlus(defender, -n);
    PlayerPlus(attacker, n);
    WriteMessage(std::to_string(n) + "GPを奪った!!", false);
  }
  return true;
}

void Battle::Secret(int32_t attacker, int32_t defender) {
  Sound(2, "QV-Himitsu.Wav");
  WriteMessage("{1&ECF}{2&ACC}ひみつ:", true);
  WaitSec(1);
  int32_t e = 0;
  do {
    e = RandomRange(0, 12, 0);
    if (e <= 3) e = RandomRange(0, 11, 0);
  } while ((e == 1 || e == 2) && !Steal(attacker, defender, e));

  // The announcement, its wait, then the chance; an open announcement is closed on success and
  // continued by the failure line.
  auto attempt = [](const char* announce, bool open, double wait, double percent, const char* failure) {
    WriteMessage(announce, open);
    WaitSec(wait);
    const bool done = Percent(percent).draw();
    if (open || !done) WriteMessage(done ? "" : failure, false);
    return done;
  };
  const int32_t life = Fighter(defender).sLife;
  switch (e) {
    case 0: WriteMessage("にゅふふふ なにもできなかった", false); break;
    case 3:
      if (attempt("逃げちゃえ・・・", true, 1.5, 70, "しっぱいしたぁ～")) {
        Flee(attacker);
        return;
      }
      break;
    case 4:
      if (attempt("にゅふふふ 生命力を半分に・・・", true, 1, 80, "しっぱいしちゃったよぉ～"))
        PlayerPlus(defender, 0, 0, 0, 0, 0, 0, -(life / 2));
      break;
    case 5:
      if (attempt("にゅふふふ 生命力を1に！・・・", true, 1, 65, "無理だったよぉ～")) {
        Sound(3, "QV-Hit04.wav");
        PlayerPlus(defender, 0, 0, 0, 0, 0, 0, sys::clampInt(int64_t{1} - life));
      }
      break;
    case 6:
      if (attempt("にゅふふふ 生命力を4分の1に！", false, 1, 65, "駄目だったよぉ～")) {
        Sound(3, "QV-Hit03.wav");
        PlayerPlus(defender, 0, 0, 0, 0, 0, 0, sys::clampInt(-(int64_t{3} * life / 4)));
      }
      break;
    case 7:
      WriteMessage("にゅふふふ 10のダメージ！", false);
      Sound(3, "QV-Hit01.wav");
      WaitSec(1);
      PlayerPlus(defender, 0, 0, 0, 0, 0, 0, -10);
      break;
    case 8:
      if (attempt("にゅふふふ 100のダメージ！・・・", false, 1, 85, "無理だったよぉ～")) {
        Sound(3, "QV-Hit04.wav");
        PlayerPlus(defender, 0, 0, 0, 0, 0, 0, -100);
      }
      break;
    case 9:
      if (attempt("にゅふふふ 1000のダメージ！・・・", false, 1, 50, "できなかったよぉ～")) {
        Sound(3, "QV-Hit05.wav");
        PlayerPlus(defender, 0, 0, 0, 0, 0, 0, -1000);
      }
      break;
    case 10:
      WriteMessage("にゅふふふ 力を奪った！", false);
      WaitSec(1);
      PlayerPlus(defender, 0, 0, 0, -1);
      PlayerPlus(attacker, 0, 0, 0, 1);
      break;
    case 11:
      WriteMessage("にゅふふふ 運を奪った！", false);
      WaitSec(1);
      PlayerPlus(defender, 0, 0, 0, 0, -1);
      PlayerPlus(attacker, 0, 0, 0, 0, 1);
      break;
    case 12:
      WriteMessage("にゅふふふ 薬草の禁止条例を出した!", false);
      Fighter(defender).sDrugBan = 1;
      WaitSec(1);
      break;
    default: break;  // 1 and 2: the steal is done
  }
  WaitSec(1);
}

}  // namespace

std::string FighterName(int32_t id) { return Fighter(id).sColor + Fighter(id).sName + "{0&}"; }

void Init31AttackSet(int32_t player, int32_t opponent, int32_t ambush, int32_t& winner) {
  winner = kNoWinner;
  Battle battle(player, opponent);
  TurnEnd end = TurnEnd::Next;
  int32_t attacker = player, defender = opponent;
  for (bool first = true; end == TurnEnd::Next; first = false) {
    for (int32_t side : {player, opponent}) {
      if (first && ambush == 1 && side == player) continue;
      attacker = side;
      defender = side == player ? opponent : player;
      end = battle.Turn(attacker, defender);
      if (end != TurnEnd::Next) break;
    }
  }
  if (end == TurnEnd::Left) {
    Game().CurrentPlayer = player;
    return;
  }

  StopMusic();
  int32_t won = defender, lost = battle.loser();
  if (end == TurnEnd::Fallen) {
    if (defender == opponent) WriteMessage(FighterName(defender) + "を倒した", false);
    Sound(1, "QV-FadeOut.wav");
    FadeOutTeki(defender);
    WaitSec(0.5);
    won = attacker;
    lost = defender;
  } else {
    WriteMessage(FighterName(lost) + "は、逃げ出した", false);
    WaitSec(0.5);
  }
  winner = won;
  if (won == player)
    WriteMessage(FighterName(won) + "の勝利!:", true);
  else
    WriteMessage(FighterName(lost) + "は、敗れた・・・", false);
  frmMain().PicMenu.setVisible(false);
  PlusPack(won, lost);
  WaitSec(0.5);
  // The turn goes on for the seat; the opponent slot is never the current player after a fight.
  Game().CurrentPlayer = player;
}
