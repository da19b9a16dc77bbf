#include "media/music.h"

#include <fluidsynth.h>
#include <omp.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <mutex>
#include <vector>

#include "media/audio.h"
#include "media/loudness.h"

namespace media {
namespace {

uint32_t be32(std::string_view b, size_t at) {
  return static_cast<uint32_t>(static_cast<uint8_t>(b[at])) << 24 |
         static_cast<uint32_t>(static_cast<uint8_t>(b[at + 1])) << 16 |
         static_cast<uint32_t>(static_cast<uint8_t>(b[at + 2])) << 8 |
         static_cast<uint32_t>(static_cast<uint8_t>(b[at + 3]));
}

bool fail(std::string* error, std::string why) {
  if (error) *error = std::move(why);
  return false;
}

// FluidSynth's chatter (missing instruments, file notes) is not the player's business; a real
// error is said once, not at every pass of a looping piece.
void logQuietly(int level, const char* message, void*) {
  if (level <= FLUID_ERR) reportOnce(std::string("music: ") + message);
}

// A variable-length number of at most four bytes, inside [at, end).
bool readVar(std::string_view b, size_t& at, size_t end, uint32_t& v) {
  v = 0;
  for (int i = 0; i < 4 && at < end; ++i) {
    auto c = static_cast<uint8_t>(b[at++]);
    v = v << 7 | (c & 0x7f);
    if (!(c & 0x80)) return true;
  }
  return false;
}

// Walks the events of the track in [at, end): false when one does not fit.
bool scanTrack(std::string_view b, size_t at, size_t end, MidiInfo& info) {
  uint8_t running = 0;
  while (at < end) {
    uint32_t delta, length;
    if (!readVar(b, at, end, delta) || at >= end) return false;
    auto status = static_cast<uint8_t>(b[at]);
    if (status & 0x80)
      ++at;
    else if (running)
      status = running;
    else
      return false;
    if (status < 0xf0) {
      running = status;
      size_t n = (status & 0xe0) == 0xc0 ? 1 : 2;  // program and channel pressure have one data byte
      if (end - at < n) return false;
      if ((status & 0xf0) == 0xb0 && (b[at + 1] & 0x7f) != 0) {
        info.reverb = info.reverb || b[at] == 91;
        info.chorus = info.chorus || b[at] == 93;
      }
      at += n;
      continue;
    }
    running = 0;
    if (status == 0xff && at++ >= end) return false;  // the meta event's type
    if (status != 0xff && status != 0xf0 && status != 0xf7) return false;
    if (!readVar(b, at, end, length) || end - at < length) return false;
    at += length;
  }
  return true;
}

}  // namespace

bool isMidiFile(std::string_view b, std::string* error, MidiInfo* info) {
  if (b.size() < 14 || b.substr(0, 4) != "MThd" || be32(b, 4) < 6) return fail(error, "not a standard MIDI file");
  size_t tracks = static_cast<uint8_t>(b[10]) << 8 | static_cast<uint8_t>(b[11]);
  if (tracks == 0) return fail(error, "MIDI file without tracks");
  MidiInfo found;
  size_t at = 8 + be32(b, 4);
  for (size_t t = 0; t < tracks; ++t) {
    if (at + 8 > b.size()) return fail(error, "MIDI file cut short");
    uint32_t len = be32(b, at + 4);
    bool isTrack = b.substr(at, 4) == "MTrk";
    if (isTrack && len > b.size() - at - 8) return fail(error, "MIDI track cut short");
    if (isTrack && !scanTrack(b, at + 8, at + 8 + len, found))
      return fail(error, "MIDI track " + std::to_string(t + 1) + " ends inside an event");
    at += 8 + len;
  }
  if (info) *info = found;
  return true;
}

std::string defaultSoundFont() {
  // Debian points default-GM.sf2 at the best General MIDI soundfont installed, or at the one
  // the administrator chose.
  for (const char* p : {"/usr/share/sounds/sf2/default-GM.sf2", "/usr/share/sounds/sf2/FluidR3_GM.sf2",
                        "/usr/share/sounds/sf2/TimGM6mb.sf2"}) {
    std::error_code ec;
    if (std::filesystem::is_regular_file(p, ec)) return p;
  }
  return "";
}

MusicPlayer::~MusicPlayer() { close(); }

bool MusicPlayer::open(const std::string& soundFont, int rate, std::string* error) {
  close();
  static std::once_flag logSet;
  std::call_once(logSet, [] {
    for (int level : {FLUID_PANIC, FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG})
      fluid_set_log_function(level, logQuietly, nullptr);
  });
  std::error_code ec;
  if (soundFont.empty() || !std::filesystem::is_regular_file(soundFont, ec))
    return fail(error,
                soundFont.empty() ? "no General MIDI soundfont installed" : "soundfont " + soundFont + " missing");
  settings_ = new_fluid_settings();
  if (!settings_) return fail(error, "cannot set up the synthesiser");
  rate_ = rate;
  fluid_settings_setnum(settings_, "synth.sample-rate", rate);
  // One core, no threads of its own: the audio callback renders it.
  fluid_settings_setint(settings_, "synth.cpu-cores", 1);
  fluid_settings_setstr(settings_, "player.timing-source", "sample");
  // The larger soundfonts keep dozens of notes ringing far below hearing (layered and long
  // released samples); 64 voices cut those first and leave what is heard alone (the music
  // what it takes away stays 40 dB below the music).
  fluid_settings_setint(settings_, "synth.polyphony", 64);
  // The default gain is far too quiet next to the effects; the engine sets each piece's level.
  fluid_settings_setnum(settings_, "synth.gain", 0.9);
  fluid_settings_setnum(settings_, "synth.reverb.room-size", 0.55);
  fluid_settings_setnum(settings_, "synth.reverb.damp", 0.35);
  fluid_settings_setnum(settings_, "synth.reverb.width", 0.9);
  fluid_settings_setnum(settings_, "synth.reverb.level", 0.45);
  fluid_settings_setint(settings_, "synth.chorus.nr", 3);
  fluid_settings_setnum(settings_, "synth.chorus.level", 1.2);
  fluid_settings_setnum(settings_, "synth.chorus.speed", 0.3);
  fluid_settings_setnum(settings_, "synth.chorus.depth", 4.0);
  synth_ = new_fluid_synth(settings_);
  if (!synth_) {
    close();
    return fail(error, "cannot set up the synthesiser");
  }
  // The library reads the samples with a team of threads, one per core, which then linger
  // for the life of the program; the load runs off the window's thread anyway.
  omp_set_num_threads(1);
  if (fluid_synth_sfload(synth_, soundFont.c_str(), 1) == FLUID_FAILED) {
    close();
    return fail(error, "soundfont " + soundFont + " unreadable");
  }
  return true;
}

void MusicPlayer::close() {
  stop();
  if (synth_) delete_fluid_synth(synth_);
  if (settings_) delete_fluid_settings(settings_);
  synth_ = nullptr;
  settings_ = nullptr;
}

bool MusicPlayer::play(std::string_view midi, int times, std::string* error) {
  if (!synth_) return fail(error, "music is off");
  MidiInfo info;
  if (!isMidiFile(midi, error, &info)) return false;
  stop();
  // The effects cost their time whether anything reaches them or not.
  fluid_synth_reverb_on(synth_, -1, info.reverb);
  fluid_synth_chorus_on(synth_, -1, info.chorus);
  // A stopped player only pauses; a fresh one starts at the top.
  player_ = new_fluid_player(synth_);
  if (!player_) return fail(error, "cannot start the music");
  fluid_player_set_loop(player_, std::max(1, times));
  if (fluid_player_add_mem(player_, midi.data(), midi.size()) != FLUID_OK || fluid_player_play(player_) != FLUID_OK) {
    stop();
    return fail(error, "cannot start the music");
  }
  return true;
}

void MusicPlayer::stop() {
  if (player_) {
    fluid_player_stop(player_);
    delete_fluid_player(player_);
    player_ = nullptr;
  }
  // Notes held by the old piece would otherwise ring on through the next one.
  if (synth_) fluid_synth_system_reset(synth_);
}

bool MusicPlayer::playing() const {
  if (!player_ || fluid_player_get_status(player_) != FLUID_PLAYER_PLAYING) return false;
  int total = fluid_player_get_total_ticks(player_);
  // Before the first render the file is not parsed yet and has no length.
  return total <= 0 || fluid_player_get_current_tick(player_) < total;
}

int MusicPlayer::tick() const { return player_ ? fluid_player_get_current_tick(player_) : -1; }

void MusicPlayer::render(float* out, int frames) {
  if (!synth_) return;
  constexpr int kChunk = 1024;
  while (frames > 0) {
    int n = std::min(frames, kChunk);
    fluid_synth_write_float(synth_, n, scratch_, 0, 2, scratch_, 1, 2);
    for (int i = 0; i < 2 * n; ++i) out[i] += scratch_[i] * gain_;
    out += 2 * n;
    frames -= n;
  }
}

bool MusicPlayer::measure(std::string_view midi, MusicLevel& level, const std::atomic<bool>& cancel) {
  if (!play(midi, 1)) return false;
  LoudnessMeter meter(rate_);
  constexpr int kChunk = 1024;
  std::vector<float> buf(2 * kChunk);
  // A pass longer than twenty minutes is judged by its beginning.
  for (long done = 0; done < 20L * 60 * rate_ && playing(); done += kChunk) {
    if (cancel) {
      stop();
      return false;
    }
    std::fill(buf.begin(), buf.end(), 0.0f);
    render(buf.data(), kChunk);
    meter.add(buf.data(), kChunk);
  }
  stop();
  level = {meter.loudness(), meter.peak()};
  return true;
}

}  // namespace media
