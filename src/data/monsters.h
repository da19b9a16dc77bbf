// The monster table and the monster list file: one line of 14 comma-separated fields a monster.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "data/game_data.h"

// The built-in table's size; the bosses are its last rows.
inline constexpr int32_t kBuiltInMonsterCount = 25;

// Monsters becomes exactly the 25 built-in rows.
void InitMonsterTable();
// Applies one line: the table is cut or grown so that the line's number is its last index,
// and that entry takes the line's values. A malformed line (too few fields, a number that
// does not read, a number below 0 or of 1,000,000 and more, a monster number above 999)
// changes nothing; the result says whether the line was applied.
bool ParseMonsterLine(std::string_view line);
// The monster number of a line that ParseMonsterLine would apply; nothing for a malformed one.
std::optional<int32_t> MonsterLineNumber(std::string_view line);
// Applies every non-empty line of the file; false when it cannot be read.
bool LoadMonsterFile(std::string_view fileName);
// True when the file holds a whole table as the writer writes it: well-formed lines numbered
// 0, 1, 2 ... with no gap, at least the built-in rows. Changes nothing.
bool CheckMonsterFile(std::string_view fileName);
// Writes every entry as one line; false when the file could not be written.
bool SaveMonsterFile(std::string_view fileName);
// The line SaveMonsterFile writes for entry `index`.
std::string MonsterLine(const PlayerRecord& monster, int index);
