// The one random stream of the game. Every chance draws from it in order, so tests script it.
#pragma once

#include <cstdint>
#include <cstddef>
#include <deque>
#include <initializer_list>

// Uniform in [0, 1).
double Rnd();
// Reseeds the stream (start-up seeds it from the clock).
void RandomSeed(uint64_t seed);

// While alive, Rnd() returns these values in order, then falls back to the seeded stream.
// Tests use it to force the outcome of each chance without hunting for seeds.
class ScriptedRandom {
 public:
  ScriptedRandom(std::initializer_list<double> values);
  ~ScriptedRandom();
  ScriptedRandom(const ScriptedRandom&) = delete;
  ScriptedRandom& operator=(const ScriptedRandom&) = delete;
  void push(double v) { queue_.push_back(v); }
  size_t remaining() const { return queue_.size(); }
  // How many values were drawn while this script was installed.
  size_t draws() const { return draws_; }

 private:
  friend double Rnd();
  std::deque<double> queue_;
  size_t draws_ = 0;
  ScriptedRandom* previous_;
};
