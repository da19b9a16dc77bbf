#include "media/audio.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <set>
#include <utility>

#include "sys/clock.h"

namespace media {
namespace {

constexpr int kChunk = 1024;
constexpr float kKnee = 0.8f;

std::mutex gReportMutex;
std::set<std::string>& reported() {
  static std::set<std::string> s;
  return s;
}

float dbToGain(double db) { return static_cast<float>(std::pow(10.0, db / 20.0)); }

}  // namespace

void reportOnce(const std::string& message) {
  std::lock_guard lock(gReportMutex);
  if (reported().insert(message).second) std::fprintf(stderr, "VorakTalmor: %s\n", message.c_str());
}

AudioEngine::AudioEngine(int slotCount, Output output)
    : mixer_(slotCount, kRate),
      music_(std::make_unique<MusicPlayer>()),
      output_(Output::Silent),
      wanted_(output),
      gain_(dbToGain(-4.5)) {
  mix_.resize(2 * kChunk);
  startTick_ = sys::clock().now();
}

AudioEngine::~AudioEngine() {
  close();
  std::lock_guard lock(mutex_);
  music_.reset();
}

void AudioEngine::open() {
  close();
  output_ = wanted_ == Output::Null ? Output::Null : Output::Silent;
  driver_.clear();
  if (wanted_ == Output::Sdl) {
    auto tryOpen = [this]() -> bool {
      if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
      ownSubsystem_ = true;
      // A driver that sees no device at all: opening it would only fill stderr with its complaints.
      std::string name = SDL_GetCurrentAudioDriver() ? SDL_GetCurrentAudioDriver() : "";
      if (name != "dummy" && name != "disk" && SDL_GetNumAudioDevices(0) == 0) {
        SDL_SetError("%s finds no output device", name.c_str());
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        ownSubsystem_ = false;
        return false;
      }
      SDL_AudioSpec want{}, have{};
      want.freq = kRate;
      want.format = AUDIO_S16SYS;
      want.channels = 2;
      want.samples = kDeviceFrames;
      want.callback = &AudioEngine::sdlCallback;
      want.userdata = this;
      device_ = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
      if (device_ == 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        ownSubsystem_ = false;
        return false;
      }
      return true;
    };
    bool ok = tryOpen();
    if (!ok) {
      reportOnce(std::string("no sound device (") + SDL_GetError() + "); the game runs silently");
      // The dummy driver keeps the callback and so the music's clock running.
      SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, "dummy", SDL_HINT_OVERRIDE);
      ok = tryOpen();
    }
    if (ok) {
      const char* name = SDL_GetCurrentAudioDriver();
      driver_ = name ? name : "";
      output_ = Output::Sdl;
    }
  }
  {
    std::lock_guard lock(mutex_);
    startTick_ = sys::clock().now();
    framesDone_ = 0;
  }
  if (device_) SDL_PauseAudioDevice(device_, 0);
}

void AudioEngine::close() {
  // Never while holding the lock: closing waits for the callback to return.
  const bool up = SDL_WasInit(SDL_INIT_AUDIO) != 0;  // SDL_Quit may have closed everything already
  if (device_ && up) SDL_CloseAudioDevice(device_);
  device_ = 0;
  if (ownSubsystem_ && up) SDL_QuitSubSystem(SDL_INIT_AUDIO);
  ownSubsystem_ = false;
  output_ = Output::Silent;
}

void AudioEngine::sdlCallback(void* self, uint8_t* stream, int len) {
  auto* e = static_cast<AudioEngine*>(self);
  std::lock_guard lock(e->mutex_);
  e->renderLocked(reinterpret_cast<int16_t*>(stream), len / 4);
}

void AudioEngine::render(int16_t* out, int frames) {
  std::lock_guard lock(mutex_);
  renderLocked(out, frames);
}

void AudioEngine::renderLocked(int16_t* out, int frames) {
  while (frames > 0) {
    int n = std::min(frames, kChunk);
    std::fill(mix_.begin(), mix_.begin() + 2 * n, 0.0f);
    mixer_.mix(mix_.data(), n);
    music_->render(mix_.data(), n);
    uint64_t clipped = 0;
    for (int i = 0; i < 2 * n; ++i) {
      float v = mix_[static_cast<size_t>(i)] * gain_;
      // Rare peaks (two loud effects over the music) are rounded off above -2 dBFS instead
      // of being cut flat, which would click.
      float a = std::abs(v);
      if (a > kKnee) {
        if (a >= 1.0f) ++clipped;
        a = kKnee + (1.0f - kKnee) * std::tanh((a - kKnee) / (1.0f - kKnee));
        v = v < 0 ? -a : a;
      }
      out[i] = static_cast<int16_t>(std::lrint(std::clamp(v * 32768.0f, -32768.0f, 32767.0f)));
    }
    if (clipped) clipped_ += clipped;
    out += 2 * n;
    frames -= n;
  }
}

