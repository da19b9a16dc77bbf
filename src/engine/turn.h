// What a turn's command does: roll and walk, eat a herb, hunt for treasure; the walk itself and
// the meeting of two players.
#pragma once

#include <cstdint>
#include <string>

// Carries out Command for seat ID; "もう一度" when the same player acts again, else "".
std::string Init12Action(int32_t ID, std::string Command, std::string Choice);
// Walks |MukiX| steps sideways and |MukiY| up or down, in the signs' directions.
void Init13Walk(int32_t wkID, int32_t MukiX, int32_t MukiY);
// Two players meet before their duel (nothing for the opponent slot 4).
void Init15Battle(int32_t ID, int32_t TkID);
// The treasure hunt: a happening of the accident table.
void BaseSearch(int32_t wkID);
