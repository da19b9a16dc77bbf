#include "media/music.h"

#include <fluidsynth.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>

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

// FluidSynth's chatter (missing instruments, file notes) is not the player's business;
// real errors still reach stderr.
void logQuietly(int level, const char* message, void*) {
  if (level <= FLUID_ERR) std::fprintf(stderr, "VorakTalmor: music: %s\n", message);
}

}  // namespace

bool isMidiFile(std::string_view b, std::string* error) {
  if (b.size() < 14 || b.substr(0, 4) != "MThd" || be32(b, 4) < 6) return fail(error, "not a standard MIDI file");
  size_t tracks = static_cast<uint8_t>(b[10]) << 8 | static_cast<uint8_t>(b[11]);
  if (tracks == 0) return fail(error, "MIDI file without tracks");
  size_t at = 8 + be32(b, 4);
  for (size_t t = 0; t < tracks; ++t) {
    if (at + 8 > b.size()) return fail(error, "MIDI file cut short");
    uint32_t len = be32(b, at + 4);
    if (b.substr(at, 4) == "MTrk" && len > b.size() - at - 8) return fail(error, "MIDI track cut short");
    at += 8 + len;
  }
  return true;
}

std::string defaultSoundFont() {
  for (const char* p : {"/usr/share/sounds/sf2/default-GM.sf2", "/usr/share/sounds/sf2/TimGM6mb.sf2",
                        "/usr/share/sounds/sf2/FluidR3_GM.sf2"}) {
    std::error_code ec;
    if (std::filesystem::is_regular_file(p, ec)) return p;
  }
  return "";
}

MusicPlayer::~MusicPlayer() { close(); }

bool MusicPlayer::open(const std::string& soundFont, int rate, std::string* error) {
  close();
  for (int level : {FLUID_PANIC, FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG})
    fluid_set_log_function(level, logQuietly, nullptr);
  std::error_code ec;
  if (soundFont.empty() || !std::filesystem::is_regular_file(soundFont, ec))
    return fail(error,
                soundFont.empty() ? "no General MIDI soundfont installed" : "soundfont " + soundFont + " missing");
  settings_ = new_fluid_settings();
  if (!settings_) return fail(error, "cannot set up the synthesiser");
  fluid_settings_setnum(settings_, "synth.sample-rate", rate);
  // One core, no threads of its own: the audio callback renders it.
  fluid_settings_setint(settings_, "synth.cpu-cores", 1);
  fluid_settings_setstr(settings_, "player.timing-source", "sample");
  fluid_settings_setint(settings_, "synth.polyphony", 128);
  // The default gain is far too quiet next to the effects; this keeps our densest piece below full scale.
  fluid_settings_setnum(settings_, "synth.gain", 0.9);
  fluid_settings_setint(settings_, "synth.reverb.active", 1);
  fluid_settings_setnum(settings_, "synth.reverb.room-size", 0.55);
  fluid_settings_setnum(settings_, "synth.reverb.damp", 0.35);
  fluid_settings_setnum(settings_, "synth.reverb.width", 0.9);
  fluid_settings_setnum(settings_, "synth.reverb.level", 0.45);
  fluid_settings_setint(settings_, "synth.chorus.active", 1);
  fluid_settings_setint(settings_, "synth.chorus.nr", 3);
  fluid_settings_setnum(settings_, "synth.chorus.level", 1.2);
  fluid_settings_setnum(settings_, "synth.chorus.speed", 0.3);
  fluid_settings_setnum(settings_, "synth.chorus.depth", 4.0);
  synth_ = new_fluid_synth(settings_);
  if (!synth_) {
    close();
    return fail(error, "cannot set up the synthesiser");
  }
  soundFontId_ = fluid_synth_sfload(synth_, soundFont.c_str(), 1);
  if (soundFontId_ == FLUID_FAILED) {
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
  soundFontId_ = -1;
}

bool MusicPlayer::play(std::string_view midi, int times, std::string* error) {
  if (!synth_) return fail(error, "music is off");
  if (!isMidiFile(midi, error)) return false;
  stop();
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
    for (int i = 0; i < 2 * n; ++i) out[i] += scratch_[i];
    out += 2 * n;
    frames -= n;
  }
}

}  // namespace media
