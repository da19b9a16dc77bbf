// The slot machine of the inn and the game centre: nine reels in a 3 x 3 grid, eight lines, a
// replay line, a ladder of prizes and the payout counted out one GP at a time.
#pragma once

#include <array>
#include <cstdint>

// One visit of player wkID: spins until no replay is due, then the prizes and the payout.
void Init21Slot(int32_t wkID);

// The symbol a reel shows at strip position `pos` (1 to 266).
int32_t SlotSymbol(int32_t pos);
// Each line's points for the nine symbols in reading order: the symbol's points where the three
// cells of the line agree, 100 for a line of replays, 0 elsewhere.
std::array<int32_t, 8> SlotLineWins(const std::array<int32_t, 9>& symbols);
