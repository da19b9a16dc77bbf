#include "engine/accident.h"

#include <gtest/gtest.h>

#include "engine/cells_fixture.h"

using namespace testing_support;

namespace {

class AccidentTest : public CellsTest {
 protected:
  void SetUp() override {
    CellsTest::SetUp();
    Place(1, 5, 8);
    Fresh();
  }
  void Fresh() {
    PlayerRecord& p = player(1);
    p.sLife = 7;
    p.sLifeMax = 20;
    p.sDrug = 3;
    p.sMoney = 10;
    p.sExp = 0;
    p.sExpNext = 100;
    p.sMonsterLv = 0;
  }
  // Plays the happening; its length in seconds.
  double Run(std::string& act) {
    const int64_t mark = clk->now();
    Accident(1, act);
    return secondsSince(mark);
  }
};

TEST_F(AccidentTest, TheTreasureHuntChoosesItsHappeningAndOftenAMonster) {
  struct Case {
    std::vector<double> draws;  // the choice, the herb rescue, the monster, then the amount
    int32_t life, herbs;
    const char* happening;
    const char* message;
    int32_t monsterLv;
    double seconds;
  };
  const Case cases[] = {
      {{kYes, kNo, kNo, Range(1, 2, 2)}, 7, 3, "薬草発見", "２個の{1&AFA}{2&0F0}薬草{0&}を見つけた。", 0, 1.0},
      {{kNo, kYes, kNo, kYes, Range(1, 5, 5)}, 7, 3, "お金を拾う", "６GPを拾った。", 1, 1.0},
      {{kNo, kNo, kYes, kNo, kNo}, 7, 3, "気分がいい", "「気分がいい！全て1あがった!」", 0, 1.3},
      {{kNo, kNo, kNo, kYes, kNo, kYes}, 7, 3, "とっても気分がいい", "「気分がいい！全て2あがった!」", 1, 1.5},
      {{kNo, kNo, kNo, kNo, kNo, kNo}, 7, 3, "何も無かった", "何も無かった", 0, 1.0},
      // Nothing to heal with and almost no life: the second chance turns it into herbs...
      {{kNo, kNo, kNo, kNo, kYes, kNo, Range(1, 2, 1)},
       2,
       0,
       "薬草発見",
       "１個の{1&AFA}{2&0F0}薬草{0&}を見つけた。",
       0,
       1.0},
      // ... but only for such a player, though the chance is drawn for everyone.
      {{kNo, kYes, kYes, kNo, Range(1, 5, 1)}, 3, 0, "お金を拾う", "２GPを拾った。", 0, 1.0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.happening);
    Fresh();
    player(1).sLife = c.life;
    player(1).sDrug = c.herbs;
    messages.clear();
    ScriptedRandom script{};
    for (double d : c.draws) script.push(d);
    std::string act;
    EXPECT_NEAR(Run(act), c.seconds, 1e-9);
    EXPECT_EQ(act, c.happening);
    EXPECT_EQ(messages, std::vector<std::string>{c.message});
    EXPECT_EQ(player(1).sMonsterLv, c.monsterLv);
    EXPECT_EQ(script.remaining(), 0u);
  }
}

TEST_F(AccidentTest, NamedHappeningsDrawOnlyTheirAmounts) {
  struct Case {
    const char* act;
    int32_t life;
    // GP, herbs, life maximum, strength, luck, experience, life, score after it
    std::array<int32_t, 8> after;
    size_t messages;
  };
  PlayerRecord& p = player(1);
  p.sStr = 5;
  p.sLuck = 6;
  p.sScore = 40;
  const Case cases[] = {
      {"転んだ", 7, {10, 3, 20, 5, 6, 0, 4, 40}, 1},  // half of 7, toward zero, is 3
      {"転んだ", 1, {10, 3, 20, 5, 6, 0, 1, 40}, 1},
      {"気分がいい", 7, {11, 4, 21, 6, 7, 1, 8, 41}, 1},
      {"とっても気分がいい", 7, {12, 5, 22, 7, 8, 2, 9, 42}, 1},
      {"何も無かった", 7, {10, 3, 20, 5, 6, 0, 7, 40}, 1},
      {"宝くじ", 7, {10, 3, 20, 5, 6, 0, 7, 40}, 0},
  };
  const PlayerRecord before = p;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.act);
    p = before;
    p.sLife = c.life;
    p.sMonsterLv = 2;
    messages.clear();
    ScriptedRandom script{};
    std::string act = c.act;
    Accident(1, act);
    EXPECT_EQ(script.draws(), 0u);
    EXPECT_EQ(act, c.act);
    EXPECT_EQ((std::array<int32_t, 8>{p.sMoney, p.sDrug, p.sLifeMax, p.sStr, p.sLuck, p.sExp, p.sLife, p.sScore}),
              c.after);
    EXPECT_EQ(p.sMonsterLv, 2);
    EXPECT_EQ(messages.size(), c.messages);
  }
}

}  // namespace
