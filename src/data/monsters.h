// The monster table and the monster list file: one line of 14 comma-separated fields a monster.
#pragma once

#include <string>
#include <string_view>

#include "data/game_data.h"

// Monsters becomes exactly the 25 built-in rows.
void InitMonsterTable();
// Applies one line: the table is cut or grown so that the line's number is its last index,
// and that entry takes the line's values. A malformed line (too few fields, a number that
// does not read, a number below 0 or of 1,000,000 and more, a monster number above 999)
// changes nothing; the result says whether the line was applied.
bool ParseMonsterLine(std::string_view line);
// Applies every non-empty line of the file; false when it cannot be read.
bool LoadMonsterFile(std::string_view fileName);
// Writes every entry as one line; false when the file could not be written.
bool SaveMonsterFile(std::string_view fileName);
// The line SaveMonsterFile writes for entry `index`.
std::string MonsterLine(const PlayerRecord& monster, int index);
