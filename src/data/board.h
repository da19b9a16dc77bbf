// Cell kinds and their codes, the board's cells and the map text file.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "data/game_data.h"

// Builds CellKindNames and CellKindParams from the three row texts of the kind table.
void InitCellKinds();

// The code value of a kind-table position: the hex digits of Column and Row, one after the other.
int32_t MakeCellCode(int32_t column, int32_t row);
// A code text read as a hex number; a text that is not one, or names no kind (above "FF"), reads 0.
int32_t CellCodeValue(std::string_view code);
std::string CellKindName(std::string_view code);
std::string CellKindParam(std::string_view code);
// The editor's tooltip for a code: the help text of its kind.
std::string CellHelpText(std::string_view code);

// ChipX and ChipY from the code's two characters (a missing or non-hex one counts 0), Code as given.
void SetMapCell(MapCell& cell, std::string_view code);

// Five empty floors with a wall row under each, over columns 0..30 of rows 0..9.
void NewBlankMap();

// Replaces the board's cells from a map file and redraws the board. False, with the board
// untouched, when the file cannot be read or holds no row.
bool ReadMapFile(std::string_view fileName);
// True when the file holds a whole board: ten rows of 24 to 32 codes of the kind table each.
// Changes nothing.
bool CheckMapFile(std::string_view fileName);
// Writes the played part of the board. False when the file could not be written; a good file
// that was there stays.
bool WriteMapFile(std::string_view fileName);
