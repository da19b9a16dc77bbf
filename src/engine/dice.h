// The game's die: a strip of faces scrolling through a window on the player's panel.
#pragma once

#include <cstdint>

// Rolls for seat wkID, adds the value to its score and returns it (1 to 10). Fastest draws the
// frames without waiting.
int32_t Dice(int32_t wkID, bool Fastest = false);
// Asks for any key and waits for a key or mouse button.
void GetAnyKey();
