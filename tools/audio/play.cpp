// Developer check: plays effects and a piece through the real SDL output, one after another,
// the way the game does. With SDL_AUDIODRIVER=disk the output lands in a file for sox.
#include <chrono>
#include <cstdio>
#include <memory>
#include <thread>

#include "audio.h"
#include "media/audio.h"
#include "sys/path.h"

namespace audio {

bool playFiles(const std::vector<std::string>& files, double musicSeconds) {
  media::AudioEngine engine(11, media::AudioEngine::Output::Sdl);
  engine.open();
  std::printf("output: %s at %d Hz\n",
              engine.output() == media::AudioEngine::Output::Sdl ? engine.driver().c_str() : "silent",
              media::AudioEngine::kRate);
  bool ok = true;
  for (const std::string& f : files) {
    std::string bytes;
    if (!sys::readFile(f, bytes)) {
      std::fprintf(stderr, "%s: cannot read\n", f.c_str());
      ok = false;
      continue;
    }
    if (media::isMidiFile(bytes)) {
      if (!engine.musicOn() && !engine.openMusic(media::defaultSoundFont())) return false;
      engine.playMusic(bytes, 1);
      engine.waitMusic();
      std::this_thread::sleep_for(std::chrono::duration<double>(musicSeconds));
      engine.stopMusic();
      continue;
    }
    auto wave = std::make_shared<media::Wave>();
    std::string error;
    if (!media::parseWave(bytes, *wave, &error)) {
      std::fprintf(stderr, "%s: %s\n", f.c_str(), error.c_str());
      ok = false;
      continue;
    }
    engine.load(1, wave);
    engine.play(1, false);
    auto until = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (engine.playing(1) && std::chrono::steady_clock::now() < until)
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    std::this_thread::sleep_for(std::chrono::milliseconds(60));  // let the device drain
  }
  engine.close();
  return ok;
}

}  // namespace audio
