// Whole games on the headless program: the seats set, the map chosen, "開始" pressed on the
// real top bar, and the game watched through its messages until it is over. Every turn is
// logged compactly and the game's rules are checked after it: the stats inside their limits,
// every piece on a cell it may stand on, the pass counter counting passes, the seats still
// themselves (the opponent slot never copied into one); every battle and duel with exactly one
// outcome, started by the seat whose turn it is, and a boss beaten only by a win (its meetings
// then read 10); and at the end one tally (counted right) after a goal, none after a leave,
// "おつかれさまでした" last and no game loop left on the stack. A seeded game replays move for
// move, so its log is its fingerprint.
//
//   testing_support::HeadlessProgram program(false);
//   program.start(seed);
//   PlayedGame g = Autoplay(program, {.seed = seed, .map = 2});
//   EXPECT_TRUE(g.goal) << g.log();
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "support/headless_program.h"

namespace testing_support {

class RandomHuman;

struct Turn {
  int32_t pass = 0;
  int32_t seat = 0;
  int32_t roll = 0;  // 0: no die rolled (a herb, a treasure hunt)
  // The piece's cell once the turn was over (row -1: it left the board).
  int32_t column = 0, row = 0;
  // The turn's messages without their markup, the turn line and the roll's line left out.
  std::vector<std::string> events;
  // "3.1 r5 (12,4) 宝箱を見つけた|..." : pass.seat, roll, cell, events.
  std::string text() const;
};

struct PlayedGame {
  std::vector<Turn> turns;
  int32_t passes = 0;   // the pass counter when the game was over
  bool goal = false;    // ended by a goal
  bool left = false;    // left, by the user or at the pass bound
  bool hung = false;    // stopped by the watchdog; the program was started again
  bool started = true;  // false: the human's "読込み" loaded nothing
  int32_t tallies = 0;
  // Fights fought to their outcome; bosses beaten among the battles.
  int32_t battles = 0, duels = 0, bossesBeaten = 0;
  // What was running when the game was left: "battle", "duel" or "".
  std::string leftIn;
  // Every rule broken, each with the turn it broke after.
  std::vector<std::string> faults;
  int64_t waits = 0;        // timed waits: one per frame drawn
  double gameSeconds = 0;   // how long the game lasts on the game's own clock
  std::string log() const;  // one line per turn
  // Every fault, one a line, then the log: what a failed check shows.
  std::string report() const;
};

struct AutoplayOptions {
  uint64_t seed = 1;
  int32_t map = 1;  // number of a shipped map (1 to 3)
  // 0 empty, 1 human, 2 computer. The human seats share one script that presses at once, so two
  // of them shoot alike in a duel and tie bout after bout: give a game one human.
  std::array<int32_t, 4> seats{2, 2, 2, 2};
  // A game still running when this pass would start is left (and reported as not ended).
  int32_t passLimit = 1000;
  // The human seats' own random numbers (never the game's).
  uint64_t humanSeed = 1;
  // Empties the bosses' cells of the map: until the fights are played a boss holds every piece
  // that comes to it.
  bool withoutBosses = false;
  // Leaves the game at the human seats' k-th wait: "戻る" on odd k, Escape on even k.
  int32_t leaveAtWait = 0;
  // Starts by loading this save slot with the title's "読込み" instead of pressing "開始": the
  // seats, the board and the turn come from the slot, and the map and seats above are unused.
  std::string load{};
  // Runs each time the program waits for input with nothing queued (a human seat's menu, a
  // dialog it opened), with their count; true when it acted itself, and the scripted player then
  // presses nothing.
  std::function<bool(int32_t wait)> atHumanWait{};
  // Plays the human seats instead of the scripted human (which only presses menu buttons).
  RandomHuman* randomHuman = nullptr;
  // With a random human: presses "読込み" instead of "開始", and the human picks a slot in the
  // dialog; the game resumes, or nothing starts when it cancels.
  bool resume = false;
  // The watchdog: this many timed waits (frames on the game's clock) without a message written
  // count as a hang. Counted in waits, not in seconds, so a slow machine never trips it.
  int64_t waitsWithoutMessage = 300000;
};

// Plays one game on a program standing on its title screen; it is back on the title after (a
// hung game is unwound by an exception from its wait and the program started again).
PlayedGame Autoplay(HeadlessProgram& program, const AutoplayOptions& options);

}  // namespace testing_support
