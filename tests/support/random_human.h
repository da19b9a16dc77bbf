// A careless human: presses whatever is on show, at random. Whenever the program waits for input
// it clicks a menu button, types a menu key, presses the top bar ("保存", "画面", "最小化",
// "戻る"), Escape, or clicks anywhere; in a dialog it clicks any of its controls, types slot
// names of every kind and presses Return, Escape, Tab or Delete. Now and then it also presses
// between two frames, while the game is busy. Its random numbers are its own, so a seeded game
// replays whatever it does.
//
// It watches as it plays: a wait for input inside a game that was left, or a game bar without a
// game, is a stale phase; every slot it saved (and never offered to delete) must stay loadable.
#pragma once

#include <cstdint>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "backend/headless/headless_backend.h"
#include "support/headless_program.h"

namespace testing_support {

class RandomHuman {
 public:
  explicit RandomHuman(uint64_t seed);
  ~RandomHuman();
  RandomHuman(const RandomHuman&) = delete;
  RandomHuman& operator=(const RandomHuman&) = delete;

  // Plays through this backend's input from now on; detach() stops.
  void attach(ui::HeadlessBackend& backend);
  void detach();
  // Called at every timed wait: now and then a press while the program is busy.
  void betweenFrames();

  // Chance, per wait for input, of leaving the game by "戻る" or Escape.
  double leaveChance = 0.004;
  // Slots saved (lower case) and not offered for deletion since.
  const std::set<std::string>& saved() const { return saved_; }
  // Stale phases seen so far.
  std::vector<std::string> faults;
  int64_t actions = 0;
  int64_t saves = 0;
  std::mt19937_64& random() { return random_; }

 private:
  void act();
  void actInMain();
  void actInDialog();
  void watchDialog();
  void clickIn(const gfx::Rect& r);
  void pressTop(const std::string& tag);
  std::string randomName();
  bool chance(double p);
  template <class T>
  const T& pick(const std::vector<T>& v) {
    return v[std::uniform_int_distribution<size_t>(0, v.size() - 1)(random_)];
  }

  ui::HeadlessBackend* backend_ = nullptr;
  std::mt19937_64 random_;
  std::set<std::string> saved_;
  std::vector<std::string> names_;  // names typed so far, to type again
};

// Every slot the human saved, and every slot in the data folder, passes CheckSlot; the faults
// found otherwise.
std::vector<std::string> CheckSavedSlots(const RandomHuman& human);

struct RandomGamesOptions {
  uint64_t seed = 1;  // the whole run replays from it: maps, seats, games and the human's presses
  int games = 20;
  int32_t passLimit = 1000;
  bool withoutBosses = false;
  bool print = false;  // a line per game on the standard output
};

struct RandomGames {
  int played = 0, goals = 0, left = 0, resumed = 0, notLoaded = 0;
  int quits = 0;  // the program ended by a press on "終了" and started again
  int64_t actions = 0, saves = 0;
  // Every crash-free fault: rules broken, hangs, stale phases, slots lost; each names its game.
  std::vector<std::string> faults;
};

// Games on the shipped maps with random seats (one human at least), the human seats played by
// one RandomHuman for the whole run; after a game it left, the next one often starts with
// "読込み" instead. The slots are checked after every game.
RandomGames PlayRandomGames(HeadlessProgram& program, const RandomGamesOptions& options);

}  // namespace testing_support
