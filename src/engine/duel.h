// Two players who meet on a cell fight it out.
#pragma once

#include <cstdint>

void Init40AttackUser(int32_t& ID, int32_t& TkID);
