// The battle: the computer's commands and sight, the punch and its score, the damage, the secret
// move, the end of a battle and its spoils, and a human fighting through the real menu.
#include "engine/battle.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "engine/battle_moves.h"
#include "engine/encounter.h"
#include "engine/fight_fixture.h"
#include "presentation/menu.h"
#include "support/new_game.h"
#include "support/scripted_human.h"
#include "system/media.h"

namespace {

using namespace fight_testing;

class BattleTest : public FightTest {
 protected:
  void Reset() override {
    FightTest::Reset();
    // A seat of level 1 against a monster of level 5 and more life: the sight strays by up to
    // 100 pixels and no rule of the computer looks beyond the plain attack.
    PlayerRecord& p = seat(0);
    p.sLevel = 1;
    p.sLife = p.sLifeMax = 100;
    p.sStr = 10;
    p.sLuck = 1;
    p.sDrug = p.sMoney = p.sExp = 0;
    SetOpponent(5, 1000);
  }
  int32_t Fight(int32_t ambush = 0) {
    int32_t winner = 99;
    Init31AttackSet(0, 4, ambush, winner);
    return winner;
  }
  std::string Slot(int i) { return Media().SlotFile[static_cast<size_t>(i)]; }
};

TEST_F(BattleTest, ComputerCommandsFollowTheRulesInOrderAndDrawEveryChance) {
  struct Case {
    const char* what;
    std::function<void(PlayerRecord& a, PlayerRecord& d)> setup;
    std::vector<double> draws;  // the rules' chances, in order
    const char* command;
  };
  auto lowOnLife = [](PlayerRecord& a, PlayerRecord&) {
    a.sLife = 40;
    a.sDrug = 2;
  };
  const Case cases[] = {
      {"nothing comes true", [](PlayerRecord&, PlayerRecord&) {}, {kNo, kNo, kNo, kNo, kNo}, "1"},
      {"10 % secret", [](PlayerRecord&, PlayerRecord&) {}, {kYes, kNo, kNo, kNo, kNo}, "3"},
      {"below half life with herbs", lowOnLife, {kYes, kNo, kNo, kNo, kNo}, "2"},
      {"close to the next level",
       [&](PlayerRecord& a, PlayerRecord& d) {
         lowOnLife(a, d);
         a.sExp = 999;
       },
       {kNo, kNo, kYes, kNo, kNo},
       "1"},
      {"a herb ban is no reason to eat",
       [&](PlayerRecord& a, PlayerRecord& d) {
         lowOnLife(a, d);
         a.sDrugBan = 1;
       },
       {kNo, kNo, kNo, kNo, kNo},
       "1"},
      {"higher foe and no herbs",
       [](PlayerRecord&, PlayerRecord& d) { d.sLevel = 9; },
       {kNo, kYes, kNo, kNo, kNo},
       "3"},
      {"higher foe, but herbs in hand",
       [](PlayerRecord& a, PlayerRecord& d) {
         d.sLevel = 9;
         a.sDrug = 1;
       },
       {kNo, kYes, kNo, kNo, kNo},
       "1"},
      {"weak and unlucky foe",
       [](PlayerRecord&, PlayerRecord& d) {
         d.sLife = 5;
         d.sLuck = 0;
       },
       {kYes, kNo, kNo, kYes, kNo},
       "1"},
      {"foe of code 1 low on life",
       [](PlayerRecord& a, PlayerRecord& d) {
         d.sEtc = "1";
         d.sLife = 30;
         a.sDrug = 1;
       },
       {kNo, kNo, kNo, kNo, kNo, kYes},
       "2"},
      {"foe of code 8: the second herb chance",
       [](PlayerRecord& a, PlayerRecord& d) {
         d.sEtc = "8";
         d.sLife = 30;
         a.sDrug = 1;
       },
       {kNo, kNo, kNo, kNo, kNo, kNo, kYes, kYes},
       "2"},
      {"foe of code 8 in good health",
       [](PlayerRecord&, PlayerRecord& d) { d.sEtc = "8"; },
       {kNo, kNo, kNo, kNo, kNo, kYes, kYes, kYes},
       "3"},
      {"foe of code 2 in good health",
       [](PlayerRecord&, PlayerRecord& d) { d.sEtc = "2"; },
       {kNo, kNo, kNo, kNo, kNo, kYes},
       "3"},
      {"any other code adds no chance",
       [](PlayerRecord&, PlayerRecord& d) { d.sEtc = "5"; },
       {kNo, kNo, kNo, kNo, kNo},
       "1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Reset();
    opponent().sLife = 100;
    seat(0).sLevel = 5;
    c.setup(seat(0), opponent());
    ScriptedRandom script{};
    for (double d : c.draws) script.push(d);
    AimAt(script, 100, 100, 100);
    const size_t drawn = script.remaining();
    int32_t x = 0, y = 0;
    EXPECT_EQ(PushFight(0, 4, x, y), c.command);
    EXPECT_EQ(script.remaining(), 0u);
    EXPECT_EQ(script.draws(), drawn);
    EXPECT_EQ(x, 100);
    EXPECT_EQ(y, 100);
  }
}

TEST_F(BattleTest, TheSightStraysLessForTheLuckierStrongerAndHigher) {
  struct Case {
    int32_t aLevel, aLuck, dLevel, dLuck, dLife;
    double narrow;  // the 40 % chance
    int32_t spread;
  };
  const Case cases[] = {
      {5, 1, 5, 1, 1000, kNo, 50},    {5, 1, 7, 1, 1000, kNo, 100}, {5, 10, 5, 4, 1000, kNo, 20},
      {5, 10, 5, 3, 1000, kNo, 10},   {5, 1, 5, 1, 10, kNo, 40},    {5, 1, 5, 1, 1000, kYes, 45},
      {1, 30, 10, 1, 1000, kYes, 32},  // 35 narrowed to 31.5, a half to even
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.spread);
    Reset();
    seat(0).sLevel = c.aLevel;
    seat(0).sLuck = c.aLuck;
    opponent().sLevel = c.dLevel;
    opponent().sLuck = c.dLuck;
    opponent().sLife = c.dLife;
    // The right-most draw of the left side shows the spread itself.
    ScriptedRandom script{};
    ComputerAttacks(script);
    for (double d : {c.narrow, kOneInYes, 0.99999, kOneInNo, 0.0, kNo, kYes}) script.push(d);
    int32_t x = 0, y = 0;
    PushFight(0, 4, x, y);
    EXPECT_EQ(x, 100 - c.spread);
    EXPECT_EQ(y, 100);
  }
}

TEST_F(BattleTest, AHumanWhoseSightCannotStrayAttacksWithoutAPress) {
  seat(0).sUser = 1;
  seat(0).sLevel = 5;
  seat(0).sLuck = 10;
  opponent().sLevel = 5;
  opponent().sLuck = 3;
  opponent().sLife = 10;
  ScriptedRandom script{kNo, kOneInNo, 0.5, kOneInYes, 0.5, kNo};
  int32_t x = 0, y = 0;
  EXPECT_EQ(PushFight(0, 4, x, y), "1");
  EXPECT_EQ(script.draws(), 6u);
  EXPECT_EQ(x, 100);
  EXPECT_EQ(y, 100);
  EXPECT_FALSE(frmMain().PicMenu.visible());
}

// The hit score from the fixture portrait: coverage by the 26-pixel square beside the aim,
// closeness to the centre, times the punch pattern's multiplier.
TEST_F(BattleTest, PunchPatternsCoverageAndClosenessMakeTheHitScore) {
  struct Case {
    int32_t x, y, opaqueFrom;
    std::vector<double> draws;
    int32_t punch, coverage, closeness, hit;
  };
  const Case cases[] = {
      {100, 100, 0, {Range(0, 3, 1), kNo, kNo, kNo}, 6, 50, 50, 250},  // the centre: always the last pattern
      {100, 95, 0, {Range(0, 3, 3), kNo, kNo, kNo}, 4, 50, 48, 176},   // on the cross: 0 to 3
      {101, 101, 0, {kYes, Range(0, 2, 1), kYes, Range(3, 4, 4), kNo}, 5, 50, 50, 200},
      {110, 85, 0, {kNo, kNo, kYes, Range(0, 1, 0)}, 1, 50, 42, 110},
      {40, 130, 0, {kNo, kNo, kNo}, -1, 50, 20, 70},  // no punch, multiplier 1
      {87, 20, 16, {kNo, kNo, kNo}, -1, 31, 10, 41},  // 16 of 26 columns on the portrait
      {73, 20, 16, {kNo, kNo, kNo}, -1, 4, 10, 14},
      {60, 20, 16, {kNo, kNo, kNo}, -1, 0, 10, 10},
      {190, 0, 0, {kNo, kNo, kNo}, -1, 13, 0, 13},  // the square runs off the window
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.x) + "," + std::to_string(c.y));
    FixturePortrait(c.opaqueFrom);
    BigWrite(4, 0, 0);
    ScriptedRandom script{};
    for (double d : c.draws) script.push(d);
    int32_t punch = -1, coverage = -1, closeness = -1, hit = -1;
    Init30Attack(0, 4, c.x, c.y, punch, coverage, closeness, hit);
    EXPECT_EQ(script.remaining(), 0u);
    EXPECT_EQ(script.draws(), c.draws.size());
    EXPECT_EQ(punch, c.punch);
    EXPECT_EQ(coverage, c.coverage);
    EXPECT_EQ(closeness, c.closeness);
    EXPECT_EQ(hit, c.hit);
  }
}

