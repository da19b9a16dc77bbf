// Background music from MIDI files and sound effects from WAVE files in numbered slots,
// set up once at start-up together with the input devices.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace media {
class AudioEngine;
}

struct MediaState {
  std::unique_ptr<media::AudioEngine> Sound;
  // The file each slot holds, as the caller named it ("" = empty).
  std::vector<std::string> SlotFile;
  // The path of the last piece started.
  std::string LastMusic;
  // Tests: mix silently into memory in step with the program's clock instead of a device.
  bool SilentOutput = false;
  // Whole games without a sound card: the sounds keep their time, nothing is mixed.
  bool NullOutput = false;
  // Tests: another soundfont ("" = $VORAK_SOUNDFONT, else the best General MIDI one installed).
  std::string SoundFont;
  ~MediaState();
};

MediaState& Media();
// Closes the devices and forgets everything (the end of the program, and test fixtures).
void MediaReset();

// SoundInit with 10, then MusicInit, then InputInit. Nothing here ends the program: a missing
// device or soundfont leaves the game silent and says so once on stderr.
void DirectMediaInit();
// Slots 0 to SlotCount, the primary volume at -4.5 dB.
void SoundInit(int32_t slotCount);
// Starts loading the soundfont (SoundFontToUse) and measuring the game's pieces; neither waits.
void MusicInit();
std::string SoundFontToUse();
void PlayMusic(std::string_view fileName, int32_t repeats);
void StopMusic();
bool LoadSoundSlot(int32_t slot, std::string_view fileName);
void SetSoundFrequency(int32_t slot, int32_t& freqDelta);
void PlaySound(int32_t slot, std::string_view fileName, bool loop, bool play, bool waitEnd, int32_t freqDelta);
