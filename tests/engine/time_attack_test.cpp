#include "engine/time_attack.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/facility_fixture.h"
#include "support/draws.h"
#include "system/random.h"
#include "system/utility.h"
#include "ui/keys.h"

using namespace testing_support;

namespace {

TEST(TimeAttackGrades, TheBandsAreStrictOnBothSides) {
  struct Case {
    double t;
    int32_t grade;
  };
  const Case cases[] = {
      {4.0, 6},    {4.0009, 5}, {3.9991, 5}, {4.001, 4},  {3.999, 4},  {4.0099, 4}, {4.01, 3},
      {4.0999, 3}, {3.9001, 3}, {4.1, 2},    {4.2999, 2}, {3.7001, 2}, {4.3, 1},    {3.7, 1},
      {4.4999, 1}, {3.5001, 1}, {4.5, 0},    {3.5, 0},    {0.0001, 0}, {7.0, 0},
  };
  for (const Case& c : cases) EXPECT_EQ(TimeAttackGrade(Fixed(c.t), Fixed(4)), c.grade) << c.t;
}

class TimeAttackTest : public FacilityTest {
 protected:
  void SetUp() override {
    FacilityTest::SetUp();
    seat().sUser = 1;
    seat().sExp = 0;
    seat().sExpNext = 999;
  }
  // A human who holds `input` (a key, or 0 for the mouse) from the start and lets go once the
  // game's stopwatch reads `release` seconds (never when negative).
  void holdUntil(int input, double release) {
    program.backend().onIdle = [this, input, release, down = false, up = false]() mutable {
      if (!down && frmMain().PicWin.effectivelyVisible()) {
        down = true;
        if (input) {
          program.backend().keyDown(input);
        } else {
          program.backend().mouseDown(400, 100);
        }
      } else if (down && !up && release >= 0 && !frmMain().UcBtnMenu[0].visible() &&
                 sys::val(StopWatch(6, false)) >= release - 1e-9) {
        up = true;
        if (input) {
          program.backend().keyUp(input);
        } else {
          program.backend().mouseUp(400, 100);
        }
      }
    };
  }
};

TEST_F(TimeAttackTest, TheReleaseIsGradedAgainstTheTargetAndClimbsThePrizes) {
  struct Case {
    int input;
    double release;
    const char* time;
    const char* grade;
    int rungs;
  };
  const Case cases[] = {
      {ui::kVkSpace, 4.0, "4.0000", "すごい!", 6},
      {'Z', 3.8, "3.8000", "OK", 2},
      {ui::kVkReturn, 4.299, "4.2990", "OK", 2},
      {0, 4.3, "4.3000", "OK", 1},
      {'5', 4.5, "4.5000", "ちょっと、遠いなぁ。", 0},
      // Never let go: the timing ends by itself past three seconds over.
      {'X', -1, "7.0010", "ちょっと、遠いなぁ。", 0},
  };
  static const char* const kRungs[6] = {
      "OK! 薬草1個あげよう",       "ついてるねぇ。運が1あがるよ!",       "OK! さらに薬草3個あげよう",
      "うーん。力も2ついちゃうね", "すごいねぇ。最大体力も5アップだね!", "うーん。スコア10点つけちゃう"};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.time);
    messages.clear();
    const PlayerRecord before = seat();
    ScriptedRandom target{Range(3, 6, 4)};
    holdUntil(c.input, c.release);
    Init21TimeAttack(0);
    std::vector<std::string> want{"キーを押して４秒後に、放してください", std::string("あなたのタイム") + c.time + "秒",
                                  c.grade};
    want.insert(want.end(), kRungs, kRungs + c.rungs);
    EXPECT_EQ(messages, want);
    const PlayerRecord& p = seat();
    EXPECT_EQ(p.sDrug - before.sDrug, (c.rungs > 0 ? 1 : 0) + (c.rungs > 2 ? 3 : 0));
    EXPECT_EQ(p.sLuck - before.sLuck, c.rungs > 1 ? 1 : 0);
    EXPECT_EQ(p.sStr - before.sStr, c.rungs > 3 ? 2 : 0);
    EXPECT_EQ(p.sLifeMax - before.sLifeMax, c.rungs > 4 ? 5 : 0);
    EXPECT_EQ(p.sScore - before.sScore, c.rungs > 5 ? 10 : 0);
  }
}

// A click on "はい" whose release came with its press in one pump is not lost: the timing
// starts and ends at once, where the wait for a held press would go on for ever.
TEST_F(TimeAttackTest, AClickOnTheButtonIsAStartReleasedAtOnce) {
  ScriptedRandom target{Range(3, 6, 5)};
  program.backend().onIdle = [this] {
    UcButton& yes = frmMain().UcBtnMenu[0];
    if (yes.effectivelyVisible() && yes.Enabled()) clickAt(yes);
  };
  Init21TimeAttack(0);
  EXPECT_EQ(from("あなたのタイム0.0000秒"),
            (std::vector<std::string>{"あなたのタイム0.0000秒", "ちょっと、遠いなぁ。"}));
}

// The clock tells the truth for half a second, then shows figures from 0 to the target; a
// computer lets go by chance, at the earliest two seconds before the target.
TEST_F(TimeAttackTest, TheClockPretendsAfterHalfASecondAndAComputerLetsGoByChance) {
  seat().sUser = 2;
  ScriptedRandom script{Range(3, 6, 3)};
  // Every chance comes true at once: the first frame it may, the computer lets go.
  for (int i = 0; i < 5000; ++i) script.push(kYes);
  std::vector<double> pretended;
  program.backend().onIdle = [&] {
    const double t = sys::val(StopWatch(6, false));
    if (t > 0 && t < 1.0) pretended.push_back(static_cast<double>(script.draws()));
  };
  Init21TimeAttack(0);
  EXPECT_TRUE(said("あなたのタイム1.0000秒"));
  // Two chances a frame while the clock is honest, and one figure more once it pretends.
  ASSERT_GT(pretended.size(), 990u);
  EXPECT_EQ(pretended[100] - pretended[99], 2);
  EXPECT_EQ(pretended[800] - pretended[799], 3);
}

}  // namespace
