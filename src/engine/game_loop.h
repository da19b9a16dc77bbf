// The spine of a running game: passes over the seats until a player reaches the goal (then the
// tally) or the game is left.
#pragma once

#include <cstdint>

// Runs a whole game from its first pass to its end; returns when it has ended or was left.
void Init10GameLoop01();
// One pass over the seats; true when a player reached the goal and the pass ran to its end.
bool Init11GameTurn();
