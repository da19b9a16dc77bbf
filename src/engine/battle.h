// One battle between a player and the opponent slot: turns of attack, herb, flight and the
// secret move until one side falls or flees, then the spoils.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "data/game_data.h"

// No winner: the game was left before the battle ended.
inline constexpr int32_t kNoWinner = -1;

// Fights player against opponent (4 from both callers); with ambush 1 the opponent acts first.
// winner receives the winner's index (a side that flees loses), or kNoWinner when the game was
// left during the battle. Leaves CurrentPlayer at the player.
void Init31AttackSet(int32_t player, int32_t opponent, int32_t ambush, int32_t& winner);

// Record id of Players: a seat (0 to 3) or the opponent slot (4).
inline PlayerRecord& Fighter(int32_t id) { return Game().Players[static_cast<size_t>(id)]; }

// A record's name as messages write it: its colour tags, the name, the default colours again.
std::string FighterName(int32_t id);
