// Background music: standard MIDI files rendered by FluidSynth with a General MIDI soundfont.
// Rendering is pulled by the audio engine, so no thread of FluidSynth's own runs. Not
// thread-safe: the audio engine locks around it.
#pragma once

#include <atomic>
#include <string>
#include <string_view>

struct _fluid_hashtable_t;
struct _fluid_synth_t;
struct _fluid_player_t;

namespace media {

// What playing a MIDI file needs to know beforehand: whether it sends anything to the reverb
// (controller 91) or the chorus (controller 93).
struct MidiInfo {
  bool reverb = false;
  bool chorus = false;
};

// True when `bytes` is a standard MIDI file: a header and whole tracks, and every event of a
// track complete inside it. `info` (when given) is filled on success.
bool isMidiFile(std::string_view bytes, std::string* error = nullptr, MidiInfo* info = nullptr);

// The best General MIDI soundfont installed: the system's choice (default-GM.sf2), else the
// first Debian one found ("" when there is none).
std::string defaultSoundFont();

// How loud a piece plays through a soundfont at unity gain: integrated loudness (LUFS) and
// sample peak (dBFS) of one pass.
struct MusicLevel {
  double loudness = 0;
  double peak = 0;
};

class MusicPlayer {
 public:
  MusicPlayer() = default;
  ~MusicPlayer();
  MusicPlayer(const MusicPlayer&) = delete;
  MusicPlayer& operator=(const MusicPlayer&) = delete;

  // Creates the synthesiser at `rate` and loads the soundfont, on the calling thread alone.
  // False (with a reason) leaves it closed.
  bool open(const std::string& soundFont, int rate, std::string* error = nullptr);
  bool isOpen() const { return synth_ != nullptr; }
  void close();

  // Plays a MIDI file's bytes from its beginning, `times` times in a row (1 = once), with the
  // reverb and the chorus running only when the piece sends to them.
  bool play(std::string_view midi, int times, std::string* error = nullptr);
  void stop();
  // True from play until the last pass reaches its last tick or stop.
  bool playing() const;
  // The tick of the running pass (-1 without a piece).
  int tick() const;
  // Scales what render adds (1 = as the synthesiser makes it).
  void setGain(float gain) { gain_ = gain; }

  // Adds `frames` stereo frames into `out` (interleaved L R).
  void render(float* out, int frames);

  // Plays the piece once into a loudness meter, as fast as it renders, and stops. Gives up
  // (returning false) when `cancel` is set or the piece cannot play.
  bool measure(std::string_view midi, MusicLevel& level, const std::atomic<bool>& cancel);

 private:
  _fluid_hashtable_t* settings_ = nullptr;
  _fluid_synth_t* synth_ = nullptr;
  _fluid_player_t* player_ = nullptr;
  int rate_ = 0;
  float gain_ = 1;
  float scratch_[2 * 1024] = {};
};

}  // namespace media
