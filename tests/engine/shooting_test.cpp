#include "engine/shooting.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/facility_fixture.h"
#include "presentation/menu.h"
#include "support/draws.h"
#include "system/random.h"

using namespace testing_support;

namespace {

TEST(ShootingGallery, AnArrowHitsATargetOnlyWellInsideIt) {
  for (int i = 0; i < 4; ++i) MatoList()[static_cast<size_t>(i)] = {50 * i, 50, i, ""};
  struct Shot {
    int32_t x, target;
  };
  const Shot shots[] = {{0, -1}, {10, 0}, {20, 0}, {30, 0},  {40, -1}, {50, -1}, {58, -1}, {59, 1},
                        {60, 1}, {80, 1}, {89, 1}, {90, -1}, {130, 2}, {170, 3}, {189, 3}, {200, -1}};
  for (const Shot& s : shots) EXPECT_EQ(ShatekiTargetAt(s.x), s.target) << s.x;
}

class ShootingTest : public FacilityTest {
 protected:
  void SetUp() override {
    FacilityTest::SetUp();
    seat().sUser = 1;
    seat().sMoney = 10;
    seat().sDrug = 1;
    Game().CurrentPlayer = 0;
    // The shopkeeper's "はい" is answered; each frame of the aim goes to `aiming`.
    program.backend().onIdle = [this] {
      ui::ImageControl& arrow = frmMain().ImgArrow;
      UcButton& yes = frmMain().UcBtnMenu[0];
      if (!arrow.visible() && yes.effectivelyVisible() && yes.Enabled()) clickAt(yes);
      if (arrow.visible() && arrow.Tag.empty() && Menu().MenuCommand == "はい" && aiming) aiming(arrow);
    };
  }
  // Lets the arrow fly when its point is at x: a click in the window, on the arrow, or "はい".
  enum How { kWindow, kArrow, kButton };
  void shootAt(int32_t x, How how) {
    aiming = [this, x, how](ui::ImageControl& arrow) {
      if (arrow.left() + arrow.width() / 2 != x) return;
      if (how == kWindow) clickAt(frmMain().PicWin, 5, 150);
      if (how == kArrow) clickAt(arrow);
      if (how == kButton) clickAt(frmMain().UcBtnMenu[0]);
    };
  }
  std::function<void(ui::ImageControl&)> aiming;
};

TEST_F(ShootingTest, TheTargetStruckGivesItsPrize) {
  const std::string me = seat().sName;
  struct Case {
    int32_t x;
    How how;
    std::vector<double> prize;
    std::vector<std::string> said;
    int32_t gp, herbs, str;
  };
  // Targets: herbs, money, blank, power.
  const Case cases[] = {
      {20, kWindow, {Range(1, 3, 2)}, {"店主「お見事」", me + "は、薬草を2コ手に入れた！"}, 0, 2, 0},
      {70, kArrow, {Range(1, 7, 5)}, {"店主「お見事」", me + "は、8GP手に入れた！"}, 8, 0, 0},
      {170, kButton, {Range(1, 5, 5)}, {"店主「お見事」", me + "は、力が5アップした！"}, 0, 0, 5},
      {120, kWindow, {kYes, Range(1, 3, 1)}, {"店主「よくぞ挑んだ」", me + "は、薬草を1コ手に入れた！"}, 0, 1, 0},
      {130, kWindow, {kNo, Range(1, 7, 1)}, {"店主「よくぞ挑んだ」", me + "は、4GP手に入れた！"}, 4, 0, 0},
      {50, kWindow, {}, {"店主「ありゃー、残念だったねぇ」"}, 0, 0, 0},
      {200, kWindow, {}, {"店主「ありゃー、残念だったねぇ」"}, 0, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.x);
    messages.clear();
    const PlayerRecord before = seat();
    ScriptedRandom script{0.1, 0.3, 0.6, 0.9, Range(1, 90, 30)};
    for (double d : c.prize) script.push(d);
    shootAt(c.x, c.how);
    int32_t arrowTop = -1;
    onMessage = [&](const std::string& m) {
      if (m == c.said.front()) arrowTop = frmMain().ImgArrow.top();
    };
    Init21InnShateki(0);
    EXPECT_EQ(script.remaining(), 0u);
    EXPECT_EQ(from(c.said.front()), c.said);
    EXPECT_EQ(seat().sMoney - before.sMoney, c.gp);
    EXPECT_EQ(seat().sDrug - before.sDrug, c.herbs);
    EXPECT_EQ(seat().sStr - before.sStr, c.str);
    // A miss drops the arrow 26 pixels from the top of the rail; a hit sticks in its board.
    EXPECT_EQ(arrowTop, c.herbs + c.gp + c.str == 0 ? 102 : 81 - 16);
    EXPECT_FALSE(frmMain().ImgArrow.visible());
    EXPECT_TRUE(frmMain().PicWinBase.visible());
  }
  EXPECT_EQ(messages.front(), "店主「当たったらあげるよ。用意はいいかい？");
}

TEST_F(ShootingTest, FourTargetsMayShowOnePrizeAndTheArrowRunsAtItsDrawnPace) {
  ScriptedRandom script{Range(0, 3, 3), Range(0, 3, 3),   Range(0, 3, 3),
                        Range(0, 3, 3), Range(1, 90, 90), Range(1, 5, 1)};
  std::vector<double> steps;
  aiming = [&](ui::ImageControl& arrow) {
    if (steps.empty() || steps.back() != seconds()) steps.push_back(seconds());
    if (arrow.left() + 16 == 20) clickAt(frmMain().PicWin, 5, 5);
  };
  Init21InnShateki(0);
  for (const MatoRec& m : MatoList()) EXPECT_EQ(m.Name, "パワー");
  EXPECT_TRUE(said(seat().sName + "は、力が1アップした！"));
  // 60, 70, ..., 200, 0, 10, 20: eighteen places, 0.09 seconds apart.
  ASSERT_EQ(steps.size(), 18u);
  EXPECT_NEAR(steps.back() - steps.front(), 17 * 0.09, 1e-6);
}

// No rule sends a computer here; one that comes anyway lets go within a lap of the rail.
TEST_F(ShootingTest, AComputerLetsGoOfTheArrowWithinALap) {
  seat().sUser = 2;
  ScriptedRandom script{0.1, 0.3, 0.6, 0.9, Range(1, 90, 90)};
  int steps = 0;
  aiming = [&](ui::ImageControl&) { ++steps; };
  Init21InnShateki(0);
  // 60 to 200, then 0 to 50: the arrow lets go at 50, between two targets.
  EXPECT_EQ(steps, 21);
  EXPECT_EQ(messages.back(), "店主「ありゃー、残念だったねぇ」");
  EXPECT_FALSE(frmMain().ImgArrow.visible());
}

}  // namespace
