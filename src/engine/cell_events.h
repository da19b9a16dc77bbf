// What the cell under and beneath a piece does once it has stopped moving.
#pragma once

#include <cstdint>

void Init13StopMap(int32_t wkID);
