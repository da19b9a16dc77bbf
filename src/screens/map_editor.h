// The map editor: tiles dragged from the palette onto the board or from cell to cell, the
// Shift fill and the right-click erase, its file dialogs, and the main window's other pointer
// handlers (the help tooltips of the palette, the board and the status panels, and dragging
// the window by its top strip).
#pragma once

#include <cstdint>
#include <string>

// Picks the palette tile under the pointer and drags it (any button).
void PicEditMap_MouseDown(int32_t Button, int32_t Shift, int32_t X, int32_t Y);
// Shows the floating tile, lets the pointer drag it and drops its code on the board cell that
// holds the point 12 pixels inside its top-left corner. Outside the played cells nothing changes.
void DragPicBox();
// In the editor: the right button empties the cell; any other picks the cell's tile up as a
// copy, after filling the rectangle from the last drop when only Shift is held.
void PicMap_MouseDown(int32_t Button, int32_t Shift, int32_t X, int32_t Y);

// The help text of the tile or board cell under the pointer becomes the tooltip.
void PicEditMap_MouseMove(int32_t Button, int32_t Shift, int32_t X, int32_t Y);
void PicMap_MouseMove(int32_t Button, int32_t Shift, int32_t X, int32_t Y);
// A status panel's tooltip: life, experience or strength and luck, by where the pointer is.
void PicPlayer_MouseMove(int32_t Index, int32_t Button, int32_t Shift, int32_t X, int32_t Y);
// Any button on the top strip moves the borderless window.
void PicStatusUp_MouseDown(int32_t Button, int32_t Shift, int32_t X, int32_t Y);

// Marks the board as edited or not; "上書" is offered exactly while it is.
void SetMapChanged(bool changed);

// The open dialog on the map folder; a chosen file is read into the board (a file that cannot
// be read is said in a message box and leaves the board as it was).
void LoadMapMae();
// The save dialog with wkFileName proposed; true once the board was written to the chosen file.
// Cancelling, or a file that could not be written (then said in a message box), is no save.
bool SavedMapMae(const std::string& wkFileName);
