// Choosing the board by number from the map folder.
#pragma once

#include <cstdint>

// Lists the map folder's "*.Map" files in LstMap as "01/name", "02/name", ...
void Init02MapListRefresh();
// Loads map number wkMapID (wrapped into 1..count, corrected in place) and announces it.
void Init05MapSelect(int32_t& wkMapID);
// The selection line of the message window.
void WriteMapNumber(bool iVisible);