TEST_F(BattleTest, AnAttackNamesItsGradeOrPunchAndDealsItsDamage) {
  struct Case {
    int32_t x, y, opaqueFrom, str, luck;
    std::vector<double> draws;  // the punch chances, then the damage's own draws
    const char* line;
    const char* sound;
    int32_t life;
  };
  const Case cases[] = {
      // h 60, strength 10, luck 16: 6 - 2.
      {20,
       150,
       0,
       10,
       16,
       {kNo, kNo, kNo, Range(0, 2, 1)},
       "攻撃:手応えあり{1&FAA}４{0&}のダメージを与えた",
       "QV-Hit02.wav ",
       996},
      {150,
       150,
       0,
       20,
       7,
       {kNo, kNo, kNo, Range(0, 2, 1)},
       "攻撃:本気!{1&FAA}１５{0&}のダメージを与えた",
       "QV-Hit03.wav ",
       985},
      {100,
       100,
       0,
       10,
       8,
       {Range(0, 3, 0), kNo, kNo, kNo, Range(0, 2, 1)},
       "攻撃:北斗七星拳!{1&FAA}２４{0&}のダメージを与えた",
       "QV-Hit05.wav ",
       976},
      // Too weak to hurt, but most of the portrait covered: 0 to 4.
      {87,
       20,
       16,
       1,
       100,
       {kNo, kNo, kNo, Range(0, 4, 3), Range(0, 2, 1)},
       "攻撃:えいっ{1&FAA}３{0&}のダメージを与えた",
       "QV-Hit01.wav ",
       997},
      // Strong enough, but the aim missed the portrait.
      {73,
       20,
       16,
       99,
       1,
       {kNo, kNo, kNo, Range(0, 2, 1)},
       "攻撃:えいっ{1&000}{2&F00}失敗・・・。",
       "QV-Miss.wav ",
       1000},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    Reset();
    FixturePortrait(c.opaqueFrom);
    seat(0).sStr = c.str;
    opponent().sLuck = c.luck;
    ScriptedRandom script{};
    ComputerAttacks(script);
    AimAt(script, 100, c.x, c.y);
    for (double d : c.draws) script.push(d);
    LeaveAt("{1&FFF}テスト{0&}のターン:");
    EXPECT_EQ(Fight(), kNoWinner);
    EXPECT_TRUE(Saw(std::string("{1&ECF}{2&ACC}") + c.line)) << lines.size();
    EXPECT_EQ(opponent().sLife, c.life);
    EXPECT_EQ(Slot(1), Game().WavFolder + c.sound);
    EXPECT_EQ(seat(0).sExp, 1);
  }
}

