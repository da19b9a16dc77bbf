// The small views over the board: each player's mini view in its status panel.
#pragma once

#include <cstdint>

// Player ID's mini view: the board with the pieces around its piece, magnified; the title logo
// once the piece has left the board at the top.
void WriteWindowMini(int32_t ID);
