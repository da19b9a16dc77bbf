#include "engine/duel.h"

// Not built yet: the procedure arrives with its own change; until then it does nothing.

void Init40AttackUser(int32_t&, int32_t&) {}
