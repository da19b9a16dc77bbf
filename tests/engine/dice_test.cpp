// The die: which face the strip stops on for the draws, the blank face's second draw, the
// score, the window on the player's panel and its pacing.
#include "engine/dice.h"

#include "engine_fixture.h"
#include "sys/clock.h"
#include "system/picture_store.h"
#include "system/utility.h"

namespace {

using DiceTest = EngineTest;

TEST_F(DiceTest, TheStripStopsOnAFaceAndTheBlankOneDrawsAgain) {
  // n + 1 faces scroll from the window's start; faces 6 5 4 3 2 1 blank from the strip's top.
  struct Case {
    double steps, start, second;
    int32_t value;
    int face;  // where the window stopped, in faces from the strip's top
  };
  const Case cases[] = {
      {0.0, 0.0, -1, 2, 4},      // 3 faces up from the top: wraps to face 4
      {0.0, 0.9, -1, 3, 3},      // from face 6 (the blank)
      {0.999, 0.999, -1, 1, 5},  // 8 faces from face 6
      {0.5, 0.9, -1, 6, 0},      // 6 faces from the blank, up to the strip's very top
      {0.0, 0.3, 0.95, 10, 6},   // stops on the blank: a second draw of 1 to 10
      {0.0, 0.3, 0.0, 1, 6},
  };
  PlayerRecord& p = seat(2, 2, 3, 2);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    p.sScore = 40;
    ScriptedRandom draws{c.steps, c.start};
    if (c.second >= 0) draws.push(c.second);
    EXPECT_EQ(Dice(2, true), c.value);
    EXPECT_EQ(draws.remaining(), 0u);
    EXPECT_EQ(p.sScore, 40 + c.value);
    const gfx::Surface& strip = frmPic().PicDice.surface();
    const gfx::Surface& window = frmMain().PicDiceIn.surface();
    for (int y = 0; y < 100; y += 7)
      for (int x = 0; x < 100; x += 7) ASSERT_EQ(window.pixel(x, y), strip.pixel(x, c.face * 100 + y)) << x << "," << y;
  }
  // The die sits on the player's panel in the menu's place, and stays up.
  MainForm& f = frmMain();
  EXPECT_EQ(f.PicDice.container(), &f.PicPlayer[2]);
  EXPECT_EQ(f.PicDice.rect(), f.PicMenu.rect());
  EXPECT_TRUE(f.PicDice.visible());
}

TEST_F(DiceTest, TheLastFourFacesSlowDownUnlessFastest) {
  seat(0, 2, 3, 2);
  sys::Clock& clock = sys::clock();
  auto rolled = [&](double steps, bool fastest) {
    WaitSec(Fixed::fromRaw(1));  // no time mark left over
    ScriptedRandom draws{steps, 0.0};
    const int64_t before = clock.now();
    Dice(0, fastest);
    return static_cast<double>(clock.now() - before) / static_cast<double>(clock.frequency());
  };
  EXPECT_EQ(rolled(0.999, true), 0.0);
  // Three faces, all slowing: 50 frames each, the wait 0.1 ms longer every fourth frame.
  double want = 0, delay = 0.0001;
  for (int f = 0; f < 150; ++f) {
    if (f % 50 % 4 == 0) delay += 0.0001;
    want += delay;
  }
  EXPECT_NEAR(rolled(0.0, false), want, 1e-6);
  // Eight faces: four at the first pace, then the last four slowing to 5.3 ms a frame.
  want = 200 * 0.0001;
  for (int f = 0; f < 200; ++f) {
    if (f % 50 % 4 == 0) delay = f == 0 ? 0.0002 : delay + 0.0001;
    want += delay;
  }
  EXPECT_NEAR(delay, 0.0053, 1e-9);
  EXPECT_NEAR(rolled(0.999, false), want, 1e-6);
}

}  // namespace
