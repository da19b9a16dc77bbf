#include <gtest/gtest.h>

#include <cstdlib>

#include "sound_fonts.h"

// Sanitizer settings live in the program, so that ctest, a debugger and a plain run all agree.
extern "C" const char* __asan_default_options() { return "detect_leaks=1:abort_on_error=1"; }
extern "C" const char* __ubsan_default_options() { return "print_stacktrace=1:halt_on_error=1"; }
// Caches that libraries keep until the process ends are not leaks of ours: fontconfig parses
// its configuration once and frees it only in FcFini.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }

int main(int argc, char** argv) {
  // No window or sound device in tests unless the caller asks for one.
  setenv("SDL_VIDEODRIVER", "dummy", 0);
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  // The program's own soundfont choice, whatever the machine has and the caller's setting.
  setenv("VORAK_SOUNDFONT", testing_support::kSmallSoundFont, 1);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
