// The tally at the end of a game and the herb that a turn or a fight eats.
#include "engine/ending.h"

#include "engine/battle_commands.h"
#include "engine_fixture.h"
#include "sys/clock.h"
#include "system/media.h"

namespace {

using EndingTest = EngineTest;

TEST_F(EndingTest, TheTallyCountsSixBonusesIntoEveryPlayingSeat) {
  struct Seat {
    int kind, score, str, luck, herbs, gp, level;
    bool goal;
    int total;
  };
  const Seat seats[4] = {
      {1, 40, 10, 6, 3, 20, 4, true, 40 + 32 + 3 + 40 + 20 + 300},
      {0, 90, 10, 10, 10, 10, 10, true, 0},  // an empty seat keeps nothing
      {2, 12, 1, 1, 0, 0, 1, true, 12 + 4 + 5 + 300},
      {2, 7, 99, 99, 999, 999, 99, false, 7 + 396 + 999 + 1998 + 495},
  };
  GameData& g = Game();
  for (int i = 0; i < 4; ++i) {
    const Seat& s = seats[i];
    PlayerRecord& p = seat(i, s.kind, 3, 2);
    p.sScore = s.score, p.sStr = s.str, p.sLuck = s.luck, p.sDrug = s.herbs, p.sMoney = s.gp, p.sLevel = s.level;
    p.EndingFlug = s.goal;
    p.sScoreAll = 12345;
  }
  Init30Ending();
  for (int i = 0; i < 4; ++i) EXPECT_EQ(g.Players[static_cast<size_t>(i)].sScoreAll, seats[i].total) << i;
  // Equal totals would go to the higher seat; here the places follow the totals.
  EXPECT_EQ(g.Players[3].sRank, 1);
  EXPECT_EQ(g.Players[0].sRank, 2);
  EXPECT_EQ(g.Players[2].sRank, 3);
  const std::vector<std::string> want = {"おつかれさまでした。それでは、スコア集計です",
                                         "力と運ボーナス(×2倍)",
                                         "薬草ボーナス(×1倍)",
                                         "所持金ボーナス(×2倍)",
                                         "レベルボーナス(×5倍)",
                                         "エンディングボーナス(×300倍)",
                                         " "};
  std::vector<std::string> said;
  for (const std::string& m : messages)
    if (m.find("レベルアップ") == std::string::npos) said.push_back(m);
  EXPECT_EQ(said, want);
  EXPECT_NE(Media().LastMusic.find("MD-Ending.mid"), std::string::npos);
  MainForm& f = frmMain();
  EXPECT_FALSE(f.PicMenu.visible() || f.PicDice.visible() || f.PicWinBase.visible());
}

TEST_F(EndingTest, AHerbHealsByLevelOrSaysWhyNot) {
  struct Case {
    int herbs, life, lifeMax, level;
    bool eaten;
    int lifeAfter, herbsAfter;
    const char* said;
  };
  const Case cases[] = {
      {2, 50, 100, 3, true, 80, 1, "「モグモグ・・・」"},
      {2, 95, 100, 3, true, 100, 1, "「モグモグ・・・」"},  // a seat's panel keeps life at its maximum
      {2, 100, 100, 3, false, 100, 2, "すでに、全快している!"},
      {0, 50, 100, 3, false, 50, 0, "薬草を持っていない！"},
  };
  sys::Clock& clock = sys::clock();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.said);
    messages.clear();
    PlayerRecord& p = seat(1, 1, 3, 2);
    p.sDrug = c.herbs, p.sLife = c.life, p.sLifeMax = c.lifeMax, p.sLevel = c.level;
    const int64_t before = clock.now();
    EXPECT_EQ(UseDrug(1), c.eaten);
    EXPECT_EQ(p.sLife, c.lifeAfter);
    EXPECT_EQ(p.sDrug, c.herbsAfter);
    EXPECT_EQ(messages, std::vector<std::string>{c.said});
    EXPECT_GE(clock.now() - before, clock.frequency() / 2);
  }
  // The opponent of a fight has no panel: its life may end above its maximum.
  PlayerRecord& monster = Game().Players[4];
  monster.sDrug = 1, monster.sLife = 95, monster.sLifeMax = 100, monster.sLevel = 3;
  EXPECT_TRUE(UseDrug(4));
  EXPECT_EQ(monster.sLife, 125);
}

}  // namespace
