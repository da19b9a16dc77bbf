#include <gtest/gtest.h>

#include <cstdlib>

#include "sound_fonts.h"

int main(int argc, char** argv) {
  // No window or sound device in tests unless the caller asks for one.
  setenv("SDL_VIDEODRIVER", "dummy", 0);
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  // The program's own soundfont choice, whatever the machine has and the caller's setting.
  setenv("VORAK_SOUNDFONT", testing_support::kSmallSoundFont, 1);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
