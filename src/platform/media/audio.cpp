#include "media/audio.h"

#include <SDL.h>

#include <algorithm>
#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <set>
#include <utility>

#include "media/loudness.h"
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
  if (!playing_) return;
  Playback& p = *playing_;
  const Recording& r = *p.recording;
  const float gain = p.gain / (32768.0f / kPcmHeadroom);
  auto add = [&](float* to, int64_t frame) {
    const int16_t* s = r.blocks[static_cast<size_t>(frame / kBlockFrames)].data() + 2 * (frame % kBlockFrames);
    to[0] += s[0] * gain;
    to[1] += s[1] * gain;
  };
  for (int i = 0; i < frames; ++i, ++p.at) {
    const int64_t within = p.within();
    if (r.pass < 0) {
      if (within >= r.frames) return;  // the worker is behind: the music waits
      add(out + 2 * i, within);
      continue;
    }
    const int64_t round = p.at / std::max<int64_t>(r.pass, 1);
    const bool tail = round > 0 && round <= p.times && (!r.done || r.pass + within < r.frames);
    if (tail && r.pass + within >= r.frames) return;  // the tail is still being recorded
    if (round >= p.times && !tail) {
      playing_.reset();
      return;
    }
    if (round < p.times) add(out + 2 * i, within);
    if (tail) add(out + 2 * i, r.pass + within);
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
bool AudioEngine::musicOn() { LOCKED(musicState_ != MusicState::Off); }
bool AudioEngine::musicPlaying() { LOCKED(pending_ || (playing_ && playing_->inPass())); }
int AudioEngine::musicTick() {
  LOCKED(!playing_ ? -1 : [&] {
    const std::vector<int>& ticks = playing_->recording->ticks;
    return ticks[std::min(static_cast<size_t>(playing_->within() / kBlockFrames), ticks.size() - 1)];
  }());
}
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
    soundFont_ = soundFont;
    levelFile_ = levelFile;
    fontKey_ = fontKey(soundFont);
    pending_.reset();
    playing_.reset();
    levels_.clear();
    recordings_.clear();
    toRecord_.clear();
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
  if (recordings_.count(p.key)) return;
  toRecord_.push_back(std::move(p));
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
  playing_.reset();
  pending_ = pieceLocked(midi);
  pending_->times = times;
  if (!recordings_.count(pending_->key)) ensureWorkerLocked();
  return startPendingLocked(error);
}

void AudioEngine::stopMusic() {
  std::lock_guard lock(mutex_);
  catchUpLocked();
  pending_.reset();
  playing_.reset();
}

bool AudioEngine::startPendingLocked(std::string* error) {
  if (!pending_ || musicState_ == MusicState::Loading) return true;
  if (musicState_ == MusicState::Off) {
    pending_.reset();
    return true;
  }
  auto level = levels_.find(pending_->key);
  auto recording = recordings_.find(pending_->key);
  if (level == levels_.end() || recording == recordings_.end()) return true;  // waits for the worker
  if (!level->second) {
    // The synthesiser refused it.
    pending_.reset();
    if (error)
      *error = "cannot start the music";
    else
      reportOnce("music: cannot start the music");
    return false;
  }
  if (recording->second->frames == 0) return true;
  const MusicLevel& l = *level->second;
  musicGainDb_ = std::clamp(std::min(kLoudness - l.loudness, kCeiling - l.peak) - volumeDb_, -30.0, 12.0);
  recording->second->lastUse = ++uses_;
  playing_ = Playback{recording->second, std::max(1, pending_->times), 0, dbToGain(musicGainDb_)};
  pending_.reset();
  return true;
}

bool AudioEngine::nextToRecordLocked(Piece& p) {
  if (stopping_ || musicState_ != MusicState::On) return false;
  if (pending_ && !recordings_.count(pending_->key)) {
    p = *pending_;
    return true;
  }
  while (!toRecord_.empty()) {
    p = std::move(toRecord_.front());
    toRecord_.pop_front();
    if (!recordings_.count(p.key)) return true;
  }
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
      musicState_ = ok ? MusicState::On : MusicState::Off;
      if (!ok) toRecord_.clear();
      startPendingLocked(nullptr);
    }
    if (!ok) reportOnce(error + "; the game plays without music");
  }
  std::vector<sys::ProfileEntry> measured;
  for (;;) {
    Piece p;
    bool more;
    {
      std::lock_guard lock(mutex_);
      more = nextToRecordLocked(p);
    }
    if (!more) {
      // Everything heavy ends before the worker says it is idle: a join never waits on it.
      if (!measured.empty() && !levelFile.empty()) sys::writeProfileStrings(levelFile, measured);
      measured.clear();
      std::lock_guard lock(mutex_);
      if (nextToRecordLocked(p)) {
        toRecord_.push_front(std::move(p));
        continue;
      }
      workerBusy_ = false;
      idle_.notify_all();
      return;
    }
    MusicLevel level;
    bool known = false;
    {
      // Known already when an earlier recording gave way after its pass, or was forgotten.
      std::lock_guard lock(mutex_);
      auto it = levels_.find(p.key);
      if (it != levels_.end() && it->second) {
        level = *it->second;
        known = true;
      }
    }
    if (!known && !levelFile.empty()) {
      std::string text = sys::readProfileString(levelFile, "Levels", keyText(p.key));
      known = std::sscanf(text.c_str(), "%lf %lf", &level.loudness, &level.peak) == 2 &&
              std::isfinite(level.loudness) && std::isfinite(level.peak);
    }
    if (known) {
      std::lock_guard lock(mutex_);
      levels_[p.key] = level;
    }
    if (!record(p, known, measured)) {
      // Given way: recorded afresh when its turn comes again.
      std::lock_guard lock(mutex_);
      if (!stopping_) toRecord_.push_back(std::move(p));
    }
  }
}

