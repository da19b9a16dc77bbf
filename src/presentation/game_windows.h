// The small views over the board: each player's mini view in its status panel.
#pragma once

#include <cstdint>
#include <string>

// Player ID's mini view: the board with the pieces around its piece, magnified; the title logo
// once the piece has left the board at the top.
void WriteWindowMini(int32_t ID);

// Opens or redraws the event window for player ID (0 to 4; -1 the last one). Orign takes the
// background from the board without pieces.
void WriteWindow(int32_t ID, bool Orign = false, const std::string& wkTitle = "", bool iRefresh = false);
// Player ID's mini view magnified in the event window.
void WriteWindowCopy(int32_t ID);