void AudioEngine::catchUpLocked() {
  if (output_ == Output::Sdl) return;
  sys::Clock& c = sys::clock();
  int64_t elapsed = c.now() - startTick_;
  if (elapsed <= 0) return;
  const int64_t f = c.frequency();
  auto due = static_cast<uint64_t>(elapsed / f * kRate + elapsed % f * kRate / f);
  if (due <= framesDone_) return;
  uint64_t todo = due - framesDone_;
  if (output_ == Output::Null) {
    mixer_.skip(todo);
    framesDone_ = due;
    return;
  }
  // After a long idle stretch only the last few seconds are mixed; skipping the rest keeps
  // every call quick (a dense piece costs about 20 ms per second of music).
  constexpr uint64_t kMaxFrames = 10ull * kRate;
  if (todo > kMaxFrames) todo = kMaxFrames;
  int16_t buf[2 * kChunk];
  while (todo > 0) {
    int n = static_cast<int>(std::min<uint64_t>(todo, kChunk));
    renderLocked(buf, n);
    if (capture_) captured_.insert(captured_.end(), buf, buf + 2 * n);
    todo -= static_cast<uint64_t>(n);
  }
  framesDone_ = due;
}

void AudioEngine::catchUp() {
  std::lock_guard lock(mutex_);
  catchUpLocked();
}

void AudioEngine::setCapture(bool on) {
  std::lock_guard lock(mutex_);
  catchUpLocked();
  capture_ = on;
  captured_.clear();
}

std::vector<int16_t> AudioEngine::takeCaptured() {
  std::lock_guard lock(mutex_);
  catchUpLocked();
  return std::exchange(captured_, {});
}

#define LOCKED(expr)            \
  std::lock_guard lock(mutex_); \
  catchUpLocked();              \
  return expr

int AudioEngine::slotCount() { LOCKED(mixer_.slotCount()); }
void AudioEngine::load(int slot, std::shared_ptr<const Wave> wave) { LOCKED(mixer_.load(slot, std::move(wave))); }
bool AudioEngine::loaded(int slot) { LOCKED(mixer_.loaded(slot)); }
int AudioEngine::baseFrequency(int slot) { LOCKED(mixer_.baseFrequency(slot)); }
int AudioEngine::setFrequency(int slot, int hz) { LOCKED(mixer_.setFrequency(slot, hz)); }
int AudioEngine::frequency(int slot) { LOCKED(mixer_.frequency(slot)); }
void AudioEngine::play(int slot, bool loop) { LOCKED(mixer_.play(slot, loop)); }
void AudioEngine::stop(int slot) { LOCKED(mixer_.stop(slot)); }
bool AudioEngine::playing(int slot) { LOCKED(mixer_.playing(slot)); }
uint64_t AudioEngine::framesPlayed(int slot) { LOCKED(mixer_.framesPlayed(slot)); }
bool AudioEngine::musicOn() { LOCKED(music_->isOpen()); }
bool AudioEngine::musicPlaying() { LOCKED(music_->playing()); }
int AudioEngine::musicTick() { LOCKED(music_->tick()); }
void AudioEngine::stopMusic() { LOCKED(music_->stop()); }
bool AudioEngine::playMusic(std::string_view midi, int times, std::string* error) {
  LOCKED(music_->play(midi, times, error));
}
#undef LOCKED

bool AudioEngine::openMusic(const std::string& soundFont) {
  // Loading the soundfont takes a while: do it outside the lock, then swap it in.
  auto fresh = std::make_unique<MusicPlayer>();
  std::string error;
  bool ok = fresh->open(soundFont, kRate, &error);
  if (!ok) {
    reportOnce(error + "; the game plays without music");
    return false;
  }
  {
    std::lock_guard lock(mutex_);
    catchUpLocked();
    music_.swap(fresh);
  }
  return true;  // the old player goes here, outside the lock
}

void AudioEngine::setVolumeDb(double db) {
  std::lock_guard lock(mutex_);
  catchUpLocked();
  gain_ = dbToGain(db);
}

}  // namespace media
