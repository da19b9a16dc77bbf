// The random happenings of the board: found herbs, dropped money, falls and the like.
#pragma once

#include <cstdint>
#include <string>

// Happening wkAct for player ID; an empty wkAct is chosen here and written back.
void Accident(int32_t ID, std::string& wkAct);
