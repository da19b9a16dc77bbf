// Stat changes through the panel redraw, the level-up gains, the ranking and the tally's count.
#include "engine/stats.h"

#include <gtest/gtest.h>

#include "engine/chara_setup.h"
#include "presentation/panels_fixture.h"

namespace {

class StatsTest : public PanelsTest {
 protected:
  void SetUp() override {
    PanelsTest::SetUp();
    Init05CharaSetup();
  }
  PlayerRecord& player(int i) { return Game().Players[static_cast<size_t>(i)]; }
};

TEST_F(StatsTest, ExperienceGainsLevelUpOncePerMarkPassed) {
  struct Case {
    int32_t gain;
    int32_t level, exp, next;
    size_t messages;
  };
  const Case cases[] = {
      {9, 1, 9, 10, 0},  {10, 2, 0, 20, 1}, {25, 2, 15, 20, 1},  // the surplus carries over; 15 is below the next mark
      {30, 3, 0, 30, 2},                                         // 30 - 10 = 20, then 20 - 20 = 0
      {60, 4, 0, 40, 3}, {-5, 1, 0, 10, 0},                      // experience never stays below 0
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.gain);
    Init05CharaSetup();
    messages.clear();
    PlayerPlus(1, 0, 0, 0, 0, 0, c.gain);
    EXPECT_EQ(player(1).sLevel, c.level);
    EXPECT_EQ(player(1).sExp, c.exp);
    EXPECT_EQ(player(1).sExpNext, c.next);
    ASSERT_EQ(messages.size(), c.messages);
    for (const std::string& m : messages) EXPECT_EQ(m, "{1&FAF}{2&F5A}ピンク{0&}は、{1&FEE}レベルアップ");
  }
}

TEST_F(StatsTest, LevelUpGainsFollowTheGrowthValues) {
  // Life gain = Fix(10.5 / 5 + old level / 2); strength Fix(5.5), luck Fix(3.6).
  struct Case {
    int32_t oldLevel, lifeGain;
  };
  const Case cases[] = {{1, 2}, {2, 3}, {3, 3}, {4, 4}, {5, 4}, {10, 7}};
  const PlayerRecord fresh = player(0);  // another set-up would move on to the next growth type
  for (const Case& c : cases) {
    SCOPED_TRACE(c.oldLevel);
    PlayerRecord& p = player(0);
    p = fresh;
    p.sLevel = c.oldLevel;
    p.sLifeMax = 50;
    p.sLife = 20;
    LevelUp(0);
    EXPECT_EQ(p.sLevel, c.oldLevel + 1);
    EXPECT_EQ(p.sLifeMax, 50 + c.lifeGain);
    EXPECT_EQ(p.sLife, 20 + c.lifeGain);
    EXPECT_EQ(p.sStr, 6 + 5);
    EXPECT_EQ(p.sLuck, 4 + 3);
  }
}

TEST_F(StatsTest, LevelUpPlaysItsSoundAndWaitsHalfASecondEach) {
  Media().SilentOutput = true;
  DirectMediaInit();
  const int64_t mark = clk->now();
  PlayerPlus(0, 0, 0, 0, 0, 0, 35);
  EXPECT_EQ(player(0).sLevel, 3);
  EXPECT_EQ(player(0).sExp, 5);
  EXPECT_EQ(player(0).sExpNext, 30);
  EXPECT_NEAR(secondsSince(mark), 1.0, 0.01);
  ASSERT_GT(Media().SlotFile.size(), 1u);
  EXPECT_EQ(Media().SlotFile[1], Game().WavFolder + "QV-LVUP.wav");
}

TEST_F(StatsTest, AmountsAddInTheirOwnFieldsAndTheRedrawLimitsThem) {
  PlayerRecord& p = player(2);
  PlayerPlus(2, 5, -1, 3, 2, 1, 4, 2, 7, 9, true);
  EXPECT_EQ(p.sMoney, 13);
  EXPECT_EQ(p.sDrug, 1);
  EXPECT_EQ(p.sLifeMax, 13);
  EXPECT_EQ(p.sLife, 12);
  EXPECT_EQ(p.sStr, 8);
  EXPECT_EQ(p.sLuck, 5);
  EXPECT_EQ(p.sExp, 4);
  EXPECT_EQ(p.sScore, 7);
  EXPECT_EQ(p.sScoreAll, 9);
  // A heal by the maximum ends at full life; a loss below nothing ends at 0 GP.
  PlayerPlus(2, -50, 0, 0, 0, 0, 0, p.sLifeMax);
  EXPECT_EQ(p.sLife, 13);
  EXPECT_EQ(p.sMoney, 0);
}

