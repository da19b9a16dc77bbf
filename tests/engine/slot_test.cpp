#include "engine/slot.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "engine/facility_fixture.h"
#include "presentation/menu.h"
#include "support/draws.h"
#include "system/random.h"

using namespace testing_support;

namespace {

// The draws that make each reel run m whole symbols after the stop (drawn in reel order): a
// reel that runs m symbols shows symbol (-m) mod 7.
void scriptReels(ScriptedRandom& script, const std::array<int, 9>& m) {
  for (int i = 0; i < 9; ++i) {
    if (i == 4) {
      script.push(Range(0, 8, m[i] - 30));
    } else if (i % 2 == 1) {
      script.push(Range(0, 8, m[i] - 15));
    } else {
      script.push(Range(0, 5, m[i] - 8));
    }
  }
}

class SlotTest : public FacilityTest {
 protected:
  void SetUp() override {
    FacilityTest::SetUp();
    seat().sMoney = 10;
    seat().sExp = 0;
    seat().sExpNext = 999;  // the experience prize levels nobody up
  }
};

// Symbols: corners 8..13 run to 6 5 4 3 2 1, sides 15..23 to 6 5 4 3 2 1 0 6 5, the centre
// 30..38 to 5 4 3 2 1 0 6 5 4 (0 seven, 1 V, 2 bar, 3 melon, 4 bell, 5 cherry, 6 replay).
TEST_F(SlotTest, TheReelsLinesAndPrizeLadder) {
  struct Case {
    const char* what;
    std::array<int, 9> m;
    int32_t T;
    int rungs;
  };
  const Case cases[] = {
      {"sevens down the middle", {10, 21, 12, 15, 35, 16, 11, 21, 13}, 64, 6},
      {"two lines of bells", {10, 17, 10, 17, 30, 16, 10, 15, 8}, 8, 3},
      {"one line of cherries", {9, 16, 9, 15, 31, 15, 12, 18, 10}, 3, 1},
      {"nothing", {9, 17, 10, 15, 31, 15, 12, 18, 10}, 0, 0},
  };
  static const char* const kRungs[6] = {
      "うーん。薬草1個あげよう",   "ついてるねぇ。運が1あがるよ!", "すごいねぇ。最大体力も5アップだね!",
      "うーん。力も3ついちゃうね", "うーん。経験を10つけちゃう",   "うーん。スコア50点つけちゃう"};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    messages.clear();
    const PlayerRecord before = seat();
    ScriptedRandom script{};
    scriptReels(script, c.m);
    Init21Slot(0);
    if (c.T == 0) {
      EXPECT_EQ(messages.back(), "惜しかったねぇ。また、おいでよ");
    } else {
      std::vector<std::string> want{"はーい。おめでとさんね。" + std::to_string(c.T) + "GPの当たりだよ"};
      want.insert(want.end(), kRungs, kRungs + c.rungs);
      EXPECT_EQ(from(want[0]), want);
    }
    const PlayerRecord& p = seat();
    EXPECT_EQ(p.sMoney - before.sMoney, c.T);
    EXPECT_EQ(p.sDrug - before.sDrug, c.rungs > 0 ? 1 : 0);
    EXPECT_EQ(p.sLuck - before.sLuck, c.rungs > 1 ? 1 : 0);
    EXPECT_EQ(p.sLifeMax - before.sLifeMax, c.rungs > 2 ? 5 : 0);
    EXPECT_EQ(p.sStr - before.sStr, c.rungs > 3 ? 3 : 0);
    EXPECT_EQ(p.sScore - before.sScore, c.rungs > 5 ? 50 : 0);
  }
}

// A line of replays spins again and keeps what the first spin won; a human who never says stop
// is stopped a moment after five seconds.
TEST_F(SlotTest, AReplaySpinsAgainAndAHumanIsStoppedAfterFiveSeconds) {
  seat().sUser = 1;
  std::vector<double> spins, stops;
  onMessage = [&](const std::string& m) {
    if (m == "5秒以内にストップって、言って下さい。") spins.push_back(seconds());
  };
  program.backend().onIdle = [&] {
    if (!frmMain().PicMenu.visible() && stops.size() < spins.size()) stops.push_back(seconds());
  };
  ScriptedRandom script{};
  // Bells along the top, cherries along the bottom, replays across the middle ...
  scriptReels(script, {10, 17, 10, 22, 36, 15, 9, 16, 9});
  // ... then reels that line up nothing, whatever the spin draws in between.
  for (int i = 0; i < 200000; ++i) script.push(0.5);
  Init21Slot(0);
  EXPECT_EQ(std::count(messages.begin(), messages.end(), "5秒以内にストップって、言って下さい。"), 2);
  EXPECT_TRUE(said("はーい。おめでとさんね。7GPの当たりだよ"));
  EXPECT_EQ(seat().sMoney, 17);
  ASSERT_EQ(stops.size(), 2u);
  for (int i = 0; i < 2; ++i) {
    EXPECT_GT(stops[i] - spins[i], 5.0) << i;
    EXPECT_LT(stops[i] - spins[i], 5.1) << i;
  }
  EXPECT_EQ(Menu().MenuCommand, "選択");
}

// A computer says stop by a one-in-ten chance for each running reel each frame; where the reels
// end does not depend on when.
TEST_F(SlotTest, TheComputersStopComesByChanceAndDoesNotChangeTheSymbols) {
  const std::array<int, 9> cherries{9, 16, 9, 15, 31, 15, 12, 18, 10};
  double spinStart = 0, stoppedAfter[2] = {-1, -1};
  onMessage = [&](const std::string& m) {
    if (m == "5秒以内にストップって、言って下さい。") spinStart = seconds();
  };
  for (int late = 0; late < 2; ++late) {
    SCOPED_TRACE(late);
    seat().sMoney = 0;
    program.backend().onIdle = [&] {
      if (!frmMain().PicMenu.visible() && stoppedAfter[late] < 0) stoppedAfter[late] = seconds() - spinStart;
    };
    ScriptedRandom script{};
    scriptReels(script, cherries);
    for (int i = 0; i < 9 * 100 * late; ++i) script.push(kNo);
    script.push(kYes);
    Init21Slot(0);
    EXPECT_EQ(Menu().MenuCommand, "決定");
    EXPECT_EQ(seat().sMoney, 3);
  }
  // The first reel's chance came true in the first frame, or a hundred frames later; the stop
  // is taken at the next frame.
  EXPECT_NEAR(stoppedAfter[1] - stoppedAfter[0], 0.1, 1e-6);
}

TEST(SlotLines, EveryLineOfThreeScoresItsSymbolsPoints) {
  std::array<int32_t, 9> s{};
  s.fill(2);
  EXPECT_EQ(SlotLineWins(s), (std::array<int32_t, 8>{16, 16, 16, 16, 16, 16, 16, 16}));
  s = {0, 6, 1, 3, 6, 4, 6, 6, 6};
  EXPECT_EQ(SlotLineWins(s), (std::array<int32_t, 8>{0, 0, 0, 100, 0, 100, 0, 0}));
  struct Pos {
    int32_t pos, symbol;
  };
  for (Pos p : {Pos{1, 0}, Pos{37, 0}, Pos{38, 1}, Pos{228, 6}, Pos{265, 6}, Pos{266, 0}})
    EXPECT_EQ(SlotSymbol(p.pos), p.symbol) << p.pos;
}

}  // namespace
