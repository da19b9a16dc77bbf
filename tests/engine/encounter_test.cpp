// Meeting monsters and bosses, and the portrait of the battle window.
#include "engine/encounter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/monsters.h"
#include "engine/battle.h"
#include "engine/fight_fixture.h"
#include "presentation/menu.h"
#include "support/new_game.h"
#include "support/scripted_human.h"
#include "system/media.h"

namespace {

using namespace fight_testing;

class EncounterTest : public FightTest {
 protected:
  void Reset() override {
    FightTest::Reset();
    InitMonsterTable();
    Media().LastMusic.clear();
  }
  void PlaceOnRow(int32_t row) {
    seat(0).yPos = row * 32;
    seat(0).xPos = 5 * 32;
  }
  const std::string& MonsterName(int32_t row) { return Game().Monsters[static_cast<size_t>(row)].sName; }
};

TEST_F(EncounterTest, TheFloorAndTheLevelChooseTheMonster) {
  struct Case {
    int32_t row, lev;
    double draw;
    int32_t monster;
    size_t table = 25;
  };
  const Case cases[] = {
      {9, 1, Range(0, 1, 1), 1},     {8, 0, Range(0, 1, 0), 0}, {0, 3, Range(2, 3, 3), 23},
      {5, 2, Range(1, 2, 2), 12},    {3, 7, 0.9, 15},           {10, 2, Range(1, 2, 1), 1},
      {0, 4, Range(1, 24, 24), 24},   // 44 is cut to the last row
      {0, 4, Range(1, 9, 2), 9, 10},  // a loaded table of ten rows
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.row) + " " + std::to_string(c.lev));
    Reset();
    Game().Monsters.resize(c.table);
    PlaceOnRow(c.row);
    ScriptedRandom script{c.draw};
    LeaveAt("のターン:");
    Init30ActionMeetMonster(0, c.lev);
    EXPECT_EQ(opponent().sName, MonsterName(c.monster));
    EXPECT_TRUE(seat(0).sMeet);
    EXPECT_EQ(seat(0).yPosMap, c.row);
    EXPECT_EQ(seat(0).xPosMap, 5);
    EXPECT_EQ(lines.front(), "{1&F05}{2&F85}なにかいる・・・:" + opponent().sColor + opponent().sName +
                                 (opponent().sLevel > seat(0).sLevel ? "が、いきなり襲ってきた!" : "{0&}だっ!"));
  }
  // An empty table has nobody to send.
  Reset();
  Game().Monsters.clear();
  ScriptedRandom script{};
  Init30ActionMeetMonster(0, 1);
  EXPECT_TRUE(lines.empty());
  EXPECT_EQ(script.draws(), 0u);
  EXPECT_FALSE(seat(0).sMeet);
}

TEST_F(EncounterTest, AStrongerMonsterStrikesFirstAndAWeakerOneBringsNoMusic) {
  struct Case {
    int32_t playerLevel;
    double draw;  // row 9, level 1: slime (level 1) or spider (level 2)
    const char* meeting;
    bool music;
    const char* first;
  };
  const Case cases[] = {
      {1, Range(0, 1, 0), "スライム{0&}だっ!", true, "ブルー{0&}のターン:"},
      {1, Range(0, 1, 1), "くもが、いきなり襲ってきた!", true, "くも{0&}のターン:"},
      {2, Range(0, 1, 0), "スライム{0&}だっ!", false, "ブルー{0&}のターン:"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.meeting);
    Reset();
    seat(0).sLevel = c.playerLevel;
    PlaceOnRow(9);
    ScriptedRandom script{c.draw};
    LeaveAt("のターン:");
    Init30ActionMeetMonster(0, 1);
    EXPECT_TRUE(Saw(c.meeting));
    EXPECT_EQ(Media().LastMusic.find("Md-Battle.mid") != std::string::npos, c.music);
    ASSERT_GE(lines.size(), 2u);
    EXPECT_NE(lines[1].find(c.first), std::string::npos) << lines[1];
  }
}

// A boss that cannot survive its first turn: the greeting, the fight and its end.
TEST_F(EncounterTest, BossesGreetByMeetingsAndABeatenBossCountsTen) {
  struct Case {
    int32_t boss, met;
    std::vector<const char*> greeting;
  };
  const Case cases[] = {
      {1, 0, {"{2&FFF}{1&EEF}ちびヴォラク{0&}「ブルーちゃん、こんにちは。」"}},
      {2, 0, {"しっぽヴォラク待っていたぞ。ブルーよ。」"}},
      {2, 1, {"しっぽヴォラク「また来たかブルー！」", "しっぽヴォラク「今度こそ、殺してやる。」"}},
      {3, 2, {"つのヴォラク「愚か者よ」"}},
      {4, 3, {"レッドヴォラク「げへへへへ・・・・」"}},
      {1, 10, {"{2&FFF}{1&EEF}ちびヴォラク{0&}「なんどもまけた人だね?」"}},
      {5, 1, {"キングヴォラク「うぬが儂を倒せるとでも」"}},
  };
  const char* const defeat[] = {"ちびヴォラク「まけちゃったよぉー」",
                                "しっぽヴォラク「この私が敗れるとは…悔しいが、行くがいい･･･」",
                                "つのヴォラク「信じられん。この私が･･･貴様何者だ？」", "レッドヴォラク「まいった!」",
                                "キングヴォラク「ぐぉーー負けた」"};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.greeting.front());
    Reset();
    Game().Monsters[static_cast<size_t>(c.boss * 5 - 1)].sLife = 0;
    seat(0).sTimes[static_cast<size_t>(c.boss)] = c.met;
    seat(0).sDrug = 0;
    ScriptedRandom script{};
    ComputerAttacks(script, c.boss == 5 ? 3 : 1);  // the bosses' codes 2 and 8
    const int32_t score = seat(0).sScore;
    int32_t who = 0;
    Init25MeetVorak(who, std::to_string(c.boss));
    ASSERT_GE(lines.size(), c.greeting.size());
    for (size_t i = 0; i < c.greeting.size(); ++i) EXPECT_EQ(lines[i], c.greeting[i]);
    EXPECT_EQ(lines[c.greeting.size()], opponent().sColor + opponent().sName + "{0&}だっ!");
    EXPECT_TRUE(Saw("ブルー{0&}の勝利!:"));
    EXPECT_EQ(lines.back(), defeat[c.boss - 1]);
    EXPECT_EQ(seat(0).sTimes[static_cast<size_t>(c.boss)], 10);
    EXPECT_EQ(seat(0).sScore, score + 5 * c.boss);
    EXPECT_TRUE(seat(0).sMeet);
    EXPECT_NE(Media().LastMusic.find("Md-Battle.mid"), std::string::npos);
  }
}

