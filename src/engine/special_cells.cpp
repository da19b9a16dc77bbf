#include "engine/special_cells.h"

// Not built yet: the procedure arrives with its own change; until then it does nothing.

bool Init20Stop(int32_t) { return false; }

bool Init20Ryokinjyo(int32_t) { return true; }

void Init20Roujin(int32_t) {}

void Init20God(int32_t) {}

void Init20Goal(int32_t) {}
