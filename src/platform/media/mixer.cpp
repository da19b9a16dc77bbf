#include "media/mixer.h"

#include <algorithm>

namespace media {

Mixer::Mixer(int slotCount, int outputRate)
    : outputRate_(outputRate), slots_(static_cast<size_t>(std::max(0, slotCount))) {}

void Mixer::cut(Slot& s) {
  if (!s.voice.playing) return;
  s.tail = s.voice;
  s.tail.fade = kFadeFrames;
  s.voice.playing = false;
}

void Mixer::load(int slot, std::shared_ptr<const Wave> wave) {
  if (!valid(slot)) return;
  Slot& s = slots_[static_cast<size_t>(slot)];
  cut(s);
  s.voice = Voice{};
  s.voice.wave = std::move(wave);
  s.played = 0;
  if (s.voice.wave) setFrequency(slot, s.voice.wave->rate);
}

bool Mixer::loaded(int slot) const { return valid(slot) && slots_[static_cast<size_t>(slot)].voice.wave != nullptr; }

int Mixer::baseFrequency(int slot) const {
  return loaded(slot) ? slots_[static_cast<size_t>(slot)].voice.wave->rate : 0;
}

int Mixer::setFrequency(int slot, int hz) {
  if (!valid(slot)) return 0;
  Slot& s = slots_[static_cast<size_t>(slot)];
  s.frequency = std::clamp(hz, kMinFrequency, kMaxFrequency);
  s.voice.step = (static_cast<uint64_t>(s.frequency) << 32) / static_cast<uint64_t>(outputRate_);
  return s.frequency;
}

int Mixer::frequency(int slot) const { return valid(slot) ? slots_[static_cast<size_t>(slot)].frequency : 0; }

void Mixer::play(int slot, bool loop) {
  if (!loaded(slot)) return;
  Slot& s = slots_[static_cast<size_t>(slot)];
  cut(s);
  s.voice.pos = 0;
  s.voice.loop = loop;
  s.voice.fade = 0;
  s.voice.playing = s.voice.wave->frames() > 0;
  s.played = 0;
}

void Mixer::stop(int slot) {
  if (valid(slot)) cut(slots_[static_cast<size_t>(slot)]);
}

bool Mixer::playing(int slot) const { return valid(slot) && slots_[static_cast<size_t>(slot)].voice.playing; }

uint64_t Mixer::framesPlayed(int slot) const { return valid(slot) ? slots_[static_cast<size_t>(slot)].played : 0; }

void Mixer::mix(float* out, int frames) {
  for (Slot& s : slots_) {
    if (s.tail.playing) mixVoice(s.tail, out, frames);
    if (s.voice.playing) s.played += static_cast<uint64_t>(mixVoice(s.voice, out, frames));
  }
}

void Mixer::skip(uint64_t frames) {
  for (Slot& s : slots_) {
    if (s.tail.playing) skipVoice(s.tail, frames);
    if (s.voice.playing) s.played += skipVoice(s.voice, frames);
  }
}

uint64_t Mixer::skipVoice(Voice& v, uint64_t frames) {
  const uint64_t end = v.wave->frames() << 32;
  if (v.fade > 0 || end == 0) {
    uint64_t done = std::min<uint64_t>(frames, static_cast<uint64_t>(v.fade));
    v.playing = false;
    return done;
  }
  if (v.loop) {
    __extension__ typedef unsigned __int128 u128;
    v.pos = static_cast<uint64_t>((static_cast<u128>(v.pos) + static_cast<u128>(frames) * v.step) % end);
    return frames;
  }
  const uint64_t left = v.pos >= end ? 0 : (end - v.pos + v.step - 1) / v.step;
  if (frames >= left) {
    v.playing = false;
    v.pos = end;
    return left;
  }
  v.pos += frames * v.step;
  return frames;
}

int Mixer::mixVoice(Voice& v, float* out, int frames) {
  const Wave& w = *v.wave;
  const uint64_t n = w.frames();
  const float* src = w.samples.data();
  const bool stereo = w.channels == 2;
  for (int i = 0; i < frames; ++i) {
    uint64_t idx = v.pos >> 32;
    if (idx >= n) {
      if (!v.loop) {
        v.playing = false;
        return i;
      }
      v.pos -= n << 32;
      idx = v.pos >> 32;
      if (idx >= n) {  // a step longer than the whole sound
        v.pos %= n << 32;
        idx = v.pos >> 32;
      }
    }
    // Linear interpolation; the frame after the last is the first again when looping, else silence.
    uint64_t next = idx + 1;
    bool haveNext = next < n || v.loop;
    if (next >= n) next = 0;
    float t = static_cast<float>(v.pos & 0xffffffffu) * (1.0f / 4294967296.0f);
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
    if (v.fade > 0) {
      float g = static_cast<float>(v.fade) / kFadeFrames;
      l *= g;
      r *= g;
      if (--v.fade == 0) {
        v.playing = false;
        return i + 1;
      }
    }
    out[2 * i] += l;
    out[2 * i + 1] += r;
    v.pos += v.step;
  }
  return frames;
}

}  // namespace media
