// How a computer seat chooses its direction.
#pragma once

#include <cstdint>

// -1 walks left, +1 right.
int32_t ThinkComputer(int32_t wkID);
