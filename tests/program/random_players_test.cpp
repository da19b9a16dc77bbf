// Human seats played by a careless human who presses anything on show at random moments: the
// top bar, Escape, the menu keys, any spot of the window, the save dialog with names of every
// kind. No game may crash, hang, leave a stale phase or a stat outside its limits, or lose a
// slot it saved. The whole run replays from its seed.
#include <gtest/gtest.h>

#include "presentation/main_form.h"
#include "presentation/menu.h"
#include "support/autoplay.h"
#include "support/headless_program.h"
#include "support/random_human.h"

namespace {

#ifdef __SANITIZE_ADDRESS__
constexpr int32_t kPasses = 8;
#else
constexpr int32_t kPasses = 30;
#endif

TEST(RandomPlayers, TwentyGamesKeepEveryRuleAndEverySlot) {
  testing_support::HeadlessProgram program(false);
  program.start(1);
  const testing_support::RandomGames run =
      testing_support::PlayRandomGames(program, {.seed = 22, .games = 20, .passLimit = kPasses});
  std::string faults;
  for (const std::string& f : run.faults) faults += f + "\n";
  EXPECT_TRUE(run.faults.empty()) << faults;
  EXPECT_EQ(run.played, 20);
  // The run must reach the paths it is for: saves, loads, leaves (seed 22 does in both builds).
  EXPECT_GT(run.saves, 0);
  EXPECT_GT(run.resumed, 0);
  EXPECT_GT(run.left, 0);
}

// The watchdog: a game that stops writing is reported as hung, unwound, and the program started
// again is ready for the next game.
TEST(RandomPlayers, AHungGameIsReportedAndTheNextOnePlays) {
  testing_support::HeadlessProgram program(false);
  program.start(1);
  testing_support::AutoplayOptions o{.seed = 3, .map = 2, .passLimit = 3, .waitsWithoutMessage = 5};
  const testing_support::PlayedGame hung = Autoplay(program, o);
  EXPECT_TRUE(hung.hung);
  ASSERT_EQ(hung.faults.size(), 1u);
  EXPECT_NE(hung.faults[0].find("hung"), std::string::npos) << hung.faults[0];
  EXPECT_FALSE(GameLoopRunning());
  o.waitsWithoutMessage = 300000;
  const testing_support::PlayedGame next = Autoplay(program, o);
  EXPECT_FALSE(next.hung);
  EXPECT_TRUE(next.faults.empty()) << next.faults.front();
  EXPECT_EQ(next.passes, 4);
}

}  // namespace
