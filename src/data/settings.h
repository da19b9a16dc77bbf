// The settings file: seat kinds and names, the display mode, three speeds and the map number.
#pragma once

#include <string>
#include <string_view>

// A settings file far larger than any the game writes is moved aside before the defaults are
// used, to the first free name of Vorak.Vrk.bad, Vorak.Vrk.2.bad ... up to this many; with all
// of them taken the last is replaced, so the earlier ones stay and the folder cannot fill up.
inline constexpr int kSettingsAsideMax = 5;

struct SettingsRead {
  bool setAside = false;  // the file was far too large to be ours: the defaults were used
  std::string asideName;  // the name it was moved to; empty when it could not be moved
};

// Reads PlayerKinds, PlayerNames, DisplayChanged (through the display-mode switch), Speeds and
// StageNo, with the defaults of a fresh install for whatever is missing.
SettingsRead LoadSettings(std::string_view fileName);
// Writes them back; other content of the file stays. False when the file could not be
// written; the file is then as it was.
bool SaveSettings(std::string_view fileName);
