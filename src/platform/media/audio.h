// One audio stream: the sound slots and the music mixed together, played through SDL or,
// without a device, mixed silently into memory in step with the program's clock.
// Every method locks; the SDL callback is the only other thread and touches nothing else.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "media/mixer.h"
#include "media/music.h"

namespace media {

class AudioEngine {
 public:
  static constexpr int kRate = 44100;
  static constexpr int kDeviceFrames = 512;  // ~12 ms: keeps an effect's start well under 25 ms

  // Silent mixes in step with the program's clock into memory; Null keeps the sounds' timing
  // on that clock but mixes nothing (whole games run headless).
  enum class Output { Sdl, Silent, Null };

  AudioEngine(int slotCount, Output output);
  ~AudioEngine();
  AudioEngine(const AudioEngine&) = delete;
  AudioEngine& operator=(const AudioEngine&) = delete;

  // Sdl: the real device, else SDL's dummy driver, else silent. Problems are reported once
  // on stderr; the engine always works (an open that fails leaves it silent).
  void open();
  void close();
  // The output actually in use and, for Sdl, SDL's driver name ("" when silent).
  Output output() const { return output_; }
  std::string driver() const { return driver_; }

  // Sound slots (see Mixer). Out-of-range slots are ignored.
  int slotCount();
  void load(int slot, std::shared_ptr<const Wave> wave);
  bool loaded(int slot);
  int baseFrequency(int slot);
  int setFrequency(int slot, int hz);
  int frequency(int slot);
  void play(int slot, bool loop);
  void stop(int slot);
  bool playing(int slot);
  uint64_t framesPlayed(int slot);

  // Music. openMusic reports a missing soundfont once and leaves music off.
  bool openMusic(const std::string& soundFont);
  bool musicOn();
  bool playMusic(std::string_view midi, int times, std::string* error = nullptr);
  void stopMusic();
  bool musicPlaying();
  int musicTick();

  // The primary volume, in decibels (default -4.5 dB).
  void setVolumeDb(double db);

  // Mixes `frames` frames of 16-bit stereo into `out`: the SDL callback, the silent output
  // and the benchmarks use it.
  void render(int16_t* out, int frames);

  // Silent output: mixes up to the clock's present, at most the last 10 s of a longer gap
  // (the SDL output runs by itself).
  void catchUp();
  // Silent output: keeps what is mixed from now on, for tests (off by default).
  void setCapture(bool on);
  std::vector<int16_t> takeCaptured();
  // Output samples that went past full scale (and were rounded off) since the start.
  uint64_t clippedSamples() const { return clipped_.load(); }

 private:
  static void sdlCallback(void* self, uint8_t* stream, int len);
  void renderLocked(int16_t* out, int frames);
  void catchUpLocked();

  std::mutex mutex_;
  Mixer mixer_;
  std::unique_ptr<MusicPlayer> music_;
  Output output_;
  Output wanted_;
  uint32_t device_ = 0;
  bool ownSubsystem_ = false;
  std::string driver_;
  float gain_;
  std::vector<float> mix_;
  std::atomic<uint64_t> clipped_{0};
  // Silent output's clock.
  int64_t startTick_ = 0;
  uint64_t framesDone_ = 0;
  bool capture_ = false;
  std::vector<int16_t> captured_;
};

// Says `message` on stderr, prefixed with the program's name, the first time it is asked to.
void reportOnce(const std::string& message);

}  // namespace media