TEST_F(StatsTest, TheOpponentIsChangedButNeitherDrawnNorLimited) {
  PlayerRecord& m = player(4);
  m.sExpNext = 10;
  uint64_t before[4];
  for (int i = 0; i < 4; ++i) before[i] = frmMain().PicPlayer[i].surface().generation();
  PlayerPlus(4, 5000, 0, 0, 0, 0, 500, -20);
  EXPECT_EQ(m.sMoney, 5000);
  EXPECT_EQ(m.sExp, 500);
  EXPECT_EQ(m.sLife, -20);
  EXPECT_EQ(m.sLevel, 0);
  EXPECT_TRUE(messages.empty());
  for (int i = 0; i < 4; ++i) EXPECT_EQ(frmMain().PicPlayer[i].surface().generation(), before[i]);
}

TEST_F(StatsTest, RankingOrdersPlayingSeatsByTotal) {
  struct Case {
    std::array<int32_t, 4> users, totals, ranks;
    int32_t leader;
  };
  const Case cases[] = {
      {{1, 1, 1, 1}, {30, 10, 40, 20}, {2, 4, 1, 3}, 2},
      {{1, 2, 1, 1}, {5, 5, 0, 5}, {3, 2, 4, 1}, 3},      // equal totals: the higher seat first
      {{1, 0, 2, 0}, {7, 99, 8, 99}, {2, -1, 1, -1}, 2},  // empty seats keep their place (-1)
      {{0, 0, 0, 0}, {1, 2, 3, 4}, {-1, -1, -1, -1}, 0},
      {{0, 1, 0, 0}, {0, 12345678, 0, 0}, {-1, 1, -1, -1}, 1},
  };
  for (const Case& c : cases) {
    for (int i = 0; i < 4; ++i) {
      player(i).sUser = c.users[static_cast<size_t>(i)];
      player(i).sScoreAll = c.totals[static_cast<size_t>(i)];
      player(i).sRank = -1;
    }
    EXPECT_EQ(SetRanking(), c.leader);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(player(i).sRank, c.ranks[static_cast<size_t>(i)]) << "seat " << i;
  }
}

TEST_F(StatsTest, TallyCountsAllSeatsSideBySideInShrinkingSteps) {
  // 250 takes seven passes (100, 100, then five of 10); 7 seven of 1; each pass lasts 5 ms
  // from its start. The empty seat's bonus is left alone.
  const int32_t bonus[] = {250, 7, 0, 40};
  const int32_t users[] = {1, 2, 1, 0};
  for (int i = 0; i < 4; ++i) {
    player(i).sUser = users[i];
    player(i).sScoreAll = 100 * i;
    player(i).sBonus = bonus[i];
  }
  const int64_t mark = clk->now();
  PlayerPlusAll();
  EXPECT_NEAR(secondsSince(mark), 7 * 0.005, 1e-6);
  EXPECT_EQ(player(0).sScoreAll, 250);
  EXPECT_EQ(player(1).sScoreAll, 107);
  EXPECT_EQ(player(2).sScoreAll, 200);
  EXPECT_EQ(player(3).sScoreAll, 300);
  EXPECT_EQ(player(0).sBonus, 0);
  EXPECT_EQ(player(1).sBonus, 0);
  EXPECT_EQ(player(3).sBonus, 40);
  EXPECT_EQ(player(0).sRank, 1);
  EXPECT_EQ(player(2).sRank, 2);
  EXPECT_EQ(player(1).sRank, 3);
}

TEST_F(StatsTest, TallyWithoutBonusesOnlyRanksAndRedraws) {
  player(0).sScoreAll = 5;
  player(3).sScoreAll = 9;
  for (int i = 0; i < 4; ++i) frmMain().PicPlayer[i].surface().fill(gfx::kBlack);
  const int64_t mark = clk->now();
  PlayerPlusAll();
  EXPECT_EQ(secondsSince(mark), 0.0);
  EXPECT_EQ(player(3).sRank, 1);
  EXPECT_EQ(player(0).sRank, 2);
  EXPECT_EQ(player(1).sRank, 4);
  // Redrawn once each: the panels show their backgrounds again.
  for (int i = 0; i < 4; ++i)
    EXPECT_EQ(frmMain().PicPlayer[i].surface().pixel(2, 2), frmPic().PicPlayer.surface().pixel(192 * i + 2, 2));
}

}  // namespace
