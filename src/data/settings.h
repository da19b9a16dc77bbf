// The settings file: seat kinds and names, the display mode, three speeds and the map number.
#pragma once

#include <string_view>

// Where a settings file far larger than any the game writes is moved before the defaults are used.
inline constexpr std::string_view kSettingsAsideSuffix = ".bad";

enum class SettingsRead {
  Read,      // the file, or the defaults for a missing file
  SetAside,  // the file was far too large to be ours: moved aside (when it could be), defaults used
};

// Reads PlayerKinds, PlayerNames, DisplayChanged (through the display-mode switch), Speeds and
// StageNo, with the defaults of a fresh install for whatever is missing.
SettingsRead LoadSettings(std::string_view fileName);
// Writes them back; other content of the file stays. False when the file could not be
// written; the file is then as it was.
bool SaveSettings(std::string_view fileName);
