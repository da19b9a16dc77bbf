// The audio budget: eleven playing slots plus the densest piece must cost under 5 % of a
// core, and an effect must reach the output within 25 ms of PlaySound.
#include "system/media.h"

#include <SDL.h>
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <memory>
#include <thread>

#include "media/audio.h"
#include "sys/path.h"

namespace {

using media::AudioEngine;

std::shared_ptr<media::Wave> effect(const char* name) {
  auto w = std::make_shared<media::Wave>();
  if (!media::loadWave(std::string(VORAK_GAME_DIR) + "/Vorak-Wav/" + name, *w)) {
    w->rate = 22050;
    w->channels = 1;
    w->samples.assign(22050, 0.25f);
  }
  return w;
}

void BM_ElevenSlotsAndMusic(benchmark::State& state) {
  AudioEngine e(11, AudioEngine::Output::Silent);
  e.open();
  std::string midi;
  bool music = state.range(0) == 0 || (e.openMusic(media::defaultSoundFont()) &&
                                       sys::readFile(std::string(VORAK_GAME_DIR) + "/Vorak-Wav/Md-Battle.mid", midi) &&
                                       e.playMusic(midi, 100));
  e.waitMusic();  // the piece starts once its level is known
  if (!music) state.SkipWithError("no soundfont or no battle music");
  const char* names[] = {"QV-Dice.wav", "QV-STAGE.wav", "QV-FadeOut.wav", "QV-LVUP.wav"};
  for (int s = 0; s < 11; ++s) {
    e.load(s, effect(names[s % 4]));
    e.setFrequency(s, 16000 + 2000 * s);  // every slot resampled at its own rate
    e.play(s, true);
  }
  constexpr int kFrames = AudioEngine::kDeviceFrames;
  int16_t out[2 * kFrames];
  for (auto _ : state) {
    e.render(out, kFrames);
    benchmark::DoNotOptimize(out);
  }
  // Share of one core: processor time per second of audio, in percent.
  state.counters["core_percent"] =
      benchmark::Counter(static_cast<double>(kFrames) / AudioEngine::kRate / 100.0,
                         benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_ElevenSlotsAndMusic)->ArgName("music")->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

// Through the real SDL output (the dummy driver here keeps the device's own pace).
void BM_PlaySoundToFirstSample(benchmark::State& state) {
  if (!std::getenv("SDL_AUDIODRIVER")) setenv("SDL_AUDIODRIVER", "dummy", 0);
  AudioEngine e(11, AudioEngine::Output::Sdl);
  e.open();
  if (e.output() != AudioEngine::Output::Sdl) state.SkipWithError("no SDL audio output");
  e.load(1, effect("QV-Click.wav"));
  double worst = 0;
  for (auto _ : state) {
    auto start = std::chrono::steady_clock::now();
    e.play(1, false);
    while (e.framesPlayed(1) == 0) std::this_thread::yield();
    double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    worst = std::max(worst, s);
    state.SetIterationTime(s);
    e.stop(1);
    // Start at a random point of the device's period.
    std::this_thread::sleep_for(std::chrono::microseconds(1000 + 3777 * (state.iterations() % 5)));
  }
  state.counters["worst_ms"] = worst * 1000;
  state.counters["driver_" + e.driver()] = 1;
}
BENCHMARK(BM_PlaySoundToFirstSample)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(60);

// The game's PlaySound, switching the slot between two files so that every call loads one.
void BM_GamePlaySoundToFirstSample(benchmark::State& state) {
  if (!std::getenv("SDL_AUDIODRIVER")) setenv("SDL_AUDIODRIVER", "dummy", 0);
  SoundInit(10);
  AudioEngine& e = *Media().Sound;
  const std::string wav = std::string(VORAK_GAME_DIR) + "/Vorak-Wav/";
  const std::string files[] = {wav + "QV-Hit01.wav ", wav + "QV-Hit05.wav "};
  double worst = 0;
  for (auto _ : state) {
    auto start = std::chrono::steady_clock::now();
    PlaySound(1, files[state.iterations() % 2], false, true, false, 0);
    while (e.framesPlayed(1) == 0 && e.loaded(1)) std::this_thread::yield();
    double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    worst = std::max(worst, s);
    state.SetIterationTime(s);
    std::this_thread::sleep_for(std::chrono::microseconds(1000 + 3777 * (state.iterations() % 5)));
  }
  state.counters["worst_ms"] = worst * 1000;
  MediaReset();
}
BENCHMARK(BM_GamePlaySoundToFirstSample)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(60);

}  // namespace
