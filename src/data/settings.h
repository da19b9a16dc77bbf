// The settings file: seat kinds and names, the display mode, three speeds and the map number.
#pragma once

#include <string_view>

// Reads PlayerKinds, PlayerNames, DisplayChanged (through the display-mode switch), Speeds and
// StageNo, with the defaults of a fresh install for whatever is missing.
void LoadSettings(std::string_view fileName);
// Writes them back; other content of the file stays. False when the file could not be
// written; the file is then as it was.
bool SaveSettings(std::string_view fileName);
