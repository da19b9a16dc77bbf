// Background music: standard MIDI files rendered by FluidSynth with a General MIDI soundfont.
// Rendering is pulled by the audio engine, so no thread of FluidSynth's own runs. Not
// thread-safe: the audio engine locks around it.
#pragma once

#include <string>
#include <string_view>

struct _fluid_hashtable_t;
struct _fluid_synth_t;
struct _fluid_player_t;

namespace media {

// True when `bytes` has the chunk layout of a standard MIDI file (a header and whole tracks).
bool isMidiFile(std::string_view bytes, std::string* error = nullptr);

// The first General MIDI soundfont of the usual Debian places ("" when none is installed).
std::string defaultSoundFont();

class MusicPlayer {
 public:
  MusicPlayer() = default;
  ~MusicPlayer();
  MusicPlayer(const MusicPlayer&) = delete;
  MusicPlayer& operator=(const MusicPlayer&) = delete;

  // Creates the synthesiser at `rate` and loads the soundfont. False (with a reason) leaves it closed.
  bool open(const std::string& soundFont, int rate, std::string* error = nullptr);
  bool isOpen() const { return synth_ != nullptr; }
  void close();

  // Plays a MIDI file's bytes from its beginning, `times` times in a row (1 = once).
  bool play(std::string_view midi, int times, std::string* error = nullptr);
  void stop();
  // True from play until the last pass reaches its last tick or stop.
  bool playing() const;
  // The tick of the running pass (-1 without a piece).
  int tick() const;

  // Adds `frames` stereo frames into `out` (interleaved L R).
  void render(float* out, int frames);

 private:
  _fluid_hashtable_t* settings_ = nullptr;
  _fluid_synth_t* synth_ = nullptr;
  _fluid_player_t* player_ = nullptr;
  int soundFontId_ = -1;
  float scratch_[2 * 1024] = {};
};

}  // namespace media
