#include "engine/accident.h"

// Not built yet: the procedure arrives with its own change; until then it does nothing.

void Accident(int32_t, std::string&) {}
