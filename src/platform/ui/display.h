// Display modes as the platform listed them, and the switch to the game's full-screen mode.
#pragma once

#include <string>
#include <vector>

#include "ui/backend.h"

namespace ui {

// Every mode of the screen, in the platform's order (by bits per pixel, then width, then
// height). The game's own 800 x 600 modes are always among them: where the screen has no
// such mode they are a full-screen view of the window, scaled and letterboxed.
std::vector<DisplayMode> listDisplayModes();
// The desktop's own mode (the one stored as its setting) and the mode in effect now.
DisplayMode storedDisplayMode();
DisplayMode currentDisplayMode();
// Switches to one of the listed modes (not stored). False, and nothing changes, when the
// mode is not listed or the switch failed.
bool setDisplayMode(const DisplayMode& m);
// Back to the desktop's own mode and the normal window.
bool restoreDisplayMode();

// "800×600ピクセル 16ビット": the mode list's text.
std::string displayModeText(const DisplayMode& m);
// "800×600 16ビット": the labels' text.
std::string displayModeLabel(const DisplayMode& m);

}  // namespace ui
