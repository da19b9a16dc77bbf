#include "engine/battle_commands.h"

// Not built yet: the procedure arrives with its own change; until then it does nothing.

bool UseDrug(int32_t) { return false; }
