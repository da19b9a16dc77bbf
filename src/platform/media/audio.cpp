#include "media/audio.h"

#include <SDL.h>

#include <algorithm>
#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <set>
#include <utility>

#include "sys/clock.h"
#include "sys/profile.h"

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

// Pieces are measured at 11.025 kHz: twice as cheap as playing them, and within a few
// tenths of a decibel of the full rate's loudness (the peaks come out up to 1 dB low, which
// AudioEngine::kCeiling allows for).
constexpr int kMeterRate = 11025;

uint64_t fnv1a(std::string_view bytes, uint64_t h = 14695981039346656037ull) {
  for (unsigned char c : bytes) h = (h ^ c) * 1099511628211ull;
  return h;
}

// A soundfont changes its pieces' levels: the same file (name, size and time) keeps them.
uint64_t fontKey(const std::string& path) {
  std::error_code ec;
  auto size = std::filesystem::file_size(path, ec);
  auto time = std::filesystem::last_write_time(path, ec).time_since_epoch().count();
  return fnv1a(path + "|" + std::to_string(size) + "|" + std::to_string(time));
}

std::string keyText(uint64_t key) {
  char buf[17];
  std::snprintf(buf, sizeof buf, "%016" PRIx64, key);
  return buf;
}

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
      gain_(dbToGain(volumeDb_)) {
  mix_.resize(2 * kChunk);
  musicBuf_.resize(2 * kMusicFrames);
  startTick_ = sys::clock().now();
}

AudioEngine::~AudioEngine() {
  stopWorker();
  close();
  std::lock_guard lock(mutex_);
  music_.reset();
}