TEST_F(BattleTest, SecretEffectsAndTheirRedraws) {
  struct Case {
    std::vector<double> draws;  // the effect, then its own
    int32_t herbs;              // the foe's
    std::vector<const char*> seen;
    std::function<void(BattleTest&)> check;
  };
  auto life = [](int32_t v) { return [v](BattleTest& t) { EXPECT_EQ(t.opponent().sLife, v); }; };
  const Case cases[] = {
      {{Range(0, 12, 2), Range(0, 11, 0)}, 3, {"ひみつ:にゅふふふ なにもできなかった"}, life(9)},
      // Nothing to steal: drawn again, and the ten points fell the foe.
      {{Range(0, 12, 1), Range(0, 11, 1), 0.0, Range(0, 12, 7)},
       0,
       {"ひみつ:にゅふふふ 10のダメージ！", "テスト{0&}を倒した", "ブルー{0&}の勝利!:"},
       [](BattleTest& t) {
         EXPECT_FALSE(t.Saw("もらった"));
         EXPECT_EQ(t.opponent().sLife, -1);
       }},
      {{Range(0, 12, 2), Range(0, 11, 2), Range(0, 50, 20)},
       3,
       {"ひみつ:", "もらった～!!", "20GPを奪った!!"},
       [](BattleTest& t) {
         EXPECT_EQ(t.opponent().sMoney, 30);
         EXPECT_EQ(t.seat(0).sMoney, 20);
       }},
      {{Range(0, 12, 1), Range(0, 11, 1), Range(0, 3, 2)},
       3,
       {"もらった～!!", "2個の薬草を奪った!!"},
       [](BattleTest& t) {
         EXPECT_EQ(t.opponent().sDrug, 1);
         EXPECT_EQ(t.seat(0).sDrug, 2);
       }},
      {{Range(0, 12, 3), Range(0, 11, 3), kYes},
       3,
       {"ひみつ:逃げちゃえ・・・", "ブルー{0&}は、逃げ出した", "ブルー{0&}は、敗れた・・・"},
       [](BattleTest& t) { EXPECT_FALSE(t.Saw("しっぱいしたぁ～")); }},
      {{Range(0, 12, 3), Range(0, 11, 3), kNo}, 3, {"ひみつ:逃げちゃえ・・・しっぱいしたぁ～"}, life(9)},
      {{Range(0, 12, 4), kYes}, 3, {"ひみつ:にゅふふふ 生命力を半分に・・・"}, life(5)},
      {{Range(0, 12, 4), kNo}, 3, {"ひみつ:にゅふふふ 生命力を半分に・・・しっぱいしちゃったよぉ～"}, life(9)},
      {{Range(0, 12, 5), kYes}, 3, {"ひみつ:にゅふふふ 生命力を1に！・・・"}, life(1)},
      {{Range(0, 12, 6), kYes}, 3, {"ひみつ:にゅふふふ 生命力を4分の1に！"}, life(3)},
      {{Range(0, 12, 8), kNo}, 3, {"ひみつ:にゅふふふ 100のダメージ！・・・", "無理だったよぉ～"}, life(9)},
      {{Range(0, 12, 9), kYes}, 3, {"にゅふふふ 1000のダメージ！・・・", "テスト{0&}を倒した"}, life(-991)},
      {{Range(0, 12, 10)},
       3,
       {"ひみつ:にゅふふふ 力を奪った！"},
       [](BattleTest& t) {
         EXPECT_EQ(t.opponent().sStr, 4);
         EXPECT_EQ(t.seat(0).sStr, 11);
       }},
      {{Range(0, 12, 11)},
       3,
       {"ひみつ:にゅふふふ 運を奪った！"},
       [](BattleTest& t) {
         EXPECT_EQ(t.opponent().sLuck, 4);
         EXPECT_EQ(t.seat(0).sLuck, 6);
       }},
      {{Range(0, 12, 12)},
       3,
       {"ひみつ:にゅふふふ 薬草の禁止条例を出した!"},
       [](BattleTest& t) { EXPECT_EQ(t.opponent().sDrugBan, 1); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.seen.front());
    Reset();
    PlayerRecord& m = opponent();
    m.sLife = 9;
    m.sStr = m.sLuck = 5;
    m.sMoney = 50;
    seat(0).sLuck = 5;
    m.sDrug = c.herbs;
    ScriptedRandom script{kYes, kNo, kNo, kNo, kNo};  // the computer's 10 % secret
    AimAt(script, 100, 100, 100);
    for (double d : c.draws) script.push(d);
    LeaveAt("{1&FFF}テスト{0&}のターン:");
    Fight();
    for (const char* s : c.seen) EXPECT_TRUE(Saw(s)) << s;
    c.check(*this);
  }
}

TEST_F(BattleTest, AnAmbushingMonsterActsFirstAndItsFlightHandsTheSpoilsOver) {
  PlayerRecord& m = opponent();
  m.sMoney = 7;
  m.sExp = 3;
  m.sDrug = 2;
  ScriptedRandom script{kYes, kNo, kNo, kNo, kNo};  // the monster's secret ...
  AimAt(script, 100, 100, 100);
  for (double d : {Range(0, 12, 3), Range(0, 11, 3), kYes, Range(0, 2, 1)}) script.push(d);  // ... flight
  EXPECT_EQ(Fight(1), 0);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0], "{1&FFF}テスト{0&}のターン:{1&ECF}{2&ACC}ひみつ:逃げちゃえ・・・");
  EXPECT_TRUE(Saw("テスト{0&}は、逃げ出した"));
  EXPECT_TRUE(Saw("ブルー{0&}の勝利!:{1&FF9}{2&FF3}7GP {1&6FF}{2&EFF}3の経験 {1&6F9}{2&EFA}1コの薬草{0&}を手に入れた"));
  EXPECT_EQ(Count("のターン:"), 1u);
  EXPECT_EQ(seat(0).sMoney, 7);
  EXPECT_EQ(seat(0).sExp, 3);
  EXPECT_EQ(seat(0).sDrug, 1);
  EXPECT_EQ(Game().CurrentPlayer, 0);
}

