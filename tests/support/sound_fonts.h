// The Debian General MIDI soundfonts that the test command installs. Tests name the one they
// use, so that whatever else is installed never changes a verdict.
#pragma once

namespace testing_support {

inline constexpr const char* kSmallSoundFont = "/usr/share/sounds/sf2/TimGM6mb.sf2";
inline constexpr const char* kLargeSoundFont = "/usr/share/sounds/sf2/FluidR3_GM.sf2";

}  // namespace testing_support
