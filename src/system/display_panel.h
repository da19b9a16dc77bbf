// The display-mode panel of the picture store: the list of the screen's modes and the switch to
// the game's own mode and back. The panel itself is never shown; the toggle key and the end of
// the program use DispSet and DispUndo.
#pragma once

struct PictureStore;

// Connects the panel's button to CmdSetCRT_Click; the store does this when it is made.
void WireDisplayPanel(PictureStore& store);
// Fills lstCrt with every mode's text, in the platform's order.
void ListDisplayModes();
// The stored and the current mode into the labels; the current mode into txtCrtBack.
void ShowCurrentSettings();
// Switches to the listed mode of that size and depth; false (screen untouched) when not listed.
bool DispSet(int Width, int Height, int Bits);
// Back to the desktop's stored mode.
bool DispUndo();
// Applies the mode selected in lstCrt.
void CmdSetCRT_Click();
