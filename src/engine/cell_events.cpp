#include "engine/cell_events.h"

// Not built yet: the procedure arrives with its own change; until then it does nothing.

void Init13StopMap(int32_t) {}
