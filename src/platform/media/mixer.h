// The sound slots: each holds one decoded WAVE and plays it once or looped at its own
// frequency, resampled into the output rate. Not thread-safe: the audio engine locks around it.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "media/wave.h"

namespace media {

class Mixer {
 public:
  static constexpr int kMinFrequency = 100;
  static constexpr int kMaxFrequency = 40000;
  // A sound stopped or restarted while playing fades out over this many output frames.
  static constexpr int kFadeFrames = 96;

  Mixer(int slotCount, int outputRate);

  int slotCount() const { return static_cast<int>(slots_.size()); }
  // Replaces the slot's sound (stopping it); its frequency becomes the file's rate.
  void load(int slot, std::shared_ptr<const Wave> wave);
  bool loaded(int slot) const;
  // The rate of the loaded file (0 when empty).
  int baseFrequency(int slot) const;
  // Held to kMinFrequency..kMaxFrequency; returns the frequency set.
  int setFrequency(int slot, int hz);
  int frequency(int slot) const;
  // Starts from the beginning.
  void play(int slot, bool loop);
  void stop(int slot);
  bool playing(int slot) const;
  // How many output frames the slot has produced since its last play (for latency checks).
  uint64_t framesPlayed(int slot) const;

  // Adds `frames` stereo frames of every playing slot into `out` (interleaved L R).
  void mix(float* out, int frames);
  // Moves every playing slot on by `frames` as mix would, without producing a sample.
  void skip(uint64_t frames);

 private:
  struct Voice {
    std::shared_ptr<const Wave> wave;
    bool playing = false;
    bool loop = false;
    uint64_t pos = 0;   // source frames, 32.32 fixed point
    uint64_t step = 0;  // source frames per output frame, 32.32
    int fade = 0;       // > 0: fading out over this many more frames
  };
  struct Slot {
    Voice voice;
    Voice tail;  // a sound cut short, faded out over a few milliseconds so the cut does not click
    int frequency = 0;
    uint64_t played = 0;
  };
  bool valid(int slot) const { return slot >= 0 && slot < slotCount(); }
  void cut(Slot& s);
  // Adds the voice into `out`; returns the frames it produced.
  static int mixVoice(Voice& v, float* out, int frames);
  // Moves the voice on; returns the frames it would have produced.
  static uint64_t skipVoice(Voice& v, uint64_t frames);

  int outputRate_;
  std::vector<Slot> slots_;
};

}  // namespace media
