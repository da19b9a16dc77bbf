// vorak-audio effects FILE OUTDIR | tunes OUTDIR FILE... | render MID WAV SECONDS | play SECONDS FILE...
#include <cstdio>
#include <cstdlib>
#include <string>

#include "audio.h"

int main(int argc, char** argv) {
  std::string mode = argc > 1 ? argv[1] : "";
  if (mode == "effects" && argc == 4) return audio::makeEffects(argv[2], argv[3]) ? 0 : 1;
  if (mode == "tunes" && argc >= 4) {
    bool ok = true;
    for (int i = 3; i < argc; ++i) ok = audio::makeTune(argv[i], argv[2]) && ok;
    return ok ? 0 : 1;
  }
  if (mode == "render" && argc == 5) return audio::renderTune(argv[2], argv[3], std::atof(argv[4])) ? 0 : 1;
  if (mode == "play" && argc >= 4) return audio::playFiles({argv + 3, argv + argc}, std::atof(argv[2])) ? 0 : 1;
  std::fputs(
      "usage: vorak-audio effects FILE OUTDIR | tunes OUTDIR FILE... | render MID WAV SECONDS\n"
      "       vorak-audio play MUSIC_SECONDS FILE...\n",
      stderr);
  return 2;
}
