// A save slot: three files of one name in the data folder, the board (".MAP"), the game state
// (".DAT") and the monster table (".Mon"). A slot is written whole or not at all, and read only
// once all three files have been checked, so neither a failed save nor a damaged slot can leave
// half a game behind.
#pragma once

#include <array>
#include <string>
#include <string_view>

// The slot's files in the order they are written, read and tested for.
inline constexpr std::array<const char*, 3> kSlotExtensions = {".MAP", ".DAT", ".Mon"};

enum class SlotStatus {
  Ok,
  Missing,  // a file of the slot is not there, or the name can be no slot's
  Damaged,  // a file cannot be read or holds no game that can be played on
};

// A name that stays one file name inside the data folder: not empty, no folder separator or
// control character, not only dots.
bool SlotNameUsable(std::string_view name);
// The game path of one file of a slot (extension from kSlotExtensions).
std::string SlotFile(std::string_view name, std::string_view extension);

// Writes the running game into the slot, replacing an older save of it. False when any file
// could not be written; the older save then stays as it was.
bool SaveSlot(std::string_view name);
// Tests for the three files in order, then checks each one's contents. Changes nothing.
SlotStatus CheckSlot(std::string_view name);
// CheckSlot, then reads the board (redrawn), the game state and the monster table. Anything
// but Ok leaves the game as it was.
SlotStatus LoadSlot(std::string_view name);
// Deletes whatever there is of the slot's files; errors are ignored.
void DeleteSlot(std::string_view name);
// Mends the slots of a data folder that a save killed half way left with work files beside
// them: a save that had not finished gives way to the older save, which comes back from where
// it stepped aside (a name saved for the first time keeps the new save when its files make
// it whole); a save that had finished keeps its files and the older ones go. Run at start,
// while no save can be under way. Answers how many slots were mended.
int RecoverSlots();
