// WAVE files: what the sound slots play and what our sound generator writes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace media {

// Decoded PCM, interleaved, in -1..1.
struct Wave {
  int rate = 0;      // frames per second
  int channels = 0;  // 1 or 2
  std::vector<float> samples;
  size_t frames() const { return channels > 0 ? samples.size() / static_cast<size_t>(channels) : 0; }
};

// Reads a RIFF WAVE with 8- or 16-bit integer PCM (or 32-bit float), mono or stereo, any rate
// from 100 to 192000 Hz. A data chunk cut short keeps the whole frames it holds. On failure
// `error` says why in a few words.
bool parseWave(std::string_view bytes, Wave& out, std::string* error = nullptr);
// parseWave of a file named the game's way (sys::resolvePath).
bool loadWave(std::string_view gamePath, Wave& out, std::string* error = nullptr);

// A 16-bit PCM RIFF WAVE of interleaved samples.
std::string encodeWave16(const std::vector<int16_t>& samples, int rate, int channels);

}  // namespace media
