// One audio stream: the sound slots and the music mixed together, played through SDL or,
// without a device, mixed silently into memory in step with the program's clock.
// Every method locks. Besides the caller's, two threads come in: the SDL callback, and the
// music's own worker while it loads the soundfont or measures a piece.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "media/mixer.h"
#include "media/music.h"

namespace media {

class AudioEngine {
 public:
  // The music is synthesised at this rate, and its cost grows with it: at 22.05 kHz, the rate
  // of the effects' files and of most of the small soundfont's samples, the idle title's music
  // costs 30 % less than at 32 kHz, and what goes (above 11 kHz) lies 32 to 37 dB below the
  // music. SDL converts to the device's own rate where it has to.
  static constexpr int kRate = 22050;
  static constexpr int kDeviceFrames = 512;  // 23 ms: an effect starts within 25 ms

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
  // True when the real device was asked for and none could be opened.
  bool withoutDevice() const { return withoutDevice_; }

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

  // Music. startMusic returns at once: the soundfont loads on the music's worker, and a piece
  // asked for meanwhile waits and starts the moment the synthesiser is ready. Every piece
  // plays at a level of its own (loudness kLoudness, peaks below kCeiling), measured on the
  // worker the first time it is asked for and kept in `levelFile` (when given) for later runs.
  // A missing or broken soundfont is reported once and leaves music off; so does an output
  // nobody hears (Null, or the stand-in for a missing device).
  void startMusic(const std::string& soundFont, const std::string& levelFile = "");
  // startMusic, then waitMusic; true when music is on.
  bool openMusic(const std::string& soundFont);
  // Blocks until the worker has nothing left to do.
  void waitMusic();
  // False once the soundfont is known to be missing or broken (true while it loads).
  bool musicOn();
  // Measures a piece ahead of its first play (on the worker, when it has time).
  void prepareMusic(std::string_view midi);
  bool playMusic(std::string_view midi, int times, std::string* error = nullptr);
  void stopMusic();
  // True from playMusic until the last pass ends or stopMusic, waiting time included.
  bool musicPlaying();
  int musicTick();
  // The gain of the piece playing, in dB (0 until its level is known).
  double musicGainDb();

  // Where every piece lands at the output: its loudness (LUFS), unless its peaks would then
  // pass the ceiling (dBFS, with a decibel of room for what the measurement misses).
  static constexpr double kLoudness = -20;
  static constexpr double kCeiling = -4;

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
  // Adds the music, rendered a burst ahead (kMusicFrames): a device period at a time the
  // synthesiser starts cold far more often and costs a good deal more. Stopping or changing
  // the piece drops what was rendered ahead.
  void mixMusicLocked(float* out, int frames);
  void dropRenderedMusicLocked();
  void catchUpLocked();

  struct Piece {
    std::string midi;
    uint64_t key = 0;  // the soundfont's and the file's fingerprint
    int times = 1;
  };
  Piece pieceLocked(std::string_view midi);
  // Starts the waiting piece once the synthesiser and its level are there.
  bool startPendingLocked(std::string* error);
  void ensureWorkerLocked();
  void stopWorker();
  void work();

  std::mutex mutex_;
  Mixer mixer_;
  std::unique_ptr<MusicPlayer> music_;
  Output output_;
  Output wanted_;
  uint32_t device_ = 0;
  bool ownSubsystem_ = false;
  bool withoutDevice_ = false;
  std::string driver_;
  double volumeDb_ = -4.5;
  float gain_;
  std::vector<float> mix_;
  static constexpr int kMusicFrames = 2048;
  std::vector<float> musicBuf_;
  int musicAt_ = kMusicFrames;
  std::atomic<uint64_t> clipped_{0};
  // Silent output's clock.
  int64_t startTick_ = 0;
  uint64_t framesDone_ = 0;
  bool capture_ = false;
  std::vector<int16_t> captured_;
  // Music: the soundfont, its state, the piece waiting to start, the levels known, the
  // pieces waiting to be measured, and the worker.
  enum class MusicState { Off, Loading, On };
  MusicState musicState_ = MusicState::Off;
  std::string soundFont_;
  std::string levelFile_;
  uint64_t fontKey_ = 0;
  std::optional<Piece> pending_;
  std::map<uint64_t, std::optional<MusicLevel>> levels_;  // by piece; none: could not be measured
  std::deque<Piece> toMeasure_;
  double musicGainDb_ = 0;
  std::thread worker_;
  bool workerBusy_ = false;
  std::atomic<bool> stopping_{false};
  std::condition_variable idle_;
};

// Says `message` on stderr, prefixed with the program's name, the first time it is asked to.
void reportOnce(const std::string& message);

}  // namespace media
