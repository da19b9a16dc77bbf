// How every rule of the game draws its chances, so that each reads as it is written and a seeded
// game replays draw for draw:
//
//   // "X with 50 %, else Y with 30 %, else Z": the draws stop at the first success.
//   std::string cry = ChanceChain<std::string>({{Percent(50), "X"}, {Percent(30), "Y"}}, "Z");
//   // A chance tied to other conditions is drawn whatever they hold.
//   if (ChanceAnd(Percent(30), herbs >= 6)) ...
#pragma once

#include <cstdint>
#include <initializer_list>
#include <utility>

// One chance of a rule: RandomPercent(value) or RandomOneIn(value).
struct Chance {
  enum class Kind { Percent, OneIn };
  Kind kind;
  double value;
  // Draws it from the game's one stream.
  bool draw() const;
};
constexpr Chance Percent(double percent) { return {Chance::Kind::Percent, percent}; }
constexpr Chance OneIn(double n) { return {Chance::Kind::OneIn, n}; }

// Draws the chances in order and stops at the first that comes true: its index, or -1 when none
// did (then every one of them was drawn).
int32_t FirstChance(std::initializer_list<Chance> chain);

// The outcome paired with the first chance that comes true; `otherwise` when none does.
template <typename T>
T ChanceChain(std::initializer_list<std::pair<Chance, T>> chain, T otherwise) {
  for (const auto& [chance, outcome] : chain)
    if (chance.draw()) return outcome;
  return otherwise;
}

// Draws the chance even when `condition` is false, since skipping the draw would shift every
// later one; true when both hold.
bool ChanceAnd(Chance chance, bool condition);
