#include "engine/turn.h"

// Not built yet: the procedure arrives with its own change; until then it does nothing.

std::string Init12Action(int32_t, std::string, std::string) { return ""; }

void Init13Walk(int32_t, int32_t, int32_t) {}

void Init15Battle(int32_t, int32_t) {}

void BaseSearch(int32_t) {}
