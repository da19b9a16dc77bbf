// The board picture: every visible cell drawn from its code over the sky of its row, kept a
// second time without pieces, and the start cell found on the way.
#pragma once

#include <cstdint>

struct BoardDrawState {
  // The sheet's see-through colour for every tile and sprite of the board, and the colour of
  // the holes in the crack, pond and split-hole tiles; both read from the tile sheet at every
  // DrawMap.
  int32_t MapMaskColor = 0;
  int32_t MapHoleColor = 0;
};
BoardDrawState& boardDraw();

// Paints columns 0..23 and rows 0..9 of Board into frmMain's PicMap, copies the result into
// PicMapUra and sets StartX/StartY (column 0, row 8 when the board has no start cell). While a
// game runs the start cell is drawn as plain floor.
void DrawMap();

// Lets the data layer's readers redraw the board (Hooks().DrawMap).
void InstallDrawMapHook();