void AudioEngine::open() {
  close();
  output_ = wanted_ == Output::Null ? Output::Null : Output::Silent;
  driver_.clear();
  withoutDevice_ = false;
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
      withoutDevice_ = true;
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
    mixMusicLocked(mix_.data(), n);
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

void AudioEngine::mixMusicLocked(float* out, int frames) {
  if (!music_->isOpen()) return;
  while (frames > 0) {
    if (musicAt_ == kMusicFrames) {
      std::fill(musicBuf_.begin(), musicBuf_.end(), 0.0f);
      music_->render(musicBuf_.data(), kMusicFrames);
      musicAt_ = 0;
    }
    int n = std::min(frames, kMusicFrames - musicAt_);
    const float* from = musicBuf_.data() + 2 * musicAt_;
    for (int i = 0; i < 2 * n; ++i) out[i] += from[i];
    musicAt_ += n;
    out += 2 * n;
    frames -= n;
  }
}

void AudioEngine::dropRenderedMusicLocked() { musicAt_ = kMusicFrames; }

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
bool AudioEngine::musicOn() { LOCKED(musicState_ != MusicState::Off); }
bool AudioEngine::musicPlaying() { LOCKED(pending_ || music_->playing()); }
int AudioEngine::musicTick() { LOCKED(music_->tick()); }
double AudioEngine::musicGainDb() { LOCKED(musicGainDb_); }
#undef LOCKED

// ---- music ------------------------------------------------------------------------------

void AudioEngine::startMusic(const std::string& soundFont, const std::string& levelFile) {
  stopWorker();
  std::unique_ptr<MusicPlayer> old = std::make_unique<MusicPlayer>();
  {
    std::lock_guard lock(mutex_);
    catchUpLocked();
    music_.swap(old);
    dropRenderedMusicLocked();
    soundFont_ = soundFont;
    levelFile_ = levelFile;
    fontKey_ = fontKey(soundFont);
    pending_.reset();
    levels_.clear();
    toMeasure_.clear();
    musicGainDb_ = 0;
    // Nothing would ever hear it: neither the soundfont nor a note is worth a cycle.
    musicState_ = wanted_ == Output::Null || withoutDevice_ ? MusicState::Off : MusicState::Loading;
    if (musicState_ == MusicState::Loading) ensureWorkerLocked();
  }
}  // the old synthesiser goes here, outside the lock

bool AudioEngine::openMusic(const std::string& soundFont) {
  startMusic(soundFont);
  waitMusic();
  return musicOn();
}

void AudioEngine::waitMusic() {
  std::unique_lock lock(mutex_);
  idle_.wait(lock, [this] { return !workerBusy_; });
}

AudioEngine::Piece AudioEngine::pieceLocked(std::string_view midi) {
  return Piece{std::string(midi), fnv1a(midi, fontKey_), 1};
}

void AudioEngine::prepareMusic(std::string_view midi) {
  std::lock_guard lock(mutex_);
  if (musicState_ == MusicState::Off || !isMidiFile(midi)) return;
  Piece p = pieceLocked(midi);
  if (levels_.count(p.key)) return;
  toMeasure_.push_back(std::move(p));
  ensureWorkerLocked();
}

bool AudioEngine::playMusic(std::string_view midi, int times, std::string* error) {
  std::lock_guard lock(mutex_);
  catchUpLocked();
  if (musicState_ == MusicState::Off) {
    if (error) *error = "music is off";
    return false;
  }
  if (!isMidiFile(midi, error)) return false;
  music_->stop();
  dropRenderedMusicLocked();
  pending_ = pieceLocked(midi);
  pending_->times = times;
  if (!levels_.count(pending_->key)) {
    // Ahead of everything prepared: someone is waiting to hear it.
    toMeasure_.push_front(*pending_);
    ensureWorkerLocked();
  }
  return startPendingLocked(error);
}

void AudioEngine::stopMusic() {
  std::lock_guard lock(mutex_);
  catchUpLocked();
  pending_.reset();
  music_->stop();
  dropRenderedMusicLocked();
}

bool AudioEngine::startPendingLocked(std::string* error) {
  if (!pending_ || musicState_ == MusicState::Loading) return true;
  if (musicState_ == MusicState::Off) {
    pending_.reset();
    return true;
  }
  auto level = levels_.find(pending_->key);
  if (level == levels_.end()) return true;  // waits for its level
  Piece p = std::move(*pending_);
  pending_.reset();
  // A piece that could not be measured plays as it comes.
  musicGainDb_ = 0;
  if (level->second) {
    const MusicLevel& l = *level->second;
    musicGainDb_ = std::clamp(std::min(kLoudness - l.loudness, kCeiling - l.peak) - volumeDb_, -30.0, 12.0);
  }
  music_->setGain(dbToGain(musicGainDb_));
  std::string why;
  dropRenderedMusicLocked();
  if (music_->play(p.midi, p.times, &why)) return true;
  if (error)
    *error = why;
  else
    reportOnce("music: " + why);
  return false;
}

void AudioEngine::ensureWorkerLocked() {
  if (workerBusy_) return;
  // A worker that was busy before has ended: being idle was the last thing it did.
  if (worker_.joinable()) worker_.join();
  workerBusy_ = true;
  worker_ = std::thread(&AudioEngine::work, this);
}

void AudioEngine::stopWorker() {
  stopping_ = true;
  if (worker_.joinable()) worker_.join();
  stopping_ = false;
  std::lock_guard lock(mutex_);
  workerBusy_ = false;
}

void AudioEngine::work() {
  std::string font, levelFile;
  bool load;
  {
    std::lock_guard lock(mutex_);
    font = soundFont_;
    levelFile = levelFile_;
    load = musicState_ == MusicState::Loading;
  }
  if (load) {
    auto fresh = std::make_unique<MusicPlayer>();
    std::string error;
    bool ok = fresh->open(font, kRate, &error);
    {
      std::lock_guard lock(mutex_);
      if (ok) music_.swap(fresh);
      dropRenderedMusicLocked();
      musicState_ = ok ? MusicState::On : MusicState::Off;
      if (!ok) toMeasure_.clear();
      startPendingLocked(nullptr);
    }
    if (!ok) reportOnce(error + "; the game plays without music");
  }
  std::unique_ptr<MusicPlayer> meter;
  std::vector<sys::ProfileEntry> measured;
  for (;;) {
    Piece p;
    bool more;
    {
      std::lock_guard lock(mutex_);
      more = !stopping_ && musicState_ == MusicState::On && !toMeasure_.empty();
      if (more) {
        p = std::move(toMeasure_.front());
        toMeasure_.pop_front();
      }
    }
    if (!more) {
      // Everything heavy ends before the worker says it is idle: a join never waits on it.
      meter.reset();
      if (!measured.empty() && !levelFile.empty()) sys::writeProfileStrings(levelFile, measured);
      measured.clear();
      std::lock_guard lock(mutex_);
      if (!stopping_ && musicState_ == MusicState::On && !toMeasure_.empty()) continue;
      workerBusy_ = false;
      idle_.notify_all();
      return;
    }
    {
      std::lock_guard lock(mutex_);
      if (levels_.count(p.key)) continue;
    }
    MusicLevel level;
    bool known = false;
    const std::string key = keyText(p.key);
    if (!levelFile.empty()) {
      std::string text = sys::readProfileString(levelFile, "Levels", key);
      known = std::sscanf(text.c_str(), "%lf %lf", &level.loudness, &level.peak) == 2 &&
              std::isfinite(level.loudness) && std::isfinite(level.peak);
    }
    if (!known) {
      if (!meter) {
        meter = std::make_unique<MusicPlayer>();
        if (!meter->open(font, kMeterRate)) meter.reset();
      }
      known = meter && meter->measure(p.midi, level, stopping_);
      if (stopping_) continue;
      char text[64];
      std::snprintf(text, sizeof text, "%.2f %.2f", level.loudness, level.peak);
      if (known) measured.push_back({"Levels", key, text});
    }
    std::lock_guard lock(mutex_);
    levels_[p.key] = known ? std::optional(level) : std::nullopt;
    startPendingLocked(nullptr);
  }
}

void AudioEngine::setVolumeDb(double db) {
  std::lock_guard lock(mutex_);
  catchUpLocked();
  volumeDb_ = db;
  gain_ = dbToGain(db);
}

}  // namespace media
