// Developer check: renders a MIDI file through the game's own audio engine into a WAVE file,
// to look at its levels (sox) without a sound card.
#include <cstdio>
#include <fstream>
#include <vector>

#include "audio.h"
#include "media/audio.h"
#include "sys/path.h"

namespace audio {

bool renderTune(const std::string& midiPath, const std::string& wavPath, double seconds) {
  std::string bytes;
  if (!sys::readFile(midiPath, bytes)) {
    std::fprintf(stderr, "%s: cannot read\n", midiPath.c_str());
    return false;
  }
  media::AudioEngine engine(11, media::AudioEngine::Output::Silent);
  if (!engine.openMusic(media::defaultSoundFont())) return false;
  std::string error;
  if (!engine.playMusic(bytes, 1, &error)) {
    std::fprintf(stderr, "%s: %s\n", midiPath.c_str(), error.c_str());
    return false;
  }
  engine.waitMusic();  // the piece starts once its level is measured
  auto frames = static_cast<size_t>(seconds * media::AudioEngine::kRate);
  std::vector<int16_t> pcm(2 * frames);
  engine.render(pcm.data(), static_cast<int>(frames));
  std::ofstream(wavPath, std::ios::binary) << media::encodeWave16(pcm, media::AudioEngine::kRate, 2);
  std::printf("%s: %llu samples clipped\n", midiPath.c_str(), static_cast<unsigned long long>(engine.clippedSamples()));
  return true;
}

}  // namespace audio
