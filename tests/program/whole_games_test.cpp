// Whole games of the real program, headless: seeded games replay move for move, keep the rules
// after every turn, and a game left at any of its waits unwinds cleanly.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <tuple>

#include "presentation/main_form.h"
#include "presentation/menu.h"
#include "support/autoplay.h"
#include "support/floor_map.h"
#include "support/headless_program.h"

namespace {

using testing_support::Autoplay;
using testing_support::AutoplayOptions;
using testing_support::PlayedGame;

TEST(WholeGames, TheSameSeedPlaysTheSameGameMoveForMove) {
  testing_support::HeadlessProgram program(false);
  program.start(99);
  AutoplayOptions o{.seed = 5, .map = 1, .passLimit = 12};
  const PlayedGame first = Autoplay(program, o);
  ASSERT_TRUE(first.faults.empty()) << first.report();
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

// A short board of our own: one floor of six cells, the start on the left and the goal on the
// right, grass between. A human and a computer reach the goal in a few passes, with meetings,
// duels, treasure hunts and monster fights on the way.
void writeShortMap(const testing_support::HeadlessProgram& program) {
  testing_support::WriteFloorMap(program.folder().path(), "99-Short.map", {"00", "00", "40", "00"});
}

// The game is left at its k-th wait for the human ("戻る" on odd k, Escape on even k), for every
// k the game has, and "開始" then starts the next one fresh (the autoplay checks each game's
// first turn); the k past the last wait plays the game to its tally. Some of those waits are the
// human's battle menu and the sight of its shot in a duel: a fight left there has no outcome and
// leaves its boss unbeaten (the autoplay's checks).
TEST(WholeGames, AGameLeftAtAnyWaitUnwindsWithoutATally) {
  testing_support::HeadlessProgram program(false);
  writeShortMap(program);
  program.start(3);
  AutoplayOptions o{.seed = 4, .map = 4, .seats = {1, 2, 0, 0}, .humanSeed = 8};
  int32_t k = 1;
  std::set<std::string> leftIn;
  for (;; ++k) {
    SCOPED_TRACE(k);
    o.leaveAtWait = k;
    const PlayedGame g = Autoplay(program, o);
    ASSERT_TRUE(g.faults.empty()) << g.report();
    EXPECT_FALSE(GameLoopRunning());
    EXPECT_EQ(frmMain().PicStatusUp.Tag, "ゲーム");
    if (g.goal) break;  // no k-th wait: the game ran to its end
    ASSERT_TRUE(g.left);
    EXPECT_EQ(g.tallies, 0);
    leftIn.insert(g.leftIn + (k % 2 ? " 戻る" : " Escape"));
  }
  EXPECT_GT(k, 10);
  for (const char* in : {"battle 戻る", "battle Escape", "duel 戻る", "duel Escape"})
    EXPECT_TRUE(leftIn.count(in)) << in;
}

// Seeded games between four computers on the shipped maps, checked after every turn (the
// autoplay's checks: stats in their limits, pieces on cells they may stand on, the pass counter,
// and at the end one tally counted right). Every game must reach the goal within 130 passes: of
// 163 seeded games a map (seeds 1 to 100 and this test's own), the longest took 48 passes on
// 01-Standard, 30 on 02-Gentle and 64 on 03-Challenge (medians 25, 19 and 34), so a game twice as
// long as any seen is a fault. The sanitizer build plays fewer of the same games, bosses and all.
#ifdef __SANITIZE_ADDRESS__
constexpr int kGamesPerCase = 1, kCasesPerMap = 3;
#else
constexpr int kGamesPerCase = 3, kCasesPerMap = 6;
#endif
constexpr int32_t kPassBound = 130;

class ShippedMap : public ::testing::TestWithParam<std::tuple<int32_t, int>> {};

TEST_P(ShippedMap, EveryGameEndsAtTheGoal) {
  const auto [map, batch] = GetParam();
  testing_support::HeadlessProgram program(false);
  program.start(1);
  for (int n = 0; n < kGamesPerCase; ++n) {
    const AutoplayOptions o{
        .seed = static_cast<uint64_t>(100 * map + 10 * batch + n), .map = map, .passLimit = kPassBound};
    SCOPED_TRACE(o.seed);
    const PlayedGame g = Autoplay(program, o);
    ASSERT_TRUE(g.faults.empty()) << g.report();
    EXPECT_TRUE(g.goal) << g.log();
    EXPECT_EQ(g.tallies, 1);
    EXPECT_LE(g.passes, kPassBound);
    // Every game meets monsters and its fellow players; the routes of 01-Standard and
    // 03-Challenge lead past a boss, while 02-Gentle's leaves its bosses aside.
    EXPECT_GT(g.battles, 0);
    EXPECT_GT(g.duels, 0);
    if (map != 2) EXPECT_GT(g.bossesBeaten, 0);
  }
}

INSTANTIATE_TEST_SUITE_P(WholeGames, ShippedMap,
                         ::testing::Combine(::testing::Values(1, 2, 3), ::testing::Range(0, kCasesPerMap)));

}  // namespace
