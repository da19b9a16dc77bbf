#include "media/mixer.h"

#include <algorithm>

namespace media {

Mixer::Mixer(int slotCount, int outputRate)
    : outputRate_(outputRate), slots_(static_cast<size_t>(std::max(0, slotCount))) {}

void Mixer::load(int slot, std::shared_ptr<const Wave> wave) {
  if (!valid(slot)) return;
  Slot& s = slots_[static_cast<size_t>(slot)];
  s = Slot{};
  s.wave = std::move(wave);
  if (s.wave) setFrequency(slot, s.wave->rate);
}

bool Mixer::loaded(int slot) const { return valid(slot) && slots_[static_cast<size_t>(slot)].wave != nullptr; }

int Mixer::baseFrequency(int slot) const { return loaded(slot) ? slots_[static_cast<size_t>(slot)].wave->rate : 0; }

int Mixer::setFrequency(int slot, int hz) {
  if (!valid(slot)) return 0;
  Slot& s = slots_[static_cast<size_t>(slot)];
  s.frequency = std::clamp(hz, kMinFrequency, kMaxFrequency);
  s.step = (static_cast<uint64_t>(s.frequency) << 32) / static_cast<uint64_t>(outputRate_);
  return s.frequency;
}

int Mixer::frequency(int slot) const { return valid(slot) ? slots_[static_cast<size_t>(slot)].frequency : 0; }

void Mixer::play(int slot, bool loop) {
  if (!loaded(slot)) return;
  Slot& s = slots_[static_cast<size_t>(slot)];
  s.pos = 0;
  s.played = 0;
  s.loop = loop;
  s.playing = s.wave->frames() > 0;
}

void Mixer::stop(int slot) {
  if (valid(slot)) slots_[static_cast<size_t>(slot)].playing = false;
}

bool Mixer::playing(int slot) const { return valid(slot) && slots_[static_cast<size_t>(slot)].playing; }

uint64_t Mixer::framesPlayed(int slot) const { return valid(slot) ? slots_[static_cast<size_t>(slot)].played : 0; }

void Mixer::mix(float* out, int frames) {
  for (Slot& s : slots_)
    if (s.playing) mixSlot(s, out, frames);
}

void Mixer::mixSlot(Slot& s, float* out, int frames) {
  const Wave& w = *s.wave;
  const uint64_t n = w.frames();
  const float* src = w.samples.data();
  const bool stereo = w.channels == 2;
  for (int i = 0; i < frames; ++i) {
    uint64_t idx = s.pos >> 32;
    if (idx >= n) {
      if (!s.loop) {
        s.playing = false;
        return;
      }
      s.pos -= n << 32;
      idx = s.pos >> 32;
      if (idx >= n) {  // a step longer than the whole sound
        s.pos %= n << 32;
        idx = s.pos >> 32;
      }
    }
    // Linear interpolation; the frame after the last is the first again when looping, else silence.
    uint64_t next = idx + 1;
    bool haveNext = next < n || s.loop;
    if (next >= n) next = 0;
    float t = static_cast<float>(s.pos & 0xffffffffu) * (1.0f / 4294967296.0f);
    float l, r;
    if (stereo) {
      float l0 = src[2 * idx], r0 = src[2 * idx + 1];
      float l1 = haveNext ? src[2 * next] : 0.0f, r1 = haveNext ? src[2 * next + 1] : 0.0f;
      l = l0 + (l1 - l0) * t;
      r = r0 + (r1 - r0) * t;
    } else {
      float m0 = src[idx], m1 = haveNext ? src[next] : 0.0f;
      l = r = m0 + (m1 - m0) * t;
    }
    out[2 * i] += l;
    out[2 * i + 1] += r;
    s.pos += s.step;
    ++s.played;
  }
}

}  // namespace media