bool AudioEngine::record(const Piece& p, bool levelKnown, std::vector<sys::ProfileEntry>& measured) {
  auto recording = std::make_shared<Recording>();
  const bool started = music_->play(p.midi, 1);
  {
    std::lock_guard lock(mutex_);
    if (!started) {
      levels_[p.key] = std::nullopt;
      recordings_[p.key] = recording;  // never tried again
      recording->done = true;
      startPendingLocked(nullptr);
      return true;
    }
    recordings_[p.key] = recording;
    recording->lastUse = ++uses_;
  }
  LoudnessMeter meter(kRate);
  std::vector<float> buf(2 * kBlockFrames);
  constexpr int kStep = 64;  // the synthesiser's own block: where a pass can end
  int64_t passEnd = -1, tail = 0;
  for (bool done = false; !done;) {
    {
      std::lock_guard lock(mutex_);
      const bool waitedFor = pending_ && pending_->key != p.key && !recordings_.count(pending_->key);
      if (stopping_ || waitedFor) {
        recordings_.erase(p.key);
        music_->stop();
        return false;
      }
    }
    const int tick = music_->tick();
    std::fill(buf.begin(), buf.end(), 0.0f);
    int passFrames = -1;  // where the pass ends in this block
    for (int f = 0; f < kBlockFrames; f += kStep) {
      music_->render(buf.data() + 2 * f, kStep);
      if (passEnd < 0 && passFrames < 0 && !music_->playing()) passFrames = f + kStep;
    }
    const int64_t at = recording->frames;
    if (passEnd < 0 && passFrames < 0 && at + kBlockFrames >= kMaxPassFrames) {
      music_->stop();  // the rest of a longer piece is never heard
      passEnd = at + kBlockFrames;
      done = true;
    }
    float peak = 0;
    std::vector<int16_t> block(2 * kBlockFrames);
    for (size_t i = 0; i < block.size(); ++i) {
      peak = std::max(peak, std::abs(buf[i]));
      const float v = std::clamp(buf[i] / kPcmHeadroom * 32768.0f, -32768.0f, 32767.0f);
      block[i] = static_cast<int16_t>(std::lrint(v));
    }
    if (passEnd < 0) {
      meter.add(buf.data(), passFrames < 0 ? kBlockFrames : passFrames);
      if (passFrames >= 0) passEnd = at + passFrames;
    } else if (!done) {
      // What rings on after the pass: until it falls below hearing.
      tail += kBlockFrames;
      done = peak < 1e-4f || tail >= kMaxTailFrames;
    }
    std::lock_guard lock(mutex_);
    recording->blocks.push_back(std::move(block));
    recording->ticks.push_back(tick);
    recording->frames += kBlockFrames;
    if (passEnd >= 0 && recording->pass < 0) {
      recording->pass = passEnd;
      if (!levelKnown) {
        levels_[p.key] = MusicLevel{meter.loudness(), meter.peak()};
        char text[64];
        std::snprintf(text, sizeof text, "%.2f %.2f", meter.loudness(), meter.peak());
        measured.push_back({"Levels", keyText(p.key), text});
      }
    }
    recording->done = done;
    forgetOldRecordingsLocked(recording.get());
    startPendingLocked(nullptr);
  }
  music_->stop();
  return true;
}

void AudioEngine::forgetOldRecordingsLocked(const Recording* recording) {
  for (;;) {
    size_t bytes = 0;
    auto oldest = recordings_.end();
    for (auto it = recordings_.begin(); it != recordings_.end(); ++it) {
      const Recording& r = *it->second;
      bytes += r.blocks.size() * kBlockFrames * 2 * sizeof(int16_t);
      const bool inUse = &r == recording || (playing_ && playing_->recording.get() == &r);
      if (!inUse && r.frames > 0 && (oldest == recordings_.end() || r.lastUse < oldest->second->lastUse)) oldest = it;
    }
    if (bytes <= kRecordedBytes || oldest == recordings_.end()) return;
    recordings_.erase(oldest);
  }
}

void AudioEngine::setVolumeDb(double db) {
  std::lock_guard lock(mutex_);
  catchUpLocked();
  volumeDb_ = db;
  gain_ = dbToGain(db);
}

}  // namespace media