TEST_F(EncounterTest, ABossWithoutARowIsNotMet) {
  struct Case {
    const char* boss;
    size_t table;
  };
  const Case cases[] = {{"3", 10}, {"7", 25}, {"2", 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.boss);
    Reset();
    Game().Monsters.resize(c.table);
    const PlayerRecord before = seat(0);
    const PlayerRecord slot = opponent();
    int32_t who = 0;
    Init25MeetVorak(who, c.boss);
    EXPECT_EQ(lines, std::vector<std::string>{"{1&CCF}{2&88A}ヴォラクの気配はない・・・"});
    EXPECT_EQ(seat(0), before);
    EXPECT_EQ(opponent(), slot);
  }
  // A number below 1 is the first boss.
  Reset();
  Game().Monsters[4].sLife = 0;
  ScriptedRandom script{};
  ComputerAttacks(script, 1);
  int32_t who = 0;
  Init25MeetVorak(who, "0");
  EXPECT_EQ(seat(0).sTimes[1], 10);
}

// "戻る" during a boss fight: the battle unwinds, and the boss is met but not beaten.
TEST_F(EncounterTest, LeavingABossFightLeavesTheBossUnbeaten) {
  seat(0).sUser = 1;
  testing_support::LayOutNewGame();
  testing_support::ScriptedHuman human(program.backend(), 2);
  human.before = [&] {
    const gfx::Rect r = frmMain().UcBtnClose[GetTagToIndex("戻る")].frameRect();
    program.backend().click(r.left + r.width() / 2, r.top + r.height() / 2);
    human.before = nullptr;
    return true;
  };
  {
    GameLoopScope loop;
    int32_t who = 0;
    EXPECT_THROW(Init25MeetVorak(who, "1"), GameLeft);
  }
  EXPECT_EQ(seat(0).sTimes[1], 1);
  EXPECT_FALSE(Saw("の勝利!:"));
  EXPECT_FALSE(Saw("まけちゃったよぉー"));
}

TEST_F(EncounterTest, ThePortraitsCaptionTakesTheColourOfTheLifeLeft) {
  struct Case {
    int32_t life, max;
    const char* tag;
  };
  const Case cases[] = {
      {0, 100, "{1&000}{2&F00}"},   {1, 200, "{1&000}{2&F00}"},  // a half rounds to even: 0
      {3, 200, "{1&F55}{2&A00}"},   {5, 100, "{1&F55}{2&A00}"},   {6, 100, "{1&F99}{2&A00}"},
      {10, 100, "{1&F99}{2&A00}"},  {11, 100, "{1&FAA}{2&A44}"},  {20, 100, "{1&FAA}{2&A44}"},
      {21, 100, "{1&FEE}{2&A55}"},  {50, 100, "{1&FEE}{2&A55}"},  {51, 100, "{1&FFFE}{2&A55}"},
      {60, 100, "{1&FFFE}{2&A55}"}, {61, 100, "{1&FFE}{2&A55}"},  {70, 100, "{1&FFE}{2&A55}"},
      {71, 100, "{1&FFF}{2&AAA}"},  {100, 100, "{1&FFF}{2&AAA}"}, {150, 100, "{1&FFF}{2&AAA}"},
      {-5, 100, "{1&FFF}{2&AAA}"},  {5, 0, "{1&FFF}{2&AAA}"},     {0, 0, "{1&000}{2&F00}"},
  };
  for (const Case& c : cases) EXPECT_EQ(LifeColorTag(c.life, c.max), c.tag) << c.life << "/" << c.max;

  // The portrait fills the window and the work surface; a fighter shown below 1 is at 0, and
  // one without a maximum is drawn all the same.
  FixturePortrait(16);
  PlayerRecord& m = SetOpponent(3, 10);
  m.sLife = -7;
  m.sLifeMax = 0;
  BigWrite(4, 0, 2);
  EXPECT_EQ(m.sLife, 0);
  const gfx::Surface& work = frmPic().PicDummy.surface();
  EXPECT_EQ(work.width(), 200);
  EXPECT_EQ(work.pixel(60, 100), gfx::kMagenta);
  EXPECT_EQ(work.pixel(140, 100), gfx::rgb(40, 90, 160));
  EXPECT_EQ(frmMain().PicWin.surface().pixel(140, 100), gfx::rgb(40, 90, 160));

  // A row far beyond the sheet (a damaged record) reads nothing and shows a dark figure.
  seat(1).sChara = 1 << 30;
  BigWrite(1, 0, 0);
  EXPECT_EQ(work.pixel(60, 100), gfx::kBlack);
}

}  // namespace