TEST_F(BattleTest, SpoilsOfAFight) {
  struct Case {
    int32_t money, exp, herbs;
    double herbDraw;
    const char* line;  // "" : no line at all
  };
  const Case cases[] = {
      {0, 0, 0, 0.0, ""},
      {7, 3, 2, Range(0, 2, 1), "{1&FF9}{2&FF3}7GP {1&6FF}{2&EFF}3の経験 {1&6F9}{2&EFA}1コの薬草{0&}を手に入れた"},
      {0, 5, 4, Range(0, 4, 0), "{1&6FF}{2&EFF}5の経験 {0&}を手に入れた"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    Reset();
    PlayerRecord& m = opponent();
    m.sMoney = c.money;
    m.sExp = c.exp;
    m.sDrug = c.herbs;
    seat(0).sDrugBan = m.sDrugBan = 1;
    ScriptedRandom script{c.herbDraw};
    PlusPack(0, 4);
    EXPECT_EQ(lines.size(), c.line[0] ? 1u : 0u);
    if (c.line[0]) EXPECT_EQ(lines[0], c.line);
    EXPECT_EQ(seat(0).sMoney, c.money);
    EXPECT_EQ(seat(0).sExp, c.exp);
    EXPECT_EQ(seat(0).sDrugBan, 0);
    EXPECT_EQ(m.sDrugBan, 0);
  }

  // A beaten player is blown away, learns a little and, emptied and without herbs, is refilled.
  Reset();
  seat(1).sLife = 0;
  seat(1).sLifeMax = 60;
  seat(1).sDrug = 0;
  seat(1).sExp = 4;
  PlusPack(0, 1);
  EXPECT_EQ(lines, std::vector<std::string>{"{1&FAF}{2&F5A}ピンク{0&}「とばされる～」"});
  EXPECT_EQ(seat(1).sLife, 60);
  EXPECT_EQ(seat(1).sExp, 6);
}

// A human fights through the battle menu: the attack face, then the flee face.
TEST_F(BattleTest, AHumanFightsThroughTheMenuAndTheBattleEndsOnce) {
  seat(0).sUser = 1;
  seat(0).sStr = 40;
  opponent().sLife = opponent().sLifeMax = 30;
  HeadlessProgram& p = program;
  ScriptedHuman human(p.backend(), 3);
  int presses = 0;
  human.choose = [&](const std::vector<int>&, const std::vector<std::string>& keys) {
    EXPECT_EQ(keys, (std::vector<std::string>{"攻撃", "逃げる", "薬草", "ひみつ"}));
    return presses++ < 20 ? 0 : 3;
  };
  const int32_t winner = Fight();
  EXPECT_TRUE(winner == 0 || winner == 4) << winner;
  EXPECT_EQ(Count("ブルー{0&}の勝利!:") + Count("ブルー{0&}は、敗れた・・・"), 1u);
  EXPECT_GE(human.presses(), 1);
  EXPECT_FALSE(frmMain().PicMenu.visible());

  Reset();
  seat(0).sUser = 1;
  human.choose = [](const std::vector<int>&, const std::vector<std::string>&) { return 3; };
  EXPECT_EQ(Fight(), 4);
  EXPECT_TRUE(Saw("{1&ECF}{2&ACC}にげる:{1&0AF}{2&AFF}ブルー{0&}は、逃げ出した"));
  EXPECT_TRUE(Saw("ブルー{0&}は、敗れた・・・"));
  EXPECT_TRUE(Saw("ブルー{0&}「とばされる～」"));
  EXPECT_EQ(seat(0).sExp, 2);
}

// Leaving while a human chooses: inside a game the wait unwinds the battle; outside one the
// battle ends by itself, without a winner and without acting on the choice left behind.
TEST_F(BattleTest, LeavingInTheMiddleEndsTheBattleWithNoWinner) {
  // Outside a game loop: the herb is refused at full life and the game is left at the next
  // choice; the refused choice is not taken again.
  seat(0).sUser = 1;
  ScriptedHuman human(program.backend(), 4);
  int asked = 0;
  human.choose = [&](const std::vector<int>&, const std::vector<std::string>&) {
    if (++asked == 2) frmMain().PicStatusUp.Tag = "ゲーム";
    return 1;
  };
  EXPECT_EQ(Fight(), kNoWinner);
  EXPECT_EQ(asked, 2);
  EXPECT_EQ(Count("の勝利!:") + Count("は、敗れた・・・"), 0u);

  // Inside a game, "戻る" at the third choice unwinds the battle.
  Reset();
  seat(0).sUser = 1;
  testing_support::LayOutNewGame();
  int waits = 0;
  human.before = [&] {
    if (++waits < 3) return false;
    const gfx::Rect r = frmMain().UcBtnClose[GetTagToIndex("戻る")].frameRect();
    program.backend().click(r.left + r.width() / 2, r.top + r.height() / 2);
    human.before = nullptr;
    return true;
  };
  human.choose = [](const std::vector<int>&, const std::vector<std::string>&) { return 0; };
  {
    GameLoopScope loop;
    EXPECT_THROW(Fight(), GameLeft);
  }
  EXPECT_EQ(Count("のターン:"), 5u);
  EXPECT_EQ(Count("の勝利!:") + Count("は、敗れた・・・"), 0u);
}

}  // namespace
