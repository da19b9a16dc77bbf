// A human player made of a script: whenever the program waits with nothing queued, it clicks one
// of the menu buttons on show (unless they are shown for a computer's turn), through the real
// window's input, chosen with random numbers of its
// own (the game's stream is never touched, so a seeded game replays whatever it presses).
#pragma once

#include <cstdint>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "backend/headless/headless_backend.h"

namespace testing_support {

class ScriptedHuman {
 public:
  ScriptedHuman(ui::HeadlessBackend& backend, uint64_t seed);
  ~ScriptedHuman();
  ScriptedHuman(const ScriptedHuman&) = delete;
  ScriptedHuman& operator=(const ScriptedHuman&) = delete;

  // The buttons on show, by index with their keys (Tags); the answer is the index to press.
  // Unset: any of them at random.
  std::function<int(const std::vector<int>& indexes, const std::vector<std::string>& keys)> choose;
  // Runs before each press; returning true means it acted itself (pressed something else).
  std::function<bool()> before;
  // Presses so far, and the key of the last one.
  int presses() const { return presses_; }
  const std::string& lastKey() const { return lastKey_; }
  std::mt19937_64& random() { return random_; }

 private:
  void act();

  ui::HeadlessBackend& backend_;
  std::mt19937_64 random_;
  int presses_ = 0;
  std::string lastKey_;
};

}  // namespace testing_support
