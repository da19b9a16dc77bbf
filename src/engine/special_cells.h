// The cells that speak to a player: stop, toll gate, old man, god and goal.
#pragma once

#include <cstdint>

// Always false: the walk ends.
bool Init20Stop(int32_t wkID);
// Always true: the walk goes on.
bool Init20Ryokinjyo(int32_t wkID);
void Init20Roujin(int32_t wkID);
void Init20God(int32_t wkID);
void Init20Goal(int32_t wkID);
