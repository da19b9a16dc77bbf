// The map editor's file dialogs: opening a map file into the board and saving the board.
#pragma once

#include <string>

// The open dialog on the map folder; a chosen file is read into the board.
void LoadMapMae();
// The save dialog with wkFileName proposed; true once the board was written to the chosen file.
// Cancelling, or a file that could not be written (then said in a message box), is no save.
bool SavedMapMae(const std::string& wkFileName);
