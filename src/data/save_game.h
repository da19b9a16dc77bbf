// The game state of a save slot: one INI section per seat and one for the whole game.
#pragma once

#include <string_view>

// Writes PLAYER0..PLAYER3 and ALL, key by key in record order. False when the file could not
// be written; the file is then as it was.
bool SaveGameData(std::string_view fileName);
// Reads every key back; a missing key or a value that does not convert keeps the previous
// value, and values that would break the game are mended. Ends with SetSouba(SoubaText).
// False, with nothing changed, when the file cannot be read.
bool LoadGameData(std::string_view fileName);
// True when the file holds a game that can be played on: every key the writer writes, numbers
// that read and lie within what play can reach, life within its maximum, at least one seat
// taken, the seat to resume 0 to 3 and five market prices. Changes nothing.
bool CheckGameData(std::string_view fileName);
