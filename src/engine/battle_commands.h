// What a fighter can do besides attacking.
#pragma once

#include <cstdint>

// Eats one herb of record index; true when one was eaten, else says why not.
bool UseDrug(int32_t index);
