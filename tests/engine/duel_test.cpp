// The duel of two players who meet: points by the stopped sight, ties, the winner's gains and a
// human shooting through the real button.
#include "engine/duel.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/fight_fixture.h"
#include "presentation/menu.h"
#include "support/new_game.h"
#include "support/scripted_human.h"

namespace {

using namespace fight_testing;

class DuelTest : public FightTest {
 protected:
  void Reset() override {
    FightTest::Reset();
    seat(0).sLevel = 2;
    seat(1).sLevel = 3;
    for (int i : {0, 1}) seat(i).sExp = seat(i).sMoney = seat(i).sScore = 0;
  }
  // The draws of one bout: both aims (50 to 150, or anywhere with the 20 % chance), the motion.
  static void Bout(ScriptedRandom& s, int32_t aim0, int32_t aim1, int32_t motion) {
    auto near = [](int32_t aim) { return aim >= 50 && aim <= 150; };
    s.push(Range(-50, 50, near(aim0) ? aim0 - 100 : 0));
    s.push(Range(-50, 50, near(aim1) ? aim1 - 100 : 0));
    for (int32_t aim : {aim0, aim1}) {
      s.push(near(aim) ? kNo : kYes);
      if (!near(aim)) s.push(Range(-100, 100, aim - 100));
    }
    s.push(Range(0, 7, motion));
  }
  void Duel() {
    int32_t mover = 0, met = 1;
    Init40AttackUser(mover, met);
  }
};

TEST_F(DuelTest, TheStoppedSightScoresAndTheBetterShotWins) {
  struct Case {
    int32_t aim0, aim1, motion;
    const char* points0;
    const char* points1;
    int32_t winner;
  };
  const Case cases[] = {
      {100, 60, 0, "１００", "６０", 0},  // from the left a computer stops right on its aim
      {150, 140, 1, "４７", "５７", 1},   // from the right, three pixels past it
      {40, 60, 2, "４０", "６０", 1},
      {200, 0, 5, "０", "３", 1},  // 200 is reached only on the way back; 0 never, 3 first
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.points0);
    Reset();
    ScriptedRandom script{};
    Bout(script, c.aim0, c.aim1, c.motion);
    Duel();
    EXPECT_EQ(script.remaining(), 0u);
    EXPECT_TRUE(Saw(std::string("{1&0AF}{2&AFF}ブルー{0&}さんの攻撃") + c.points0 + "ポイント"));
    EXPECT_TRUE(Saw(std::string("{1&FAF}{2&F5A}ピンク{0&}さんの攻撃") + c.points1 + "ポイント"));
    const int32_t loser = 1 - c.winner;
    EXPECT_TRUE(Saw(seat(c.winner).sColor + seat(c.winner).sName + "{0&}の勝利!"));
    EXPECT_TRUE(Saw(seat(loser).sColor + seat(loser).sName + "{0&}「とばされる～」"));
    const bool bonus = c.aim0 == 100;
    EXPECT_EQ(seat(c.winner).sExp, 1 + seat(loser).sLevel * 5 + (bonus ? 10 : 0));
    EXPECT_EQ(seat(loser).sExp, 1 + 2);
    EXPECT_EQ(seat(0).sMoney, bonus ? 10 : 0);
    EXPECT_EQ(seat(0).sScore, bonus ? 10 : 0);
    EXPECT_EQ(Saw("100点"), false);  // the bonus is drawn in the window, not written
    EXPECT_EQ(Game().CurrentPlayer, 0);
  }
}

TEST_F(DuelTest, EqualPointsRepeatTheWholeBout) {
  ScriptedRandom script{};
  Bout(script, 60, 60, 0);
  Bout(script, 70, 50, 0);
  Duel();
  EXPECT_EQ(script.remaining(), 0u);
  EXPECT_EQ(Count("相討ち! もう一度!"), 1u);
  EXPECT_EQ(Count("さんの攻撃"), 4u);
  EXPECT_TRUE(Saw("ブルー{0&}の勝利!"));
  EXPECT_EQ(seat(0).sExp, 2 + 3 * 5);  // both bouts' shots stay
  EXPECT_EQ(seat(1).sExp, 2 + 2);
}

// A human stops the sight with the button: from the left, the press in the hundredth frame
// hits the centre.
TEST_F(DuelTest, AHumanShootsWithTheButtonAndLeavingEndsTheDuelWithNoWinner) {
  seat(0).sUser = 1;
  ScriptedHuman human(program.backend(), 6);
  int frames = 0;
  human.before = [&] { return Game().CurrentPlayer != 0 || ++frames < 100; };
  ScriptedRandom script{};
  Bout(script, 100, 60, 0);
  Duel();
  EXPECT_EQ(human.presses(), 1);
  EXPECT_EQ(human.lastKey(), "はい");
  EXPECT_TRUE(Saw("ブルー{0&}さんの攻撃１００ポイント"));
  EXPECT_TRUE(Saw("ブルー{0&}の勝利!"));
  EXPECT_EQ(seat(0).sMoney, 10);

  // "戻る" while the human's sight runs, inside a game.
  Reset();
  seat(0).sUser = 1;
  testing_support::LayOutNewGame();
  frames = 0;
  human.before = [&] {
    if (++frames < 30) return true;
    const gfx::Rect r = frmMain().UcBtnClose[GetTagToIndex("戻る")].frameRect();
    program.backend().click(r.left + r.width() / 2, r.top + r.height() / 2);
    human.before = [] { return true; };
    return true;
  };
  {
    GameLoopScope loop;
    EXPECT_THROW(Duel(), GameLeft);
  }
  EXPECT_FALSE(Saw("の勝利!"));
  EXPECT_EQ(seat(0).sExp + seat(1).sExp, 0);

  // Outside a game loop the duel ends by itself, just as empty-handed.
  Reset();
  seat(0).sUser = 1;
  frames = 0;
  human.before = [&] {
    if (++frames == 30) frmMain().PicStatusUp.Tag = "ゲーム";
    return true;
  };
  Duel();
  EXPECT_FALSE(Saw("の勝利!"));
  EXPECT_FALSE(Saw("ポイント"));
  EXPECT_EQ(Game().CurrentPlayer, 0);
}

TEST_F(DuelTest, TheTargetTakesTheShootersColourWhereItIsBlack) {
  const gfx::Surface& art = frmPic().PicTarget.surface();
  MakeTargetPic(static_cast<int32_t>(gfx::rgb(255, 100, 100)));
  const gfx::Surface& made = frmMain().PicTarget.surface();
  ASSERT_EQ(made.width(), art.width());
  ASSERT_EQ(made.height(), art.height());
  int black = 0, white = 0;
  for (int y = 0; y < art.height(); ++y)
    for (int x = 0; x < art.width(); ++x) {
      if (art.pixel(x, y) == gfx::kBlack) {
        ++black;
        EXPECT_EQ(made.pixel(x, y), gfx::rgb(255, 100, 100));
      } else {
        ++white;
        EXPECT_EQ(made.pixel(x, y), gfx::kWhite);
      }
    }
  EXPECT_GT(black, 0);
  EXPECT_GT(white, 0);
}

}  // namespace
