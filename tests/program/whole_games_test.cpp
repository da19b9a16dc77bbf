// Whole games of the real program, headless: seeded games replay move for move, and a game
// left at any of its waits unwinds cleanly.
#include <gtest/gtest.h>

#include <string>

#include "presentation/main_form.h"
#include "presentation/menu.h"
#include "support/autoplay.h"
#include "support/headless_program.h"

namespace {

using testing_support::Autoplay;
using testing_support::AutoplayOptions;
using testing_support::PlayedGame;

std::string faults(const PlayedGame& g) {
  std::string s;
  for (const std::string& f : g.faults) s += f + "\n";
  return s + g.log();
}

TEST(WholeGames, TheSameSeedPlaysTheSameGameMoveForMove) {
  testing_support::HeadlessProgram program(false);
  program.start(99);
  AutoplayOptions o{.seed = 5, .map = 1, .passLimit = 12};
  const PlayedGame first = Autoplay(program, o);
  ASSERT_TRUE(first.faults.empty()) << faults(first);
  // A fresh program, and one that has just played another game.
  testing_support::HeadlessProgram again(false);
  again.start(1234);
  EXPECT_EQ(Autoplay(again, o).log(), first.log());
  o.seed = 6;
  const PlayedGame other = Autoplay(again, o);
  EXPECT_NE(other.log(), first.log());
  o.seed = 5;
  EXPECT_EQ(Autoplay(again, o).log(), first.log());
  EXPECT_GE(first.turns.size(), 12u * 4);
}

// Two human seats answered by a scripted player, two computers; the game is left at its k-th
// wait for a human ("戻る" on odd k, Escape on even k), for every k the game has; then "開始"
// starts the next one fresh.
TEST(WholeGames, AGameLeftAtAnyWaitUnwindsWithoutATally) {
  testing_support::HeadlessProgram program(false);
  program.start(3);
  AutoplayOptions o{.seed = 11, .map = 2, .seats = {1, 2, 1, 2}, .passLimit = 4, .humanSeed = 8};
  int32_t k = 1;
  for (;; ++k) {
    SCOPED_TRACE(k);
    o.leaveAtWait = k;
    const PlayedGame g = Autoplay(program, o);
    ASSERT_TRUE(g.faults.empty()) << faults(g);
    EXPECT_FALSE(GameLoopRunning());
    EXPECT_EQ(frmMain().PicStatusUp.Tag, "ゲーム");
    if (g.passes > o.passLimit) break;  // the game went past its last wait
    EXPECT_TRUE(g.left);
    EXPECT_EQ(g.tallies, 0);
  }
  EXPECT_GT(k, 8);
}

}  // namespace
